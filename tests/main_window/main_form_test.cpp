#include "ledger/clock.h"
#include "ledger/settings_file.h"
#include "main_window/main_form.h"
#include "main_window/main_rules.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "support/gui_keys.h"
#include "support/gui_window_test.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct MainFormTest : kanvelo::testing::WindowTest {
    std::unique_ptr<Main_Form> form;
    int ends = 0;

    void SetUp() override {
        WindowTest::SetUp();
        clock_set_today_for_tests(QDate(2004, 4, 15));
    }
    void TearDown() override {
        form.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"debugwindow")
                w->deleteLater();
        WindowTest::TearDown();
    }

    void start() {
        ledger->app_path = folder.path();
        form = std::make_unique<Main_Form>(*ledger);
        form->set_splash_enabled(false);
        form->set_on_end([this] { ++ends; });
        form->startup();
        form->show();
    }
    void write_march(const QList<QStringList>& entries) {
        folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
        folder.write_lines(u"~200403.dat"_s, month_file_with(entries));
    }
    Grid* grid(const char* name) { return form->findChild<Grid*>(QString::fromLatin1(name)); }
    QString box(const char* name) {
        return form->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    }
    QColor box_colour(const char* name) {
        return form->findChild<QLineEdit*>(QString::fromLatin1(name))
            ->palette()
            .color(QPalette::Text);
    }
    void trigger(const char* name) {
        QAction* a = form->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
    void click(const char* name) {
        auto* b = form->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QWidget* debug_window() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"debugwindow" && w->isVisible())
                return w;
        return nullptr;
    }
    // Answers open_form with a year and month typed into its boxes.
    void answer_open(const QString& year, const QString& month, bool hiraku) {
        modals.next([=](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"open_form");
            d.findChild<QLineEdit*>(u"open_nen"_s)->setText(year);
            d.findChild<QLineEdit*>(u"open_tuki"_s)->setText(month);
            QTest::mouseClick(d.findChild<QPushButton*>(hiraku ? u"open_hiraku"_s : u"open_yame"_s),
                              Qt::LeftButton);
        });
    }
};

} // namespace

