#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMarch = u"~200403.dat"_s;

struct MonthFileTest : ::testing::Test {
    TempFolder dir;
    Ledger l;
    void SetUp() override {
        init_default_ledger(l, dir);
        l.nen = u"2004"_s;
        l.tuki = u"03"_s;
    }
};

} // namespace

TEST_F(MonthFileTest, NameIsTildeYearMonthDotDatInTheFolder) {
    EXPECT_EQ(month_file_name(l, u"2004"_s, u"03"_s), dir.file(kMarch));
    EXPECT_EQ(l.month_file_path(), dir.file(kMarch));
}

TEST_F(MonthFileTest, CurrentLayoutRoundTripsByteForByte) {
    QStringList lines = month_file_with({entry("20040301", "2", "300,000", "三月分給料", " 1 "),
                                         entry("20040302", "12", "1,234", "スーパー①　ﾊﾟﾝ", "0"),
                                         entry("20040303", "30", "-50,000", "引き出し", " 1 "),
                                         entry("20040303", "30", "50,000", "引き出し", " 0 ")});
    lines[3] = u"12,000"_s;     // a typed budget stays as typed
    lines[5] = u"給料の予算"_s; // comment
    dir.write_lines(kMarch, lines);
    const QByteArray before = dir.read_bytes(kMarch);
    ReadReport r = month_file_read(l);
    EXPECT_FALSE(r.missing);
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(l.kensu, 4);
    EXPECT_EQ(l.yosan_syunyu_goukei, 12000);
    ASSERT_FALSE(month_file_write(l));
    EXPECT_EQ(dir.read_bytes(kMarch), before);
    EXPECT_EQ(l.syunyu_goukei, 300000);
    EXPECT_EQ(l.sisyutu_goukei, 1234);
    EXPECT_EQ(l.saifu[0].zankin, 50000 - 1234);
    EXPECT_EQ(l.saifu[1].zankin, 250000);
}

TEST_F(MonthFileTest, EmptyMonthIs181LinesAndAmountsAreWrittenWithSeparators) {
    ASSERT_FALSE(month_file_create(l));
    QStringList lines = dir.read_lines(kMarch);
    ASSERT_EQ(lines.size(), 181);
    EXPECT_EQ(lines.at(0), kSignature);
    EXPECT_EQ(lines.at(1), u" 1 ");
    EXPECT_EQ(lines.at(2), u"繰り越し");
    EXPECT_EQ(lines.at(3), u" 0 ");
    EXPECT_EQ(lines.at(4), u" 1 ");
    EXPECT_EQ(lines.at(5), u"");
    EXPECT_EQ(lines.at(147), u"財布<=>口座");
    EXPECT_EQ(lines.at(149), u"-1 ");
    EXPECT_EQ(lines.at(151), u" 1 ");
    EXPECT_EQ(lines.at(152), u"現金");
    EXPECT_EQ(lines.at(180), u"その他９");

    ASSERT_TRUE(month_file_read(l).errors.empty());
    l.syusi[1] = {u"20040305"_s, u"12"_s, u"1000"_s, u"a"_s, u"0"_s};
    l.syusi[2] = {u"20040305"_s, u"30"_s, u"-2500"_s, u"b"_s, u" 2 "_s};
    l.syusi[3] = {u"20040305"_s, u"12"_s, QString(), QString(), u"0"_s};
    l.kensu = 3;
    ASSERT_FALSE(month_file_write(l));
    lines = dir.read_lines(kMarch);
    ASSERT_EQ(lines.size(), 196);
    EXPECT_EQ(lines.at(183), u"1,000");
    EXPECT_EQ(lines.at(188), u"-2,500");
    EXPECT_EQ(lines.at(193), u"");
}

TEST_F(MonthFileTest, ThousandEntriesAreWrittenAndReadBack) {
    QList<QStringList> entries;
    for (int i = 0; i < 1000; ++i)
        entries << entry("20040315", "12", "100", "x", "0");
    dir.write_lines(kMarch, month_file_with(entries));
    ASSERT_TRUE(month_file_read(l).errors.empty());
    EXPECT_EQ(l.kensu, 1000);
    EXPECT_EQ(l.sisyutu_goukei, 100000);
    ASSERT_FALSE(month_file_write(l));
    EXPECT_EQ(dir.read_lines(kMarch).size(), 181 + 5000);
}

TEST_F(MonthFileTest, EntriesBeyondTheLimitAreReportedNotDroppedSilently) {
    QList<QStringList> entries;
    for (int i = 0; i < 1001; ++i)
        entries << entry("20040315", "12", "100", "x", "0");
    dir.write_lines(kMarch, month_file_with(entries));
    ReadReport r = month_file_read(l);
    EXPECT_EQ(l.kensu, 1000);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors.front().line, 182 + 5000);
}

