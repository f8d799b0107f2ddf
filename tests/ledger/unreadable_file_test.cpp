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
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

// Two ways a file stands at its name without being readable that also stop
// root: a folder of that name, and a read that fails.
enum class Way { FolderAtTheName, ReadFails };

struct UnreadableFile : ::testing::TestWithParam<Way> {
    TempFolder dir;
    Ledger l;
    void SetUp() override { l.app_path = dir.path(); }
    void TearDown() override { fail_file_read_for_tests(0); }

    // `name` exists from now on, and its read number `nth` fails.
    void make_unreadable(const QString& name, int nth) {
        if (GetParam() == Way::FolderAtTheName) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(name));
        } else {
            dir.write_bytes(name, kKept);
            fail_file_read_for_tests(nth);
        }
    }
    void make_readable(const QString& name, const QStringList& lines) {
        fail_file_read_for_tests(0);
        if (GetParam() == Way::FolderAtTheName) {
            ASSERT_TRUE(QDir(dir.path()).rmdir(name));
        }
        dir.write_lines(name, lines);
    }
    // The file is still what it was before the program touched it.
    void expect_kept(const QString& name) {
        if (GetParam() == Way::FolderAtTheName) {
            EXPECT_TRUE(QFileInfo(dir.file(name)).isDir()) << qPrintable(name);
        } else {
            EXPECT_EQ(dir.read_bytes(name), kKept) << qPrintable(name);
        }
    }
    static bool names_unreadable(const FileErrors& errors, const QString& path) {
        for (const FileError& e : errors)
            if (e.path == path && e.detail.contains(QStringLiteral("読み込めません")))
                return true;
        return false;
    }
    static void expect_refused(const WriteResult& r, const QString& path) {
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->path, path);
        EXPECT_TRUE(r->detail.contains(QStringLiteral("上書きしないで残しています")));
    }

    const QByteArray kKept = "kept as it is\r\n";
};

const QString kMarch = QStringLiteral("~200403.dat");

} // namespace

TEST_P(UnreadableFile, SettingsFileIsReportedKeptAndNotSavedOver) {
    make_unreadable(kSettingsFile, 1);
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    EXPECT_TRUE(names_unreadable(errors, dir.file(kSettingsFile)));
    expect_kept(kSettingsFile);
    // The month of today opens on the default names held in memory.
    EXPECT_EQ(l.tuki, u"04");
    EXPECT_EQ(l.himoku[0].name, u"繰り越し");
    expect_refused(settings_write(l), dir.file(kSettingsFile));
    expect_refused(ledger_save_month(l), dir.file(kSettingsFile));
    expect_kept(kSettingsFile);

    // Once it reads, the mark is gone and saving works again.
    make_readable(kSettingsFile, settings_file_for(QStringLiteral("2004"), QStringLiteral("03")));
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_EQ(l.tuki, u"03");
    EXPECT_FALSE(settings_write(l));
}

TEST_P(UnreadableFile, MonthFileIsReportedKeptAndNotSavedOver) {
    dir.write_lines(kSettingsFile, settings_file_for(QStringLiteral("2004"), QStringLiteral("03")));
    make_unreadable(kMarch, 2);
    l.kensu = 3; // an earlier month must not show through
    FileErrors errors = ledger_load(l, QDate(2004, 4, 15));
    EXPECT_TRUE(names_unreadable(errors, dir.file(kMarch)));
    EXPECT_EQ(l.kensu, 0);
    expect_kept(kMarch);
    expect_refused(month_file_write(l), dir.file(kMarch));
    expect_refused(ledger_save_month(l), dir.file(kMarch));
    expect_kept(kMarch);

    make_readable(kMarch, month_file_with({entry("20040301", "12", "1,000", "a", "0")}));
    EXPECT_TRUE(ledger_load(l, QDate(2004, 4, 15)).empty());
    EXPECT_EQ(l.kensu, 1);
    EXPECT_FALSE(ledger_save_month(l));
}

TEST_P(UnreadableFile, DiaryIsReportedKeptAndNotSavedOver) {
    const QString name = QStringLiteral("日記2004.dat");
    make_unreadable(name, 1);
    l.nikki[3] = QStringLiteral("前の年");
    WriteResult created;
    ReadReport r = diary_load(l, QStringLiteral("2004"), &created);
    EXPECT_FALSE(created);
    EXPECT_TRUE(r.unreadable);
    EXPECT_FALSE(r.missing);
    EXPECT_TRUE(names_unreadable(r.errors, dir.file(name)));
    EXPECT_EQ(l.nikki[3], u"");
    expect_kept(name);
    l.nikki[3] = QStringLiteral("書いた");
    expect_refused(diary_save(l, QStringLiteral("2004")), dir.file(name));
    expect_kept(name);

    make_readable(name, QStringList(kNikkiSlots, QString()));
    EXPECT_TRUE(diary_load(l, QStringLiteral("2004")).errors.empty());
    l.nikki[3] = QStringLiteral("書いた");
    EXPECT_FALSE(diary_save(l, QStringLiteral("2004")));
    EXPECT_EQ(dir.read_lines(name).at(3), u"書いた");
}

INSTANTIATE_TEST_SUITE_P(Ways, UnreadableFile,
                         ::testing::Values(Way::FolderAtTheName, Way::ReadFails));
