#include "common/month_edits.h"
#include "entry/kinyu_form.h"
#include "ledger/clock.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "main_window/main_form.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/spinner.h"
#include "support/gui_keys.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"
#include "support/test_files.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kRange = u"1～30の数字を入力して下さい。"_s;
const QString kNotNumber = u"数字を入力して下さいね。"_s;

using testing::child;
QLineEdit* box(QWidget& form, const char* name) {
    return child<QLineEdit>(form, name);
}
QString text(QWidget& form, const char* name) {
    return box(form, name)->text();
}
Spinner* spinner(QWidget& form, const char* name) {
    return child<Spinner>(form, name);
}

using testing::focused;
using testing::focused_name;
using testing::key;
using testing::make_active;
using testing::type;
using testing::type_entry;

using testing::click;

class KinyuFormTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        diary_load(*ledger, ledger->nen);
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }

    KinyuForm& open(int grid2_row = 0) {
        edits = std::make_unique<MonthEdits>(*ledger);
        form = std::make_unique<KinyuForm>(*edits, grid2_row);
        make_active(*form);
        return *form;
    }

    // The main window's own entry loop, each opening driven by the next step.
    void entry_loop(const std::vector<std::function<void(QDialog&)>>& steps) {
        for (const auto& step : steps)
            modals.next([step](QDialog& dialog) {
                make_active(dialog);
                step(dialog);
            });
        Main_Form main(*ledger);
        main.kinyu_loop(true);
        EXPECT_EQ(modals.pending(), 0);
    }

    QStringList diary_lines(const QString& year) {
        return folder.read_lines(u"日記"_s + year + u".dat"_s);
    }

    std::unique_ptr<MonthEdits> edits;
    std::unique_ptr<KinyuForm> form;
};

TEST_F(KinyuFormTest, OpensOnTodayWithTheExpenseListAndCash) {
    ledger->saifu[0].zankin = 12345;
    KinyuForm& f = open();
    EXPECT_EQ(f.form_height_twips(), KinyuForm::kHeight);
    EXPECT_TRUE(child<QRadioButton>(f, "Kinyu_sisyutu")->isChecked());

    EXPECT_EQ(text(f, "kinyu_nen"), u"2004"_s);
    EXPECT_EQ(text(f, "kinyu_tuki"), u"3"_s);
    EXPECT_EQ(text(f, "kinyu_hi"), u"15"_s);
    EXPECT_EQ(child<QLabel>(f, "youbi")->text(), u"月"_s);
    EXPECT_TRUE(box(f, "kinyu_nen")->isReadOnly());

    auto* list = child<QListWidget>(f, "Kinyu_list");
    ASSERT_EQ(list->count(), 23);
    EXPECT_EQ(list->item(0)->text(), u"  7   税金"_s);
    EXPECT_EQ(list->item(22)->text(), u" 29   その他３"_s);

    auto* saifu = child<QComboBox>(f, "Kinyu_Saifu");
    EXPECT_EQ(saifu->count(), 15);
    EXPECT_EQ(saifu->currentText(), u"現金"_s);
    EXPECT_EQ(child<QLabel>(f, "Kinyu_Zankin")->text(), u"12,345"_s);
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);
    EXPECT_TRUE(child<QLineEdit>(f, "Kinyu_dentaku")->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(f, "kinyu_memory")->text().isEmpty());
}

