// A month that loaded with problems is kept, unchanged, beside the month file
// by the first save over it.
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMarch = QStringLiteral("~200403.dat");
const QString kKept = QStringLiteral("~200403.dat.damaged");

struct DamagedMonth : ::testing::Test {
    TempFolder dir;
    Ledger l;
    void SetUp() override {
        l.app_path = dir.path();
        dir.write_lines(kSettingsFile,
                        settings_file_for(QStringLiteral("2004"), QStringLiteral("03")));
    }
    void TearDown() override { fail_file_operation_for_tests(0); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

QByteArray good_month() {
    return cp932_bytes(month_file_with({entry("20040301", "12", "1,000", "a", "0")}));
}

} // namespace

TEST_F(DamagedMonth, EveryKindOfProblemKeepsTheOriginalOnceAtTheFirstSave) {
    QList<QStringList> too_many;
    for (int i = 0; i < 1001; ++i)
        too_many << entry("20040315", "12", "100", "x", "0");
    QStringList cut = month_file_with({entry("20040301", "12", "1,000", "a", "0")});
    cut << QStringLiteral("20040302") << QStringLiteral("12");
    const QStringList plain = month_file_with({entry("20040301", "12", "1,000", "a", "0")});
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"entry cut short", cp932_bytes(cut)},
        {"more than 1000 entries", cp932_bytes(month_file_with(too_many))},
        {"undecodable bytes", cp932_bytes(plain, {{184, "\x85\x40"}})},
        {"text for an amount",
         cp932_bytes(month_file_with({entry("20040301", "12", "千円", "a", "0")}))},
        {"categories cut short", cp932_bytes(plain.mid(0, 40))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString& f : files())
            if (f != kSettingsFile)
                QFile::remove(dir.file(f));
        dir.write_bytes(kMarch, c.bytes);
        EXPECT_FALSE(ledger_load(l, QDate(2004, 4, 15)).empty());
        EXPECT_EQ(l.damaged_copy_name, kKept);
        EXPECT_FALSE(dir.exists(kKept)); // loading alone changes nothing

        l.himoku[2].name = QStringLiteral("直した");
        ASSERT_FALSE(ledger_save_month(l));
        EXPECT_EQ(dir.read_bytes(kKept), c.bytes);
        EXPECT_NE(dir.read_bytes(kMarch), c.bytes);
        EXPECT_EQ(l.damaged_copy_name, kKept); // still there to be named

        // The second save writes the month only.
        l.himoku[2].name = QStringLiteral("もう一度");
        ASSERT_FALSE(ledger_save_month(l));
        EXPECT_EQ(dir.read_bytes(kKept), c.bytes);
        EXPECT_FALSE(dir.exists(kKept + u'2'));
        EXPECT_TRUE(dir.read_lines(kMarch).contains(QStringLiteral("もう一度")));
    }
}

TEST_F(DamagedMonth, AnEarlierKeptCopyIsNeverOverwritten) {
    const QByteArray damaged =
        cp932_bytes(month_file_with({entry("20040301", "12", "千円", "a", "0")}));
    const struct {
        QStringList earlier;
        QString next;
    } cases[] = {
        {{}, kKept},
        {{kKept}, kKept + u'2'},
        {{kKept, kKept + u'2'}, kKept + u'3'},
        {{kKept + u'2'}, kKept}, // a gap is used
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.next));
        for (const QString& f : files())
            if (f != kSettingsFile)
                QFile::remove(dir.file(f));
        for (const QString& f : c.earlier)
            dir.write_bytes(f, "earlier copy");
        dir.write_bytes(kMarch, damaged);
        ledger_load(l, QDate(2004, 4, 15));
        EXPECT_EQ(l.damaged_copy_name, c.next);
        ASSERT_FALSE(month_file_save(l));
        EXPECT_EQ(dir.read_bytes(c.next), damaged);
        for (const QString& f : c.earlier)
            EXPECT_EQ(dir.read_bytes(f), QByteArray("earlier copy"));
        EXPECT_EQ(files().size(), 3 + c.earlier.size()); // with kanvelo.ini and the month
    }
}

TEST_F(DamagedMonth, ACleanMonthMakesNoCopy) {
    dir.write_bytes(kMarch, good_month());
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_TRUE(l.damaged_copy_name.isEmpty());
    ASSERT_FALSE(month_file_save(l));
    EXPECT_EQ(files(), (QStringList{kSettingsFile, kMarch}));

    // Nor does a month created at start-up.
    dir.write_lines(kSettingsFile, settings_file_for(QStringLiteral("2004"), QStringLiteral("05")));
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    ASSERT_FALSE(month_file_save(l));
    EXPECT_EQ(files().size(), 3);
}

TEST_F(DamagedMonth, WhenTheCopyCannotBeMadeTheSaveStopsAndTriesAgainNextTime) {
    const QByteArray damaged =
        cp932_bytes(month_file_with({entry("20040301", "12", "千円", "a", "0")}));
    dir.write_bytes(kMarch, damaged);
    ledger_load(l, QDate(2004, 4, 15));
    fail_file_operation_for_tests(1, ENOSPC); // opening the copy
    WriteResult r = month_file_save(l);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->path, dir.file(kMarch));
    EXPECT_TRUE(r->detail.contains(kKept));
    EXPECT_TRUE(r->detail.contains(QStringLiteral("ディスクがいっぱい")));
    EXPECT_EQ(dir.read_bytes(kMarch), damaged);
    EXPECT_FALSE(dir.exists(kKept));

    ASSERT_FALSE(month_file_save(l));
    EXPECT_EQ(dir.read_bytes(kKept), damaged);
}

TEST_F(DamagedMonth, AGoodReadOfTheMonthForgetsThePendingCopy) {
    dir.write_bytes(kMarch,
                    cp932_bytes(month_file_with({entry("20040301", "12", "千円", "a", "0")})));
    ledger_load(l, QDate(2004, 4, 15));
    ASSERT_TRUE(l.damaged_copy_pending);
    dir.write_bytes(kMarch, good_month());
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_FALSE(l.damaged_copy_pending);
    ASSERT_FALSE(month_file_save(l));
    EXPECT_FALSE(dir.exists(kKept));
}
