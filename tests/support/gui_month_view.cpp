#include "support/gui_month_view.h"

#include "ledger/settings_file.h"
#include "support/gui_keys.h"

#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kanvelo::testing {

void click_list_row(QListWidget* list, int row) {
    ASSERT_NE(list, nullptr);
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr) << row;
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void MonthViewTest::TearDown() {
    main.reset();
    WindowTest::TearDown();
}

void MonthViewTest::start(const QList<QStringList>& entries,
                          const std::function<void(QStringList&)>& edit) {
    folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    QStringList lines = month_file_with(entries);
    if (edit)
        edit(lines);
    folder.write_lines(u"~200403.dat"_s, lines);
    ledger->app_path = folder.path();
    main = std::make_unique<Main_Form>(*ledger);
    main->set_splash_enabled(false);
    main->set_on_end([] {});
    main->startup();
}

void MonthViewTest::open_with(const char* name, const std::function<void(QDialog&)>& drive) {
    modals.next([drive](QDialog& dialog) {
        make_active(dialog);
        drive(dialog);
    });
    if (auto* button = main->findChild<QPushButton*>(QString::fromLatin1(name))) {
        ASSERT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        trigger(name);
    }
    EXPECT_EQ(modals.pending(), 0) << name;
}

Grid* MonthViewTest::grid(const char* name) const {
    return child<Grid>(*main, name);
}

QString MonthViewTest::main_text(const char* name) const {
    return child<QLineEdit>(*main, name)->text();
}

bool MonthViewTest::box_red(const char* name) const {
    return child<QLineEdit>(*main, name)->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

void MonthViewTest::trigger(const char* name) {
    auto* action = main->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    ASSERT_TRUE(action->isEnabled()) << name;
    action->trigger();
}

QStringList MonthViewTest::save_month() {
    trigger("Menu_Save");
    return folder.read_lines(u"~200403.dat"_s);
}

} // namespace kanvelo::testing
