#include "diary/diary_days.h"
#include "diary/nikki_form.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

const QString kDiary2004 = u"日記2004.dat"_s;

class NikkiFormTest : public testing::WindowTest {
protected:
    // Opens the year as month opening does, with notes on some days.
    void open_year(const QString& nen, const QMap<int, QString>& notes = {}) {
        ledger->nen = nen;
        ledger->tuki = u"01"_s;
        if (!notes.isEmpty()) {
            QStringList lines(kNikkiSlots, QString());
            for (auto it = notes.begin(); it != notes.end(); ++it)
                lines[it.key()] = it.value();
            folder.write_lines(u"日記"_s + nen + u".dat"_s, lines);
        }
        diary_load(*ledger, nen);
    }

    std::unique_ptr<NikkiForm> show_form() {
        auto form = std::make_unique<NikkiForm>(*ledger);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    template <class T> static T* child(QWidget& form, const char* name) {
        return testing::child<T>(form, name);
    }
    static Grid* grid(QWidget& form) { return child<Grid>(form, "Grid1"); }
    static QLineEdit* text1(QWidget& form) { return child<QLineEdit>(form, "Text1"); }
    static QString label(QWidget& form, const char* name) {
        return child<QLabel>(form, name)->text();
    }

    // Clicks the cell as a user would: scrolled into view, then a mouse click.
    static void click_cell(Grid& g, int row, int col) {
        QTableWidgetItem* item = g.item(row - g.fixed_rows(), col);
        ASSERT_NE(item, nullptr);
        g.scrollToItem(item);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualItemRect(item).center());
    }
};

TEST(DiaryDays, RowsCountDaysFromNewYearAndWeekdaysStartOnSunday) {
    EXPECT_EQ(diary_row_date(2004, 1), QDate(2004, 1, 1));
    EXPECT_EQ(diary_row_date(2004, 60), QDate(2004, 2, 29));
    EXPECT_EQ(diary_row_date(2007, 366), QDate(2008, 1, 1));
    EXPECT_EQ(diary_date_text(QDate(2007, 3, 5)), u"03/05"_s);
    EXPECT_EQ(diary_day_label(QDate(2007, 12, 31)), u"【12/31】"_s);
    EXPECT_EQ(weekday_letter(QDate(2023, 1, 1)), u"日"_s); // a Sunday
    EXPECT_EQ(weekday_letter(QDate(2023, 1, 2)), u"月"_s);
    EXPECT_EQ(weekday_letter(QDate(2023, 1, 7)), u"土"_s);
    EXPECT_EQ(diary_title(u"2007"_s), u"西暦2007年の日記"_s);
    EXPECT_EQ(diary_year(u"1999"_s), 1999);
}

TEST_F(NikkiFormTest, LeapYearRowsRunFromNewYearToTheLastDayOfDecember) {
    open_year(u"2004"_s, {{0, u"元日"_s}, {59, u"閏日"_s}});
    NikkiForm form(*ledger);
    EXPECT_EQ(form.objectName(), u"nikki_form"_s);
    EXPECT_EQ(form.windowTitle(), u"日記の閲覧・編集"_s);
    Grid* g = grid(form);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->rows(), 367);
    EXPECT_EQ(g->cols(), 3);
    EXPECT_EQ(g->fixed_rows(), 1);
    EXPECT_EQ(g->fixed_cols(), 1);
    EXPECT_EQ(g->col_width_twips(0), 800);
    EXPECT_EQ(g->col_width_twips(1), 300);
    EXPECT_EQ(g->col_width_twips(2), 7950);
    EXPECT_EQ(g->text(0, 0), u"月・日"_s);
    EXPECT_EQ(g->text(0, 1), u"曜"_s);
    EXPECT_EQ(g->text(0, 2), u"日記"_s);
    EXPECT_EQ(g->text(1, 0), u"01/01"_s);
    EXPECT_EQ(g->text(1, 1), u"木"_s);
    EXPECT_EQ(g->text(1, 2), u"元日"_s);
    EXPECT_EQ(g->text(60, 0), u"02/29"_s);
    EXPECT_EQ(g->text(60, 1), u"日"_s);
    EXPECT_EQ(g->text(60, 2), u"閏日"_s);
    EXPECT_EQ(g->text(366, 0), u"12/31"_s);
    EXPECT_EQ(g->text(366, 1), u"金"_s);

    EXPECT_EQ(label(form, "Label1"), u"西暦2004年の日記"_s);
    EXPECT_EQ(label(form, "Label2"), u"現在編集中の家計簿と同じ年の日記が編集できます。"_s);
    EXPECT_TRUE(label(form, "Label3").isEmpty());
    EXPECT_TRUE(text1(form)->text().isEmpty());
    EXPECT_EQ(child<QPushButton>(form, "Command1")->text(), u"終了"_s);
    testing::expect_tidy_layout(form);
}

