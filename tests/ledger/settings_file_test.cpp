#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct SettingsTest : ::testing::Test {
    TempFolder dir;
    Ledger l;
    void SetUp() override { l.app_path = dir.path(); }
};

} // namespace

TEST_F(SettingsTest, CreatedFileHasDefaultsAnd131Lines) {
    ASSERT_FALSE(settings_create(l, QDate(2004, 4, 15)));
    QStringList lines = dir.read_lines(kSettingsFile);
    ASSERT_EQ(lines.size(), 131);
    EXPECT_EQ(lines.at(0), kSignature);
    EXPECT_EQ(lines.at(1), u" 1 ");
    EXPECT_EQ(lines.at(2), u"繰り越し");
    EXPECT_EQ(lines.at(3), u" 1 ");
    EXPECT_EQ(lines.at(3 * 6 + 3), u"-1 "); // 税金
    EXPECT_EQ(lines.at(3 * 26 + 2), u"その他１");
    EXPECT_EQ(lines.at(89), u"財布<=>口座");
    EXPECT_EQ(lines.at(91), u"2004");
    EXPECT_EQ(lines.at(92), u"04");
    EXPECT_EQ(lines.at(95), u" 1 ");
    EXPECT_EQ(lines.at(96), u"現金");
    EXPECT_EQ(lines.at(106), u"へそぽるる");
    EXPECT_EQ(lines.at(124), u"その他９");
    EXPECT_EQ(lines.at(125), u" 5 ");
    EXPECT_EQ(lines.mid(126),
              (QStringList{u"spare1"_s, u"spare2"_s, u"spare3"_s, u"spare4"_s, u"spare5"_s}));
}

TEST_F(SettingsTest, CurrentLayoutRoundTripsWithReservedLinesUnchanged) {
    QStringList lines = settings_file_for(u"2004"_s, u"03"_s);
    lines[93] = u"予約その1"_s;
    lines[94] = u" 42 "_s;
    lines[125] = u"8"_s;
    dir.write_lines(kSettingsFile, lines);
    const QByteArray before = dir.read_bytes(kSettingsFile);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(settings_read(l).errors.empty());
        ASSERT_FALSE(settings_write(l));
    }
    EXPECT_EQ(l.nen, u"2004");
    EXPECT_EQ(l.tuki, u"03");
    EXPECT_EQ(l.zeiritu, 8);
    QStringList out = dir.read_lines(kSettingsFile);
    EXPECT_EQ(out.at(93), u"予約その1");
    EXPECT_EQ(out.at(94), u" 42 ");
    EXPECT_EQ(out.at(125), u" 8 "); // the rate is a number once read
    out[125] = u"8"_s;
    EXPECT_EQ(out, lines);
    (void)before;
}

TEST_F(SettingsTest, HandEditedSpareLinesAreRewritten) {
    QStringList lines = settings_file_for(u"2004"_s, u"03"_s);
    lines[127] = u"edited"_s;
    dir.write_lines(kSettingsFile, lines);
    settings_read(l);
    settings_write(l);
    EXPECT_EQ(dir.read_lines(kSettingsFile).at(127), u"spare2");
}

TEST_F(SettingsTest, Version43HasNoTaxRateAndIsWrittenBackWith131Lines) {
    QStringList lines = settings_file_for(u"2004"_s, u"03"_s);
    lines[0] = u"@VER4.30 older"_s;
    lines = lines.mid(0, 125);
    dir.write_lines(kSettingsFile, lines);
    l.zeiritu = 17;
    ASSERT_TRUE(settings_read(l).errors.empty());
    EXPECT_EQ(l.zeiritu, 5);
    l.ini_header = kSignature; // start-up does this after the month file
    ASSERT_FALSE(settings_write(l));
    QStringList out = dir.read_lines(kSettingsFile);
    ASSERT_EQ(out.size(), 131);
    EXPECT_EQ(out.at(0), kSignature);
    EXPECT_EQ(out.at(125), u" 5 ");
}

TEST_F(SettingsTest, VersionBelow24HasTenWallets) {
    QStringList lines = settings_file_for(u"2004"_s, u"03"_s);
    lines[0] = u"@VER2.00"_s;
    lines = lines.mid(0, 115);
    lines[96] = u"財布"_s;
    dir.write_lines(kSettingsFile, lines);
    ASSERT_TRUE(settings_read(l).errors.empty());
    EXPECT_EQ(l.saifu[0].name, u"財布");
    EXPECT_EQ(l.saifu[9].name, u"その他４");
    EXPECT_EQ(l.saifu[10].name, u"その他");
    EXPECT_EQ(to_number(l.saifu[14].no), 15);
    EXPECT_EQ(l.zeiritu, 5);
}