TEST_F(KinyuFormTest, KeyboardAloneRecordsSeveralEntriesThroughTheLoop) {
    ledger->saifu[1].zankin = 500;
    entry_loop({
        [](QDialog&) { type_entry(u"12"_s, u"12000"_s, u"夕食の材料"_s, 0); },
        [](QDialog&) { type_entry(u"2"_s, u"250000"_s, u"三月分"_s, 1); },
        [](QDialog& d) {
            // The proposed date is that of the last entry.
            EXPECT_EQ(text(d, "kinyu_hi"), u"15"_s);
            spinner(d, "kinyu_hi_vsc")->step_down();
            type_entry(u"30"_s, u"-5000"_s, u"引き出し"_s, 1);
        },
        [](QDialog& d) {
            EXPECT_EQ(text(d, "kinyu_hi"), u"14"_s);
            click(d, "kinyu_end");
        },
    });
    ASSERT_EQ(ledger->kensu, 3);
    const SyusiRec& a = ledger->syusi[1];
    EXPECT_EQ(a.hiduke, u"20040315"_s);
    EXPECT_EQ(a.himoku_no, u"12"_s);
    EXPECT_EQ(a.kingaku, u"12,000"_s);
    EXPECT_EQ(a.tekiyo, u"夕食の材料"_s);
    EXPECT_EQ(a.saifu_no, u"0"_s);
    EXPECT_EQ(ledger->syusi[2].kingaku, u"250,000"_s);
    EXPECT_EQ(ledger->syusi[2].saifu_no, u"1"_s);
    EXPECT_EQ(ledger->syusi[3].hiduke, u"20040314"_s);
    EXPECT_EQ(ledger->syusi[3].himoku_no, u"30"_s);
    EXPECT_EQ(ledger->syusi[3].kingaku, u"-5,000"_s);
    EXPECT_EQ(ledger->hi, u"14"_s);
    EXPECT_EQ(ledger->session.last_hi, 14);
    EXPECT_EQ(ledger->session.last_tuki, 3);
    EXPECT_EQ(ledger->session.last_nen, 2004);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u' ').toStdString();
}

TEST_F(KinyuFormTest, NextAsksForAnotherWindowAndEndWithAnEntryEndsTheLoop) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"800"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(f.decision(), KinyuDecision::Next);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);

    KinyuForm& g = open();
    type(u"13"_s);
    key(Qt::Key_Tab);
    type(u"1,500"_s);
    click(g, "kinyu_end");
    EXPECT_EQ(g.decision(), KinyuDecision::Done);
    ASSERT_EQ(ledger->kensu, 2);
    EXPECT_EQ(ledger->syusi[2].himoku_no, u"13"_s);
    EXPECT_EQ(ledger->syusi[2].kingaku, u"1,500"_s);
    EXPECT_FALSE(g.isVisible());
}

TEST_F(KinyuFormTest, AmountIsFormattedByEnterButKeptAsTypedWhenLeftByAClick) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"12000"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(ledger->syusi[1].kingaku, u"12000"_s);

    // A click into the description reformats the amount first.
    KinyuForm& g = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"34000"_s);
    QTest::mouseClick(box(g, "Kinyu_tekiyo"), Qt::LeftButton);
    EXPECT_EQ(text(g, "kinyu_kingaku"), u"34,000"_s);
    click(g, "Kinyu_next");
    EXPECT_EQ(ledger->syusi[2].kingaku, u"34,000"_s);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(KinyuFormTest, AmountThatIsNoNumberKeepsTheFocus) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"12x"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{kNotNumber});
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);
    EXPECT_EQ(text(f, "kinyu_kingaku"), u"12x"_s);
    key(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);
}

TEST_F(KinyuFormTest, CategoryNumberMessagesComeInTheirOrder) {
    KinyuForm& f = open();
    type(u"45"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{kRange});
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);

    messages.clear();
    box(f, "kinyu_number")->clear();
    type(u"a"_s);
    key(Qt::Key_Tab); // Tab is the number box's Enter, not a move to the next control
    EXPECT_EQ(messages.texts(), (QStringList{kNotNumber, kRange}));
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);
    for (const auto& m : messages.messages())
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);

    messages.clear();
    box(f, "kinyu_number")->clear();
    type(u"30"_s);
    key(Qt::Key_Return);
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(text(f, "kinyu_himoku"), u"財布<=>口座"_s);
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);
}

