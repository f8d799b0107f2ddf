// The check made when a month opens: the templates file read from the disk and
// matched against a full month of 1000 entries, every template already
// recorded (the most matching work). And the entry loop's one read of the
// description history: twelve month files of 300 entries and the open month.
#include "ledger/description_history.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/recurring_due.h"
#include "ledger/recurring_file.h"
#include "ledger/settings_file.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kanvelo;

namespace {

constexpr int kTemplates = 60;

std::unique_ptr<Ledger> ledger_in(const QTemporaryDir& dir) {
    auto l = std::make_unique<Ledger>();
    l->app_path = dir.path() + u'/';
    set_default_categories(*l);
    set_default_wallets(*l);
    l->dat_header = kSignature;
    l->nen = u"2007"_s;
    l->tuki = u"03"_s;
    return l;
}

SyusiRec sample_entry(const QString& month, int i) {
    return {month + u"%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')), QString::number(2 + i % 28),
            u"%L1"_s.arg(100 + i * 7), u"スーパーで食料品 %1"_s.arg(i % 150),
            QString::number(i % 15)};
}

// A full month holding every template due in it, and the templates file.
std::unique_ptr<Ledger> month_with_templates(const QTemporaryDir& dir) {
    auto l = ledger_in(dir);
    RecurringTemplates file;
    for (int k = 0; k < kTemplates; ++k) {
        RecurringTemplate t;
        t.repeat = k % 3 == 0 ? RecurringTemplate::Repeat::Monthly
                              : RecurringTemplate::Repeat::EveryNMonths;
        t.every = 1 + k % 4;
        t.from_nen = 2006;
        t.from_tuki = 3;
        t.day = k % 32;
        t.himoku_no = 2 + k % 28;
        t.kingaku = u"%L1"_s.arg(1000 + k);
        t.tekiyo = u"定期 %1"_s.arg(k);
        t.saifu_no = k % 15;
        file.templates.push_back(t);
    }
    write_recurring(l->path(kRecurringFile), file);
    for (const DueEntry& d : due_entries(file.templates, *l))
        l->add_entry(d.entry);
    for (int i = l->kensu; i < kSyusiLimit; ++i)
        l->add_entry(sample_entry(u"200703"_s, i));
    return l;
}

void BM_RecurringCheckAtMonthOpening(benchmark::State& state) {
    QTemporaryDir dir;
    auto l = month_with_templates(dir);
    for (auto _ : state) {
        const RecurringRead r = read_recurring(l->path(kRecurringFile));
        const std::vector<DueEntry> due = due_entries(r.file.templates, *l);
        if (!due.empty() || r.file.templates.size() != std::size_t(kTemplates))
            state.SkipWithError("the templates were not all recorded");
        benchmark::DoNotOptimize(due.size());
    }
}
BENCHMARK(BM_RecurringCheckAtMonthOpening)->Unit(benchmark::kMicrosecond);

// The two halves of it: the file, and the matching against the month.
void BM_RecurringFileRead(benchmark::State& state) {
    QTemporaryDir dir;
    auto l = month_with_templates(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(read_recurring(l->path(kRecurringFile)).file.templates.size());
}
BENCHMARK(BM_RecurringFileRead)->Unit(benchmark::kMicrosecond);

void BM_RecurringDueInAFullMonth(benchmark::State& state) {
    QTemporaryDir dir;
    auto l = month_with_templates(dir);
    const RecurringRead r = read_recurring(l->path(kRecurringFile));
    for (auto _ : state)
        benchmark::DoNotOptimize(due_entries(r.file.templates, *l).size());
}
BENCHMARK(BM_RecurringDueInAFullMonth)->Unit(benchmark::kMicrosecond);

void BM_DescriptionHistoryOfTwelveMonths(benchmark::State& state) {
    QTemporaryDir dir;
    auto l = ledger_in(dir);
    for (int m = 0; m < kHistoryMonths; ++m) {
        const int month = 3 + m; // 2006/03 .. 2007/02
        l->nen = QString::number(month > 12 ? 2007 : 2006);
        l->tuki = u"%1"_s.arg((month - 1) % 12 + 1, 2, 10, QChar(u'0'));
        l->ledger_reset_month();
        for (int i = 1; i <= 300; ++i)
            l->add_entry(sample_entry(l->nen + l->tuki, i));
        write_line_file(l->month_file_path(), month_file_lines(*l));
    }
    l->nen = u"2007"_s;
    l->tuki = u"03"_s;
    for (auto _ : state) {
        const DescriptionHistory h = read_description_history(l->app_path, *l);
        if (h.descriptions().size() != 150)
            state.SkipWithError("the months were not read");
        benchmark::DoNotOptimize(h.most_used_category(u"スーパーで食料品 7"_s));
    }
}
BENCHMARK(BM_DescriptionHistoryOfTwelveMonths)->Unit(benchmark::kMillisecond);

} // namespace
