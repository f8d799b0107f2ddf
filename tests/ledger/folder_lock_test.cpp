#include "ledger/folder_lock.h"
#include "ledger/line_file.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

TEST(FolderLock, OneHolderAtATimeAndTheFolderIsFreeAgainOnceReleased) {
    TempFolder dir;
    FolderLock first(dir.path());
    ASSERT_TRUE(first.take());
    EXPECT_TRUE(first.take());
    EXPECT_EQ(QFileInfo(dir.file(kLockFile)).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

    for (const QString& folder : {dir.path(), dir.path().chopped(1)}) {
        FolderLock second(folder);
        EXPECT_FALSE(second.take());
        const auto holder = second.holder();
        ASSERT_TRUE(holder.has_value());
        EXPECT_EQ(holder->pid, QCoreApplication::applicationPid());
    }

    first.release();
    EXPECT_FALSE(QFileInfo::exists(dir.file(kLockFile)));
    FolderLock third(dir.path());
    EXPECT_TRUE(third.take());
}

TEST(FolderLock, AnOldLockOfAnotherComputerIsNotTakenOver) {
    TempFolder dir;
    dir.write_bytes(kLockFile, "1\nkanvelo\nanother-computer\n"); // pid, program, host
    set_modified(dir.file(kLockFile), QDateTime::currentDateTime().addDays(-30));
    EXPECT_FALSE(FolderLock(dir.path()).take());
}

TEST(ReadOnlyFolder, EveryWriteUnderTheFolderIsRefusedAndTheFilesStayAsTheyWere) {
    TempFolder dir;
    TempFolder elsewhere;
    dir.write_bytes(u"~200403.dat"_s, "old");
    const QString why = u"読み取り専用で開いているので、保存できません"_s;
    refuse_writes_under(dir.path().chopped(1), why);
    const struct {
        QString path;
        bool refused;
    } cases[] = {
        {dir.file(u"~200403.dat"_s), true},
        {dir.file(u"kanvelo.ini"_s), true},
        {dir.file(u"資産/sisan.dat"_s), true},
        {dir.file(u"backup/2004-03-15/~200403.dat"_s), true},
        {elsewhere.file(u"total.csv"_s), false},
        {dir.path().chopped(1) + u"-other/x.csv"_s, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const WriteResult r = write_file_bytes(c.path, "new");
        if (c.refused) {
            ASSERT_TRUE(r.has_value());
            EXPECT_EQ(r->detail, why);
            EXPECT_EQ(r->path, c.path);
        } else {
            EXPECT_FALSE(r.has_value() && r->detail == why);
        }
    }
    refuse_writes_under({}, {});
    EXPECT_EQ(dir.read_bytes(u"~200403.dat"_s), "old");
    EXPECT_FALSE(dir.exists(u"kanvelo.ini"_s));
    EXPECT_FALSE(write_file_bytes(dir.file(u"~200403.dat"_s), "new"));
    EXPECT_EQ(dir.read_bytes(u"~200403.dat"_s), "new");
}
