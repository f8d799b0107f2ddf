#include "main_window/sort_rules.h"

#include "ledger/guards.h"
#include "ledger/ledger.h"

#include <QString>
#include <algorithm>
#include <numeric>
#include <tuple>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// One entry's place in an order: smaller keys come first.
struct SortRank {
    int group = 0;    // 1: the category or amount cannot be used
    int kind = 0;     // 金額順: 0 expense, 1 income
    double value = 0; // category number, or minus the amount
    QString text;     // 日付順: the date text

    bool operator<(const SortRank& o) const {
        return std::tie(group, kind, value, text) < std::tie(o.group, o.kind, o.value, o.text);
    }
};

SortRank rank(const Ledger& l, int i, SortKey key) {
    const SyusiRec& e = l.syusi[i];
    SortRank r;
    switch (key) {
    case SortKey::Hiduke:
        // yyyymmdd makes text order the calendar order.
        r.text = e.hiduke;
        break;
    case SortKey::Himoku: {
        const auto slot = himoku_slot(e.himoku_no);
        r.group = slot ? 0 : 1;
        r.value = slot.value_or(0);
        break;
    }
    case SortKey::Kingaku: {
        const auto slot = himoku_slot(e.himoku_no);
        const auto amount = amount_value(e.kingaku);
        if (!slot || !amount) {
            r.group = 1;
            break;
        }
        // Every kind other than income counts as expense, the transfer
        // category included.
        r.kind = l.himoku[*slot].is_income() ? 1 : 0;
        r.value = -*amount;
        break;
    }
    }
    return r;
}

} // namespace

std::vector<int> sort_order(const Ledger& l, SortKey key) {
    std::vector<SortRank> ranks(l.kensu + 1);
    for (int i = 1; i <= l.kensu; ++i)
        ranks[i] = rank(l, i, key);
    std::vector<int> order(l.kensu);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&ranks](int a, int b) { return ranks[a] < ranks[b]; });
    return order;
}

QString sort_caption(SortKey key) {
    switch (key) {
    case SortKey::Hiduke:
        return u"日付順"_s;
    case SortKey::Himoku:
        return u"費目順"_s;
    case SortKey::Kingaku:
        break;
    }
    return u"金額順"_s;
}

} // namespace kanvelo
