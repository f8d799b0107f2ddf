// Reading, deriving and writing a month of 1000 entries (with and without the
// disk, clean and damaged), reading ten years of other months through the
// shared reader, the backup copy a save makes, and what the folder's lock and
// the check against changes on the disk add to a save and to the start.
#include "ledger/clock.h"
#include "ledger/disk_state.h"
#include "ledger/folder_lock.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/other_month.h"
#include "ledger/settings_file.h"
#include "ledger/sync_conflicts.h"
#include "ledger/values.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

QStringList month_lines(int entries) {
    Ledger l;
    set_default_categories(l);
    set_default_wallets(l);
    l.dat_header = kSignature;
    l.kensu = entries;
    for (int i = 1; i <= entries; ++i)
        l.syusi[i] = {u"200403%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')),
                      QString::number(2 + i % 28), QString::number(100 + i * 7),
                      u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
    return month_file_lines(l);
}

// A ledger on March 2004 in `dir`, whose month file holds 1000 entries.
void month_of_1000(Ledger& l, const QTemporaryDir& dir) {
    set_default_categories(l);
    set_default_wallets(l);
    l.app_path = dir.path() + u'/';
    l.nen = u"2004"_s;
    l.tuki = u"03"_s;
    write_line_file(l.month_file_path(), month_lines(1000));
}

void BM_MonthReadAndWrite(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    for (auto _ : state) {
        ReadReport r = month_file_read(l);
        benchmark::DoNotOptimize(r);
        if (month_file_write(l))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_MonthReadAndWrite)->Unit(benchmark::kMillisecond);

// The same month without the disk: what the save costs before its syncs.
void BM_MonthReadAndEncode(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    for (auto _ : state) {
        ReadReport r = month_file_read(l);
        benchmark::DoNotOptimize(r);
        auto bytes = encode_cp932(month_file_lines(l).join(u"\r\n"_s));
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_MonthReadAndEncode)->Unit(benchmark::kMillisecond);

// A month of 1000 entries where every tenth description holds a byte pair the
// code page cannot decode: those lines take the slow path.
void BM_DamagedMonthRead(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    QByteArray bytes;
    const QStringList lines = month_lines(1000);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bytes += *encode_cp932(lines.at(i));
        if (i > 181 && (i - 181) % 50 == 3)
            bytes += "\x85\x40";
        bytes += "\r\n";
    }
    QFile f(l.month_file_path());
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        state.SkipWithError("could not write the month");
    f.close();
    for (auto _ : state) {
        ReadReport r = month_file_read(l);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_DamagedMonthRead)->Unit(benchmark::kMillisecond);

void BM_Read120OtherMonths(benchmark::State& state) {
    QTemporaryDir dir;
    const QStringList lines = month_lines(300);
    QStringList paths;
    for (int m = 0; m < 120; ++m) {
        paths << dir.path() + u"/~%1.dat"_s.arg(199501 + (m / 12) * 100 + m % 12);
        write_line_file(paths.last(), lines);
    }
    for (auto _ : state) {
        double total = 0;
        for (const QString& p : paths)
            for (const SyusiRec& s : read_other_month(p).syusi)
                total += number_or_zero(s.kingaku);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Read120OtherMonths)->Unit(benchmark::kMillisecond);

// A save of the month that today's backup folder already holds a copy of, and
// the first save of a new day: the copy of the file it replaces, and the
// oldest day removed once there are more than thirty.
void BM_SaveLaterTheSameDay(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    clock_set_today_for_tests(QDate(2004, 3, 1));
    for (auto _ : state)
        if (month_file_write(l))
            state.SkipWithError("write failed");
    clock_set_today_for_tests(QDate());
}
BENCHMARK(BM_SaveLaterTheSameDay)->Unit(benchmark::kMillisecond);

void BM_FirstSaveOfTheDay(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    QDate day(2004, 3, 1);
    for (auto _ : state) {
        clock_set_today_for_tests(day);
        day = day.addDays(1);
        if (month_file_write(l))
            state.SkipWithError("write failed");
    }
    clock_set_today_for_tests(QDate());
}
BENCHMARK(BM_FirstSaveOfTheDay)->Unit(benchmark::kMillisecond)->Iterations(100);

// What the check against changes on the disk adds to a save of 1000 entries:
// the look before (size and time; the hash only when they differ) and the
// record after. Arg 0: the file as left; 1: touched, so the bytes are hashed.
void BM_DiskChangeCheckAroundASave(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    const QString path = l.month_file_path();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    remember_written(path, bytes);
    const bool touched = state.range(0) == 1;
    for (auto _ : state) {
        if (touched) {
            state.PauseTiming();
            remember_disk_state(path, 0, bytes);
            state.ResumeTiming();
        }
        if (changed_on_disk(path))
            state.SkipWithError("seen as changed");
        remember_written(path, bytes);
    }
    forget_disk_states();
}
BENCHMARK(BM_DiskChangeCheckAroundASave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the start adds: the lock taken (and given back at the end), the hash
// of the month read, and the look for sync tools' copies in a folder of ten
// years of months. Arg 0: the lock alone.
void BM_StartLockAndChecks(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    month_of_1000(l, dir);
    for (int m = 0; m < 120; ++m)
        QFile(dir.path() + u"/~%1.dat"_s.arg(199501 + (m / 12) * 100 + m % 12))
            .open(QIODevice::WriteOnly);
    QFile f(l.month_file_path());
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    const bool lock_only = state.range(0) == 0;
    for (auto _ : state) {
        FolderLock lock(dir.path());
        if (!lock.take())
            state.SkipWithError("lock not taken");
        if (lock_only)
            continue;
        remember_disk_state(l.month_file_path(), 0, bytes);
        auto copies =
            sync_conflict_copies(dir.path() + u'/', {u"~200403.dat"_s, kSettingsFile, kWindowFile});
        benchmark::DoNotOptimize(copies);
    }
    forget_disk_states();
}
BENCHMARK(BM_StartLockAndChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
