#include "editing/month_view_test.h"
#include "support/accessibility_check.h"
#include "support/layout_check.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

const QList<QStringList> kMonth = {entry("20040301", "2", "300,000", "給料", "1"),
                                   entry("20040305", "12", "1000", "スーパー", "0"),
                                   entry("20040306", "12", "500", "パン", "0"),
                                   entry("20040310", "30", "10,000", "引き出し", "0"),
                                   entry("20040312", "13", "2,000", "外食", "1")};
const QStringList kRows = {u"01|給料|300,000|給料"_s, u"05|日常食品|1000|スーパー"_s,
                           u"06|日常食品|500|パン"_s, u"10|財布<=>口座|10,000|引き出し"_s,
                           u"12|外食|2,000|外食"_s};

struct SakujoFormTest : EntryEditTest {
    void sakujo(int row, const std::function<void(QDialog&)>& drive) {
        select(row);
        open_with("MenuSakujo", drive);
    }
};

TEST_F(SakujoFormTest, DeletingClosesTheGapAndEveryTotalBalanceAndGridFollows) {
    struct Case {
        int row;
        QStringList totals;
        int grid2_row;
        QString grid2_total;
    } cases[] = {
        {1, {u"0"_s, u"3,500"_s, u"-3,500"_s, u"8,500"_s}, 2, u"0"_s},
        {3, {u"300,000"_s, u"3,000"_s, u"297,000"_s, u"9,000"_s}, 12, u"1,000"_s},
        {5, {u"300,000"_s, u"1,500"_s, u"298,500"_s, u"8,500"_s}, 13, u"0"_s},
        // The other half of a transfer stays; only the cash it brought goes.
        {4, {u"300,000"_s, u"3,500"_s, u"296,500"_s, u"-1,500"_s}, 30, u"0"_s},
    };
    for (const Case& c : cases) {
        start(kMonth);
        sakujo(c.row, [&c](QDialog& d) {
            EXPECT_EQ(box(d, "Sakujo_Kingaku")->text(), kMonth.at(c.row - 1).at(2));
            click(d, "Sakujo_iiyo");
        });
        QList<QStringList> kept = kMonth;
        kept.removeAt(c.row - 1);
        for (QStringList& e : kept)
            e[2].replace(u"1000"_s, u"1,000"_s); // the month file holds amounts formatted
        QStringList rows = kRows;
        rows.removeAt(c.row - 1);
        EXPECT_EQ(ledger->kensu, 4) << c.row;
        EXPECT_TRUE(ledger->syusi[5].hiduke.isEmpty()) << c.row;
        EXPECT_EQ(grid1_rows(), rows + QStringList{u"|||"_s}) << c.row;
        EXPECT_EQ(totals(), c.totals) << c.row;
        EXPECT_EQ(grid2()->text(c.grid2_row, 2), c.grid2_total) << c.row;
        trigger("Menu_Save");
        EXPECT_EQ(saved_entries(), kept) << c.row;
    }
}

TEST_F(SakujoFormTest, DeletingTheOnlyEntryLeavesAnEmptyMonth) {
    start({entry("20040305", "13", "-700", "返金", "3")});
    sakujo(1, [](QDialog& d) {
        expect_tidy_layout(d);
        expect_named_boxes(d);
        EXPECT_EQ(box(d, "Sakujo_Meisyo")->text(), u"外食");
        EXPECT_EQ(box(d, "sakujo_saifu")->text(), u"保険料引落口座");
        click(d, "Sakujo_iiyo");
    });
    EXPECT_EQ(ledger->kensu, 0);
    EXPECT_EQ(grid1_rows(), QStringList{u"|||"_s});
    EXPECT_EQ(totals(), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    EXPECT_EQ(ledger->saifu[3].zankin, 0);
    EXPECT_EQ(grid2()->text(13, 2), u"0");
    EXPECT_EQ(grid2()->text(13, 6), u"0.0");
}

TEST_F(SakujoFormTest, KeepingTheEntryChangesNothing) {
    const std::function<void(QDialog&)> ways[] = {
        [](QDialog& d) { click(d, "Sakujo_dame"); }, [](QDialog&) { key(Qt::Key_Escape); },
        [](QDialog& d) { d.close(); },
        [](QDialog&) { key(Qt::Key_Return); }, // the focus starts on やっぱりダメ
    };
    start(kMonth);
    const QStringList totals_before = totals();
    for (const auto& way : ways) {
        sakujo(2, way);
        EXPECT_EQ(ledger->kensu, 5);
        EXPECT_EQ(grid1_rows(), kRows + QStringList{u"|||"_s});
        EXPECT_EQ(totals(), totals_before);
        EXPECT_EQ(grid2()->text(12, 2), u"1,500");
    }
}

TEST_F(SakujoFormTest, TheDeleteKeyDeletesTheEntryShown) {
    start(kMonth);
    modals.next([this](QDialog& d) {
        make_active(d);
        EXPECT_EQ(box(d, "Sakujo_Tekiyo")->text(), u"パン");
        select(1); // the selection moving meanwhile does not change what goes
        click(d, "Sakujo_iiyo");
    });
    select(3);
    QTest::keyClick(grid1(), Qt::Key_Delete);
    EXPECT_EQ(ledger->kensu, 4);
    EXPECT_EQ(ledger->syusi[1].tekiyo, u"給料");
    EXPECT_EQ(ledger->syusi[3].tekiyo, u"引き出し");
}

} // namespace

} // namespace kanvelo
