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

namespace kanvelo {
namespace {

const QString kDiary2004 = QStringLiteral("日記2004.dat");

class NikkiFormTest : public testing::WindowTest {
protected:
    // Opens the year as month opening does, with notes on some days.
    void open_year(const QString& nen, const QMap<int, QString>& notes = {}) {
        ledger->nen = nen;
        ledger->tuki = QStringLiteral("01");
        if (!notes.isEmpty()) {
            QStringList lines(kNikkiSlots, QString());
            for (auto it = notes.begin(); it != notes.end(); ++it)
                lines[it.key()] = it.value();
            folder.write_lines(QStringLiteral("日記") + nen + QStringLiteral(".dat"), lines);
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
    EXPECT_EQ(diary_date_text(QDate(2007, 3, 5)), QStringLiteral("03/05"));
    EXPECT_EQ(diary_day_label(QDate(2007, 12, 31)), QStringLiteral("【12/31】"));
    EXPECT_EQ(weekday_letter(QDate(2023, 1, 1)), QStringLiteral("日")); // a Sunday
    EXPECT_EQ(weekday_letter(QDate(2023, 1, 2)), QStringLiteral("月"));
    EXPECT_EQ(weekday_letter(QDate(2023, 1, 7)), QStringLiteral("土"));
    EXPECT_EQ(diary_title(QStringLiteral("2007")), QStringLiteral("西暦2007年の日記"));
    EXPECT_EQ(diary_year(QStringLiteral("1999")), 1999);
}

TEST_F(NikkiFormTest, LeapYearRowsRunFromNewYearToTheLastDayOfDecember) {
    open_year(QStringLiteral("2004"), {{0, QStringLiteral("元日")}, {59, QStringLiteral("閏日")}});
    NikkiForm form(*ledger);
    EXPECT_EQ(form.objectName(), QStringLiteral("nikki_form"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("日記の閲覧・編集"));
    Grid* g = grid(form);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->rows(), 367);
    EXPECT_EQ(g->cols(), 3);
    EXPECT_EQ(g->fixed_rows(), 1);
    EXPECT_EQ(g->fixed_cols(), 1);
    EXPECT_EQ(g->col_width_twips(0), 800);
    EXPECT_EQ(g->col_width_twips(1), 300);
    EXPECT_EQ(g->col_width_twips(2), 7950);
    EXPECT_EQ(g->text(0, 0), QStringLiteral("月・日"));
    EXPECT_EQ(g->text(0, 1), QStringLiteral("曜"));
    EXPECT_EQ(g->text(0, 2), QStringLiteral("日記"));
    EXPECT_EQ(g->text(1, 0), QStringLiteral("01/01"));
    EXPECT_EQ(g->text(1, 1), QStringLiteral("木"));
    EXPECT_EQ(g->text(1, 2), QStringLiteral("元日"));
    EXPECT_EQ(g->text(60, 0), QStringLiteral("02/29"));
    EXPECT_EQ(g->text(60, 1), QStringLiteral("日"));
    EXPECT_EQ(g->text(60, 2), QStringLiteral("閏日"));
    EXPECT_EQ(g->text(366, 0), QStringLiteral("12/31"));
    EXPECT_EQ(g->text(366, 1), QStringLiteral("金"));

    EXPECT_EQ(label(form, "Label1"), QStringLiteral("西暦2004年の日記"));
    EXPECT_EQ(label(form, "Label2"),
              QStringLiteral("現在編集中の家計簿と同じ年の日記が編集できます。"));
    EXPECT_TRUE(label(form, "Label3").isEmpty());
    EXPECT_TRUE(text1(form)->text().isEmpty());
    EXPECT_EQ(child<QPushButton>(form, "Command1")->text(), QStringLiteral("終了"));
    testing::expect_tidy_layout(form);
}

TEST_F(NikkiFormTest, CommonYearEndsOnNewYearsDayOfTheNextYear) {
    open_year(QStringLiteral("2007"), {{365, QStringLiteral("翌年の元日")}});
    NikkiForm form(*ledger);
    Grid* g = grid(form);
    EXPECT_EQ(g->rows(), 367);
    EXPECT_EQ(g->text(60, 0), QStringLiteral("03/01"));
    EXPECT_EQ(g->text(365, 0), QStringLiteral("12/31"));
    EXPECT_EQ(g->text(366, 0), QStringLiteral("01/01"));
    EXPECT_EQ(g->text(366, 1), QStringLiteral("火")); // 2008-01-01
    EXPECT_EQ(g->text(366, 2), QStringLiteral("翌年の元日"));
}

TEST_F(NikkiFormTest, TypingBeforeAnyClickEditsNewYearsDay) {
    open_year(QStringLiteral("2004"));
    auto form = show_form();
    text1(*form)->setText(QStringLiteral("初詣"));
    EXPECT_EQ(ledger->nikki[0], QStringLiteral("初詣"));
    EXPECT_EQ(grid(*form)->text(1, 2), QStringLiteral("初詣"));
    EXPECT_EQ(grid(*form)->row(), 1);
    EXPECT_EQ(grid(*form)->col(), 2);
    EXPECT_EQ(label(*form, "Label3"), QStringLiteral("【01/01】"));
}

TEST_F(NikkiFormTest, ClickedDayShowsItsNoteAndTypingFollowsInTheGrid) {
    open_year(QStringLiteral("2004"), {{40, QStringLiteral("雪")}});
    auto form = show_form();
    Grid* g = grid(*form);
    click_cell(*g, 41, 1);
    EXPECT_EQ(g->row(), 41);
    EXPECT_EQ(label(*form, "Label3"), QStringLiteral("【02/10】"));
    EXPECT_EQ(text1(*form)->text(), QStringLiteral("雪"));
    EXPECT_TRUE(text1(*form)->hasFocus());

    text1(*form)->end(false);
    QTest::keyClicks(text1(*form), QStringLiteral(" ok"));
    EXPECT_EQ(ledger->nikki[40], QStringLiteral("雪 ok"));
    EXPECT_EQ(g->text(41, 2), QStringLiteral("雪 ok"));
    EXPECT_EQ(text1(*form)->text(), QStringLiteral("雪 ok"));

    // Typing in the middle keeps the cursor where it was.
    text1(*form)->setCursorPosition(1);
    QTest::keyClicks(text1(*form), QStringLiteral("!"));
    EXPECT_EQ(ledger->nikki[40], QStringLiteral("雪! ok"));
    EXPECT_EQ(text1(*form)->cursorPosition(), 2);

    click_cell(*g, 3, 2);
    EXPECT_EQ(label(*form, "Label3"), QStringLiteral("【01/03】"));
    EXPECT_TRUE(text1(*form)->text().isEmpty());
    EXPECT_EQ(ledger->nikki[40], QStringLiteral("雪! ok"));
    EXPECT_TRUE(ledger->nikki[2].isEmpty());
}

TEST_F(NikkiFormTest, CharactersTheFileCannotStoreAreRefusedAsTyped) {
    open_year(QStringLiteral("2004"));
    auto form = show_form();
    text1(*form)->setText(QStringLiteral("晴れ"));
    text1(*form)->insert(QStringLiteral("😀"));
    EXPECT_EQ(text1(*form)->text(), QStringLiteral("晴れ"));
    EXPECT_EQ(ledger->nikki[0], QStringLiteral("晴れ"));
    EXPECT_EQ(grid(*form)->text(1, 2), QStringLiteral("晴れ"));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().at(0).contains(QStringLiteral("😀")));
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);