TEST_F(KinyuFormTest, EnteringTheAmountBoxWithoutACategoryAsksForIt) {
    KinyuForm& f = open();
    QTest::mouseClick(box(f, "kinyu_kingaku"), Qt::LeftButton);
    EXPECT_EQ(messages.texts(), (QStringList{u"費目の数字を入力して下さいね。"_s, kRange}));
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);

    // The list fills the number and the first six characters of the name.
    messages.clear();
    auto* list = child<QListWidget>(f, "Kinyu_list");
    const QRect item = list->visualItemRect(list->item(5)); // 12 日常食品
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(text(f, "kinyu_number"), u"12"_s);
    EXPECT_EQ(text(f, "kinyu_himoku"), u"日常食品"_s);
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(KinyuFormTest, NextRefusesAMissingOrWrongEntryInCheckOrder) {
    KinyuForm& f = open();
    click(f, "Kinyu_next");
    EXPECT_EQ(messages.texts(), QStringList{u"費目を指定して下さい。"_s});
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);

    messages.clear();
    box(f, "kinyu_number")->setText(u"12"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(messages.texts(), QStringList{u"金額を入れて下さい。"_s});
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);

    messages.clear();
    box(f, "kinyu_number")->setText(u"0"_s);
    box(f, "kinyu_kingaku")->setText(u"abc"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(messages.texts(), QStringList{kRange});
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);

    messages.clear();
    box(f, "kinyu_number")->setText(u"12"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(messages.texts(), QStringList{kNotNumber});
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_TRUE(f.isVisible());
}