TEST_F(SettingsTest, HeaderlessLayoutGetsDefaultWalletsAndTransferCategory) {
    QStringList lines = settings_file_for(u"2003"_s, u"11"_s);
    lines = lines.mid(1, 94);
    lines[3 * 29 + 1] = u"旧"_s;
    lines[3 * 29 + 2] = u" 1 "_s;
    dir.write_lines(kSettingsFile, lines);
    l.saifu[12].name = u"残る名前"_s;
    ASSERT_TRUE(settings_read(l).errors.empty());
    EXPECT_EQ(l.ini_header, kSignature);
    EXPECT_EQ(l.nen, u"2003");
    EXPECT_EQ(l.tuki, u"11");
    EXPECT_EQ(l.himoku[29].name, u"財布<=>口座");
    EXPECT_FALSE(l.himoku[29].is_income());
    EXPECT_EQ(l.saifu[0].name, u"現金");
    EXPECT_EQ(l.saifu[9].name, u"その他４");
    EXPECT_EQ(l.saifu[12].name, u"残る名前");
    EXPECT_EQ(to_number(l.saifu[12].no), 13);
    EXPECT_EQ(l.zeiritu, 5);
}

TEST_F(SettingsTest, ShortOrBrokenFileIsReported) {
    QStringList lines = settings_file_for(u"2004"_s, u"03"_s);
    dir.write_lines(kSettingsFile, lines.mid(0, 50));
    EXPECT_EQ(settings_read(l).errors.size(), 1u);

    lines[0] = u"@VERx.yz"_s;
    lines[125] = u"five"_s;
    dir.write_lines(kSettingsFile, lines);
    l.zeiritu = 5;
    ReadReport r = settings_read(l);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors.at(0).line, 1);
    EXPECT_EQ(r.errors.at(1).line, 126);
    EXPECT_EQ(l.zeiritu, 5);
}

TEST_F(SettingsTest, WindowFileKeepsItsSpareLines) {
    dir.write_lines(kWindowFile, {u" 7095 "_s, u" 9615 "_s, u" 300 "_s, u" 450 "_s, u" 1 "_s,
                                  u"a"_s, QString(), u"メモ"_s, QString(), u"e"_s});
    const QByteArray before = dir.read_bytes(kWindowFile);
    ASSERT_TRUE(window_file_read(l).errors.empty());
    EXPECT_EQ(l.win_height, 7095);
    EXPECT_EQ(l.win_width, 9615);
    EXPECT_EQ(l.win_top, 300);
    EXPECT_EQ(l.win_left, 450);
    EXPECT_EQ(l.win_state, 1);
    ASSERT_FALSE(window_file_write(l, {7095, 9615, 300, 450, 1}));
    EXPECT_EQ(dir.read_bytes(kWindowFile), before);
}

TEST_F(SettingsTest, NewWindowFileHasFiveEmptySpareLines) {
    ASSERT_FALSE(window_file_create({7095, 9615, 100, 200, 0}, dir.file(kWindowFile)));
    EXPECT_EQ(dir.read_lines(kWindowFile),
              (QStringList{u" 7095 "_s, u" 9615 "_s, u" 100 "_s, u" 200 "_s, u" 0 "_s, QString(),
                           QString(), QString(), QString(), QString()}));
}

TEST_F(SettingsTest, UndecodableBytesInNamesSurviveASave) {
    const QStringList lines = settings_file_for(u"2004"_s, u"03"_s);
    // A lone 0xFD once came back as 0x7F; an unassigned pair as nothing at all.
    const QByteArray before =
        cp932_bytes(lines, {{3 * 4 + 2, "\x8e\x91\xfd"}, {96 + 2 * 2 + 1, "\x86\x9f\x8c\xfb"}});
    dir.write_bytes(kSettingsFile, before);
    ReadReport r = settings_read(l);
    EXPECT_EQ(r.errors.size(), 2u);
    ASSERT_FALSE(settings_write(l));
    EXPECT_EQ(dir.read_bytes(kSettingsFile), before);
}
