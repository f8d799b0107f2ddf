#include "editing/month_view_test.h"
#include "editing/teisei_rules.h"
#include "platform/spinner.h"
#include "support/accessibility_check.h"
#include "support/layout_check.h"

#include <QComboBox>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

const QString kRange = u"1～30の数字を入力して下さい。"_s;

// Income on 給料振込口座, two expenses from cash and cash drawn from the bank.
const QList<QStringList> kMonth = {entry("20040301", "2", "300,000", "給料", "1"),
                                   entry("20040305", "12", "1000", "スーパー", "0"),
                                   entry("20040306", "12", "500", "パン", "0"),
                                   entry("20040310", "30", "10,000", "引き出し", "0")};

struct TeiseiFormTest : EntryEditTest {
    // Opens the correction window on grid row `row` and hands it to `drive`.
    void correct(int row, const std::function<void(QDialog&)>& drive) {
        select(row);
        open_with("MenuTeisei", drive);
    }
};

TEST_F(TeiseiFormTest, CorrectionMovesAnEntryAndEveryTotalBalanceAndGridFollows) {
    struct Cell {
        int row, col;
        QString text;
    };
    struct Case {
        const char* what;
        QString number, kingaku;
        int wallet; // -1: as it was
        QStringList totals;
        QList<Cell> grid2;
        QString row2;
        QStringList saved;
    } cases[] = {
        {"to the income category 5",
         u"5"_s,
         {},
         -1,
         {u"301,000"_s, u"500"_s, u"300,500"_s, u"10,500"_s},
         {{12, 2, u"500"_s}, {5, 2, u"1,000"_s}, {12, 6, u"100.0"_s}, {5, 6, u"0.3"_s}},
         u"05|アルバイト|1,000|スーパー"_s,
         {u"20040305"_s, u"5"_s, u"1,000"_s, u"スーパー"_s, u"0"_s}},
        {"to the expense category 13",
         u"13"_s,
         {},
         -1,
         {u"300,000"_s, u"1,500"_s, u"298,500"_s, u"8,500"_s},
         {{12, 2, u"500"_s}, {13, 2, u"1,000"_s}, {13, 6, u"66.7"_s}, {12, 3, u"-500"_s}},
         u"05|外食|1,000|スーパー"_s,
         {u"20040305"_s, u"13"_s, u"1,000"_s, u"スーパー"_s, u"0"_s}},
        {"to another wallet",
         {},
         {},
         1,
         {u"300,000"_s, u"1,500"_s, u"298,500"_s, u"9,500"_s},
         {{12, 2, u"1,500"_s}},
         u"05|日常食品|1,000|スーパー"_s,
         {u"20040305"_s, u"12"_s, u"1,000"_s, u"スーパー"_s, u"1"_s}},
        {"to a negative transfer on wallet 2",
         u"30"_s,
         u"-5000"_s,
         2,
         {u"300,000"_s, u"500"_s, u"299,500"_s, u"9,500"_s},
         {{12, 2, u"500"_s}, {30, 2, u"5,000"_s}},
         u"05|財布<=>口座|-5,000|スーパー"_s,
         {u"20040305"_s, u"30"_s, u"-5,000"_s, u"スーパー"_s, u"2"_s}},
        {"unchanged, which formats the amount",
         {},
         {},
         -1,
         {u"300,000"_s, u"1,500"_s, u"298,500"_s, u"8,500"_s},
         {{12, 2, u"1,500"_s}},
         u"05|日常食品|1,000|スーパー"_s,
         {u"20040305"_s, u"12"_s, u"1,000"_s, u"スーパー"_s, u"0"_s}},
    };
    for (const Case& c : cases) {
        start(kMonth);
        correct(2, [&c](QDialog& d) {
            if (!c.number.isNull())
                box(d, "Teisei_number")->setText(c.number);
            if (!c.kingaku.isNull())
                box(d, "Teisei_Kingaku")->setText(c.kingaku);
            if (c.wallet >= 0)
                child<QComboBox>(d, "teisei_saifu")->setCurrentIndex(c.wallet);
            click(d, "Teisei_OK");
        });
        EXPECT_TRUE(messages.texts().isEmpty()) << c.what;
        EXPECT_EQ(totals(), c.totals) << c.what;
        for (const Cell& cell : c.grid2)
            EXPECT_EQ(grid2()->text(cell.row, cell.col), cell.text)
                << c.what << " row " << cell.row << " col " << cell.col;
        EXPECT_EQ(grid1_rows().at(1), c.row2) << c.what;
        EXPECT_EQ(grid1()->row(), 2);
        trigger("Menu_Save");
        ASSERT_EQ(saved_entries().size(), 4) << c.what;
        EXPECT_EQ(saved_entries().at(1), c.saved) << c.what;
        EXPECT_EQ(saved_entries().at(2), kMonth.at(2)) << c.what;
    }
}

