#include "ledger/month_totals.h"

#include "ledger/guards.h"
#include "ledger/other_month.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kTransferSlot = kTransferHimoku - 1;

void add_budget(MonthTotals& m, int slot) {
    const HimokuRec& h = m.himoku[slot];
    if (h.yosan_kingaku.isEmpty())
        return;
    const auto v = amount_value(h.yosan_kingaku);
    if (!v) {
        m.errors.push_back(
            {m.path, 0, u"費目%1の予算：%2"_s.arg(slot + 1).arg(amount_problem(h.yosan_kingaku))});
        return;
    }
    (h.is_income() ? m.syunyu_yosan : m.sisyutu_yosan) += *v;
}

void add_entry(MonthTotals& m, const SyusiRec& s) {
    // A damaged file must never index the table with its category number.
    auto c = himoku_slot(s.himoku_no);
    if (!c) {
        m.errors.push_back({m.path, 0,
                            u"収支データ「%1 %2 %3」の費目の番号が正しくありません"_s.arg(
                                s.hiduke, s.himoku_no, s.kingaku)});
        return;
    }
    const auto k = amount_value(s.kingaku);
    if (!k) {
        m.errors.push_back(
            {m.path, 0, u"収支データ「%1」："_s.arg(s.hiduke) + amount_problem(s.kingaku)});
        return;
    }
    // The oldest layout had no transfers; opening it files its category 30
    // under 29, and so do its totals here.
    if (m.status == MonthTotals::Status::OldFormat && *c == kTransferSlot)
        c = kTransferSlot - 1;
    m.jisseki[*c] += *k;
    if (*c == kTransferSlot)
        return;
    (m.himoku[*c].is_income() ? m.syunyu_jisseki : m.sisyutu_jisseki) += *k;
}

} // namespace

MonthTotals read_month_totals(const QString& path) {
    MonthTotals m;
    m.path = path;
    OtherMonth other = read_other_month(path);
    if (other.missing) {
        m.status = MonthTotals::Status::Missing;
        return m;
    }
    m.errors = other.errors;
    m.undecodable = other.undecodable;
    m.himoku = other.himoku;
    if (other.headerless) {
        m.status = MonthTotals::Status::OldFormat;
        m.himoku[kTransferSlot].kubun = number_form(-1);
    } else {
        for (int c = 0; c < kHimokuCount; ++c)
            add_budget(m, c);
    }
    m.kensu = int(other.syusi.size());
    for (const SyusiRec& s : other.syusi)
        add_entry(m, s);
    return m;
}

} // namespace kanvelo
