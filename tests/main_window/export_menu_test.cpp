#include "ledger/settings_file.h"
#include "main_window/main_form.h"
#include "support/gui_window_test.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

struct ExportMenuTest : WindowTest {};

// The menu items of the exports and the asset list open their windows.
TEST_F(ExportMenuTest, ExportAndAssetMenusOpenTheirWindows) {
    folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    folder.write_lines(u"~200403.dat"_s,
                       month_file_with({entry("20040301", "12", "1,000", "パン", "0")}));
    Main_Form form(*ledger);
    form.set_splash_enabled(false);
    form.startup();
    auto press = [](const char* button) {
        return [button](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(button)),
                              Qt::LeftButton);
        };
    };
    modals.next(press("Command2"));
    modals.next(press("Command1"));
    modals.next(press("Command5"));
    for (const char* item : {"menu_export_goukei", "menu_export_syusi", "menu_資産"}) {
        QAction* action = form.findChild<QAction*>(QString::fromUtf8(item));
        ASSERT_NE(action, nullptr) << item;
        ASSERT_TRUE(action->isEnabled()) << item;
        action->trigger();
    }
    EXPECT_EQ(modals.opened(),
              (QStringList{u"fileout_form"_s, u"fileout2_form"_s, u"sisan_form"_s}));
    EXPECT_FALSE(folder.exists(u"total.csv"_s));
    EXPECT_EQ(folder.read_lines(u"~200403.tab"_s).value(1),
              u"20040301\t12\t日常食品\t-1000\tパン\t0\t現金");
    EXPECT_TRUE(folder.exists(u"資産/sisan.dat"_s));
}

} // namespace
