#include "budget/yosan_rules.h"

#include "ledger/guards.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmount = u"#,##0"_s;
constexpr int kTransferSlot = kTransferHimoku - 1;

void add_budget(ComparisonMonth& m, int slot) {
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

void add_entry(ComparisonMonth& m, const SyusiRec& s) {
    // A damaged file must never index the table with its category number.
    const auto c = himoku_slot(s.himoku_no);
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
    m.jisseki[*c] += *k;
    if (*c == kTransferSlot)
        return;
    (m.himoku[*c].is_income() ? m.syunyu_jisseki : m.sisyutu_jisseki) += *k;
}

} // namespace

QString yosan_list_row(const Ledger& ledger, int slot) {
    return u' ' + QString::number(slot + 1).rightJustified(2, u' ') + u"   "_s +
           ledger.himoku[slot].name;
}

QString yosan_row_number(const QString& row) {
    return row.mid(1, 2);
}

QString yosan_row_name(const QString& row) {
    return row.mid(6, 6);
}

ComparisonMonth read_comparison_month(const QString& path) {
    ComparisonMonth m;
    m.path = path;
    OtherMonth other = read_other_month(path);
    if (other.missing) {
        m.status = ComparisonMonth::Status::Missing;
        return m;
    }
    if (other.headerless) {
        m.status = ComparisonMonth::Status::OldFormat;
        return m;
    }
    m.errors = other.errors;
    m.himoku = other.himoku;
    for (int c = 0; c < kHimokuCount; ++c)
        add_budget(m, c);
    for (const SyusiRec& s : other.syusi)
        add_entry(m, s);
    return m;
}

ComparisonTexts comparison_texts(const ComparisonMonth& m, int slot, bool income) {
    switch (m.status) {
    case ComparisonMonth::Status::Missing:
        return {};
    case ComparisonMonth::Status::OldFormat: {
        const QString zero = format_number(0, kAmount);
        return {zero, zero, QString(), zero, zero};
    }
    case ComparisonMonth::Status::Read:
        break;
    }
    const HimokuRec& h = m.himoku[slot];
    return {format_value(h.yosan_kingaku, kAmount), format_number(m.jisseki[slot], kAmount),
            h.yosan_comment, format_number(income ? m.syunyu_yosan : m.sisyutu_yosan, kAmount),
            format_number(income ? m.syunyu_jisseki : m.sisyutu_jisseki, kAmount)};
}

YearMonth same_month_last_year(const QString& nen, const QString& tuki) {
    const int y = whole_number_in(nen, 0, 9999).value_or(0);
    return {format_number(y - 1, u"0000"_s), tuki};
}

double kind_budget_sum(const Ledger& ledger, int slot) {
    const bool income = ledger.himoku[slot].is_income();
    double sum = 0;
    for (int c = 0; c < kHimokuCount; ++c) {
        const HimokuRec& h = ledger.himoku[c];
        if (h.is_income() == income && !h.yosan_kingaku.isEmpty())
            sum += amount_value(h.yosan_kingaku).value_or(0);
    }
    return sum;
}

BudgetCheck check_budget(const QString& text) {
    if (text.trimmed().isEmpty())
        return BudgetCheck::Empty;
    if (!is_number(text))
        return BudgetCheck::NotNumber;
    // Stored as "#,##0", so what counts is the rounded value.
    if (!amount_value(budget_to_store(text)))
        return BudgetCheck::TooLarge;
    return BudgetCheck::Ok;
}

QString budget_message(BudgetCheck check) {
    if (check == BudgetCheck::TooLarge)
        return u"金額が大きすぎます。1,000兆円より小さい金額を入力して下さい。"_s;
    return u"数字を入力して下さいね。"_s;
}

QString budget_to_store(const QString& text) {
    if (text.trimmed().isEmpty())
        return QString();
    return format_value(text, kAmount);
}

} // namespace kanvelo