TEST_F(KinyuFormTest, WalletListDropsTypedCharactersAndShowsTheBalance) {
    ledger->saifu[2].zankin = -1200;
    KinyuForm& f = open();
    auto* saifu = child<QComboBox>(f, "Kinyu_Saifu");
    saifu->setFocus();
    type(u"k "_s);
    EXPECT_EQ(saifu->currentIndex(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(saifu->currentIndex(), 2);
    EXPECT_EQ(child<QLabel>(f, "Kinyu_Zankin")->text(), u"-1,200"_s);
    key(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), u"Kinyu_next"_s);
}

TEST_F(KinyuFormTest, MonthUpFromTheThirtyFirstLowersTheDayAndKeepsTheNote) {
    ledger->tuki = u"01"_s;
    ledger->session.last_nen = 2004;
    ledger->session.last_tuki = 1;
    ledger->session.last_hi = 31;
    ledger->nikki[59] = u"うるう日"_s; // 29 February 2004
    KinyuForm& f = open();
    EXPECT_EQ(text(f, "kinyu_hi"), u"31"_s);
    EXPECT_EQ(child<QLabel>(f, "youbi")->text(), u"土"_s);
    box(f, "Text1")->setText(u"一月の締め"_s);

    spinner(f, "kinyu_tuki_vsc")->step_up();
    EXPECT_EQ(text(f, "kinyu_tuki"), u"2"_s);
    EXPECT_EQ(text(f, "kinyu_hi"), u"29"_s);
    EXPECT_EQ(spinner(f, "kinyu_hi_vsc")->value(), 29);
    auto* youbi = child<QLabel>(f, "youbi");
    EXPECT_EQ(youbi->text(), u"日"_s);
    EXPECT_EQ(youbi->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(text(f, "Text1"), u"うるう日"_s);
    EXPECT_EQ(ledger->nikki[30], u"一月の締め"_s);
    EXPECT_EQ(ledger->nikki[59], u"うるう日"_s);

    // Moving on keeps the day; the note typed for 29 February is stored.
    box(f, "Text1")->setText(u"二月の締め"_s);
    spinner(f, "kinyu_tuki_vsc")->step_up();
    EXPECT_EQ(text(f, "kinyu_hi"), u"29"_s);
    EXPECT_EQ(ledger->nikki[59], u"二月の締め"_s);
    EXPECT_EQ(youbi->text(), u"月"_s);
    EXPECT_EQ(youbi->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(KinyuFormTest, OpensOnTheLastDayTriedAgainstTheOpenMonthFirst) {
    ledger->tuki = u"02"_s;
    ledger->session.last_nen = 2004;
    ledger->session.last_tuki = 1;
    ledger->session.last_hi = 31;
    KinyuForm& f = open();
    EXPECT_EQ(text(f, "kinyu_tuki"), u"1"_s);
    EXPECT_EQ(text(f, "kinyu_hi"), u"29"_s);

    ledger->nen = u"2005"_s;
    ledger->session.last_nen = 2005;
    KinyuForm& g = open();
    EXPECT_EQ(text(g, "kinyu_hi"), u"28"_s);
    EXPECT_EQ(text(g, "kinyu_nen"), u"2005"_s);
}

TEST_F(KinyuFormTest, SpinnersStopAtTheirLimitsAndTheUpArrowIncreases) {
    KinyuForm& f = open();
    Spinner* day = spinner(f, "kinyu_hi_vsc");
    Spinner* year = spinner(f, "kinyu_nen_vsc");
    EXPECT_EQ(day->minimum(), 1);
    EXPECT_EQ(day->maximum(), 31);
    EXPECT_EQ(spinner(f, "kinyu_tuki_vsc")->maximum(), 12);
    // Every year a month can be opened in: no entry is clamped into another year.
    EXPECT_EQ(year->minimum(), 1900);
    EXPECT_EQ(year->maximum(), 3000);
    QTest::keyClick(day, Qt::Key_Up);
    EXPECT_EQ(text(f, "kinyu_hi"), u"16"_s);
    day->set_value(31);
    EXPECT_EQ(text(f, "kinyu_hi"), u"31"_s);
    day->step_up();
    EXPECT_EQ(text(f, "kinyu_hi"), u"31"_s);
}

TEST_F(KinyuFormTest, ProposesTheCategoryOfTheSelectedGridRowOnce) {
    KinyuForm& f = open(2);
    EXPECT_EQ(text(f, "kinyu_number"), u"2"_s);
    EXPECT_EQ(text(f, "kinyu_himoku"), u"給料"_s);
    EXPECT_TRUE(child<QRadioButton>(f, "Kinyu_Syunyu")->isChecked());
    auto* list = child<QListWidget>(f, "Kinyu_list");
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(1)->text(), u"  2   給料"_s);

    // The window the loop reopens proposes nothing.
    KinyuForm& g = open(0);
    EXPECT_TRUE(text(g, "kinyu_number").isEmpty());
    EXPECT_EQ(child<QListWidget>(g, "Kinyu_list")->count(), 23);

    // Switching the kind refills the list and leaves the boxes alone.
    child<QRadioButton>(g, "Kinyu_Syunyu")->click();
    EXPECT_EQ(child<QListWidget>(g, "Kinyu_list")->count(), 6);
    child<QRadioButton>(g, "Kinyu_sisyutu")->click();
    EXPECT_EQ(child<QListWidget>(g, "Kinyu_list")->count(), 23);
}

TEST_F(KinyuFormTest, EndWithAnEmptyAmountRecordsNothingButWritesTheDiary) {
    ledger->session.dentaku_on = true;
    KinyuForm& f = open();
    box(f, "Text1")->setText(u"雨"_s);
    type(u"12"_s);
    click(f, "kinyu_end");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_EQ(f.decision(), KinyuDecision::Closed);
    EXPECT_FALSE(ledger->session.dentaku_on);
    const QStringList lines = diary_lines(u"2004"_s);
    ASSERT_EQ(lines.size(), kNikkiSlots);
    EXPECT_EQ(lines.at(74), u"雨"_s); // 15 March 2004
}

TEST_F(KinyuFormTest, EndStopsWithAMessageWhenTheDiaryCannotBeWritten) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"100"_s);
    fail_file_operation_for_tests(1);
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::No); // stay and retry
    click(f, "kinyu_end");
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts().first().contains(u"日記2004.dat"_s))
        << messages.texts().first().toStdString();
    EXPECT_TRUE(messages.texts().at(1).contains(u"日記2004.dat"_s));
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_TRUE(f.isVisible());

    click(f, "kinyu_end");
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(KinyuFormTest, CloseBoxRecordsNothingAndSetsNoFlag) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"100"_s);
    QTest::keyClick(focused(), Qt::Key_Escape); // Esc does not close the window
    EXPECT_TRUE(f.isVisible());
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_EQ(f.decision(), KinyuDecision::Closed);
    EXPECT_EQ(ledger->session.last_hi, 0);
}