TEST_F(TeiseiFormTest, KeyboardAloneCorrectsAnEntry) {
    start(kMonth);
    correct(3, [](QDialog& d) {
        EXPECT_EQ(focused_name(), u"Teisei_number");
        box(d, "Teisei_number")->clear();
        type(u"13"_s);
        key(Qt::Key_Return);
        EXPECT_EQ(box(d, "Teisei_Meisyo")->text(), u"外食");
        EXPECT_EQ(focused_name(), u"Teisei_Kingaku");
        box(d, "Teisei_Kingaku")->clear();
        type(u"1234"_s);
        key(Qt::Key_Tab);
        EXPECT_EQ(box(d, "Teisei_Kingaku")->text(), u"1,234");
        EXPECT_EQ(focused_name(), u"Teisei_Tekiyo");
        key(Qt::Key_Return);
        EXPECT_EQ(focused_name(), u"Teisei_OK");
        key(Qt::Key_Return);
    });
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(ledger->syusi[3].himoku_no, u"13");
    EXPECT_EQ(ledger->syusi[3].kingaku, u"1,234");
}

TEST_F(TeiseiFormTest, AListClickCopiesSixCharactersOfTheNameUntilTheNumberCheck) {
    start(kMonth);
    ledger->himoku[12].name = u"外食とその他の"_s;
    correct(2, [](QDialog& d) {
        auto* list = child<QListWidget>(d, "Teisei_list");
        ASSERT_EQ(list->count(), 30);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(12)).center());
        EXPECT_EQ(box(d, "Teisei_number")->text(), u"13");
        EXPECT_EQ(box(d, "Teisei_Meisyo")->text(), u"外食とその他");
        box(d, "Teisei_Kingaku")->setFocus(); // runs the number check
        EXPECT_EQ(box(d, "Teisei_Meisyo")->text(), u"外食とその他の");
        click(d, "Teisei_OK");
    });
    EXPECT_EQ(grid1()->text(2, 1), u"外食とその他の");
}

TEST_F(TeiseiFormTest, RefusedInputShowsItsMessagesKeepsTheWindowOpenAndStoresNothing) {
    const QString value = u"数値を入力して下さいね。"_s;  // on a button
    const QString digits = u"数字を入力して下さいね。"_s; // on Enter in the box
    const QString large = u"金額が大きすぎます。1,000兆円より小さい金額を入力して下さい。"_s;
    const QString nen = u"年は1900～3000の数字を入力して下さい。"_s;
    const QString tuki = u"月は1～12の数字を入力して下さい。"_s;
    struct Case {
        const char* box; // typed into; it keeps the focus
        QString text;
        const char* action; // a button, or "Enter" in the box
        QStringList expected;
    } cases[] = {
        {"Teisei_number", u"abc"_s, "Teisei_OK", {value, kRange}},
        {"Teisei_number", u"abc"_s, "Enter", {digits, kRange}},
        {"Teisei_number", u"31"_s, "Teisei_OK", {kRange}},
        {"Teisei_number", u"0"_s, "teisei_tugi", {kRange}},
        {"Teisei_Kingaku", u"12a"_s, "Teisei_OK", {value}},
        {"Teisei_Kingaku", u""_s, "teisei_mae", {value}},
        {"Teisei_Kingaku", u"12a"_s, "Enter", {digits}},
        {"Teisei_Kingaku", u"1,000,000,000,000,000"_s, "Teisei_OK", {large}},
        {"teisei_nen", u"20x4"_s, "Teisei_OK", {nen}},
        {"teisei_tuki", u"13"_s, "teisei_tugi", {tuki}},
    };
    start(kMonth);
    const QStringList before = grid1_rows();
    for (const Case& c : cases) {
        const std::string what = std::string(c.box) + " " + c.text.toStdString() + " " + c.action;
        messages.clear();
        correct(2, [&](QDialog& d) {
            QLineEdit* b = box(d, c.box);
            b->setFocus();
            b->setText(c.text);
            if (QByteArray(c.action) == "Enter")
                key(Qt::Key_Return);
            else
                click(d, c.action);
            EXPECT_TRUE(d.isVisible()) << what;
            EXPECT_EQ(focused_name(), QString::fromLatin1(c.box)) << what;
            EXPECT_EQ(messages.texts(), c.expected) << what;
            key(Qt::Key_Escape);
        });
        EXPECT_EQ(ledger->syusi[2].kingaku, u"1000") << what;
        EXPECT_EQ(ledger->syusi[2].himoku_no, u"12") << what;
        EXPECT_EQ(ledger->syusi[2].hiduke, u"20040305") << what;
        EXPECT_EQ(grid1_rows(), before) << what;
    }
}

TEST_F(TeiseiFormTest, TheDateWrittenIsARealDate) {
    start(kMonth);
    correct(2, [](QDialog& d) {
        EXPECT_EQ(box(d, "teisei_tuki")->text(), u"03");
        child<Spinner>(d, "teisei_tuki_vsc")->step_down();
        EXPECT_EQ(box(d, "teisei_tuki")->text(), u"2");
        box(d, "teisei_hi")->setText(u"31"_s);
        click(d, "Teisei_OK");
    });
    EXPECT_EQ(ledger->syusi[2].hiduke, u"20040229");
    EXPECT_EQ(grid1()->text(2, 0), u"29");
}

