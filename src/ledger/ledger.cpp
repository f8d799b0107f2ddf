#include "ledger/ledger.h"

#include "ledger/guards.h"
#include "ledger/values.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

bool HimokuRec::is_income() const {
    auto k = to_number(kubun);
    return k && *k == 1;
}

int Ledger::category_index(const QString& himoku_no) const {
    return himoku_slot(himoku_no).value_or(-1);
}

int Ledger::saifu_index(const QString& saifu_no) {
    return saifu_slot(saifu_no).value_or(-1);
}

const HimokuRec* Ledger::category_of(int i) const {
    int c = category_index(syusi[i].himoku_no);
    return c < 0 ? nullptr : &himoku[c];
}

namespace {

// Steps 2 and 3 of applying an entry: the month totals and the wallet balance.
std::optional<QString> apply_to_totals(Ledger& l, int c, double k, const QString& saifu_no) {
    const HimokuRec& h = l.himoku[c];
    double no = to_number(h.no).value_or(c + 1);
    int w = Ledger::saifu_index(saifu_no);
    double wallet_delta = 0;
    if (no < kTransferHimoku) {
        if (h.is_income()) {
            l.syunyu_goukei += k;
            wallet_delta = k;
        } else {
            l.sisyutu_goukei += k;
            wallet_delta = -k;
        }
    } else {
        wallet_delta = k;
    }
    if (w < 0)
        return u"財布の番号「%1」が正しくありません"_s.arg(saifu_no);
    l.saifu[w].zankin += wallet_delta;
    return std::nullopt;
}

// The effect of one entry on every derived value, added once (sign 1) or
// taken back (sign -1). A category or amount that cannot be used adds nothing.
std::optional<QString> apply_entry(Ledger& l, const SyusiRec& s, double sign) {
    const auto c = himoku_slot(s.himoku_no);
    if (!c)
        return u"費目の番号「%1」が正しくありません"_s.arg(s.himoku_no);
    const auto k = amount_value(s.kingaku);
    if (!k)
        return amount_problem(s.kingaku);
    l.himoku[*c].jisseki += sign * *k;
    return apply_to_totals(l, *c, sign * *k, s.saifu_no);
}

} // namespace

std::optional<QString> Ledger::syusi_apply(int i) {
    return apply_entry(*this, syusi[i], 1);
}

int Ledger::add_entry(const SyusiRec& entry) {
    if (kensu >= kSyusiLimit)
        return 0;
    syusi[++kensu] = entry;
    apply_entry(*this, entry, 1);
    return kensu;
}

bool Ledger::add_entries(const std::vector<SyusiRec>& entries) {
    if (kensu + int(entries.size()) > kSyusiLimit)
        return false;
    for (const SyusiRec& e : entries)
        add_entry(e);
    return true;
}

void Ledger::replace_entry(int i, const SyusiRec& entry) {
    if (i < 1 || i > kensu)
        return;
    apply_entry(*this, syusi[i], -1);
    syusi[i] = entry;
    apply_entry(*this, entry, 1);
}

void Ledger::remove_entry(int i) {
    if (i < 1 || i > kensu)
        return;
    apply_entry(*this, syusi[i], -1);
    std::move(syusi.begin() + i + 1, syusi.begin() + kensu + 1, syusi.begin() + i);
    syusi[kensu] = SyusiRec{};
    --kensu;
}

void Ledger::reorder_entries(const std::vector<int>& order) {
    if (order.size() != std::size_t(kensu))
        return;
    std::vector<bool> seen(kensu + 1, false);
    for (int from : order) {
        if (from < 1 || from > kensu || seen[from])
            return;
        seen[from] = true;
    }
    std::vector<SyusiRec> sorted;
    sorted.reserve(order.size());
    for (int from : order)
        sorted.push_back(std::move(syusi[from]));
    std::move(sorted.begin(), sorted.end(), syusi.begin() + 1);
}

void Ledger::recompute() {
    for (HimokuRec& h : himoku)
        h.jisseki = 0;
    syunyu_goukei = 0;
    sisyutu_goukei = 0;
    for (SaifuRec& w : saifu)
        w.zankin = 0;
    for (int i = 1; i <= kensu; ++i)
        apply_entry(*this, syusi[i], 1);
    budget_totals_recalc();
}

void Ledger::ledger_reset_month() {
    for (int c = 0; c < kHimokuCount; ++c)
        himoku[c].jisseki = 0;
    for (int w = 0; w < kSaifuCount; ++w)
        saifu[w].zankin = 0;
    syunyu_goukei = 0;
    sisyutu_goukei = 0;
    yosan_syunyu_goukei = 0;
    yosan_sisyutu_goukei = 0;
    kensu = 0;
    // An entry of the month loaded before must never show through a slot
    // behind the new month's last entry.
    syusi.fill(SyusiRec{});
}

void Ledger::month_recalc() {
    syunyu_goukei = 0;
    sisyutu_goukei = 0;
    for (auto& w : saifu)
        w.zankin = 0;
    for (int i = 1; i <= kensu; ++i) {
        int c = category_index(syusi[i].himoku_no);
        auto k = amount_value(syusi[i].kingaku);
        if (c < 0 || !k)
            continue;
        apply_to_totals(*this, c, *k, syusi[i].saifu_no);
    }
}

void Ledger::budget_totals_recalc() {
    yosan_syunyu_goukei = 0;
    yosan_sisyutu_goukei = 0;
    for (int c = 0; c < kHimokuCount; ++c) {
        const HimokuRec& h = himoku[c];
        if (h.yosan_kingaku.isEmpty())
            continue;
        const double v = amount_value(h.yosan_kingaku).value_or(0);
        (h.is_income() ? yosan_syunyu_goukei : yosan_sisyutu_goukei) += v;
    }
}

void Ledger::note_read(const QString& path, bool unreadable) {
    unreadable_files.removeAll(path);
    if (unreadable)
        unreadable_files.append(path);
}

WriteResult Ledger::refuse_overwrite(const QString& path) const {
    if (!unreadable_files.contains(path))
        return std::nullopt;
    return FileError{path, 0,
                     u"読み込めなかったファイルなので、上書きしないで残しています。"
                     "読めるように直してから開き直して下さい"_s};
}

QString Ledger::path(const QString& file_name) const {
    return app_path + file_name;
}

QString Ledger::month_file_path() const {
    return path(u'~' + nen + tuki + u".dat"_s);
}

} // namespace kanvelo