TEST_F(MainFormTest, FirstStartInAnEmptyFolderCreatesEveryFileAndShowsZeroTotals) {
    start();
    EXPECT_EQ(form->windowTitle(), u"家計簿ぽるる（2004年04月）");
    EXPECT_EQ(folder.read_lines(kSettingsFile).size(), 131);
    EXPECT_EQ(folder.read_lines(u"~200404.dat"_s).size(), 181);
    EXPECT_EQ(folder.read_lines(u"日記2004.dat"_s).size(), 366);
    EXPECT_EQ(folder.read_lines(kWindowFile).size(), 10);
    for (const char* b : {"Main_syunyu", "Main_Sisyutu", "Main_Syusi", "Main_genkin"})
        EXPECT_EQ(box(b), u"0") << b;
    EXPECT_EQ(grid("Main_Grid1")->rows(), 2);
    EXPECT_EQ(grid("Main_Grid2")->rows(), 31);
    EXPECT_EQ(grid("Main_Grid2")->text(12, 1), u"日常食品");
    EXPECT_EQ(grid("Main_Grid2")->text(12, 6), u"0.0");
    EXPECT_EQ(ledger->session.gamen, 1);
    EXPECT_EQ(debug_window(), nullptr);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(MainFormTest, LoadedMonthShowsEveryKindOfEntryInBothGridsAndTheTotals) {
    QStringList lines = month_file_with({entry("20040301", "1", "10,000", "【繰越】現金", " 0 "),
                                         entry("20040325", "2", "300,000", "給料", "1"),
                                         entry("20040326", "30", "-50,000", "引き出し", "1"),
                                         entry("20040326", "30", "50000", "引き出し", "0"),
                                         entry("20040327", "12", "5,000", "スーパー", "0"),
                                         entry("20040328", "13", "15000", "外食", "0")});
    lines[5 * 11 + 3] = u"30,000"_s; // budget of 日常食品
    lines[5 * 12 + 3] = QString();   // no budget for 外食
    folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    folder.write_lines(u"~200403.dat"_s, lines);
    start();
    EXPECT_EQ(form->windowTitle(), u"家計簿ぽるる（2004年03月）");

    Grid* g1 = grid("Main_Grid1");
    ASSERT_EQ(g1->rows(), 8);
    EXPECT_EQ(g1->text(2, 0), u"25");
    EXPECT_EQ(g1->text(2, 1), u"給料");
    EXPECT_EQ(g1->text(2, 2), u"300,000");
    EXPECT_EQ(g1->text(3, 1), u"財布<=>口座");
    EXPECT_EQ(g1->text(4, 2), u"50000"); // shown as stored
    EXPECT_EQ(g1->text(6, 3), u"外食");
    EXPECT_EQ(g1->text(7, 1), u"");

    EXPECT_EQ(box("Main_syunyu"), u"310,000");
    EXPECT_EQ(box("Main_Sisyutu"), u"20,000");
    EXPECT_EQ(box("Main_Syusi"), u"290,000");
    EXPECT_EQ(box("Main_genkin"), u"40,000");

    Grid* g2 = grid("Main_Grid2");
    EXPECT_EQ(g2->text(2, 2), u"300,000");
    EXPECT_EQ(g2->text(12, 2), u"5,000");
    EXPECT_EQ(g2->text(12, 3), u"25,000");
    EXPECT_EQ(g2->text(12, 4), u"30,000");
    EXPECT_EQ(g2->text(12, 5), u"100.0");
    EXPECT_EQ(g2->text(12, 6), u"25.0");
    EXPECT_EQ(g2->text(13, 3), u"-15,000"); // an empty budget becomes 0
    EXPECT_EQ(g2->text(13, 4), u"0");
    EXPECT_EQ(ledger->himoku[12].yosan_kingaku, u" 0 ");
    EXPECT_EQ(g2->text(2, 6), u"96.8");
    EXPECT_EQ(g2->text(30, 2), u"0");
    EXPECT_EQ(g2->alignment(12, 2) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(MainFormTest, NegativeBalanceAndCashAreRed) {
    write_march({entry("20040301", "12", "1,200", "x", "0")});
    start();
    EXPECT_EQ(box("Main_Syusi"), u"-1,200");
    EXPECT_EQ(box_colour("Main_Syusi"), QColor(255, 0, 0));
    EXPECT_EQ(box_colour("Main_genkin"), QColor(255, 0, 0));
    EXPECT_NE(box_colour("Main_syunyu"), QColor(255, 0, 0));
    ledger->syusi[1].kingaku = u"0"_s;
    form->month_recalc();
    EXPECT_EQ(box("Main_Syusi"), u"0");
    EXPECT_NE(box_colour("Main_Syusi"), QColor(255, 0, 0));
}

TEST_F(MainFormTest, SavingTwiceWritesIdenticalFiles) {
    write_march({entry("20040301", "12", "1200", "x", "0")});
    start();
    trigger("Menu_Save");
    const QByteArray ini = folder.read_bytes(kSettingsFile);
    const QByteArray win = folder.read_bytes(kWindowFile);
    const QByteArray dat = folder.read_bytes(u"~200403.dat"_s);
    EXPECT_EQ(folder.read_lines(u"~200403.dat"_s).at(183), u"1,200");
    trigger("Menu_Save");
    EXPECT_EQ(folder.read_bytes(kSettingsFile), ini);
    EXPECT_EQ(folder.read_bytes(kWindowFile), win);
    EXPECT_EQ(folder.read_bytes(u"~200403.dat"_s), dat);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(MainFormTest, ExitCommandsSaveWithoutAsking) {
    write_march({});
    start();
    ledger->kensu = 1;
    ledger->syusi[1] = {u"20040302"_s, u"12"_s, u"800"_s, u"パン"_s, u"0"_s};
    click("Main_Syuryo");
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(folder.read_lines(u"~200403.dat"_s).size(), 186);
    EXPECT_TRUE(modals.opened().isEmpty());
}

// The close box asks whether to save: はい saves and ends, いいえ ends without
// saving, and closing the question itself goes back to the month unsaved.
TEST_F(MainFormTest, CloseQuestionDecidesWhetherToSaveAndEnd) {
    const struct {
        const char* answer; // a button of the question, or nullptr: its close box
        int ends;
        bool saved;
    } cases[] = {{"osimai_hai", 1, true}, {"osimai_iie", 1, false}, {nullptr, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "close box");
        form.reset();
        ends = 0;
        write_march({});
        start();
        const QByteArray before = folder.read_bytes(u"~200403.dat"_s);
        ledger->kensu = 1;
        ledger->syusi[1] = {u"20040302"_s, u"12"_s, u"800"_s, u"パン"_s, u"0"_s};
        modals.next([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"osimai_form");
            if (c.answer)
                QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(c.answer)),
                                  Qt::LeftButton);
            else
                d.close();
        });
        form->close();
        EXPECT_EQ(ends, c.ends);
        EXPECT_EQ(form->isVisible(), c.ends == 0);
        EXPECT_EQ(ledger->kensu, 1);
        if (c.saved)
            EXPECT_EQ(folder.read_lines(u"~200403.dat"_s).size(), 186);
        else
            EXPECT_EQ(folder.read_bytes(u"~200403.dat"_s), before);
    }
}

TEST_F(MainFormTest, FailedSaveNamesTheFileAndKeepsTheProgramAndLedger) {
    write_march({entry("20040301", "12", "1200", "x", "0")});
    start();
    const QByteArray old_month = folder.read_bytes(u"~200403.dat"_s);
    // A folder where the month file should be: even root cannot replace it.
    QFile::remove(folder.file(u"~200403.dat"_s));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"~200403.dat"_s));
    ledger->kensu = 2;
    ledger->syusi[2] = ledger->syusi[1];
    click("Main_Syuryo");
    EXPECT_EQ(ends, 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().front().contains(u"~200403.dat"_s));
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ledger->kensu, 2);
    // Files before the failing one were written.
    EXPECT_EQ(folder.read_lines(kSettingsFile).at(92), u"03");

    // Closing with はい does not end the program either.
    modals.next([](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(u"osimai_hai"_s), Qt::LeftButton);
    });
    form->close();
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(messages.messages().size(), 2u);
    (void)old_month;
}

