#include "ledger/diary_file.h"
#include "ledger/month_load.h"
#include "ledger/other_month.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;

TEST(MonthLoad, FirstStartInAnEmptyFolderCreatesSettingsAndMonth) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(l.nen, u"2004");
    EXPECT_EQ(l.tuki, u"04");
    EXPECT_EQ(dir.read_lines(kSettingsFile).size(), 131);
    EXPECT_EQ(dir.read_lines(QStringLiteral("~200404.dat")).size(), 181);
    EXPECT_EQ(l.kensu, 0);
    EXPECT_EQ(l.dat_header, kSignature);

    // A second start reads them back, and saving writes the same bytes.
    const QByteArray ini = dir.read_bytes(kSettingsFile);
    const QByteArray dat = dir.read_bytes(QStringLiteral("~200404.dat"));
    Ledger again;
    again.app_path = dir.path();
    EXPECT_TRUE(ledger_load(again, QDate(2005, 1, 1)).empty());
    EXPECT_EQ(again.tuki, u"04");
    ASSERT_FALSE(ledger_save_month(again));
    EXPECT_EQ(dir.read_bytes(kSettingsFile), ini);
    EXPECT_EQ(dir.read_bytes(QStringLiteral("~200404.dat")), dat);
}

TEST(MonthLoad, NewMonthTakesNamesFromTheSettingsFile) {
    TempFolder dir;
    QStringList ini = settings_file_for(QStringLiteral("2004"), QStringLiteral("05"));
    ini[3 * 11 + 2] = QStringLiteral("食費");
    dir.write_lines(kSettingsFile, ini);
    Ledger l;
    l.app_path = dir.path();
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    QStringList dat = dir.read_lines(QStringLiteral("~200405.dat"));
    EXPECT_EQ(dat.at(5 * 11 + 2), u"食費");
    EXPECT_EQ(dat.at(5 * 11 + 3), u" 0 ");
}

TEST(MonthLoad, UnwritableFolderIsReportedAndAnEmptyMonthShown) {
    TempFolder dir;
    dir.write_bytes(QStringLiteral("file"), "x");
    Ledger l;
    l.app_path = dir.file(QStringLiteral("file/"));
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    EXPECT_FALSE(errors.empty());
    EXPECT_EQ(l.kensu, 0);
    EXPECT_EQ(l.nen, u"2004");
}

TEST(OtherMonth, ReadsCategoriesAndEntriesAndSkipsTheWallets) {
    TempFolder dir;
    QStringList lines = month_file_with(
        {{QStringLiteral("20041201"), QStringLiteral("2"), QStringLiteral("300,000"),
          QStringLiteral("給料"), QStringLiteral(" 0 ")}});
    lines[0] = QStringLiteral("@VER2.30");
    lines.erase(lines.begin() + 171, lines.begin() + 181);
    dir.write_lines(QStringLiteral("~200412.dat"), lines);
    OtherMonth m = read_other_month(dir.file(QStringLiteral("~200412.dat")));
    EXPECT_FALSE(m.missing);
    EXPECT_FALSE(m.headerless);
    EXPECT_TRUE(m.errors.empty());
    EXPECT_EQ(m.himoku[1].name, u"給料");
    ASSERT_EQ(m.syusi.size(), 1u);
    EXPECT_EQ(m.syusi[0].kingaku, u"300,000");
    EXPECT_TRUE(read_other_month(dir.file(QStringLiteral("~200411.dat"))).missing);
}

TEST(OtherMonth, PreviousMonthCrossesTheYear) {
    EXPECT_EQ(previous_month(QStringLiteral("2005"), QStringLiteral("01")).nen, u"2004");
    EXPECT_EQ(previous_month(QStringLiteral("2005"), QStringLiteral("01")).tuki, u"12");
    EXPECT_EQ(previous_month(QStringLiteral("2005"), QStringLiteral("10")).tuki, u"09");
    EXPECT_EQ(previous_month(QStringLiteral("2005"), QStringLiteral("10")).nen, u"2005");
}

TEST(DiaryFile, MissingYearIsCreatedWith366EmptyLines) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    l.nikki[3] = QStringLiteral("stale");
    ReadReport r = diary_load(l, QStringLiteral("2007"));
    EXPECT_TRUE(r.errors.empty());
    QStringList lines = dir.read_lines(QStringLiteral("日記2007.dat"));
    EXPECT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.join(QString()), QString());
    EXPECT_EQ(l.nikki[3], u"");
}

TEST(DiaryFile, SavesEveryDayAndNeverSplitsANote) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    l.nikki[0] = QStringLiteral("元日");
    l.nikki[59] = QStringLiteral("閏日\nです");
    l.nikki[365] = QStringLiteral("大晦日");
    ASSERT_FALSE(diary_save(l, QStringLiteral("2008")));
    QStringList lines = dir.read_lines(QStringLiteral("日記2008.dat"));
    ASSERT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.at(59), u"閏日 です");
    Ledger back;
    back.app_path = dir.path();
    diary_load(back, QStringLiteral("2008"));
    EXPECT_EQ(back.nikki[0], u"元日");
    EXPECT_EQ(back.nikki[365], u"大晦日");
    EXPECT_EQ(diary_day_index(QDate(2008, 12, 31)), 365);
    EXPECT_EQ(diary_day_index(QDate(2007, 1, 1)), 0);
}

TEST(DiaryFile, ShortFileIsReportedAndTheMissingDaysAreEmpty) {
    TempFolder dir;
    dir.write_lines(QStringLiteral("日記2007.dat"), {QStringLiteral("a"), QStringLiteral("b")});
    Ledger l;
    l.app_path = dir.path();
    l.nikki[5] = QStringLiteral("old");
    ReadReport r = diary_load(l, QStringLiteral("2007"));
    EXPECT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(l.nikki[1], u"b");
    EXPECT_EQ(l.nikki[5], u"");
}

TEST(MonthLoad, DamagedOpenMonthOpensTodayAndIsReported) {
    TempFolder dir;
    QStringList ini = settings_file_for(QStringLiteral("20x4"), QStringLiteral("13"));
    dir.write_lines(kSettingsFile, ini);
    Ledger l;
    l.app_path = dir.path();
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().line, 92);
    EXPECT_EQ(l.nen, u"2004");
    EXPECT_EQ(l.tuki, u"04");
    EXPECT_TRUE(dir.exists(QStringLiteral("~200404.dat")));

    // Blanks around a hand-edited month are tidied, not put into a file name.
    ini = settings_file_for(QStringLiteral(" 2003 "), QStringLiteral("7"));
    dir.write_lines(kSettingsFile, ini);
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_EQ(l.month_file_path(), dir.file(QStringLiteral("~200307.dat")));
}
