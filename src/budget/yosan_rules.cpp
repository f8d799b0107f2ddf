#include "budget/yosan_rules.h"

#include "common/box_checks.h"
#include "ledger/guards.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmount = u"#,##0"_s;

} // namespace

ComparisonTexts comparison_texts(const MonthTotals& m, int slot, bool income) {
    switch (m.status) {
    case MonthTotals::Status::Missing:
        return {};
    case MonthTotals::Status::OldFormat: {
        const QString zero = format_number(0, kAmount);
        return {zero, zero, QString(), zero, zero};
    }
    case MonthTotals::Status::Read:
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
        return too_large_message();
    return u"数字を入力して下さいね。"_s;
}

QString budget_to_store(const QString& text) {
    if (text.trimmed().isEmpty())
        return QString();
    return format_value(text, kAmount);
}

} // namespace kanvelo
