#include "ledger/diary_file.h"
#include "ledger/month_load.h"
#include "ledger/other_month.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    EXPECT_EQ(dir.read_lines(u"~200404.dat"_s).size(), 181);
    EXPECT_EQ(l.kensu, 0);
    EXPECT_EQ(l.dat_header, kSignature);

    // A second start reads them back, and saving writes the same bytes.
    const QByteArray ini = dir.read_bytes(kSettingsFile);
    const QByteArray dat = dir.read_bytes(u"~200404.dat"_s);
    Ledger again;
    again.app_path = dir.path();
    EXPECT_TRUE(ledger_load(again, QDate(2005, 1, 1)).empty());
    EXPECT_EQ(again.tuki, u"04");
    ASSERT_FALSE(ledger_save_month(again));
    EXPECT_EQ(dir.read_bytes(kSettingsFile), ini);
    EXPECT_EQ(dir.read_bytes(u"~200404.dat"_s), dat);
}

TEST(MonthLoad, NewMonthTakesNamesFromTheSettingsFile) {
    TempFolder dir;
    QStringList ini = settings_file_for(u"2004"_s, u"05"_s);
    ini[3 * 11 + 2] = u"食費"_s;
    dir.write_lines(kSettingsFile, ini);
    Ledger l;
    l.app_path = dir.path();
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    QStringList dat = dir.read_lines(u"~200405.dat"_s);
    EXPECT_EQ(dat.at(5 * 11 + 2), u"食費");
    EXPECT_EQ(dat.at(5 * 11 + 3), u" 0 ");
}

TEST(MonthLoad, UnwritableFolderIsReportedAndAnEmptyMonthShown) {
    TempFolder dir;
    dir.write_bytes(u"file"_s, "x");
    Ledger l;
    l.app_path = dir.file(u"file/"_s);
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    EXPECT_FALSE(errors.empty());
    EXPECT_EQ(l.kensu, 0);
    EXPECT_EQ(l.nen, u"2004");
}

TEST(OtherMonth, ReadsCategoriesAndEntriesAndSkipsTheWallets) {
    TempFolder dir;
    QStringList lines =
        month_file_with({{u"20041201"_s, u"2"_s, u"300,000"_s, u"給料"_s, u" 0 "_s}});
    lines[0] = u"@VER2.30"_s;
    lines.erase(lines.begin() + 171, lines.begin() + 181);
    dir.write_lines(u"~200412.dat"_s, lines);
    OtherMonth m = read_other_month(dir.file(u"~200412.dat"_s));
    EXPECT_FALSE(m.missing);
    EXPECT_FALSE(m.headerless);
    EXPECT_TRUE(m.errors.empty());
    EXPECT_EQ(m.himoku[1].name, u"給料");
    ASSERT_EQ(m.syusi.size(), 1u);
    EXPECT_EQ(m.syusi[0].kingaku, u"300,000");
    EXPECT_TRUE(read_other_month(dir.file(u"~200411.dat"_s)).missing);
}

TEST(OtherMonth, PreviousMonthCrossesTheYear) {
    EXPECT_EQ(previous_month(u"2005"_s, u"01"_s).nen, u"2004");
    EXPECT_EQ(previous_month(u"2005"_s, u"01"_s).tuki, u"12");
    EXPECT_EQ(previous_month(u"2005"_s, u"10"_s).tuki, u"09");
    EXPECT_EQ(previous_month(u"2005"_s, u"10"_s).nen, u"2005");
}

TEST(DiaryFile, MissingYearIsCreatedWith366EmptyLines) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    l.nikki[3] = u"stale"_s;
    ReadReport r = diary_load(l, u"2007"_s);
    EXPECT_TRUE(r.errors.empty());
    QStringList lines = dir.read_lines(u"日記2007.dat"_s);
    EXPECT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.join(QString()), QString());
    EXPECT_EQ(l.nikki[3], u"");
}

TEST(DiaryFile, SavesEveryDayAndNeverSplitsANote) {
    TempFolder dir;
    Ledger l;
    l.app_path = dir.path();
    l.nikki[0] = u"元日"_s;
    l.nikki[59] = u"閏日\nです"_s;
    l.nikki[365] = u"大晦日"_s;
    ASSERT_FALSE(diary_save(l, u"2008"_s));
    QStringList lines = dir.read_lines(u"日記2008.dat"_s);
    ASSERT_EQ(lines.size(), 366);
    EXPECT_EQ(lines.at(59), u"閏日 です");
    Ledger back;
    back.app_path = dir.path();
    diary_load(back, u"2008"_s);
    EXPECT_EQ(back.nikki[0], u"元日");
    EXPECT_EQ(back.nikki[365], u"大晦日");
    EXPECT_EQ(diary_day_index(QDate(2008, 12, 31)), 365);
    EXPECT_EQ(diary_day_index(QDate(2007, 1, 1)), 0);
}

TEST(DiaryFile, ShortFileIsReportedAndTheMissingDaysAreEmpty) {
    TempFolder dir;
    dir.write_lines(u"日記2007.dat"_s, {u"a"_s, u"b"_s});
    Ledger l;
    l.app_path = dir.path();
    l.nikki[5] = u"old"_s;
    ReadReport r = diary_load(l, u"2007"_s);
    EXPECT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(l.nikki[1], u"b");
    EXPECT_EQ(l.nikki[5], u"");
}

TEST(MonthLoad, DamagedOpenMonthOpensTodayAndIsReported) {
    TempFolder dir;
    QStringList ini = settings_file_for(u"20x4"_s, u"13"_s);
    dir.write_lines(kSettingsFile, ini);
    Ledger l;
    l.app_path = dir.path();
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().line, 92);
    EXPECT_EQ(l.nen, u"2004");
    EXPECT_EQ(l.tuki, u"04");
    EXPECT_TRUE(dir.exists(u"~200404.dat"_s));

    // Blanks around a hand-edited month are tidied, not put into a file name.
    ini = settings_file_for(u" 2003 "_s, u"7"_s);
    dir.write_lines(kSettingsFile, ini);
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_EQ(l.month_file_path(), dir.file(u"~200307.dat"_s));
}