TEST_F(MainFormTest, DamagedMonthFileShowsTheUnexpectedErrorWindowAndLoadsTheRest) {
    write_march({entry("20040301", "12", "1,000", "a", "0"),
                 entry("20040302", "12", "千円", "b", "0"),
                 entry("20040303", "13", "500", "c", "0")});
    start();
    QWidget* w = debug_window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"たいへんだぁ！！");
    bool names_file = false;
    for (QLabel* label : w->findChildren<QLabel*>())
        names_file |= label->text().contains(u"~200403.dat 187行目"_s);
    EXPECT_TRUE(names_file);
    EXPECT_EQ(grid("Main_Grid1")->rows(), 5);
    EXPECT_EQ(box("Main_Sisyutu"), u"1,500");
    EXPECT_TRUE(modals.opened().isEmpty()); // not modal: start-up went on
}

TEST_F(MainFormTest, OpeningAMonthWithoutAFileSavesCreatesItAndRecordsIt) {
    write_march({entry("20040301", "12", "1,000", "a", "0")});
    start();
    ledger->himoku[11].name = u"食費"_s;
    answer_open(u"2004"_s, u"4"_s, true);
    trigger("MenuOpen");
    EXPECT_EQ(form->windowTitle(), u"家計簿ぽるる（2004年04月）");
    EXPECT_EQ(folder.read_lines(kSettingsFile).at(92), u"04");
    QStringList april = folder.read_lines(u"~200404.dat"_s);
    ASSERT_EQ(april.size(), 181);
    EXPECT_EQ(april.at(5 * 11 + 2), u"食費");
    EXPECT_EQ(april.at(5 * 11 + 3), u" 0 ");
    // The month left behind was saved first.
    EXPECT_EQ(folder.read_lines(u"~200403.dat"_s).at(5 * 11 + 2), u"食費");
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_EQ(grid("Main_Grid1")->rows(), 2);
    EXPECT_EQ(box("Main_Sisyutu"), u"0");
    EXPECT_TRUE(folder.exists(u"日記2004.dat"_s));
}

