// Copies kept before a save replaces a file, the thirty days they are kept,
// and putting one back.
#include "ledger/backup.h"
#include "ledger/clock.h"
#include "ledger/line_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMonth = u"~200403.dat"_s;

struct Backups : ::testing::Test {
    TempFolder dir;

    void TearDown() override {
        clock_set_today_for_tests(QDate());
        set_backup_failure_reporter(nullptr);
    }
    // A save of `bytes` over `name` on `day`.
    void save_on(const QDate& day, const QString& name, const QByteArray& bytes) {
        clock_set_today_for_tests(day);
        ASSERT_FALSE(write_file_bytes(dir.file(name), bytes));
    }
    QString kept(const QDate& day, const QString& name) const {
        return kBackupFolder + u'/' + day.toString(u"yyyy-MM-dd"_s) + u'/' + name;
    }
};

const QDate kMon(2004, 3, 15);

} // namespace

TEST_F(Backups, TheDaysFirstSaveKeepsTheFileItReplacesOnlyTheProgramsOwnFiles) {
    const struct {
        QString file;
        QString kept_as; // empty: not kept
    } cases[] = {
        {kMonth, kMonth},
        {u"kanvelo.ini"_s, u"kanvelo.ini"_s},
        {u"kanvelo2.ini"_s, u"kanvelo2.ini"_s},
        {u"日記2004.dat"_s, u"日記2004.dat"_s},
        {u"定期収支.txt"_s, u"定期収支.txt"_s},
        {u"自動分類.txt"_s, u"自動分類.txt"_s},
        {u"資産/sisan.dat"_s, u"sisan.dat"_s},
        {u"sisan.dat"_s, {}},
        {u"資産/m0000001.txt"_s, {}},
        {u"total.csv"_s, {}},
        {u"~200403.dat.damaged"_s, {}},
        {u"backup/2004-03-14/~200403.dat"_s, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        TempFolder fresh;
        QDir(fresh.path()).mkpath(QFileInfo(fresh.file(c.file)).path());
        const QString path = fresh.file(c.file);
        for (const auto& [day, bytes] : {std::pair{kMon, "first"},
                                         {kMon, "second"},
                                         {kMon, "third"},
                                         {kMon.addDays(1), "fourth"}}) {
            clock_set_today_for_tests(day);
            ASSERT_FALSE(write_file_bytes(path, bytes));
        }
        EXPECT_EQ(fresh.read_bytes(c.file), "fourth");
        if (c.kept_as.isEmpty()) {
            EXPECT_FALSE(fresh.exists(kept(kMon, {})));
            continue;
        }
        // Monday's copy is Monday's file before its first save, not after.
        EXPECT_EQ(fresh.read_bytes(kept(kMon, c.kept_as)), "first");
        EXPECT_EQ(fresh.read_bytes(kept(kMon.addDays(1), c.kept_as)), "third");
        EXPECT_EQ(backup_copies(path).size(), 2u);
    }
}

TEST_F(Backups, ThirtyOneDaysOfSavesKeepTheNewestThirtyAndNothingElseIsTouched) {
    QDir(dir.path()).mkpath(u"backup/notes"_s);
    QDir(dir.path()).mkpath(u"backup/2004-02-30"_s);
    dir.write_bytes(u"backup/readme.txt"_s, "mine");
    const QDate first(2004, 1, 1);
    for (int d = 0; d <= 31; ++d)
        save_on(first.addDays(d), kMonth, QByteArray::number(d));

    const QStringList days = backup_days(dir.path());
    ASSERT_EQ(days.size(), kBackupDays);
    EXPECT_EQ(days.front(), u"2004-01-03");
    EXPECT_EQ(days.back(), u"2004-02-01");
    EXPECT_EQ(dir.read_bytes(kept(first.addDays(31), kMonth)), "30");
    for (const char* other : {"backup/notes", "backup/2004-02-30", "backup/readme.txt"})
        EXPECT_TRUE(dir.exists(QString::fromUtf8(other))) << other;
}

TEST_F(Backups, PruningNeverFollowsALinkNorRemovesWhatTheProgramDidNotWrite) {
    enum class Link { OldestDay, InsideOldestDay, BackupFolder };
    for (const Link link : {Link::OldestDay, Link::InsideOldestDay, Link::BackupFolder}) {
        SCOPED_TRACE(static_cast<int>(link));
        TempFolder outside;
        TempFolder data;
        const auto put = [](const TempFolder& f, const QString& name, const QByteArray& bytes) {
            QDir(f.path()).mkpath(QFileInfo(f.file(name)).path());
            f.write_bytes(name, bytes);
        };
        const QByteArray photo("\x89PNG family photo", 17);
        put(outside, u"photos/p1.png"_s, photo);
        put(outside, u"photos/~200403.dat"_s, "looks like a copy");
        const QString canary = outside.file(u"photos"_s);
        const QString backup = data.file(kBackupFolder);
        if (link == Link::BackupFolder) {
            QDir(outside.path()).mkpath(u"elsewhere"_s);
            ASSERT_TRUE(QFile::link(outside.file(u"elsewhere"_s), backup));
            ASSERT_TRUE(QFile::link(canary, outside.file(u"elsewhere/2020-01-01"_s)));
        }
        const QDate first(2026, 11, 1);
        for (int d = 0; d < kBackupDays; ++d)
            put(data, kept(first.addDays(d), kMonth), "day " + QByteArray::number(d));
        if (link == Link::OldestDay) {
            ASSERT_TRUE(QFile::link(canary, backup + u"/2020-01-01"_s));
        }
        if (link == Link::InsideOldestDay) {
            ASSERT_TRUE(QFile::link(canary, data.file(kept(first, u"photos"_s))));
            ASSERT_TRUE(QFile::link(outside.file(u"photos/~200403.dat"_s),
                                    data.file(kept(first, u"kanvelo.ini"_s))));
        }
        data.write_bytes(kept(first, u"notes.txt"_s), "mine");
        data.write_bytes(kMonth, "before");

        clock_set_today_for_tests(first.addDays(kBackupDays));
        ASSERT_FALSE(write_file_bytes(data.file(kMonth), "saved"));

        EXPECT_EQ(outside.read_bytes(u"photos/p1.png"_s), photo);
        EXPECT_EQ(outside.read_bytes(u"photos/~200403.dat"_s), "looks like a copy");
        if (link == Link::OldestDay) {
            EXPECT_TRUE(QFileInfo(backup + u"/2020-01-01"_s).isSymLink());
            EXPECT_FALSE(data.exists(kept(first, kMonth)));
            EXPECT_EQ(data.read_bytes(kept(first.addDays(1), kMonth)), "day 1");
        }
        if (link == Link::InsideOldestDay) {
            EXPECT_FALSE(data.exists(kept(first, kMonth)));
            EXPECT_EQ(data.read_bytes(kept(first, u"notes.txt"_s)), "mine");
            EXPECT_TRUE(QFileInfo(data.file(kept(first, u"photos"_s))).isSymLink());
        }
        if (link == Link::BackupFolder) {
            EXPECT_EQ(data.read_bytes(kept(first, kMonth)), "day 0");
            EXPECT_EQ(data.read_bytes(kept(first, u"notes.txt"_s)), "mine");
        }
        EXPECT_EQ(data.read_bytes(kept(first.addDays(kBackupDays), kMonth)), "before");
    }
}

TEST_F(Backups, AFolderThatCannotHoldTheCopiesNeverStopsTheSaveAndIsReportedOnce) {
    for (const QString& blocker : {u"backup"_s, u"backup/2004-03-15"_s}) {
        TempFolder fresh;
        QDir(fresh.path()).mkpath(QFileInfo(fresh.file(blocker)).path());
        fresh.write_bytes(blocker, "a file, not a folder");
        std::vector<FileError> reports;
        set_backup_failure_reporter([&](const FileError& e) { reports.push_back(e); });
        clock_set_today_for_tests(kMon);
        for (const char* bytes : {"old", "new", "newer"}) {
            EXPECT_FALSE(write_file_bytes(fresh.file(kMonth), bytes));
            EXPECT_FALSE(write_file_bytes(fresh.file(u"kanvelo.ini"_s), bytes));
        }
        EXPECT_EQ(fresh.read_bytes(kMonth), "newer");
        ASSERT_EQ(reports.size(), 1u) << qPrintable(blocker);
        EXPECT_EQ(reports.front().path, fresh.file(blocker));
        // A restore that cannot keep the current file changes nothing.
        fresh.write_bytes(u"april"_s, "april");
        EXPECT_TRUE(restore_backup({kMon, 1, fresh.file(u"april"_s), {}}, fresh.file(kMonth)));
        EXPECT_EQ(fresh.read_bytes(kMonth), "newer");
    }
}

TEST_F(Backups, ARestorePutsBackTheExactBytesAndKeepsWhatItReplacesUnderTheNextNumber) {
    // Bytes the code page cannot decode must come back as they were.
    const QByteArray a = "@VER7.00\r\n2004\x85\x40\xfd\r\n";
    save_on(kMon.addDays(-1), kMonth, a);
    save_on(kMon.addDays(-1), kMonth, "b");
    save_on(kMon, kMonth, "c");
    dir.write_bytes(kept(kMon, u"~200403.dat.02"_s), "not a copy");
    const BackupCopy gone{kMon, 1, dir.file(u"backup/2001-01-01/~200403.dat"_s), {}};
    EXPECT_TRUE(restore_backup(gone, dir.file(kMonth)));
    EXPECT_EQ(dir.read_bytes(kMonth), "c");

    ASSERT_FALSE(restore_backup(backup_copies(dir.file(kMonth)).back(), dir.file(kMonth)));
    EXPECT_EQ(dir.read_bytes(kMonth), a);
    EXPECT_EQ(dir.read_bytes(kept(kMon, kMonth)), "b");
    EXPECT_EQ(dir.read_bytes(kept(kMon, u"~200403.dat.2"_s)), "c");
    // Undoing the restore keeps the restored file too; no copy is overwritten.
    ASSERT_FALSE(restore_backup(backup_copies(dir.file(kMonth)).front(), dir.file(kMonth)));
    EXPECT_EQ(dir.read_bytes(kMonth), "c");
    EXPECT_EQ(dir.read_bytes(kept(kMon, u"~200403.dat.3"_s)), a);
    EXPECT_EQ(backup_copies(dir.file(kMonth)).front().number, 3);
}