TEST_F(KinyuFormTest, EnterInTheDiaryBoxRecordsNothingButEnterOnAButtonPressesIt) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"100"_s);
    box(f, "Text1")->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_TRUE(f.isVisible());

    child<QPushButton>(f, "kinyu_end")->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(ledger->kensu, 1);
    EXPECT_EQ(f.decision(), KinyuDecision::Done);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(KinyuFormTest, TheThousandAndFirstEntryShowsTheLimitWindow) {
    ledger->kensu = kSyusiLimit;
    modals.next([](QDialog& genkai) { click(genkai, "genkai_OK"); });
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"100"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(modals.opened(), QStringList{u"GENKAI_form"_s});
    EXPECT_EQ(ledger->kensu, kSyusiLimit);
    EXPECT_EQ(f.decision(), KinyuDecision::Closed);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(KinyuFormTest, CalculatorIsWiredToItsButtonsAndTheAmountBox) {
    ledger->zeiritu = 8;
    KinyuForm& f = open();
    auto* display = box(f, "Kinyu_dentaku");
    auto* memory = child<QLabel>(f, "kinyu_memory");
    EXPECT_EQ(child<QPushButton>(f, "Command5")->text(), u"8.000%加算"_s);
    EXPECT_FALSE(display->isEnabled()); // cut off: out of the focus chain

    click(f, "kinyu_dentaku_on");
    EXPECT_TRUE(ledger->session.dentaku_on);
    EXPECT_EQ(f.form_height_twips(), KinyuForm::kHeightWithCalculator);
    EXPECT_EQ(display->text(), u"0"_s);
    EXPECT_EQ(memory->text(), u"0"_s);
    EXPECT_EQ(focused_name(), u"Kinyu_dentaku"_s);

    type(u"8/0="_s);
    EXPECT_EQ(messages.texts(), QStringList{u"０で割り算することはできないんですよ。"_s});
    EXPECT_EQ(display->text(), u"0"_s);
    type(u"+2="_s);
    EXPECT_EQ(display->text(), u"2"_s);

    const int beeps = beep_count_for_tests();
    type(u"x"_s);
    EXPECT_EQ(beep_count_for_tests(), beeps + 1);
    EXPECT_EQ(display->text(), u"2"_s);

    type(u"12+3+"_s);
    EXPECT_EQ(display->text(), u"15"_s);
    type(u"4"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(display->text(), u"19"_s);
    click(f, "Command1"); // M+
    EXPECT_EQ(memory->text(), u"19"_s);
    EXPECT_EQ(focused_name(), u"Kinyu_dentaku"_s);
    type(u"999"_s);
    click(f, "Command5");
    EXPECT_EQ(display->text(), u"1078"_s);
    click(f, "Command8");
    EXPECT_EQ(display->text(), u"0"_s);
    click(f, "Command3"); // MR
    EXPECT_EQ(display->text(), u"19"_s);
    type(u"*100="_s);

    box(f, "kinyu_number")->setText(u"12"_s);
    click(f, "Command6");
    EXPECT_EQ(focused_name(), u"Kinyu_tekiyo"_s);
    EXPECT_EQ(text(f, "kinyu_kingaku"), u"1,900"_s);
    EXPECT_EQ(text(f, "kinyu_himoku"), u"日常食品"_s);

    click(f, "Command7");
    EXPECT_FALSE(ledger->session.dentaku_on);
    EXPECT_EQ(f.form_height_twips(), KinyuForm::kHeight);
    EXPECT_EQ(focused_name(), u"kinyu_number"_s);
    EXPECT_EQ(display->text(), u"1900"_s); // values are kept
}

TEST_F(KinyuFormTest, CalculatorStaysOnAcrossNextAndIsClearedByEnd) {
    KinyuForm& f = open();
    click(f, "kinyu_dentaku_on");
    box(f, "kinyu_number")->setText(u"12"_s);
    box(f, "kinyu_kingaku")->setText(u"100"_s);
    click(f, "Kinyu_next");
    EXPECT_TRUE(ledger->session.dentaku_on);

    KinyuForm& g = open();
    EXPECT_EQ(g.form_height_twips(), KinyuForm::kHeightWithCalculator);
    // Every window starts the calculator afresh.
    EXPECT_TRUE(box(g, "Kinyu_dentaku")->text().isEmpty());
    EXPECT_TRUE(box(g, "Kinyu_dentaku")->isEnabled());
    click(g, "kinyu_end");
    EXPECT_FALSE(ledger->session.dentaku_on);
    EXPECT_EQ(open().form_height_twips(), KinyuForm::kHeight);
}

TEST_F(KinyuFormTest, WindowIsTidyWithTheCalculatorShown) {
    ledger->session.dentaku_on = true;
    KinyuForm& f = open();
    EXPECT_EQ(f.width(), twips_to_px(KinyuForm::kWidth));
    EXPECT_EQ(f.height(),
              twips_to_px(KinyuForm::kHeightWithCalculator - KinyuForm::kFrameAllowance));
    testing::expect_tidy_layout(f);
    testing::expect_tidy_layout(*child<QWidget>(f, "calculator"));

    // Without it the band starts below the window's lower edge.
    click(f, "Command7");
    EXPECT_LE(f.height(), child<QWidget>(f, "calculator")->geometry().top());
    EXPECT_LE(child<QListWidget>(f, "Kinyu_list")->geometry().bottom(), f.height());
}

TEST_F(KinyuFormTest, CarryOverFillsTheCashBalanceOfThePreviousMonth) {
    auto entry = [](const char* date, const char* no, const char* amount, const char* wallet) {
        return QStringList{QString::fromLatin1(date), QString::fromLatin1(no),
                           QString::fromLatin1(amount), u"x"_s, QString::fromLatin1(wallet)};
    };
    folder.write_lines(u"~200402.dat"_s,
                       testing::month_file_with({entry("20040201", "1", "10,000", "0"),
                                                 entry("20040225", "2", "300,000", "0"),
                                                 entry("20040226", "12", "120,500", "0"),
                                                 entry("20040227", "30", "-50,000", "0"),
                                                 entry("20040227", "30", "50,000", "1")}));
    modals.next([](QDialog& notice) { click(notice, "Command1"); });
    KinyuForm& f = open();
    click(f, "kinyu_kurikosi");
    EXPECT_EQ(modals.opened(), QStringList{u"kurikosi_form"_s});
    EXPECT_EQ(text(f, "kinyu_kingaku"), u"139,500"_s);
    EXPECT_EQ(text(f, "Kinyu_tekiyo"), u"【繰越】現金"_s);
    EXPECT_TRUE(text(f, "kinyu_number").isEmpty());

    box(f, "kinyu_number")->setText(u"1"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(ledger->syusi[1].kingaku, u"139,500"_s);
    EXPECT_EQ(ledger->syusi[1].tekiyo, u"【繰越】現金"_s);
}

TEST_F(KinyuFormTest, CharactersTheFilesCannotHoldAreRefusedAsTyped) {
    KinyuForm& f = open();
    QLineEdit* tekiyo = box(f, "Kinyu_tekiyo");
    QInputMethodEvent typed;
    typed.setCommitString(u"昼食😀代"_s);
    QApplication::sendEvent(tekiyo, &typed);
    EXPECT_EQ(tekiyo->text(), u"昼食代"_s);
    EXPECT_EQ(messages.texts(), QStringList{u"「😀」は保存できない文字なので、取り除きました。"_s});

    messages.clear();
    QApplication::sendEvent(box(f, "Text1"), &typed);
    EXPECT_EQ(text(f, "Text1"), u"昼食代"_s);
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(KinyuFormTest, AnotherYearsNotesGoToThatYearsFileAndTheOpenYearComesBack) {
    ledger->nikki[74] = u"三月十五日"_s;
    KinyuForm& f = open();
    EXPECT_EQ(text(f, "Text1"), u"三月十五日"_s);
    box(f, "Text1")->setText(u"二〇〇四年の日記"_s);

    spinner(f, "kinyu_nen_vsc")->step_up();
    EXPECT_EQ(text(f, "kinyu_nen"), u"2005"_s);
    EXPECT_EQ(diary_lines(u"2004"_s).at(74), u"二〇〇四年の日記"_s);
    ASSERT_TRUE(folder.exists(u"日記2005.dat"_s));
    EXPECT_TRUE(text(f, "Text1").isEmpty());
    box(f, "Text1")->setText(u"二〇〇五年の日記"_s);

    box(f, "kinyu_number")->setText(u"12"_s);
    box(f, "kinyu_kingaku")->setText(u"100"_s);
    click(f, "Kinyu_next");
    EXPECT_EQ(ledger->syusi[1].hiduke, u"20050315"_s);
    EXPECT_EQ(diary_lines(u"2005"_s).at(73), u"二〇〇五年の日記"_s);
    // The table holds the open year's notes again.
    EXPECT_EQ(ledger->nikki[74], u"二〇〇四年の日記"_s);
    EXPECT_TRUE(ledger->nikki[73].isEmpty());

    // The next window opens in 2005 and shows that year's note.
    ledger->nikki[10] = u"未保存の一月"_s;
    KinyuForm& g = open();
    EXPECT_EQ(text(g, "kinyu_nen"), u"2005"_s);
    EXPECT_EQ(text(g, "Text1"), u"二〇〇五年の日記"_s);
    EXPECT_EQ(diary_lines(u"2004"_s).at(10), u"未保存の一月"_s);
    g.close();
    EXPECT_EQ(ledger->nikki[10], u"未保存の一月"_s);
    EXPECT_EQ(ledger->nikki[74], u"二〇〇四年の日記"_s);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(KinyuFormTest, YearStaysWhenItsNotesCannotBeWritten) {
    KinyuForm& f = open();
    box(f, "Text1")->setText(u"メモ"_s);
    fail_file_operation_for_tests(1);
    spinner(f, "kinyu_nen_vsc")->step_up();
    EXPECT_EQ(text(f, "kinyu_nen"), u"2004"_s);
    EXPECT_EQ(spinner(f, "kinyu_nen_vsc")->value(), 2004);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().contains(u"日記2004.dat"_s));
    EXPECT_EQ(ledger->nikki[74], u"メモ"_s);
    EXPECT_FALSE(folder.exists(u"日記2005.dat"_s));

    spinner(f, "kinyu_nen_vsc")->step_up();
    EXPECT_EQ(text(f, "kinyu_nen"), u"2005"_s);
    EXPECT_EQ(diary_lines(u"2004"_s).at(74), u"メモ"_s);
}

TEST_F(KinyuFormTest, AnotherYearThatCannotBeWrittenIsNoTrap) {
    KinyuForm& f = open();
    spinner(f, "kinyu_nen_vsc")->step_up();
    ASSERT_EQ(text(f, "kinyu_nen"), u"2005"_s);
    box(f, "Text1")->setText(u"二〇〇五年"_s);

    // いいえ: the window stays in 2005 with the note.
    fail_file_operation_for_tests(2);
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::No);
    f.close();
    EXPECT_TRUE(f.isVisible());
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts().at(1).contains(u"日記2005.dat"_s));
    EXPECT_EQ(text(f, "Text1"), u"二〇〇五年"_s);

    // はい: the window closes and the open year's notes come back.
    fail_file_operation_for_tests(2);
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::Yes);
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(ledger->nikki[73], u""_s);
    EXPECT_EQ(ledger->kensu, 0);
}

TEST_F(KinyuFormTest, AnAmountTooLargeForTheTotalsIsRefusedWhereItIsTyped) {
    KinyuForm& f = open();
    type(u"12"_s);
    key(Qt::Key_Return);
    type(u"1000000000000000"_s);
    key(Qt::Key_Return);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().contains(u"大きすぎ"_s));
    EXPECT_EQ(focused_name(), u"kinyu_kingaku"_s);
    click(f, "kinyu_end");
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_TRUE(f.isVisible());
}

} // namespace
} // namespace kanvelo