TEST_F(MainFormTest, OpeningAnotherYearLoadsThatYearsDiary) {
    write_march({});
    start();
    ledger->nikki[0] = u"2004年の元日"_s;
    answer_open(u"2003"_s, u"12"_s, true);
    trigger("MenuOpen");
    EXPECT_EQ(form->windowTitle(), u"家計簿ぽるる（2003年12月）");
    EXPECT_EQ(ledger->nikki[0], u"");
}

TEST_F(MainFormTest, CancellingTheOpenDialogKeepsTheMonthAsSaved) {
    write_march({entry("20040301", "12", "1,000", "a", "0")});
    start();
    answer_open(u"2010"_s, u"7"_s, false);
    trigger("MenuOpen");
    EXPECT_EQ(form->windowTitle(), u"家計簿ぽるる（2004年03月）");
    EXPECT_EQ(ledger->nen, u"2004");
    EXPECT_EQ(ledger->tuki, u"03");
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_FALSE(folder.exists(u"~201007.dat"_s));
    EXPECT_EQ(folder.read_lines(kSettingsFile).at(91), u"2004");
}

TEST_F(MainFormTest, SplashIsShownAtStartUpAndAgainWhenAnotherMonthOpens) {
    write_march({});
    ledger->app_path = folder.path();
    form = std::make_unique<Main_Form>(*ledger);
    form->set_on_end([] {});
    modals.next([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"Version_form");
        d.close();
    });
    form->startup();
    answer_open(u"2004"_s, u"5"_s, true);
    modals.next([](QDialog& d) { d.close(); });
    trigger("MenuOpen");
    EXPECT_EQ(modals.opened(), (QStringList{u"Version_form"_s, u"open_form"_s, u"Version_form"_s}));
}

