// Changing recorded entries on a month of 1000: each of the three sorts with
// the entries grid rebuilt and repainted, one correction step (write-back,
// the grids following, the next entry loaded), one entry recorded, and undo
// and redo of a sort and of a deletion. Runs offscreen unless QT_QPA_PLATFORM
// says otherwise.
#include "common/month_edits.h"
#include "editing/teisei_form.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "main_window/main_form.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

// The main window on a month of 1000 entries in a folder of its own.
struct FullMonth {
    QTemporaryDir dir;
    std::unique_ptr<Ledger> ledger = std::make_unique<Ledger>();
    std::unique_ptr<Main_Form> form;

    FullMonth() {
        ledger->app_path = dir.path() + u'/';
        settings_create(*ledger, QDate(2004, 3, 1));
        ledger->dat_header = kSignature;
        ledger->kensu = kSyusiLimit;
        for (int i = 1; i <= kSyusiLimit; ++i)
            ledger->syusi[i] = {u"200403%1"_s.arg(1 + i * 7 % 28, 2, 10, QChar(u'0')),
                                QString::number(2 + i * 11 % 28),
                                QString::number(100 + i * 37 % 5000),
                                u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
        write_line_file(ledger->month_file_path(), month_file_lines(*ledger));
        form = std::make_unique<Main_Form>(*ledger);
        form->set_splash_enabled(false);
        form->set_on_end([] {});
        form->startup();
        form->show();
        QApplication::processEvents();
    }
};

void shuffle(Ledger& l, std::mt19937& random) {
    std::vector<int> order(l.kensu);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), random);
    l.reorder_entries(order);
}

template <void (Main_Form::*sort)()> void BM_SortAndRebuild(benchmark::State& state) {
    FullMonth month;
    std::mt19937 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        shuffle(*month.ledger, random);
        state.ResumeTiming();
        (month.form.get()->*sort)();
        QApplication::processEvents(); // the repaint of the rebuilt grid
    }
}
BENCHMARK(BM_SortAndRebuild<&Main_Form::menu_sort_hiduke>)
    ->Name("BM_SortAndRebuild/hiduke")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAndRebuild<&Main_Form::menu_sort_himoku>)
    ->Name("BM_SortAndRebuild/himoku")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAndRebuild<&Main_Form::menu_sort_kingaku>)
    ->Name("BM_SortAndRebuild/kingaku")
    ->Unit(benchmark::kMillisecond);

// 次のデータへ and 前のデータへ in turn, each with a changed amount written back.
void BM_CorrectionStep(benchmark::State& state) {
    FullMonth month;
    TeiseiForm window(month.form->edits(), 500, month.form.get());
    auto* kingaku = window.findChild<QLineEdit*>(u"Teisei_Kingaku"_s);
    auto* tugi = window.findChild<QPushButton*>(u"teisei_tugi"_s);
    auto* mae = window.findChild<QPushButton*>(u"teisei_mae"_s);
    int n = 0;
    for (auto _ : state) {
        kingaku->setText(QString::number(1000 + n % 7));
        (n % 2 == 0 ? tugi : mae)->click();
        QApplication::processEvents(); // the repaint of the changed row and totals
        ++n;
    }
    if (window.teisei_no() < 500 || window.teisei_no() > 501)
        state.SkipWithError("the window did not step");
}
BENCHMARK(BM_CorrectionStep)->Unit(benchmark::kMicrosecond);

// One entry recorded on a month of 999 with the grids and totals following.
void BM_RecordEntry(benchmark::State& state) {
    FullMonth month;
    const SyusiRec entry{u"20040315"_s, u"12"_s, u"1,200"_s, u"スーパー"_s, u"0"_s};
    MonthEdits& edits = month.form->edits();
    for (auto _ : state) {
        state.PauseTiming();
        edits.remove_entry(month.ledger->kensu);
        QApplication::processEvents();
        state.ResumeTiming();
        edits.add_entry(entry);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecordEntry)->Unit(benchmark::kMicrosecond);

// 元に戻す and やり直し of one step on a month of 1000, the grids following:
// a sort (every row rewritten) and a deletion (one row out and back in).
void BM_UndoRedoSort(benchmark::State& state) {
    FullMonth month;
    std::mt19937 random(7);
    shuffle(*month.ledger, random);
    month.form->menu_sort_kingaku();
    QApplication::processEvents();
    QUndoStack& history = month.form->edits().history();
    for (auto _ : state) {
        history.undo();
        QApplication::processEvents();
        history.redo();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_UndoRedoSort)->Unit(benchmark::kMillisecond);

void BM_UndoRedoDeletion(benchmark::State& state) {
    FullMonth month;
    month.form->edits().remove_entry(500);
    QApplication::processEvents();
    QUndoStack& history = month.form->edits().history();
    for (auto _ : state) {
        history.undo();
        QApplication::processEvents();
        history.redo();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_UndoRedoDeletion)->Unit(benchmark::kMicrosecond);

} // namespace
