#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls every window builds, named as the window's design names them.
namespace kanvelo {

// A button that is never the dialog's default: Enter in a box must not press
// it by surprise; windows handle Enter on a focused button themselves.
QPushButton* make_button(QWidget* parent, const QString& name, const QString& caption);

// A label; when it names a box, the box is its buddy, so screen readers and
// outside tools find the box by the caption the user sees.
QLabel* make_label(QWidget* parent, const QString& name, const QString& text,
                   QWidget* buddy = nullptr);

QLineEdit* make_box(QWidget* parent, const QString& name);

} // namespace kanvelo