TEST_F(MainFormTest, WindowIsPlacedFromTheWindowFileAndCentredWhenItWasMinimized) {
    write_march({});
    folder.write_lines(kWindowFile, {u" 8000 "_s, u" 12000 "_s, u" 300 "_s, u" 600 "_s, u" 2 "_s,
                                     u"s1"_s, QString(), QString(), QString(), u"s5"_s});
    start();
    EXPECT_NEAR(form->outer_width_twips(), 12000, 15);
    EXPECT_NEAR(form->outer_height_twips(), 8000, 15);
    EXPECT_FALSE(form->isMaximized());
    trigger("Menu_Save");
    QStringList win = folder.read_lines(kWindowFile);
    EXPECT_EQ(win.at(4), u" 0 ");
    EXPECT_EQ(win.at(5), u"s1");
    EXPECT_EQ(win.at(9), u"s5");

    folder.write_lines(kWindowFile, {u" 8000 "_s, u" 12000 "_s, u" 0 "_s, u" 0 "_s, u" 1 "_s,
                                     QString(), QString(), QString(), QString(), QString()});
    form->startup();
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_NEAR(form->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(form->frameGeometry().center().y(), screen.center().y(), 2);
}

TEST(MainLayout, FollowsTheWindowWidthInSideBySideMode) {
    MainLayout m = main_layout(9615, 7095, 1);
    EXPECT_EQ(m.grid2_width, 3195);
    EXPECT_EQ(m.grid1_left, 3300);
    EXPECT_EQ(m.grid1_width, 6135);
    EXPECT_EQ(m.grid1_col3_width, 3100);
    m = main_layout(13920, 7095, 1);
    EXPECT_EQ(m.grid2_width, 7500);
    m = main_layout(15000, 8095, 1);
    EXPECT_EQ(m.grid2_width, 7500);
    EXPECT_EQ(m.grid1_left, 7605);
    EXPECT_EQ(m.grid1_width, 7215);
    EXPECT_EQ(m.grid1_col3_width, 4180);
    EXPECT_EQ(m.grid_height, 6235);
    EXPECT_EQ(m.box_top, 6400);
    EXPECT_EQ(m.row2_top, 6880);
    EXPECT_FALSE(main_layout(15000, 8095, 2).set_widths);
    EXPECT_TRUE(main_layout(9000, 8000, 1).too_narrow);
    EXPECT_TRUE(main_layout(9615, 7000, 1).too_low);
}

TEST_F(MainFormTest, ResizeLaysOutAndScreenSwitchReturnsToTheCurrentWidth) {
    write_march({});
    start();
    form->set_outer_size_twips(9615, 7095);
    QApplication::processEvents();
    Grid* g1 = grid("Main_Grid1");
    Grid* g2 = grid("Main_Grid2");
    EXPECT_NEAR(px_to_twips(g2->width()), 3195, 15);
    EXPECT_NEAR(px_to_twips(g1->x()), 3300, 15);
    // Narrower than the minimum is put back at once.
    form->resize(200, 200);
    QApplication::processEvents();
    EXPECT_NEAR(form->outer_width_twips(), 9615, 15);
    EXPECT_NEAR(form->outer_height_twips(), 7095, 15);

    click("Main_gamen");
    EXPECT_EQ(ledger->session.gamen, 2);
    EXPECT_FALSE(g1->isVisible());
    EXPECT_NEAR(px_to_twips(g2->width()), 7500, 15);
    form->set_outer_size_twips(15000, 8095);
    QApplication::processEvents();
    EXPECT_NEAR(px_to_twips(g2->width()), 7500, 15);
    click("Main_gamen");
    EXPECT_EQ(ledger->session.gamen, 1);
    EXPECT_TRUE(g1->isVisible());
    EXPECT_NEAR(px_to_twips(g1->width()), 7215, 15);
    EXPECT_EQ(g1->col_width_twips(3), 4180);
}

TEST(MainRules, EntryRowShowsAmountAsHeldOrFormatted) {
    Ledger l;
    l.himoku[11].name = u"日常食品"_s;
    l.syusi[1] = {u"20040307"_s, u"12"_s, u"1234"_s, u"パン"_s, u"0"_s};
    EXPECT_EQ(entry_row_text(l, 1, false), u"07\t日常食品\t1234\tパン");
    EXPECT_EQ(entry_row_text(l, 1, true), u"07\t日常食品\t1,234\tパン");
}

TEST_F(MainFormTest, HelpMenuDiaryAndMakerButtonOpenTheirWindowsAndPages) {
    write_march({});
    start();
    QStringList opened;
    set_shell_open_for_tests([&](const QString& target) {
        opened << target;
        return 2;
    });
    // Without a document in the folder the built-in guide opens on its contents.
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"Help_form");
        d.accept();
    });
    trigger("MenuManual");
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_TRUE(opened.isEmpty());

    click("Command1");
    trigger("MenuMorutea");
    set_shell_open_for_tests({});
    ASSERT_EQ(opened.size(), 2);
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages().at(0).title, u"モルテアホームページにアクセスできません。");
    EXPECT_EQ(messages.messages().at(1).title, u"インターネットにアクセスできません。");

    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"nikki_form");
        QTest::mouseClick(d.findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    });
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"Version_form");
        QPushButton* ok = d.findChild<QPushButton*>(u"Version_OK"_s);
        EXPECT_TRUE(ok->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    trigger("MenuNikki");
    trigger("MenuVersion");
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(modals.unexpected(), 0);
}