TEST_F(MonthFileTest, EmptyBudgetAddsNothingAndIsKeptEmpty) {
    QStringList lines = month_file_with({});
    lines[3] = QString();            // category 1, income
    lines[5 * 11 + 3] = u"30,000"_s; // category 12, expense
    dir.write_lines(kMarch, lines);
    ASSERT_TRUE(month_file_read(l).errors.empty());
    EXPECT_EQ(l.himoku[0].yosan_kingaku, u"");
    EXPECT_EQ(l.yosan_syunyu_goukei, 0);
    EXPECT_EQ(l.yosan_sisyutu_goukei, 30000);
}

TEST_F(MonthFileTest, Version230HasTenWalletsAndIsWrittenInTheCurrentLayout) {
    QStringList lines = month_file_with({});
    lines[0] = u"@VER2.30 old program"_s;
    lines.erase(lines.begin() + 1 + 150 + 20, lines.begin() + 181); // wallets 10..14
    lines << entry("20040301", "12", "500", "x", " 9 ");
    dir.write_lines(kMarch, lines);
    ASSERT_TRUE(month_file_read(l).errors.empty());
    EXPECT_EQ(l.kensu, 1);
    EXPECT_EQ(l.saifu[9].zankin, -500);
    for (int w = 10; w < 15; ++w) {
        EXPECT_EQ(l.saifu[w].name, u"その他");
        EXPECT_EQ(to_number(l.saifu[w].no), w + 1);
    }
    ASSERT_FALSE(month_file_write(l));
    QStringList out = dir.read_lines(kMarch);
    ASSERT_EQ(out.size(), 186);
    EXPECT_EQ(out.at(0), kSignature);
    EXPECT_EQ(out.at(180), u"その他");
    EXPECT_EQ(out.at(181), u"20040301");
}

TEST_F(MonthFileTest, HeaderlessLayoutPutsEntriesOnCashAndCategory30On29) {
    QStringList lines = month_file_with({});
    lines.removeFirst();
    lines.erase(lines.begin() + 150, lines.end());
    lines[5 * 29 + 1] = u"古い名前"_s;
    lines << u"20040301"_s << u"30"_s << u"700"_s << u"旧"_s << u"20040302"_s << u"12"_s << u"300"_s
          << u"パン"_s;
    dir.write_lines(kMarch, lines);
    l.saifu[3].name = u"設定の名前"_s;
    ASSERT_TRUE(month_file_read(l).errors.empty());
    EXPECT_EQ(l.kensu, 2);
    EXPECT_EQ(to_number(l.syusi[1].himoku_no), 29);
    EXPECT_EQ(to_number(l.syusi[1].saifu_no), 0);
    EXPECT_EQ(l.himoku[29].name, u"財布<=>口座");
    EXPECT_EQ(l.himoku[28].jisseki, 700);
    EXPECT_EQ(l.saifu[0].zankin, -1000);
    EXPECT_EQ(l.saifu[3].name, u"設定の名前");
    EXPECT_EQ(l.dat_header, kSignature);
    ASSERT_FALSE(month_file_write(l));
    QStringList out = dir.read_lines(kMarch);
    ASSERT_EQ(out.size(), 191);
    EXPECT_EQ(out.at(0), kSignature);
    EXPECT_EQ(out.at(182), u" 29 ");
    EXPECT_EQ(out.at(185), u" 0 ");
}

TEST_F(MonthFileTest, NamesInTheMonthFileWinOverTheSettings) {
    QStringList lines = month_file_with({});
    lines[5 * 2 + 2] = u"へそくり引き出し"_s;
    dir.write_lines(kMarch, lines);
    month_file_read(l);
    EXPECT_EQ(l.himoku[2].name, u"へそくり引き出し");
}

TEST_F(MonthFileTest, DamagedNumberIsReportedByLineAndTheRestLoads) {
    dir.write_lines(kMarch, month_file_with({entry("20040301", "12", "1,000", "a", "0"),
                                             entry("20040302", "12", "千円", "b", "0"),
                                             entry("20040303", "13", "500", "c", "0")}));
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors.front().line, 187);
    EXPECT_TRUE(r.errors.front().message().contains(u"~200403.dat"_s));
    EXPECT_EQ(l.kensu, 3);
    EXPECT_EQ(l.sisyutu_goukei, 1500);
    // The damaged value is kept as it was read, so saving loses nothing.
    ASSERT_FALSE(month_file_write(l));
    EXPECT_EQ(dir.read_lines(kMarch).at(188), u"千円");
}

