#pragma once

#include "main_window/main_form.h"
#include "platform/grid.h"
#include "support/gui_window_test.h"

#include <QLineEdit>
#include <QPalette>
#include <functional>
#include <memory>

class QListWidget;

namespace kanvelo::testing {

// A click on a list row, scrolled into view first, as a user would.
void click_list_row(QListWidget* list, int row);

// A window test with the main window started on March 2004 from files in the
// test's folder, for windows that are checked through what the main window
// shows afterwards.
class MonthViewTest : public WindowTest {
protected:
    void TearDown() override;

    // Writes kanvelo.ini and ~200403.dat (default categories and wallets, the
    // given entries; `edit` may change the month file's lines first), then
    // starts the main window on them.
    void start(const QList<QStringList>& entries,
               const std::function<void(QStringList&)>& edit = {});
    // Opens a window from the main window and hands it to `drive`.
    void open_with(const char* menu_or_button, const std::function<void(QDialog&)>& drive);

    Grid* grid(const char* name) const;
    QString main_text(const char* name) const;
    bool box_red(const char* name) const;
    void trigger(const char* action);
    // Saves through the menu and returns the month file's lines.
    QStringList save_month();

    std::unique_ptr<Main_Form> main;
};

} // namespace kanvelo::testing