// A day's receipts typed with the keyboard alone, one with the calculator, then
// saved; a new start finds them all.
TEST_F(MainFormTest, EntriesTypedInTheEntryWindowShowOnceWithEveryTotalAndSurviveARestart) {
    write_march({});
    clock_set_today_for_tests(QDate(2004, 3, 20));
    start();
    modals.next([](QDialog& d) {
        make_active(d);
        type_entry(u"12"_s, u"1200"_s, u"スーパー"_s, 0);
    });
    modals.next([](QDialog& d) {
        make_active(d);
        type_entry(u"2"_s, u"250000"_s, u"三月分給料"_s, 1);
    });
    modals.next([](QDialog& d) {
        make_active(d);
        // The calculator adds up two receipts with tax and hands the sum over.
        QTest::mouseClick(d.findChild<QPushButton*>(u"kinyu_dentaku_on"_s), Qt::LeftButton);
        EXPECT_EQ(focused_name(), u"Kinyu_dentaku");
        type(u"600+400"_s);
        key(Qt::Key_Return);
        QTest::mouseClick(d.findChild<QPushButton*>(u"Command5"_s), Qt::LeftButton);
        d.findChild<QLineEdit*>(u"kinyu_number"_s)->setText(u"13"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"Command6"_s), Qt::LeftButton);
        EXPECT_EQ(d.findChild<QLineEdit*>(u"kinyu_kingaku"_s)->text(), u"1,050");
        d.findChild<QLineEdit*>(u"Kinyu_tekiyo"_s)->setText(u"外食"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"kinyu_end"_s), Qt::LeftButton);
    });
    click("Main_Kinyu");
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(modals.unexpected(), 0);
    EXPECT_TRUE(messages.messages().empty()) << qPrintable(messages.texts().join(u'|'));

    Grid* g1 = grid("Main_Grid1");
    ASSERT_EQ(g1->rows(), 5);
    EXPECT_EQ(g1->text(1, 0), u"20");
    EXPECT_EQ(g1->text(1, 1), u"日常食品");
    EXPECT_EQ(g1->text(1, 2), u"1,200");
    EXPECT_EQ(g1->text(2, 2), u"250,000");
    EXPECT_EQ(g1->text(3, 1), u"外食");
    EXPECT_EQ(g1->text(3, 2), u"1,050");
    EXPECT_EQ(g1->text(4, 1), u"");
    EXPECT_EQ(box("Main_syunyu"), u"250,000");
    EXPECT_EQ(box("Main_Sisyutu"), u"2,250");
    EXPECT_EQ(box("Main_Syusi"), u"247,750");
    EXPECT_EQ(box("Main_genkin"), u"-2,250");
    EXPECT_EQ(grid("Main_Grid2")->text(12, 2), u"1,200");
    EXPECT_EQ(grid("Main_Grid2")->text(13, 6), u"46.7");
    EXPECT_EQ(ledger->saifu[1].zankin, 250000);
    EXPECT_EQ(ledger->syusi[1].kingaku, u"1,200");
    EXPECT_FALSE(ledger->session.dentaku_on);

    trigger("Menu_Save");
    form.reset();
    ledger = std::make_unique<Ledger>();
    start();
    EXPECT_EQ(grid("Main_Grid1")->rows(), 5);
    EXPECT_EQ(grid("Main_Grid1")->text(3, 3), u"外食");
    EXPECT_EQ(box("Main_Sisyutu"), u"2,250");
    EXPECT_EQ(box("Main_genkin"), u"-2,250");
}

TEST_F(MainFormTest, DoubleClickOnTheCategoryGridProposesItsCategoryOnce) {
    write_march({});
    start();
    Grid* g2 = grid("Main_Grid2");
    modals.next([](QDialog& d) {
        make_active(d);
        EXPECT_EQ(d.findChild<QLineEdit*>(u"kinyu_number"_s)->text(), u"2");
        EXPECT_EQ(d.findChild<QLineEdit*>(u"kinyu_himoku"_s)->text(), u"給料");
        d.findChild<QLineEdit*>(u"kinyu_kingaku"_s)->setFocus();
        type(u"1000"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"Kinyu_next"_s), Qt::LeftButton);
    });
    modals.next([](QDialog& d) {
        make_active(d);
        EXPECT_EQ(d.findChild<QLineEdit*>(u"kinyu_number"_s)->text(), u"");
        d.close(); // the close box records nothing
    });
    // Row 2 of the grid is table row 1 below the header.
    const QPoint cell = g2->visualItemRect(g2->item(1, 1)).center();
    QTest::mouseClick(g2->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(g2->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_EQ(grid("Main_Grid1")->rows(), 3);
    EXPECT_EQ(ledger->syusi[1].kingaku, u"1000");        // left by a click: kept as typed
    EXPECT_EQ(grid("Main_Grid1")->text(1, 2), u"1,000"); // a new row shows it formatted
    EXPECT_EQ(box("Main_syunyu"), u"1,000");
}

TEST_F(MainFormTest, TaxRateMenuChangesTheRateSavedWithTheSettings) {
    write_march({});
    start();
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"zei_form");
        d.findChild<QLineEdit*>(u"Text1"_s)->setText(u"8"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    });
    trigger("MenuOptionZei");
    EXPECT_EQ(ledger->zeiritu, 8);
    trigger("Menu_Save");
    EXPECT_EQ(folder.read_lines(kSettingsFile).at(125), u" 8 ");
}

