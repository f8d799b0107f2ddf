// Putting a kept copy of the month back from the main window's menu.
#include "ledger/backup.h"
#include "ledger/settings_file.h"
#include "main_window/main_form.h"
#include "platform/grid.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMonth = u"~200403.dat"_s;
const QString kCopy = u"backup/2004-03-10/~200403.dat"_s;

struct BackupMenuTest : WindowTest {
    std::unique_ptr<Main_Form> form;

    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    void start() {
        form = std::make_unique<Main_Form>(*ledger);
        form->set_splash_enabled(false);
        form->startup();
    }
    void choose_from_menu() { form->findChild<QAction*>(u"MenuBackup"_s)->trigger(); }
};

} // namespace

TEST_F(BackupMenuTest, ACopyChosenFromTheMenuBecomesTheMonthInTheLedgerGridsAndFile) {
    folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    folder.write_lines(kMonth, month_file_with({entry("20040312", "12", "980", "today", "0")}));
    QDir(folder.path()).mkpath(u"backup/2004-03-10"_s);
    const QByteArray copy =
        cp932_bytes(month_file_with({entry("20040301", "2", "250,000", "給料", "1"),
                                     entry("20040302", "12", "1,500", "パン", "0"),
                                     entry("20040303", "30", "-20,000", "引き出し", "1")}));
    folder.write_bytes(kCopy, copy);
    start();
    const QByteArray before = folder.read_bytes(kMonth);

    auto choose = [&](MsgAnswer answer) {
        modals.next([&, answer](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"Backup_form");
            expect_tidy_layout(d);
            EXPECT_EQ(child<Grid>(d, "Backup_Grid")->rows(), 2);
            EXPECT_EQ(child<QLineEdit>(d, "Backup_kensu")->text(), u"3");
            EXPECT_EQ(child<QLineEdit>(d, "Backup_syunyu")->text(), u"250,000");
            EXPECT_EQ(child<QLineEdit>(d, "Backup_sisyutu")->text(), u"1,500");
            EXPECT_TRUE(child<QLabel>(d, "Backup_note")->text().isEmpty());
            messages.answer_next(answer);
            click(d, "Backup_modosu");
            if (d.isVisible())
                click(d, "Backup_tojiru");
        });
        choose_from_menu();
    };
    choose(MsgAnswer::No);
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_EQ(folder.read_bytes(kMonth), before);

    choose(MsgAnswer::Yes);
    EXPECT_EQ(folder.read_bytes(kMonth), copy);
    EXPECT_EQ(ledger->kensu, 3);
    EXPECT_EQ(ledger->syunyu_goukei, 250000);
    EXPECT_EQ(child<Grid>(*form, "Main_Grid1")->rows(), 3 + 2);
    EXPECT_EQ(child<Grid>(*form, "Main_Grid1")->text(1, 3), u"給料");
    EXPECT_EQ(child<Grid>(*form, "Main_Grid2")->text(12, 2), u"1,500");
    // The month as it was on the disk, and as the save before the restore
    // wrote it, are both among today's copies.
    EXPECT_EQ(folder.read_bytes(u"backup/2004-03-15/~200403.dat"_s), before);
    EXPECT_EQ(folder.read_bytes(u"backup/2004-03-15/~200403.dat.2"_s), before);
    EXPECT_EQ(backup_copies(ledger->month_file_path()).size(), 3u);
    ASSERT_FALSE(messages.messages().empty());
    EXPECT_EQ(messages.messages().back().icon, MsgIcon::Information);
}

TEST_F(BackupMenuTest, WithoutCopiesTheMenuSaysSoAndOpensNoWindow) {
    start();
    choose_from_menu();
    EXPECT_TRUE(modals.opened().isEmpty());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages().front().text.contains(u"まだありません"));
}
