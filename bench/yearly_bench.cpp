// The year table on twelve months of 1000 entries each: eleven month files
// read, the open month from the ledger; the figures alone, and the window
// built, shown and painted once (offscreen).
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "yearly/nenkan_form.h"
#include "yearly/nenkan_rules.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kanvelo;

namespace {

constexpr int kEntries = 1000;

SyusiRec sample_entry(const QString& month, int i) {
    return {month + u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), QString::number(1 + i % 30),
            u"%L1"_s.arg(100 + i * 7), u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
}

// 2006/01 .. 2006/12 in `dir`, each month full; the ledger is left on 2006/12,
// so that the window's first view (the open month's year) has all twelve.
std::unique_ptr<Ledger> twelve_full_months_in(const QTemporaryDir& dir) {
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = dir.path() + u'/';
    set_default_categories(*ledger);
    set_default_wallets(*ledger);
    ledger->dat_header = kSignature;
    for (int m = 0; m < kNenkanMonths; ++m) {
        ledger->nen = u"2006"_s;
        ledger->tuki = u"%1"_s.arg(m + 1, 2, 10, QChar(u'0'));
        ledger->ledger_reset_month();
        for (int i = 1; i <= kEntries; ++i)
            ledger->add_entry(sample_entry(ledger->nen + ledger->tuki, i));
        write_line_file(ledger->month_file_path(), month_file_lines(*ledger));
    }
    return ledger;
}

void BM_YearTableFigures(benchmark::State& state) {
    QTemporaryDir dir;
    auto ledger = twelve_full_months_in(dir);
    for (auto _ : state) {
        const NenkanTable table = nenkan_table(*ledger, NenkanSpan::UpToOpenMonth, 2006);
        if (!table.months.front().has_figures())
            state.SkipWithError("a month was not read");
        benchmark::DoNotOptimize(table.year_total(kNenkanSisyutuRow));
    }
}
BENCHMARK(BM_YearTableFigures)->Unit(benchmark::kMillisecond);

// What the user waits for after 年間収支表: the window on the open month's
// year, shown and painted once.
void BM_YearTableOpen(benchmark::State& state) {
    QTemporaryDir dir;
    auto ledger = twelve_full_months_in(dir);
    for (auto _ : state) {
        NenkanForm form(*ledger);
        if (!form.table().months.front().has_figures())
            state.SkipWithError("a month was not read");
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.grab().width());
    }
}
BENCHMARK(BM_YearTableOpen)->Unit(benchmark::kMillisecond);

} // namespace