TEST_F(MainFormTest, DiaryNoteTypedAfterNextSurvivesTheCloseBoxAndExit) {
    write_march({});
    clock_set_today_for_tests(QDate(2004, 3, 20));
    start();
    modals.next([](QDialog& d) {
        make_active(d);
        type_entry(u"12"_s, u"800"_s, u"パン"_s, 0);
    });
    modals.next([](QDialog& d) {
        make_active(d);
        d.findChild<QLineEdit*>(u"Text1"_s)->setText(u"晴れ"_s);
        d.close();
    });
    click("Main_Kinyu");
    EXPECT_EQ(modals.pending(), 0);
    click("Main_Syuryo");
    EXPECT_EQ(ends, 1);

    form.reset();
    ledger = std::make_unique<Ledger>();
    start();
    EXPECT_EQ(ledger->nikki[QDate(2004, 3, 20).dayOfYear() - 1], u"晴れ");
    EXPECT_EQ(ledger->kensu, 1);
}

TEST_F(MainFormTest, SaveWritesNotesTheDiaryFileDoesNotHoldYet) {
    write_march({});
    start();
    const QString diary = u"日記2004.dat"_s;
    const QByteArray before = folder.read_bytes(diary);
    trigger("Menu_Save");
    EXPECT_EQ(folder.read_bytes(diary), before); // nothing new: not rewritten
    ledger->nikki[5] = u"未保存"_s;
    ledger->nikki_changed = true;
    trigger("Menu_Save");
    EXPECT_EQ(folder.read_lines(diary).at(5), u"未保存");
    EXPECT_FALSE(ledger->nikki_changed);
}

TEST_F(MainFormTest, OpeningAnotherMonthShowsOnlyThatMonthsEntries) {
    folder.write_lines(kSettingsFile, settings_file_for(u"2005"_s, u"01"_s));
    folder.write_lines(u"~200501.dat"_s,
                       month_file_with({entry("20050101", "1", "10,000", "【繰越】現金", " 0 "),
                                        entry("20050105", "12", "700", "a", "0"),
                                        entry("20050106", "12", "900", "b", "0")}));
    QList<QStringList> december;
    for (int d = 1; d <= 2; ++d)
        december << entry(qPrintable(u"200412%1"_s.arg(d, 2, 10, QLatin1Char('0'))), "13", "100",
                          "dec", "0");
    folder.write_lines(u"~200412.dat"_s, month_file_with(december));
    start();
    ASSERT_EQ(grid("Main_Grid1")->rows(), 5);

    struct Case {
        const char* year;
        const char* month;
        int entries;
    } cases[] = {{"2005", "3", 0}, {"2004", "12", 2}, {"2005", "1", 3}};
    for (const Case& c : cases) {
        answer_open(QString::fromLatin1(c.year), QString::fromLatin1(c.month), true);
        trigger("MenuOpen");
        Grid* g1 = grid("Main_Grid1");
        ASSERT_EQ(g1->rows(), c.entries + 2) << c.year << "/" << c.month;
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(g1->text(c.entries + 1, col), u"") << c.year << "/" << c.month;
        for (int r = 1; r <= c.entries; ++r)
            EXPECT_EQ(g1->text(r, 2), ledger->syusi[r].kingaku);
    }
}

