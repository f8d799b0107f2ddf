// The chart window's figures and the window itself on twelve months of 300
// entries each: eleven month files read, the open month from the ledger.
#include "charts/graph_form.h"
#include "charts/graph_rules.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kanvelo;

namespace {

constexpr int kEntries = 300;

SyusiRec sample_entry(const QString& month, int i) {
    return {month + u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), QString::number(2 + i % 29),
            u"%L1"_s.arg(100 + i * 7), u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
}

void fill_month(Ledger& ledger, const QString& nen, const QString& tuki) {
    ledger.nen = nen;
    ledger.tuki = tuki;
    ledger.ledger_reset_month();
    for (int i = 1; i <= kEntries; ++i)
        ledger.add_entry(sample_entry(nen + tuki, i));
}

// Twelve months up to 2007/03 in `dir`; the ledger is left on 2007/03.
std::unique_ptr<Ledger> twelve_months_in(const QTemporaryDir& dir) {
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = dir.path() + u'/';
    set_default_categories(*ledger);
    set_default_wallets(*ledger);
    ledger->dat_header = kSignature;
    for (int m = 0; m < kGraphMonths; ++m) {
        const int month = 4 + m; // 2006/04 .. 2007/03
        fill_month(*ledger, QString::number(month > 12 ? 2007 : 2006),
                   u"%1"_s.arg((month - 1) % 12 + 1, 2, 10, QChar(u'0')));
        write_line_file(ledger->month_file_path(), month_file_lines(*ledger));
    }
    return ledger;
}

void BM_TwelveMonthFigures(benchmark::State& state) {
    QTemporaryDir dir;
    auto ledger = twelve_months_in(dir);
    for (auto _ : state) {
        const std::vector<MonthFigures> months = twelve_months(*ledger);
        if (!months.front().has_figures())
            state.SkipWithError("a month was not read");
        benchmark::DoNotOptimize(months.front().sisyutu);
    }
}
BENCHMARK(BM_TwelveMonthFigures)->Unit(benchmark::kMillisecond);

// What the user waits for: the window built, shown and painted once, on the
// twelve-month chart.
void BM_GraphFormOpen(benchmark::State& state) {
    QTemporaryDir dir;
    auto ledger = twelve_months_in(dir);
    for (auto _ : state) {
        GraphForm form(*ledger);
        form.findChild<QTabWidget*>()->setCurrentIndex(1);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.grab().width());
    }
}
BENCHMARK(BM_GraphFormOpen)->Unit(benchmark::kMillisecond);

} // namespace
