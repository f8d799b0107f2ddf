#include "ledger/description_history.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/other_month.h"
#include "ledger/search.h"

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

struct Use {
    const SyusiRec* entry;
    std::optional<int> himoku;
};

void collect(std::vector<Use>& uses, const SyusiRec* first, int count, bool headerless) {
    for (int i = 0; i < count; ++i) {
        auto c = himoku_slot(first[i].himoku_no);
        // The oldest layout's category 30 loads as category 29, as the month view has it.
        if (headerless && c == kTransferHimoku - 1)
            c = kTransferHimoku - 2;
        uses.push_back({first + i, c});
    }
}

} // namespace

void DescriptionHistory::add_use(const QString& tekiyo, std::optional<int> himoku,
                                 std::optional<int> saifu) {
    const QString shown = tekiyo.trimmed();
    if (shown.isEmpty())
        return;
    Description& d = by_key_[search_fold(shown)];
    const int now = ++sequence_;
    d.shown = shown;
    d.uses = {d.uses.count + 1, now};
    if (himoku && *himoku != kTransferHimoku - 1) {
        Tally& t = d.himoku[*himoku];
        t = {t.count + 1, now};
    }
    if (saifu) {
        Tally& t = d.saifu[*saifu];
        t = {t.count + 1, now};
    }
}

void DescriptionHistory::finish() {
    std::vector<const Description*> all;
    all.reserve(by_key_.size());
    for (const Description& d : by_key_)
        all.push_back(&d);
    std::sort(all.begin(), all.end(), [](const Description* a, const Description* b) {
        return std::tie(a->uses.count, a->uses.last) > std::tie(b->uses.count, b->uses.last);
    });
    descriptions_.clear();
    descriptions_.reserve(qsizetype(all.size()));
    for (const Description* d : all)
        descriptions_ << d->shown;
}

std::optional<int> DescriptionHistory::most_used(const QHash<int, Tally>& tallies) {
    std::optional<int> best;
    Tally top;
    for (auto it = tallies.begin(); it != tallies.end(); ++it) {
        if (std::tie(it->count, it->last) > std::tie(top.count, top.last)) {
            top = *it;
            best = it.key();
        }
    }
    return best;
}

const DescriptionHistory::Description* DescriptionHistory::find(const QString& tekiyo) const {
    const auto it = by_key_.constFind(search_fold(tekiyo.trimmed()));
    return it == by_key_.cend() ? nullptr : &*it;
}

std::optional<int> DescriptionHistory::most_used_category(const QString& tekiyo) const {
    const Description* d = find(tekiyo);
    return d ? most_used(d->himoku) : std::nullopt;
}

std::optional<int> DescriptionHistory::most_used_wallet(const QString& tekiyo) const {
    const Description* d = find(tekiyo);
    return d ? most_used(d->saifu) : std::nullopt;
}

DescriptionHistory read_description_history(const QString& folder, const Ledger& open_month) {
    std::vector<OtherMonth> months;
    std::vector<Use> uses;
    const auto nen = whole_number_in(open_month.nen, kYearMin, kYearMax);
    const auto tuki = whole_number_in(open_month.tuki, 1, 12);
    if (nen && tuki) {
        months.reserve(kHistoryMonths);
        YearMonth ym{open_month.nen, open_month.tuki};
        for (int k = 0; k < kHistoryMonths; ++k) {
            ym = previous_month(ym.nen, ym.tuki);
            OtherMonth m = read_other_month(folder + u'~' + ym.nen + ym.tuki + u".dat"_s);
            if (!m.missing && !entries_damaged(m))
                months.push_back(std::move(m));
        }
        // Oldest first, so that equal dates keep the order they were recorded in.
        std::reverse(months.begin(), months.end());
    }
    for (const OtherMonth& m : months)
        collect(uses, m.syusi.data(), int(m.syusi.size()), m.headerless);
    collect(uses, &open_month.syusi[1], std::clamp(open_month.kensu, 0, kSyusiLimit), false);
    std::stable_sort(uses.begin(), uses.end(),
                     [](const Use& a, const Use& b) { return a.entry->hiduke < b.entry->hiduke; });

    DescriptionHistory history;
    for (const Use& u : uses)
        history.add_use(u.entry->tekiyo, u.himoku, saifu_slot(u.entry->saifu_no));
    history.finish();
    return history;
}

} // namespace kanvelo
