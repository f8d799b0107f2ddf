#include "ledger/backup.h"
#include "ledger/clock.h"
#include "ledger/line_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMonth = u"~200403.dat"_s;
const QDate kToday(2004, 3, 15);
const QString kDay = u"backup/2004-03-15/"_s;

mode_t mode_of(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 07777;
    return st.st_mode & 07777;
}

struct PrivateFolder : ::testing::Test {
    TempFolder dir;
    std::vector<FileError> told;

    void SetUp() override {
        clock_set_today_for_tests(kToday);
        set_private_folder(dir.path());
        set_backup_failure_reporter([this](const FileError& e) { told.push_back(e); });
    }
    void TearDown() override {
        set_private_folder({});
        set_backup_failure_reporter(nullptr);
        fail_file_operation_for_tests(0);
        clock_set_today_for_tests(QDate());
    }
    void make(const QString& name, const QByteArray& bytes, mode_t mode) {
        dir.write_bytes(name, bytes);
        ::chmod(QFile::encodeName(dir.file(name)).constData(), mode);
    }
};

} // namespace

TEST_F(PrivateFolder, NewFilesAndFoldersAreTheOwnersAloneAndAReplacedFileKeepsItsMode) {
    const ::mode_t umask_was = ::umask(022);
    TempFolder elsewhere;
    const struct {
        const char* what;
        mode_t before; // 0: a new file
        QString path;  // relative to the data folder, or absolute
        QString copy;  // the backup copy it gets, relative
        mode_t after;
        mode_t copy_mode;
    } cases[] = {
        {"a new month", 0, kMonth, {}, 0600, 0},
        {"a month of 0640", 0640, kMonth, kDay + kMonth, 0640, 0600},
        {"settings of 0600", 0600, u"kanvelo.ini"_s, kDay + u"kanvelo.ini"_s, 0600, 0600},
        {"a diary of 0400", 0400, u"日記2004.dat"_s, kDay + u"日記2004.dat"_s, 0600, 0400},
        {"an export elsewhere", 0, elsewhere.file(u"total.csv"_s), {}, 0644, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path() + u"backup"_s).removeRecursively();
        const QString path = c.path.startsWith(u'/') ? c.path : dir.file(c.path);
        if (c.before)
            make(c.path, "old", c.before);
        else
            QFile::remove(path);
        ASSERT_FALSE(write_file_bytes(path, "new"));
        EXPECT_EQ(mode_of(path), c.after) << std::oct << mode_of(path);
        if (c.copy.isEmpty())
            continue;
        EXPECT_EQ(dir.read_bytes(c.copy), "old");
        EXPECT_EQ(mode_of(dir.file(c.copy)), c.copy_mode) << std::oct << mode_of(dir.file(c.copy));
    }
    ::umask(umask_was);
}

TEST_F(PrivateFolder, FoldersAreMadePrivateAlongTheWholePath) {
    const QString deep = dir.path() + u"a/b/kanvelo"_s;
    EXPECT_EQ(make_path_synced(deep), 0);
    for (const QString& f : {u"a"_s, u"a/b"_s, u"a/b/kanvelo"_s})
        EXPECT_EQ(mode_of(dir.file(f)), 0700u) << f.toStdString();
    EXPECT_EQ(make_path_synced(deep), 0);
    dir.write_bytes(u"file"_s, "x");
    EXPECT_EQ(make_folder_synced(dir.file(u"file"_s)), ENOTDIR);
}

TEST_F(PrivateFolder, AFullDiskSavesWithoutTheCopyAndSaysSoOnce) {
    const struct {
        int err;
        bool saved;
        bool copy_stays;
    } cases[] = {
        {ENOSPC, true, false},
        {EDQUOT, true, false},
        {EIO, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        QDir(dir.path() + u"backup"_s).removeRecursively();
        told.clear();
        set_backup_failure_reporter([this](const FileError& e) { told.push_back(e); });
        make(kMonth, "old", 0600);
        fail_file_operation_for_tests(2, c.err);
        const WriteResult r = write_file_bytes(dir.file(kMonth), "new");
        EXPECT_EQ(!r.has_value(), c.saved);
        EXPECT_EQ(dir.read_bytes(kMonth), c.saved ? "new" : "old");
        EXPECT_EQ(dir.exists(kDay + kMonth), c.copy_stays);
        EXPECT_EQ(QFileInfo::exists(dir.file(kDay)), c.copy_stays);
        ASSERT_EQ(told.size(), c.saved ? 1u : 0u);
        if (c.saved) {
            EXPECT_EQ(told.front().path, dir.file(kDay + kMonth));
            make(u"kanvelo.ini"_s, "old", 0600);
            fail_file_operation_for_tests(2, c.err);
            EXPECT_FALSE(write_file_bytes(dir.file(u"kanvelo.ini"_s), "new"));
            EXPECT_EQ(told.size(), 1u);
        }
    }
}

TEST_F(PrivateFolder, ASmallDiskFullOfTheCopyStillTakesTheSave) {
    const QString mount_point = dir.path() + u"disk"_s;
    QDir().mkpath(mount_point);
    if (::mount("tmpfs", QFile::encodeName(mount_point).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no permission to mount a small disk";
    // 24 KiB: the old file, its copy and the new file do not fit in 64 KiB.
    const QByteArray new_bytes(24 * 1024, 'n');
    dir.write_bytes(u"disk/"_s + kMonth, QByteArray(24 * 1024, 'o'));
    const WriteResult r = write_file_bytes(dir.file(u"disk/"_s + kMonth), new_bytes);
    const QByteArray now = dir.read_bytes(u"disk/"_s + kMonth);
    const bool copy_left = dir.exists(u"disk/"_s + kDay + kMonth);
    ::umount(QFile::encodeName(mount_point).constData());
    EXPECT_FALSE(r.has_value());
    EXPECT_TRUE(now == new_bytes);
    EXPECT_FALSE(copy_left);
    EXPECT_EQ(told.size(), 1u);
}