    child<QPushButton>(*form, "Command1")->click();
    EXPECT_EQ(folder.read_lines(kDiary2004).at(0), QStringLiteral("晴れ"));
}

TEST_F(NikkiFormTest, EndRewritesAllDaysOfTheYearEvenWithoutChanges) {
    open_year(QStringLiteral("2004"), {{0, QStringLiteral("一")}, {365, QStringLiteral("大晦日")}});
    // A file left short by an older program is written whole.
    QStringList shortened = folder.read_lines(kDiary2004).mid(0, 10);
    folder.write_lines(kDiary2004, shortened);
    auto form = show_form();
    child<QPushButton>(*form, "Command1")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const QStringList lines = folder.read_lines(kDiary2004);
    ASSERT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.at(0), QStringLiteral("一"));
    EXPECT_EQ(lines.at(365), QStringLiteral("大晦日"));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(NikkiFormTest, EditsAreWrittenWhenTheWindowEnds) {
    open_year(QStringLiteral("2007"));
    ModalDriver driver;
    driver.next([this](QDialog& form) {
        click_cell(*grid(form), 366, 2);
        text1(form)->setText(QStringLiteral("翌年の元日"));
        click_cell(*grid(form), 32, 0);
        text1(form)->setText(QStringLiteral("二月"));
        QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
    });
    NikkiForm form(*ledger);
    EXPECT_EQ(run_modal(form), QDialog::Accepted);
    EXPECT_EQ(driver.unexpected(), 0);
    const QStringList lines = folder.read_lines(QStringLiteral("日記2007.dat"));
    ASSERT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.at(365), QStringLiteral("翌年の元日"));
    EXPECT_EQ(lines.at(31), QStringLiteral("二月"));
    EXPECT_EQ(lines.count(QString()), 364);
}

TEST_F(NikkiFormTest, ClosingByTheCloseBoxSavesToo) {
    open_year(QStringLiteral("2004"));
    auto form = show_form();
    text1(*form)->setText(QStringLiteral("閉じる"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(folder.read_lines(kDiary2004).at(0), QStringLiteral("閉じる"));
}

TEST_F(NikkiFormTest, FailedSaveNamesTheFileAndLetsTheUserStayOrLeave) {
    open_year(QStringLiteral("2004"));
    auto form = show_form();
    text1(*form)->setText(QStringLiteral("消えては困る"));
    // The folder disappears under the window: its place is taken by a plain file.
    const QString real_path = ledger->app_path;
    folder.write_bytes(QStringLiteral("not_a_folder"), "x");
    ledger->app_path = folder.file(QStringLiteral("not_a_folder")) + u'/';

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
    EXPECT_EQ(folder.read_lines(kDiary2004).at(0), QStringLiteral("消えては困る"));
    EXPECT_FALSE(ledger->nikki_changed);
}

TEST_F(NikkiFormTest, ClosingWithoutSavingKeepsTheNoteForTheNextSave) {
    open_year(QStringLiteral("2004"));
    auto form = show_form();
    text1(*form)->setText(QStringLiteral("あとで保存"));
    fail_file_operation_for_tests(2); // the write fails
    messages.answer_next(MsgAnswer::Ok);
    messages.answer_next(MsgAnswer::Yes);
    form->close(); // the close box is no trap either
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(folder.read_lines(kDiary2004).at(0), QStringLiteral("あとで保存"));
    EXPECT_EQ(ledger->nikki[0], QStringLiteral("あとで保存"));
    EXPECT_TRUE(ledger->nikki_changed);
}

} // namespace
} // namespace kanvelo
