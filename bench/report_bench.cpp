// The daily statement of a full month rendered to PDF, and the budget window
// opened on a full month beside two full comparison months.
#include "budget/yosan_form.h"
#include "common/month_edits.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "platform/message_box.h"
#include "platform/printing.h"
#include "reports/print_layout.h"

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kanvelo;

namespace {

SyusiRec sample_entry(const QString& month, int i) {
    return {month + u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), QString::number(2 + i % 29),
            u"%L1"_s.arg(100 + i * 7), u"スーパーで食料品 %1"_s.arg(i), QString::number(i % 15)};
}

StatementData full_month() {
    StatementData d{u"2004"_s, u"03"_s, {u"日"_s, u"費目"_s, u"金額"_s, u"摘要"_s}, {}, 0, 0, true};
    for (int i = 1; i <= kSyusiLimit; ++i) {
        const SyusiRec s = sample_entry(u"200403"_s, i);
        d.rows.append({s.hiduke.right(2), u"日常食品"_s, s.kingaku, s.tekiyo});
    }
    return d;
}

void BM_MainichiPdf1000(benchmark::State& state) {
    const StatementData data = full_month();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        benchmark::DoNotOptimize(print_mainichi(writer, data));
        state.counters["bytes"] = double(buffer.size());
    }
}
BENCHMARK(BM_MainichiPdf1000)->Unit(benchmark::kMillisecond);

// The same through PDF保存's writer: rendered, written and synced.
void BM_MainichiPdf1000ToFile(benchmark::State& state) {
    QTemporaryDir dir;
    const StatementData data = full_month();
    const QString path = dir.filePath(u"収支詳細200403.pdf"_s);
    for (auto _ : state) {
        if (write_pdf(path, u"t"_s,
                      [&](QPagedPaintDevice& d) { return print_mainichi(d, data) > 0; }))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_MainichiPdf1000ToFile)->Unit(benchmark::kMillisecond);

void BM_YosanFormOpen(benchmark::State& state) {
    QTemporaryDir dir;
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = dir.path() + u'/';
    set_default_categories(*ledger);
    set_default_wallets(*ledger);
    ledger->dat_header = kSignature;
    for (const auto& [nen, tuki] : {std::pair{u"2004"_s, u"02"_s}, {u"2003"_s, u"03"_s}}) {
        ledger->nen = nen;
        ledger->tuki = tuki;
        ledger->ledger_reset_month();
        for (int i = 1; i <= kSyusiLimit; ++i)
            ledger->add_entry(sample_entry(nen + tuki, i));
        write_line_file(ledger->month_file_path(), month_file_lines(*ledger));
    }
    ledger->nen = u"2004"_s;
    ledger->tuki = u"03"_s;
    ledger->ledger_reset_month();
    for (int i = 1; i <= kSyusiLimit; ++i)
        ledger->add_entry(sample_entry(u"200403"_s, i));
    MessageRecorder messages;
    MonthEdits edits(*ledger);
    for (auto _ : state) {
        YosanForm form(edits);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.sen().sisyutu_jisseki);
    }
    if (!messages.messages().empty())
        state.SkipWithError("a comparison month was not read");
}
BENCHMARK(BM_YosanFormOpen)->Unit(benchmark::kMillisecond);

} // namespace