TEST_F(MonthFileTest, FileEndingInsideAnEntryKeepsItWhenTheAmountWasRead) {
    QStringList lines = month_file_with({entry("20040301", "12", "1,000", "a", "0")});
    lines << u"20040302"_s << u"13"_s << u"250"_s;
    dir.write_lines(kMarch, lines);
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(l.kensu, 2);
    EXPECT_EQ(l.syusi[2].tekiyo, u"");
    EXPECT_EQ(to_number(l.syusi[2].saifu_no), 0);
    EXPECT_EQ(l.saifu[0].zankin, -1250);

    lines.removeLast();
    dir.write_lines(kMarch, lines);
    r = month_file_read(l);
    EXPECT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(l.kensu, 1);
}

TEST_F(MonthFileTest, FileEndingInsideTheCategoriesKeepsWhatWasRead) {
    QStringList lines = month_file_with({});
    lines[5 * 3 + 2] = u"新しい名前"_s;
    lines = lines.mid(0, 1 + 5 * 4 + 2);
    dir.write_lines(kMarch, lines);
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors.front().line, 1 + 5 * 4 + 3);
    EXPECT_EQ(l.himoku[3].name, u"新しい名前");
    EXPECT_EQ(l.himoku[5].name, u"雑収入");
    EXPECT_EQ(l.kensu, 0);
}

TEST_F(MonthFileTest, BytesThatAreNotCodePage932AreReportedAndNothingCrashes) {
    QByteArray bytes;
    for (const QString& line : month_file_with({entry("20040301", "12", "100", "x", "0")}))
        bytes += *kanvelo::encode_cp932(line) + "\r\n";
    bytes.replace("x\r\n", "\x82\r\n");
    dir.write_bytes(kMarch, bytes);
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors.front().line, 185);
    EXPECT_EQ(l.kensu, 1);
    EXPECT_EQ(l.sisyutu_goukei, 100);
}

TEST_F(MonthFileTest, MissingFileIsNoErrorButMissing) {
    ReadReport r = month_file_read(l);
    EXPECT_TRUE(r.missing);
    EXPECT_TRUE(r.errors.empty());
}

TEST_F(MonthFileTest, UndecodableBytesInNamesAndDescriptionsSurviveASave) {
    const QStringList lines = month_file_with({entry("20040301", "12", "1,000", "placeholder", "0"),
                                               entry("20040302", "13", "500", "パン", "0")});
    const int description = 181 + 3, category_name = 1 + 5 * 2 + 1;
    const QByteArray before = cp932_bytes(
        lines, {{description, "\x83\x89\x83\x93\x83\x60\x85\x40"}, // ランチ + unassigned pair
                {category_name, "\xfd\x92\x99\x8b\xe0\xff"}});     // 0xFD 貯金 0xFF
    dir.write_bytes(kMarch, before);
    ReadReport r = month_file_read(l);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors.at(0).line, category_name + 1);
    EXPECT_EQ(r.errors.at(1).line, description + 1);
    EXPECT_TRUE(l.syusi[1].tekiyo.startsWith(u"ランチ"_s));
    EXPECT_EQ(l.kensu, 2);
    EXPECT_EQ(l.sisyutu_goukei, 1500);
    ASSERT_FALSE(month_file_write(l));
    EXPECT_EQ(dir.read_bytes(kMarch), before);
}

TEST_F(MonthFileTest, AShorterMonthLoadedAfterALongerOneLeavesNoOldEntryBehind) {
    dir.write_lines(kMarch, month_file_with({entry("20040301", "12", "1", "a", "0"),
                                             entry("20040302", "12", "2", "b", "0"),
                                             entry("20040303", "12", "3", "c", "0"),
                                             entry("20040304", "12", "4", "d", "0"),
                                             entry("20040305", "12", "5", "e", "0")}));
    ASSERT_TRUE(month_file_read(l).errors.empty());
    ASSERT_EQ(l.kensu, 5);
    l.tuki = u"04"_s;
    dir.write_lines(u"~200404.dat"_s, month_file_with({entry("20040401", "12", "10", "x", "0"),
                                                       entry("20040402", "12", "20", "y", "0"),
                                                       entry("20040403", "12", "30", "z", "0")}));
    ASSERT_TRUE(month_file_read(l).errors.empty());
    EXPECT_EQ(l.kensu, 3);
    for (int i : {4, 5}) {
        EXPECT_TRUE(l.syusi[i].hiduke.isEmpty()) << i;
        EXPECT_TRUE(l.syusi[i].kingaku.isEmpty()) << i;
        EXPECT_TRUE(l.syusi[i].tekiyo.isEmpty()) << i;
    }
    EXPECT_EQ(l.sisyutu_goukei, 60);
}
