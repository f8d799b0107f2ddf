#include "crash/loop_months.h"
#include "ledger/folder_lock.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/stray_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

QByteArray month_bytes(char version) {
    MemoryFiles files;
    use_memory_files_for_tests(&files);
    auto l = std::make_unique<Ledger>();
    fill_loop_month(*l, u"/loop/"_s, version);
    month_file_write(*l);
    use_memory_files_for_tests(nullptr);
    return files.value(l->month_file_path());
}

int kills_asked() {
    const int asked = qEnvironmentVariableIntValue("KANVELO_CRASH_KILLS");
    return asked > 0 ? asked : 100;
}

} // namespace

// A save killed at any moment leaves the month file whole: the old content or
// the new, never a mixture, a cut or nothing; and the temporary file it may
// leave behind is cleaned up at the next start.
TEST(CrashTest, AKilledSaveLeavesOneWholeMonthAndNoStrayFileAfterCleanUp) {
    const QByteArray a = month_bytes('A');
    const QByteArray b = month_bytes('B');
    ASSERT_NE(a, b);
    TempFolder dir;
    const QString month = dir.file(u"~200403.dat"_s);
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);

    const int trials = kills_asked();
    int partial = 0;
    int stray_left = 0;
    int stray_removed = 0;
    for (int t = 0; t < trials; ++t) {
        QProcess loop;
        loop.start(QStringLiteral(KANVELO_SAVE_LOOP), {dir.path()});
        ASSERT_TRUE(loop.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(month) && waited.elapsed() < 10000)
            QThread::msleep(1);
        QThread::usleep(random.bounded(1000, 40000));
        ::kill(pid_t(loop.processId()), SIGKILL);
        loop.waitForFinished();
        const QByteArray now = dir.read_bytes(u"~200403.dat"_s);
        if (now != a && now != b)
            ++partial;
        stray_removed += int(
            remove_stray_temporaries(dir.path(), QDateTime::currentDateTime().addSecs(1)).size());
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            if (name != u"~200403.dat")
                ++stray_left;
    }
    std::printf("crash test: %d kills, %d partial month files, %d stray temporary files removed, "
                "%d left after the clean-up (seed %u)\n",
                trials, partial, stray_removed, stray_left, seed);
    EXPECT_EQ(partial, 0) << "seed " << seed;
    EXPECT_EQ(stray_left, 0) << "seed " << seed;
}

TEST(CrashTest, AKilledSaveHoldingTheLockLeavesTheFolderToTheNextStart) {
    TempFolder dir;
    QProcess loop;
    loop.start(QStringLiteral(KANVELO_SAVE_LOOP), {dir.path(), u"--lock"_s});
    ASSERT_TRUE(loop.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (!dir.exists(u"~200403.dat"_s) && waited.elapsed() < 10000)
        QThread::msleep(1);
    ASSERT_TRUE(dir.exists(u"~200403.dat"_s)) << loop.readAllStandardError().toStdString();

    FolderLock second(dir.path());
    EXPECT_FALSE(second.take());
    const auto holder = second.holder();
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, loop.processId());

    QThread::usleep(QRandomGenerator::global()->bounded(1000, 40000));
    ::kill(pid_t(loop.processId()), SIGKILL);
    loop.waitForFinished();
    EXPECT_TRUE(FolderLock(dir.path()).take());
}

TEST(StrayFiles, OnlyTheProgramsOwnOldTemporaryFilesAreRemoved) {
    const struct {
        const char* name;
        bool removed;
    } cases[] = {
        {"~200403.dat.Ab12Cd", true},   {"kanvelo.ini.x1Y2z3", true},
        {"kanvelo2.ini.QWERTY", true},  {"sisan.dat.abc123", true},
        {"~200403.dat", false},         {"kanvelo.ini", false},
        {"notes.txt.Ab12Cd", false},    {"~200403.dat.Ab12C", false},
        {"~2004.dat.Ab12Cd", false},    {"~200403.dat.damaged", false},
        {"~200403.dat.2.Ab12Cd", true}, {"~200403.dat.2", false},
    };
    TempFolder dir;
    for (const auto& c : cases)
        dir.write_bytes(QString::fromUtf8(c.name), "x");
    dir.write_bytes(u"日記2004.dat.a1b2c3"_s, "x");
    // A temporary file newer than the start is a save of this run: kept.
    const QStringList removed =
        remove_stray_temporaries(dir.path(), QDateTime::currentDateTime().addSecs(-60));
    EXPECT_TRUE(removed.isEmpty());
    remove_stray_temporaries(dir.path(), QDateTime::currentDateTime().addSecs(1));
    for (const auto& c : cases)
        EXPECT_EQ(dir.exists(QString::fromUtf8(c.name)), !c.removed) << c.name;
    EXPECT_FALSE(dir.exists(u"日記2004.dat.a1b2c3"_s));
}