TEST_F(MainFormTest, AnEntryOfAMonthOf1950IsDated1950) {
    folder.write_lines(kSettingsFile, settings_file_for(u"1950"_s, u"06"_s));
    clock_set_today_for_tests(QDate(2004, 3, 20));
    start();
    modals.next([](QDialog& d) {
        make_active(d);
        d.findChild<QLineEdit*>(u"kinyu_number"_s)->setText(u"12"_s);
        d.findChild<QLineEdit*>(u"kinyu_kingaku"_s)->setText(u"30"_s);
        QTest::mouseClick(d.findChild<QPushButton*>(u"kinyu_end"_s), Qt::LeftButton);
    });
    click("Main_Kinyu");
    ASSERT_EQ(ledger->kensu, 1);
    EXPECT_EQ(ledger->syusi[1].hiduke, u"19500620");
}

TEST_F(MainFormTest, UndecodableBytesSurviveLoadAndSaveByteForByte) {
    // An unassigned pair in a description and in a category name, and a lone
    // 0xFD in a category name of kanvelo.ini.
    // kanvelo.ini is written with the names of the open month, so both carry them.
    write_march({entry("20040301", "12", "1,000", "a", "0")});
    QByteArray month = folder.read_bytes(u"~200403.dat"_s);
    QByteArray ini = folder.read_bytes(kSettingsFile);
    month.replace(QByteArray("\r\na\r\n"), QByteArray("\r\na\x85\x40z\r\n"));
    for (QByteArray* file : {&month, &ini}) {
        file->replace(QByteArray("\r\n 12 \r\n"), QByteArray("\r\n 12 \r\n\x85\x41"));
        file->replace(QByteArray("\r\n 13 \r\n"), QByteArray("\r\n 13 \r\n\xfd"));
    }
    folder.write_bytes(u"~200403.dat"_s, month);
    folder.write_bytes(kSettingsFile, ini);
    start();
    ASSERT_NE(debug_window(), nullptr); // still reported
    trigger("Menu_Save");
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
    EXPECT_EQ(folder.read_bytes(u"~200403.dat"_s), month);
    EXPECT_EQ(folder.read_bytes(kSettingsFile), ini);
    click("Main_Syuryo");
    EXPECT_EQ(ends, 1);
}

TEST_F(MainFormTest, AMonthFileThatCannotBeReadIsReportedAndNeverSavedOver) {
    folder.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    // A folder standing at the month file's name: it exists, but cannot be read.
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"~200403.dat"_s));
    start();
    ASSERT_NE(debug_window(), nullptr);
    EXPECT_TRUE(QFileInfo(folder.file(u"~200403.dat"_s)).isDir());
    trigger("Menu_Save");
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().front().contains(u"~200403.dat"_s));
    EXPECT_TRUE(QFileInfo(folder.file(u"~200403.dat"_s)).isDir());
    EXPECT_EQ(ends, 0);
}

TEST_F(MainFormTest, ADamagedMonthIsKeptBesideItBeforeTheFirstSave) {
    write_march(
        {entry("20040301", "12", "1,000", "a", "0"), entry("20040302", "12", "千円", "b", "0")});
    QByteArray month = folder.read_bytes(u"~200403.dat"_s);
    month += "20040303\r\n12\r\n"; // cut short
    folder.write_bytes(u"~200403.dat"_s, month);
    start();
    QWidget* w = debug_window();
    ASSERT_NE(w, nullptr);
    QString shown;
    for (QLabel* label : w->findChildren<QLabel*>())
        shown += label->text();
    EXPECT_TRUE(shown.contains(u"~200403.dat.damaged"_s)) << qPrintable(shown);
    EXPECT_FALSE(folder.exists(u"~200403.dat.damaged"_s));

    trigger("Menu_Save");
    EXPECT_EQ(folder.read_bytes(u"~200403.dat.damaged"_s), month);
    EXPECT_NE(folder.read_bytes(u"~200403.dat"_s), month);
    trigger("Menu_Save"); // kept once
    EXPECT_FALSE(folder.exists(u"~200403.dat.damaged2"_s));
}
