// A file that exists but cannot be read is reported and kept: it is neither
// created anew at load nor replaced by a save until it has been read.
#include "ledger/diary_file.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/month_load.h"
#include "ledger/settings_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

// Two ways to stand at a file's name without being readable that stop root
// too: a folder of that name, and a read that fails.
enum class Way { FolderAtTheName, ReadFails };

struct UnreadableFile : ::testing::TestWithParam<Way> {
    TempFolder dir;
    Ledger l;
    const QByteArray kept = "kept as it is\r\n";
    void SetUp() override { l.app_path = dir.path(); }
    void TearDown() override { fail_file_read_for_tests(0); }

    // `name` exists from now on, and the `nth` read from now fails.
    void make_unreadable(const QString& name, int nth) {
        if (GetParam() == Way::FolderAtTheName) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(name));
            return;
        }
        dir.write_bytes(name, kept);
        fail_file_read_for_tests(nth);
    }
    void make_readable(const QString& name, const QStringList& lines) {
        fail_file_read_for_tests(0);
        QDir(dir.path()).rmdir(name);
        dir.write_lines(name, lines);
    }
    bool is_kept(const QString& name) const {
        return GetParam() == Way::FolderAtTheName ? QFileInfo(dir.file(name)).isDir()
                                                  : dir.read_bytes(name) == kept;
    }
    bool reported(const FileErrors& errors, const QString& name) const {
        return std::any_of(errors.begin(), errors.end(), [&](const FileError& e) {
            return e.path == dir.file(name) && e.detail.contains(u"読み込めません"_s);
        });
    }
    bool refused(const WriteResult& r, const QString& name) const {
        return r && r->path == dir.file(name) &&
               r->detail.contains(u"上書きしないで残しています"_s);
    }
};

const QString kMarch = u"~200403.dat"_s;
const QString kDiary = u"日記2004.dat"_s;

} // namespace

TEST_P(UnreadableFile, SettingsFileIsReportedKeptAndNotSavedOver) {
    make_unreadable(kSettingsFile, 1);
    EXPECT_TRUE(reported(ledger_load(l, QDate(2004, 4, 15)), kSettingsFile));
    // The month of today opens on the default names held in memory.
    EXPECT_EQ(l.tuki, u"04");
    EXPECT_EQ(l.himoku[0].name, u"繰り越し");
    EXPECT_TRUE(refused(ledger_save_month(l), kSettingsFile));
    EXPECT_TRUE(is_kept(kSettingsFile));

    // Once it reads, the mark is gone and saving works again.
    make_readable(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_EQ(l.tuki, u"03");
    EXPECT_FALSE(settings_write(l));
}

TEST_P(UnreadableFile, MonthFileIsReportedKeptAndNotSavedOver) {
    dir.write_lines(kSettingsFile, settings_file_for(u"2004"_s, u"03"_s));
    make_unreadable(kMarch, 2);
    l.kensu = 3; // an earlier month must not show through
    EXPECT_TRUE(reported(ledger_load(l, QDate(2004, 4, 15)), kMarch));
    EXPECT_EQ(l.kensu, 0);
    EXPECT_TRUE(refused(month_file_write(l), kMarch));
    EXPECT_TRUE(refused(ledger_save_month(l), kMarch));
    EXPECT_TRUE(is_kept(kMarch));

    make_readable(kMarch, month_file_with({entry("20040301", "12", "1,000", "a", "0")}));
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_EQ(l.kensu, 1);
    EXPECT_FALSE(ledger_save_month(l));
}

TEST_P(UnreadableFile, DiaryIsReportedKeptAndNotSavedOver) {
    make_unreadable(kDiary, 1);
    l.nikki[3] = u"前の年"_s;
    WriteResult created;
    ReadReport r = diary_load(l, u"2004"_s, &created);
    EXPECT_FALSE(created);
    EXPECT_TRUE(r.unreadable && !r.missing);
    EXPECT_TRUE(reported(r.errors, kDiary));
    EXPECT_EQ(l.nikki[3], u"");
    l.nikki[3] = u"書いた"_s;
    EXPECT_TRUE(refused(diary_save(l, u"2004"_s), kDiary));
    EXPECT_TRUE(is_kept(kDiary));

    make_readable(kDiary, QStringList(kNikkiSlots, QString()));
    EXPECT_TRUE(diary_load(l, u"2004"_s).errors.empty());
    l.nikki[3] = u"書いた"_s;
    EXPECT_FALSE(diary_save(l, u"2004"_s));
    EXPECT_EQ(dir.read_lines(kDiary).at(3), u"書いた");
}

INSTANTIATE_TEST_SUITE_P(Ways, UnreadableFile,
                         ::testing::Values(Way::FolderAtTheName, Way::ReadFails));
