#pragma once

#include <QString>

class QWidget;

// Driving windows as a user does: keys go to the widget that has the focus.
namespace kanvelo::testing {

QWidget* focused();
QString focused_name();
void key(int qt_key);
void type(const QString& latin1);
void make_active(QWidget& window);

// One entry with the keyboard alone in the entry window: category number,
// Enter, amount, Enter, description, Tab, wallet (moved down `wallet_downs`
// times), Enter, and Enter on 次を記入.
void type_entry(const QString& number, const QString& amount, const QString& tekiyo,
                int wallet_downs);

} // namespace kanvelo::testing