namespace kanvelo {

// February's descriptions: the one written first is used least.
static void write_last_month(const testing::TempFolder& folder) {
    using testing::entry;
    folder.write_lines(u"~200402.dat"_s, testing::month_file_with(
                                             {entry("20040207", "13", "500", "Super Sento", "1"),
                                              entry("20040201", "12", "3,000", "Supermarket", "2"),
                                              entry("20040205", "12", "2,000", "supermarket", "2"),
                                              entry("20040209", "15", "900", "Cinema", "3")}));
}

TEST_F(KinyuFormTest, PickedDescriptionsFillOnlyTheBoxesTheUserLeftAlone) {
    write_last_month(folder);
    // "sup" lists supermarket (used twice) before Super Sento.
    const struct {
        bool choose_wallet_first; // Down in the wallet list, then back by a click
        QString typed;
        int downs; // -1: the first row clicked; 0: Enter with none picked
        QString tekiyo, saifu_no, focus_after;
    } cases[] = {
        {false, u"sup"_s, 1, u"supermarket"_s, u"2"_s, u"Kinyu_tekiyo"_s},
        {false, u"SENT"_s, -1, u"Super Sento"_s, u"1"_s, u"Kinyu_tekiyo"_s},
        {true, u"market"_s, 1, u"supermarket"_s, u"1"_s, u"Kinyu_tekiyo"_s},
        {false, u"sup"_s, 0, u"sup"_s, u"0"_s, u"Kinyu_Saifu"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const int before = ledger->kensu;
        entry_loop({[&](QDialog& d) {
            type(u"5"_s);
            key(Qt::Key_Return);
            type(u"800"_s);
            key(Qt::Key_Return);
            if (c.choose_wallet_first) {
                key(Qt::Key_Tab);
                key(Qt::Key_Down);
                QTest::mouseClick(box(d, "Kinyu_tekiyo"), Qt::LeftButton);
            }
            ASSERT_EQ(focused_name(), u"Kinyu_tekiyo"_s);
            type(c.typed);
            auto* popup = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            if (c.downs < 0) {
                const QRect row = popup->visualRect(popup->model()->index(0, 0));
                QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, row.center());
            } else {
                for (int i = 0; i < c.downs; ++i)
                    QTest::keyClick(popup, Qt::Key_Down);
                QTest::keyClick(popup, Qt::Key_Return);
            }
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            EXPECT_EQ(focused_name(), c.focus_after);
            EXPECT_EQ(text(d, "kinyu_number"), u"5"_s); // typed: never replaced
            click(d, "kinyu_end");
        }});
        ASSERT_EQ(ledger->kensu, before + 1);
        const SyusiRec& s = ledger->syusi[ledger->kensu];
        EXPECT_EQ(QStringList({s.tekiyo, s.himoku_no, s.saifu_no}),
                  QStringList({c.tekiyo, u"5"_s, c.saifu_no}));
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u' ').toStdString();
}

TEST_F(KinyuFormTest, TheListGoesWhenNothingMatchesAndTheTypedTextStays) {
    write_last_month(folder);
    entry_loop({[&](QDialog& d) {
        type(u"5"_s);
        key(Qt::Key_Return);
        type(u"1"_s);
        key(Qt::Key_Return);
        type(u"u"_s);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        type(u"x"_s); // nothing matches "ux"
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(text(d, "Kinyu_tekiyo"), u"ux"_s);
        d.reject();
    }});
    EXPECT_EQ(ledger->kensu, 0);
}

} // namespace kanvelo
