// A search over ten years of months: 120 month files of 300 entries each in
// one folder, the open month one of them; and the same search in the window,
// its grid filled with the 7,200 hits and drawn, and with all 36,000 entries.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/search.h"
#include "ledger/settings_file.h"
#include "search/kensaku_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

const QString kTekiyo[] = {u"スーパーで食料品"_s, u"ｺﾝﾋﾞﾆ 弁当"_s, u"Amazon 本"_s, u"電気代"_s,
                           u"ランチ 同僚と"_s};

struct TenYears {
    QTemporaryDir dir;
    Ledger ledger;

    TenYears() {
        set_default_categories(ledger);
        set_default_wallets(ledger);
        ledger.dat_header = kSignature;
        ledger.app_path = dir.path() + u'/';
        for (int m = 0; m < 120; ++m) {
            ledger.nen = QString::number(1995 + m / 12);
            ledger.tuki = u"%1"_s.arg(m % 12 + 1, 2, 10, QChar(u'0'));
            ledger.kensu = 300;
            for (int i = 1; i <= 300; ++i)
                ledger.syusi[i] = {
                    ledger.nen + ledger.tuki + u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')),
                    QString::number(2 + i % 28), QString::number(100 + i * 7),
                    kTekiyo[i % 5] + u' ' + QString::number(i), QString::number(i % 15)};
            write_line_file(ledger.month_file_path(), month_file_lines(ledger));
        }
        ledger.recompute();
    }
};

void run(benchmark::State& state, const SearchQuery& query) {
    TenYears months;
    std::size_t hits = 0;
    for (auto _ : state) {
        const SearchResult r = search_months(months.ledger, query);
        hits = r.hits.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["hits"] = double(hits);
}

void BM_SearchText(benchmark::State& state) {
    run(state, {u"スーパー"_s, {}, {}, {}, {}, {}});
}
BENCHMARK(BM_SearchText)->Unit(benchmark::kMillisecond);

// Text in full-width letters, compared in every description's folded form.
void BM_SearchWideText(benchmark::State& state) {
    run(state, {u"ＡＭＡＺＯＮ"_s, {}, {}, {}, {}, {}});
}
BENCHMARK(BM_SearchWideText)->Unit(benchmark::kMillisecond);

void BM_SearchAmountAndDates(benchmark::State& state) {
    run(state, {{}, 1000.0, 1500.0, u"19990401"_s, u"20010331"_s, {}});
}
BENCHMARK(BM_SearchAmountAndDates)->Unit(benchmark::kMillisecond);

// The window searching for `text` typed into `box`, its grid filled and drawn.
void run_window(benchmark::State& state, const QString& box, const QString& text) {
    TenYears months;
    KensakuForm window(months.ledger);
    window.show();
    window.findChild<QLineEdit*>(box)->setText(text);
    for (auto _ : state) {
        window.search();
        QApplication::processEvents(); // the repaint of the filled grid
    }
    state.counters["hits"] =
        double(window.findChild<QAbstractItemView*>(u"kensaku_grid"_s)->model()->rowCount());
}

void BM_SearchWindowText(benchmark::State& state) {
    run_window(state, u"kensaku_moji"_s, u"スーパー"_s);
}
BENCHMARK(BM_SearchWindowText)->Unit(benchmark::kMillisecond);

// Every entry of the ten years a hit (36,000): the window shows them through
// its model, which makes only the rows drawn.
void BM_SearchWindowEveryEntry(benchmark::State& state) {
    run_window(state, u"kensaku_kingaku_from"_s, u"1"_s);
}
BENCHMARK(BM_SearchWindowEveryEntry)->Unit(benchmark::kMillisecond);

} // namespace
