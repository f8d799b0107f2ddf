// A category's name and kind changed on a month of 1000 entries, as 変更 of the
// category settings does: the ledger recomputed, both grids following, the
// totals shown, and the events that follow (layout and painting) processed.
// Offscreen, so it runs without a display.
#include "common/month_edits.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "main_window/main_form.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

void write_month(const QString& folder) {
    auto l = std::make_unique<Ledger>();
    l->app_path = folder;
    settings_create(*l, QDate(2004, 3, 1));
    set_default_categories(*l);
    set_default_wallets(*l);
    l->dat_header = kSignature;
    l->nen = u"2004"_s;
    l->tuki = u"03"_s;
    l->kensu = kSyusiLimit;
    for (int i = 1; i <= kSyusiLimit; ++i)
        l->syusi[i] = {u"200403%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')),
                       QString::number(1 + i % 30), QString::number(100 + i * 7),
                       u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
    write_line_file(l->month_file_path(), month_file_lines(*l));
}

void BM_RefreshAfterCategorySettings(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    write_month(folder);
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = folder;
    Main_Form form(*ledger);
    form.set_splash_enabled(false);
    form.startup();
    form.show();
    QApplication::processEvents();
    if (ledger->kensu != kSyusiLimit)
        state.SkipWithError("the month did not load");
    bool income = false;
    for (auto _ : state) {
        // What the window leaves behind: a renamed category of another kind.
        income = !income;
        form.edits().change_category(11, income ? u"食費"_s : u"日常食品"_s,
                                     income ? u" 1 "_s : u"-1 "_s);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RefreshAfterCategorySettings)->Unit(benchmark::kMillisecond);

} // namespace