TEST_F(TeiseiFormTest, SteppingWritesBackEachEntryAndStopsAtBothEnds) {
    start(kMonth);
    correct(1, [this](QDialog& d) {
        box(d, "Teisei_Kingaku")->setText(u"200,000"_s);
        click(d, "teisei_mae");
        EXPECT_EQ(messages.texts(), QStringList{first_entry_message()});
        EXPECT_EQ(box(d, "Teisei_Kingaku")->text(), u"200,000"); // kept, not stored
        EXPECT_EQ(ledger->syusi[1].kingaku, u"300,000");

        click(d, "teisei_tugi");
        EXPECT_EQ(ledger->syusi[1].kingaku, u"200,000");
        EXPECT_EQ(main_text("Main_syunyu"), u"200,000"); // recalculated while the window is open
        EXPECT_EQ(grid2()->text(2, 2), u"200,000");
        EXPECT_EQ(box(d, "Teisei_Kingaku")->text(), u"1000");
        EXPECT_EQ(box(d, "Teisei_Tekiyo")->text(), u"スーパー");

        click(d, "teisei_tugi");
        click(d, "teisei_tugi");
        EXPECT_EQ(ledger->syusi[2].kingaku, u"1,000");
        EXPECT_EQ(box(d, "Teisei_number")->text(), u"30");
        box(d, "Teisei_Kingaku")->setText(u"99"_s);
        messages.clear();
        click(d, "teisei_tugi");
        EXPECT_EQ(messages.texts(), QStringList{last_entry_message()});
        EXPECT_EQ(ledger->syusi[4].kingaku, u"10,000");
        key(Qt::Key_Escape); // closes without writing back the entry shown
    });
    EXPECT_EQ(ledger->syusi[4].kingaku, u"10,000");
    EXPECT_EQ(grid1()->row(), 4);
    EXPECT_EQ(grid1_rows().at(0), u"01|給料|200,000|給料");
    EXPECT_EQ(totals(), (QStringList{u"200,000"_s, u"1,500"_s, u"198,500"_s, u"8,500"_s}));
}

TEST_F(TeiseiFormTest, ADoubleClickOpensTheRowAndTheCloseBoxWritesNothing) {
    start(kMonth);
    modals.next([](QDialog& d) {
        make_active(d);
        expect_tidy_layout(d);
        expect_named_boxes(d);
        EXPECT_EQ(box(d, "Teisei_Kingaku")->text(), u"500");
        EXPECT_EQ(child<QComboBox>(d, "teisei_saifu")->currentText(), u"現金");
        box(d, "Teisei_Kingaku")->setText(u"700"_s);
        d.close();
    });
    const QPoint cell = grid1()->visualItemRect(grid1()->item(2, 1)).center();
    QTest::mouseClick(grid1()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid1()->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(ledger->syusi[3].kingaku, u"500");
    EXPECT_EQ(main_text("Main_Sisyutu"), u"1,500");
}

TEST_F(TeiseiFormTest, LaunchersRefuseTheRowAfterTheLastEntryEvenAfterALargerMonth) {
    QList<QStringList> april;
    for (int d = 1; d <= 3; ++d)
        april << entry(qPrintable(u"2004040%1"_s.arg(d)), "13", "100", "apr", "0");
    folder.write_lines(u"~200404.dat"_s, month_file_with(april));
    start(kMonth + QList<QStringList>{entry("20040320", "14", "777", "mar", "0")});
    modals.next([](QDialog& d) {
        box(d, "open_nen")->setText(u"2004"_s);
        box(d, "open_tuki")->setText(u"4"_s);
        click(d, "open_hiraku");
    });
    trigger("MenuOpen");
    ASSERT_EQ(ledger->kensu, 3);

    struct Case {
        const char* menu;
        int row;
        QString message;
    } cases[] = {{"MenuTeisei", 4, u"訂正すべきデータがありません。"_s},
                 {"MenuSakujo", 4, u"削除すべきデータがありません。"_s},
                 {"MenuTeisei", 0, u"訂正したい収支データを選択して下さい。"_s},
                 {"MenuSakujo", 0, u"削除したい収支データを選択して下さい。"_s}};
    for (const Case& c : cases) {
        messages.clear();
        if (c.row == 0)
            grid1()->setCurrentItem(nullptr);
        else
            select(c.row);
        trigger(c.menu);
        EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.menu << " " << c.row;
    }
    EXPECT_TRUE(modals.opened().filter(u"Teisei"_s).isEmpty());
    EXPECT_TRUE(modals.opened().filter(u"Sakujo"_s).isEmpty());
    EXPECT_EQ(ledger->syusi[3].tekiyo, u"apr");
    EXPECT_TRUE(ledger->syusi[4].himoku_no.isEmpty());
    EXPECT_EQ(grid2()->text(13, 2), u"300");
    EXPECT_EQ(grid2()->text(14, 2), u"0");
}

} // namespace

} // namespace kanvelo