TEST_F(NikkiFormTest, CommonYearEndsOnNewYearsDayOfTheNextYear) {
    open_year(u"2007"_s, {{365, u"翌年の元日"_s}});
    NikkiForm form(*ledger);
    Grid* g = grid(form);
    EXPECT_EQ(g->rows(), 367);
    EXPECT_EQ(g->text(60, 0), u"03/01"_s);
    EXPECT_EQ(g->text(365, 0), u"12/31"_s);
    EXPECT_EQ(g->text(366, 0), u"01/01"_s);
    EXPECT_EQ(g->text(366, 1), u"火"_s); // 2008-01-01
    EXPECT_EQ(g->text(366, 2), u"翌年の元日"_s);
}

TEST_F(NikkiFormTest, TypingBeforeAnyClickEditsNewYearsDay) {
    open_year(u"2004"_s);
    auto form = show_form();
    text1(*form)->setText(u"初詣"_s);
    EXPECT_EQ(ledger->nikki[0], u"初詣"_s);
    EXPECT_EQ(grid(*form)->text(1, 2), u"初詣"_s);
    EXPECT_EQ(grid(*form)->row(), 1);
    EXPECT_EQ(grid(*form)->col(), 2);
    EXPECT_EQ(label(*form, "Label3"), u"【01/01】"_s);
}

TEST_F(NikkiFormTest, ClickedDayShowsItsNoteAndTypingFollowsInTheGrid) {
    open_year(u"2004"_s, {{40, u"雪"_s}});
    auto form = show_form();
    Grid* g = grid(*form);
    click_cell(*g, 41, 1);
    EXPECT_EQ(g->row(), 41);
    EXPECT_EQ(label(*form, "Label3"), u"【02/10】"_s);
    EXPECT_EQ(text1(*form)->text(), u"雪"_s);
    EXPECT_TRUE(text1(*form)->hasFocus());

    text1(*form)->end(false);
    QTest::keyClicks(text1(*form), u" ok"_s);
    EXPECT_EQ(ledger->nikki[40], u"雪 ok"_s);
    EXPECT_EQ(g->text(41, 2), u"雪 ok"_s);
    EXPECT_EQ(text1(*form)->text(), u"雪 ok"_s);

    // Typing in the middle keeps the cursor where it was.
    text1(*form)->setCursorPosition(1);
    QTest::keyClicks(text1(*form), u"!"_s);
    EXPECT_EQ(ledger->nikki[40], u"雪! ok"_s);
    EXPECT_EQ(text1(*form)->cursorPosition(), 2);

    click_cell(*g, 3, 2);
    EXPECT_EQ(label(*form, "Label3"), u"【01/03】"_s);
    EXPECT_TRUE(text1(*form)->text().isEmpty());
    EXPECT_EQ(ledger->nikki[40], u"雪! ok"_s);
    EXPECT_TRUE(ledger->nikki[2].isEmpty());
}

