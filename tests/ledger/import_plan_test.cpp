#include "ledger/import_plan.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

// The open month is March 2004 (the default ledger); February has a file.
struct ImportPlanTest : ::testing::Test {
    TempFolder dir;
    Ledger l;

    void SetUp() override {
        init_default_ledger(l, dir);
        l.nen = u"2004"_s;
        l.tuki = u"03"_s;
        dir.write_lines(u"~200402.dat"_s,
                        month_file_with({entry("20040210", "11", "450", "コーヒー", "0"),
                                         entry("20040210", "11", "450", "コーヒー", "0")}));
        l.add_entry({u"20040301"_s, u"11"_s, u"1,200"_s, u"スーパー"_s, u"0"_s});
    }

    static StatementRow row(QDate date, const char* text, long long yen, bool income = false) {
        return {0, date, QString::fromUtf8(text), yen, income};
    }

    std::vector<ImportRow> propose(std::vector<StatementRow> rows, int himoku = 11) {
        Statement s;
        s.rows = std::move(rows);
        const std::vector<CategoryRule> none;
        return propose_rows(s, false, RuleMatcher(none),
                            [himoku](const QString&) { return himoku; });
    }
};

} // namespace

TEST_F(ImportPlanTest, RowsTheLedgerHoldsAreMarkedCountingEqualEntries) {
    std::vector<ImportRow> rows = propose({
        row({2004, 2, 10}, "コーヒー", 450), row({2004, 2, 10}, "コーヒー", 450),
        row({2004, 2, 10}, "コーヒー", 450), // a third coffee the file does not have
        row({2004, 2, 10}, "コーヒー", 451),
        row({2004, 3, 1}, "スーパー", 1200), // the open month, from memory
        row({2004, 3, 1}, "スーパー", 1200),
        row({2004, 4, 1}, "スーパー", 1200), // a month without a file
    });
    mark_already_imported(rows, l);
    QList<bool> already, checked;
    for (const ImportRow& r : rows) {
        already << r.already;
        checked << r.checked;
    }
    EXPECT_EQ(already, (QList<bool>{true, true, false, false, true, false, false}));
    EXPECT_EQ(checked, (QList<bool>{false, false, true, true, false, true, true}));
}

TEST_F(ImportPlanTest, ProposesTheRuleThenTheHistoryThenNothing) {
    Statement s;
    s.rows = {row({2004, 3, 2}, "ＡＭＡＺＯＮ", 100), row({2004, 3, 3}, "書店", 200),
              row({2004, 3, 4}, "謎の店", 300, true)};
    const std::vector<CategoryRule> rules{{u"amazon"_s, 12, 4}};
    const auto rows = propose_rows(s, true, RuleMatcher(rules),
                                   [](const QString& d) { return d == u"書店"_s ? 14 : 0; });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].himoku_no, 12);
    EXPECT_EQ(rows[0].saifu_no, 4);
    EXPECT_EQ(rows[1].himoku_no, 14);
    EXPECT_EQ(rows[1].saifu_no, -1);
    EXPECT_EQ(rows[2].himoku_no, 0);
    EXPECT_FALSE(rows[2].checked) << "a row without a category is never checked";
    EXPECT_TRUE(rows[0].income) << "flipped";
    EXPECT_FALSE(rows[2].income) << "flipped";
}

TEST_F(ImportPlanTest, AKindMismatchIsTheCategoryCountingTheOtherWay) {
    // Default kinds: 2 is income, 11 expense, 30 the transfers.
    const struct {
        int himoku;
        bool income;
        bool fits;
    } cases[] = {{2, true, true},  {2, false, false}, {11, false, true}, {11, true, false},
                 {30, true, true}, {30, false, true}, {0, true, true}};
    for (const auto& c : cases) {
        ImportRow r;
        r.himoku_no = c.himoku;
        r.income = c.income;
        EXPECT_EQ(kind_fits(l, r), c.fits) << c.himoku << " " << c.income;
    }
}

TEST_F(ImportPlanTest, PartsGoByMonthAndAMonthPastTheLimitIsRefusedByName) {
    std::vector<ImportRow> rows =
        propose({row({2004, 3, 5}, "パン", 1234), row({2004, 2, 11}, "本", 980),
                 row({2004, 3, 6}, "牛乳", 200)});
    rows[2].checked = false;
    rows[1].saifu_no = 3;
    const std::vector<MonthPart> parts = import_parts(l, rows, 2);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].tuki, 2);
    EXPECT_FALSE(parts[0].open);
    EXPECT_EQ(parts[0].entries.front().saifu_no, u"3"_s);
    EXPECT_TRUE(parts[1].open);
    ASSERT_EQ(parts[1].entries.size(), 1u);
    const SyusiRec& e = parts[1].entries.front();
    EXPECT_EQ(QStringList({e.hiduke, e.himoku_no, e.kingaku, e.tekiyo, e.saifu_no}),
              (QStringList{u"20040305"_s, u"11"_s, u"1,234"_s, u"パン"_s, u"2"_s}));
    EXPECT_EQ(refuse_import(l, parts), std::nullopt);

    while (l.kensu < kSyusiLimit)
        l.add_entry({u"20040301"_s, u"11"_s, u"1"_s, u"x"_s, u"0"_s});
    const auto why = refuse_import(l, parts);
    ASSERT_TRUE(why);
    EXPECT_TRUE(why->startsWith(u"2004年3月の収支データが1000件を越える"_s)) << why->toStdString();
}

TEST_F(ImportPlanTest, AnAmountIsSignedTheWayItsCategoryCounts) {
    const struct {
        int himoku;
        bool income;
        QString kingaku;
    } cases[] = {{11, false, u"1,500"_s}, {11, true, u"-1,500"_s}, {2, true, u"1,500"_s},
                 {2, false, u"-1,500"_s}, {30, true, u"1,500"_s},  {30, false, u"-1,500"_s}};
    for (const auto& c : cases) {
        std::vector<ImportRow> rows = propose({row({2004, 3, 9}, "x", 1500, c.income)}, c.himoku);
        EXPECT_EQ(import_parts(l, rows, 0).at(0).entries.at(0).kingaku, c.kingaku)
            << c.himoku << " " << c.income;
    }
}
