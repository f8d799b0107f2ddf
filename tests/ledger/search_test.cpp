#include "ledger/search.h"
#include "ledger/values.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

// Three months around a year-end, one damaged month, the open month (March
// 2007) with an entry not saved yet, and files that only look like months.
struct SearchTest : ::testing::Test {
    TempFolder dir;
    Ledger l;

    void SetUp() override {
        init_default_ledger(l, dir);
        l.nen = u"2007"_s;
        l.tuki = u"03"_s;
        QStringList december =
            month_file_with({entry("20061203", "12", "1,200", "スーパーABC", "0"),
                             entry("20061224", "13", "8,000", "クリスマス", "0"),
                             entry("20061231", "12", "3,000", "年越しそば", "0")});
        december[1 + 12 * 5 + 1] = u"レストラン"_s; // category 13 has its own name this month
        dir.write_lines(u"~200612.dat"_s, december);
        dir.write_lines(u"~200701.dat"_s,
                        month_file_with({entry("20070105", "12", "980", "ｽｰﾊﾟｰ ａｂｃ", "0"),
                                         entry("20070110", "30", "-50,000", "引き出し", "1"),
                                         entry("20070104", "2", "300,000", "給料", "1")}));
        dir.write_lines(u"~200611.dat"_s, month_file_with({}).mid(0, 100));
        // The oldest layout: no header, no wallets, four-line entries.
        dir.write_lines(u"~200610.dat"_s,
                        month_file_with({}).mid(1, 150) +
                            QStringList{u"20061005"_s, u"30"_s, u"2,000"_s, u"振替"_s});
        dir.write_lines(u"~200702.dat"_s,
                        month_file_with({entry("20070201", "12", "100", "スーパー二月", "0"),
                                         entry("20070202", "12", "abc", "壊れた金額", "0")}));
        const QStringList decoy = month_file_with({entry("20070301", "12", "1", "スーパー", "0")});
        for (const char* name : {"~200703.dat", "~200701.dat.damaged", "~2007ab.dat", "~200713.dat",
                                 "~189912.dat", "memo.txt"})
            dir.write_lines(QString::fromLatin1(name), decoy);
        l.add_entry({u"20070302"_s, u"12"_s, u"500"_s, u"スーパー未保存"_s, u"0"_s});
    }

    QStringList dates(const SearchQuery& q) {
        const SearchResult r = search_months(l, q);
        EXPECT_EQ(r.skipped, (QStringList{u"~200611.dat"_s, u"~200702.dat"_s}));
        QStringList out;
        for (const SearchHit& h : r.hits)
            out << h.entry.hiduke;
        return out;
    }
};

} // namespace

TEST_F(SearchTest, FindsByTextAmountAndDateAcrossMonthsInDateOrder) {
    struct Case {
        const char* what;
        SearchQuery query;
        QStringList dates;
    };
    const Case cases[] = {
        {"text in either width",
         {u"スーパー"_s, {}, {}, {}, {}},
         {u"20061203"_s, u"20070105"_s, u"20070302"_s}},
        {"latin letters", {u" abc "_s, {}, {}, {}, {}}, {u"20061203"_s, u"20070105"_s}},
        {"the month's own category name", {u"レストラン"_s, {}, {}, {}, {}}, {u"20061224"_s}},
        {"amount, both bounds inclusive",
         {{}, 980.0, 1200.0, {}, {}},
         {u"20061203"_s, u"20070105"_s}},
        {"amount from only",
         {{}, 3000.0, {}, {}, {}},
         {u"20061224"_s, u"20061231"_s, u"20070104"_s}},
        {"amount to only", {{}, {}, 500.0, {}, {}}, {u"20070110"_s, u"20070302"_s}},
        {"the oldest layout's transfer as category 29",
         {u"その他３"_s, {}, {}, {}, {}},
         {u"20061005"_s}},
        {"dates across the year-end",
         {{}, {}, {}, u"20061231"_s, u"20070104"_s},
         {u"20061231"_s, u"20070104"_s}},
        {"one category, the unsaved entry too",
         {{}, {}, {}, {}, {}, 12},
         {u"20061203"_s, u"20061231"_s, u"20070105"_s, u"20070302"_s}},
        {"the transfer category, not the oldest layout's transfer filed under 29",
         {{}, {}, {}, {}, {}, 30},
         {u"20070110"_s}},
        {"category 29 holds the oldest layout's transfer",
         {{}, {}, {}, {}, {}, 29},
         {u"20061005"_s}},
        {"a category and a text", {u"年越し"_s, {}, {}, {}, {}, 12}, {u"20061231"_s}},
        {"everything",
         {},
         {u"20061005"_s, u"20061203"_s, u"20061224"_s, u"20061231"_s, u"20070104"_s, u"20070105"_s,
          u"20070110"_s, u"20070302"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dates(c.query), c.dates) << c.what;
}

TEST_F(SearchTest, HitsCarryTheirPlaceNamesAndSum) {
    const SearchResult r = search_months(l, {{}, {}, {}, u"20070101"_s, u"20071231"_s});
    ASSERT_EQ(r.hits.size(), 4u);
    const SearchHit& transfer = r.hits[2];
    EXPECT_EQ(transfer.nen, 2007);
    EXPECT_EQ(transfer.tuki, 1);
    EXPECT_EQ(transfer.index, 2);
    EXPECT_EQ(transfer.himoku_name, u"財布<=>口座");
    EXPECT_EQ(transfer.saifu_name, u"給料振込口座");
    EXPECT_EQ(r.hits[0].index, 3); // 20070104 comes first though written last
    EXPECT_EQ(r.hits[3].index, 1); // the open month's entry, not in its file yet
    EXPECT_EQ(r.hits[3].tuki, 3);
    EXPECT_DOUBLE_EQ(r.total, 980 - 50000 + 300000 + 500);
}