TEST_F(NikkiFormTest, CharactersTheFileCannotStoreAreRefusedAsTyped) {
    open_year(u"2004"_s);
    auto form = show_form();
    text1(*form)->setText(u"晴れ"_s);
    text1(*form)->insert(u"😀"_s);
    EXPECT_EQ(text1(*form)->text(), u"晴れ"_s);
    EXPECT_EQ(ledger->nikki[0], u"晴れ"_s);
    EXPECT_EQ(grid(*form)->text(1, 2), u"晴れ"_s);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().at(0).contains(u"😀"_s));
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);

    child<QPushButton>(*form, "Command1")->click();
    EXPECT_EQ(folder.read_lines(kDiary2004).at(0), u"晴れ"_s);
}

TEST_F(NikkiFormTest, EndRewritesAllDaysOfTheYearEvenWithoutChanges) {
    open_year(u"2004"_s, {{0, u"一"_s}, {365, u"大晦日"_s}});
    // A file left short by an older program is written whole.
    QStringList shortened = folder.read_lines(kDiary2004).mid(0, 10);
    folder.write_lines(kDiary2004, shortened);
    auto form = show_form();
    child<QPushButton>(*form, "Command1")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const QStringList lines = folder.read_lines(kDiary2004);
    ASSERT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.at(0), u"一"_s);
    EXPECT_EQ(lines.at(365), u"大晦日"_s);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(NikkiFormTest, EditsAreWrittenWhenTheWindowEnds) {
    open_year(u"2007"_s);
    ModalDriver driver;
    driver.next([this](QDialog& form) {
        click_cell(*grid(form), 366, 2);
        text1(form)->setText(u"翌年の元日"_s);
        click_cell(*grid(form), 32, 0);
        text1(form)->setText(u"二月"_s);
        QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
    });
    NikkiForm form(*ledger);
    EXPECT_EQ(run_modal(form), QDialog::Accepted);
    EXPECT_EQ(driver.unexpected(), 0);
    const QStringList lines = folder.read_lines(u"日記2007.dat"_s);
    ASSERT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.at(365), u"翌年の元日"_s);
    EXPECT_EQ(lines.at(31), u"二月"_s);
    EXPECT_EQ(lines.count(QString()), 364);
}

TEST_F(NikkiFormTest, ClosingByTheCloseBoxSavesToo) {
    open_year(u"2004"_s);
    auto form = show_form();
    text1(*form)->setText(u"閉じる"_s);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(folder.read_lines(kDiary2004).at(0), u"閉じる"_s);
}

TEST_F(NikkiFormTest, FailedSaveNamesTheFileAndLetsTheUserStayOrLeave) {
    open_year(u"2004"_s);
    auto form = show_form();
    text1(*form)->setText(u"消えては困る"_s);
    // The folder disappears under the window: its place is taken by a plain file.
    const QString real_path = ledger->app_path;
    folder.write_bytes(u"not_a_folder"_s, "x");
    ledger->app_path = folder.file(u"not_a_folder"_s) + u'/';

    // Staying: the failure names the file, the question too; いいえ keeps the window.
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::No);
    child<QPushButton>(*form, "Command1")->click();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_TRUE(messages.texts().at(0).contains(kDiary2004));
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Critical);
    EXPECT_TRUE(messages.texts().at(1).contains(kDiary2004));
    EXPECT_EQ(messages.messages().at(1).buttons, MsgButtons::YesNo);

    // Retrying after the folder is back writes the note.
    ledger->app_path = real_path;
    child<QPushButton>(*form, "Command1")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(folder.read_lines(kDiary2004).at(0), u"消えては困る"_s);
    EXPECT_FALSE(ledger->nikki_changed);
}

TEST_F(NikkiFormTest, ClosingWithoutSavingKeepsTheNoteForTheNextSave) {
    open_year(u"2004"_s);
    auto form = show_form();
    text1(*form)->setText(u"あとで保存"_s);
    fail_file_operation_for_tests(2); // the write fails
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::Yes);
    form->close(); // the close box is no trap either
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(folder.read_lines(kDiary2004).at(0), u"あとで保存"_s);
    EXPECT_EQ(ledger->nikki[0], u"あとで保存"_s);
    EXPECT_TRUE(ledger->nikki_changed);
}

} // namespace
} // namespace kanvelo
