#include "ledger/description_history.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

// March 2007 open: the twelve months before reach back to March 2006.
struct DescriptionHistoryTest : ::testing::Test {
    TempFolder dir;
    Ledger l;

    void SetUp() override {
        init_default_ledger(l, dir);
        l.nen = u"2007"_s;
        l.tuki = u"03"_s;
        dir.write_lines(u"~200602.dat"_s,
                        month_file_with({entry("20060201", "5", "100", "遠い昔", "0")}));
        dir.write_lines(u"~200603.dat"_s,
                        month_file_with({entry("20060325", "8", "80,000", "家賃", "1")}));
        dir.write_lines(u"~200611.dat"_s,
                        month_file_with({}).mid(1, 150) +
                            QStringList{u"20061105"_s, u"30"_s, u"2,000"_s, u"振替"_s});
        // Recorded out of date order: the 20th is the latest use of the month.
        dir.write_lines(u"~200612.dat"_s,
                        month_file_with({entry("20061220", "3", "700", "ｽｰﾊﾟｰ ", "2"),
                                         entry("20061203", "12", "1,200", "スーパー", "0"),
                                         entry("20061210", "12", "900", " スーパー", "0"),
                                         entry("20061215", "12", "400", "コーヒー", "0"),
                                         entry("20061216", "12", "0", "  ", "0")}));
        dir.write_lines(u"~200701.dat"_s,
                        month_file_with({entry("20070105", "3", "980", "スーパー", "2"),
                                         entry("20070110", "30", "-50,000", "引き出し", "1"),
                                         entry("20070112", "13", "450", "ＣＯＦＦＥＥ", "1")}));
        dir.write_lines(u"~200702.dat"_s,
                        month_file_with({entry("20070201", "12", "100", "壊れた月", "0"),
                                         entry("20070202", "12", "abc", "壊れた金額", "0")}));
        dir.write_lines(u"~200703.dat"_s,
                        month_file_with({entry("20070301", "12", "1", "保存前の古い内容", "0")}));
        l.add_entry({u"20070302"_s, u"12"_s, u"500"_s, u"coffee "_s, u"0"_s});
        l.add_entry({u"20070301"_s, u"12"_s, u"500"_s, u"Coffee"_s, u"3"_s});
    }
};

} // namespace

TEST_F(DescriptionHistoryTest, ListsMostUsedFirstAndProposesTheMostUsedCategoryAndWallet) {
    const DescriptionHistory h = read_description_history(dir.path(), l);
    // スーパー 4, coffee 3, then the single uses by their dates.
    EXPECT_EQ(h.descriptions(), (QStringList{u"スーパー"_s, u"coffee"_s, u"引き出し"_s,
                                             u"コーヒー"_s, u"振替"_s, u"家賃"_s}));
    struct Case {
        const char* what;
        QString tekiyo;
        std::optional<int> himoku;
        std::optional<int> saifu;
    };
    const Case cases[] = {
        {"two against two: the latest use wins", u"スーパー"_s, 2, 2},
        {"half width, blanks around", u"  ｽｰﾊﾟｰ "_s, 2, 2},
        {"case and full width fold; wallets one each: the latest by date", u"COFFEE"_s, 11, 0},
        {"a transfer gives a wallet and no category", u"引き出し"_s, std::nullopt, 1},
        {"the oldest layout's category 30 is category 29", u"振替"_s, 28, 0},
        {"twelve months back still counts", u"家賃"_s, 7, 1},
        {"thirteen months back does not", u"遠い昔"_s, std::nullopt, std::nullopt},
        {"a damaged month is left out whole", u"壊れた月"_s, std::nullopt, std::nullopt},
        {"the open month's file is not read", u"保存前の古い内容"_s, std::nullopt, std::nullopt},
        {"blank", u"  "_s, std::nullopt, std::nullopt},
        {"unknown", u"スーパーX"_s, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(h.most_used_category(c.tekiyo), c.himoku) << c.what;
        EXPECT_EQ(h.most_used_wallet(c.tekiyo), c.saifu) << c.what;
    }
}

TEST(DescriptionHistory, AcrossTheYearEndAndWithoutAnyFiles) {
    TempFolder dir;
    Ledger l;
    init_default_ledger(l, dir);
    l.nen = u"2007"_s;
    l.tuki = u"01"_s;
    EXPECT_TRUE(read_description_history(dir.path(), l).descriptions().isEmpty());
    dir.write_lines(u"~200601.dat"_s, month_file_with({entry("20060110", "5", "1", "一月", "0")}));
    dir.write_lines(u"~200512.dat"_s, month_file_with({entry("20051210", "5", "1", "去年", "0")}));
    dir.write_bytes(u"~200606.dat"_s, QByteArray("\x00\xff garbage", 10));
    EXPECT_EQ(read_description_history(dir.path(), l).descriptions(), QStringList{u"一月"_s});
}
