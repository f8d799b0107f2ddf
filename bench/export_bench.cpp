// The two exports at their sizes: TOTAL.CSV over ten years of months of 300
// entries each, read through the shared reader; the entries file of a full
// month. Each with and without the atomic write to the disk.
#include "ledger/export_files.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

void fill_month(Ledger& l, int entries) {
    set_default_categories(l);
    set_default_wallets(l);
    l.dat_header = kSignature;
    l.ledger_reset_month();
    for (int i = 1; i <= entries; ++i)
        l.add_entry({u"200403%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), QString::number(1 + i % 30),
                     format_number(100 + i * 7, u"#,##0"_s), u"スーパーで食料品 %1"_s.arg(i),
                     QString::number(i % 15)});
}

struct TenYears {
    QTemporaryDir dir;
    QString folder = dir.path() + u'/';
    TenYears() {
        Ledger l;
        fill_month(l, 300);
        const QStringList lines = month_file_lines(l);
        for (const CalendarMonth& m : months_between({1995, 1}, {2004, 12}))
            write_line_file(folder + month_file_name_of(m), lines);
    }
};

void BM_TotalsOf120Months(benchmark::State& state) {
    TenYears months;
    for (auto _ : state) {
        CategoryTotals t = category_totals(months.folder, {1995, 1}, {2004, 12});
        if (t.error || t.columns.size() != 120)
            state.SkipWithError("the months did not read");
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_TotalsOf120Months)->Unit(benchmark::kMillisecond);

void BM_TotalsOf120MonthsWritten(benchmark::State& state) {
    TenYears months;
    for (auto _ : state) {
        CategoryTotals t = category_totals(months.folder, {1995, 1}, {2004, 12});
        if (write_category_totals(months.folder, t.lines))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_TotalsOf120MonthsWritten)->Unit(benchmark::kMillisecond);

// Every year the spinners reach, almost all of them without a file.
void BM_TotalsOverEveryYear(benchmark::State& state) {
    TenYears months;
    for (auto _ : state) {
        CategoryTotals t = category_totals(months.folder, {1900, 1}, {3000, 12});
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_TotalsOverEveryYear)->Unit(benchmark::kMillisecond);

void BM_EntriesLinesOf1000(benchmark::State& state) {
    Ledger l;
    fill_month(l, 1000);
    for (auto _ : state) {
        auto bytes = encode_cp932(entries_lines(l).join(u"\r\n"_s));
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_EntriesLinesOf1000)->Unit(benchmark::kMillisecond);

void BM_EntriesFileOf1000Written(benchmark::State& state) {
    QTemporaryDir dir;
    Ledger l;
    fill_month(l, 1000);
    l.app_path = dir.path() + u'/';
    l.nen = u"2004"_s;
    l.tuki = u"03"_s;
    for (auto _ : state)
        if (write_entries_file(l))
            state.SkipWithError("write failed");
}
BENCHMARK(BM_EntriesFileOf1000Written)->Unit(benchmark::kMillisecond);

} // namespace
