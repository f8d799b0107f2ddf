// A month that loaded with problems is kept, unchanged, beside the month file
// by the first save over it.
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMarch = u"~200403.dat"_s;
const QString kKept = u"~200403.dat.damaged"_s;

struct DamagedMonth : ::testing::Test {
    TempFolder dir;
    Ledger l;
    const QByteArray text_for_amount =
        cp932_bytes(month_file_with({entry("20040301", "12", "千円", "a", "0")}));

    void TearDown() override { fail_file_operation_for_tests(0); }
    // A folder holding kanvelo.ini for March 2004, the month and `others`.
    void load(const QByteArray& month, const QStringList& others = {}) {
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.file(f));
        dir.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
        for (const QString& f : others)
            dir.write_bytes(f, "earlier copy");
        dir.write_bytes(kMarch, month);
        l.app_path = dir.path();
        ledger_load(l, QDate(2004, 4, 15));
    }
    int file_count() const { return int(QDir(dir.path()).entryList(QDir::Files).size()); }
};

} // namespace

TEST_F(DamagedMonth, EveryKindOfProblemKeepsTheOriginalOnceAtTheFirstSave) {
    QList<QStringList> too_many;
    for (int i = 0; i < 1001; ++i)
        too_many << entry("20040315", "12", "100", "x", "0");
    const QStringList plain = month_file_with({entry("20040301", "12", "1,000", "a", "0")});
    const QByteArray cases[] = {
        cp932_bytes(plain.mid(0, 181 + 3)),      // entry cut short
        cp932_bytes(plain.mid(0, 40)),           // categories cut short
        cp932_bytes(month_file_with(too_many)),  // more than 1000 entries
        cp932_bytes(plain, {{184, "\x85\x40"}}), // undecodable bytes
        text_for_amount,                         // text for an amount
    };
    for (const QByteArray& damaged : cases) {
        load(damaged);
        EXPECT_EQ(l.damaged_copy_name, kKept);
        EXPECT_FALSE(dir.exists(kKept)); // loading alone changes nothing
        l.himoku[2].name = u"直した"_s;
        ASSERT_FALSE(ledger_save_month(l));
        EXPECT_EQ(dir.read_bytes(kKept), damaged);
        EXPECT_TRUE(dir.read_lines(kMarch).contains(u"直した"_s));

        l.himoku[2].name = u"もう一度"_s;
        ASSERT_FALSE(ledger_save_month(l));
        EXPECT_EQ(dir.read_bytes(kKept), damaged);
        EXPECT_EQ(file_count(), 3);
        EXPECT_TRUE(dir.read_lines(kMarch).contains(u"もう一度"_s));
    }
    // A clean month makes no copy.
    load(cp932_bytes(plain));
    EXPECT_TRUE(l.damaged_copy_name.isEmpty());
    ASSERT_FALSE(ledger_save_month(l));
    EXPECT_EQ(file_count(), 2);
}

TEST_F(DamagedMonth, AnEarlierKeptCopyIsNeverOverwritten) {
    const struct {
        QStringList earlier;
        QString next;
    } cases[] = {
        {{kKept}, kKept + u'2'},
        {{kKept, kKept + u'2'}, kKept + u'3'},
        {{kKept + u'2'}, kKept}, // a gap is used
    };
    for (const auto& c : cases) {
        load(text_for_amount, c.earlier);
        EXPECT_EQ(l.damaged_copy_name, c.next);
        ASSERT_FALSE(month_file_save(l));
        EXPECT_EQ(dir.read_bytes(c.next), text_for_amount);
        for (const QString& f : c.earlier)
            EXPECT_EQ(dir.read_bytes(f), QByteArray("earlier copy"));
    }
}

TEST_F(DamagedMonth, WhenTheCopyCannotBeMadeTheSaveStopsAndTriesAgainNextTime) {
    load(text_for_amount);
    fail_file_operation_for_tests(1, ENOSPC); // opening the copy
    WriteResult r = month_file_save(l);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->path, dir.file(kMarch));
    EXPECT_TRUE(r->detail.contains(kKept));
    EXPECT_TRUE(r->detail.contains(u"ディスクがいっぱい"_s));
    EXPECT_EQ(dir.read_bytes(kMarch), text_for_amount);
    EXPECT_FALSE(dir.exists(kKept));

    ASSERT_FALSE(month_file_save(l));
    EXPECT_EQ(dir.read_bytes(kKept), text_for_amount);
}
