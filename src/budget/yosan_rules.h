#pragma once

#include "ledger/ledger.h"
#include "ledger/month_totals.h"
#include "ledger/other_month.h"

#include <QString>
#include <array>

// The budget window's rules that need no widgets: the list rows, the months it
// compares with, the kind totals and the budget as stored.
namespace kanvelo {

// The budget window lists categories 1..29; the transfer category gets no
// budget through it but counts in the kind totals.
inline constexpr int kYosanListed = kHimokuCount - 1;

// What the boxes of one comparison month (the previous month or the same
// month last year) show for category `slot`, with the totals of the kind
// `income` (the open month's kind of that category). A missing month shows
// nothing; an old-format one, which carries no budgets, zeros and no comments.
struct ComparisonTexts {
    QString kingaku;
    QString jisseki;
    QString comment;
    QString yosan_goukei;
    QString jisseki_goukei;
};
ComparisonTexts comparison_texts(const MonthTotals& month, int slot, bool income);

// The month a year before yyyy/mm (the previous month is previous_month()).
YearMonth same_month_last_year(const QString& nen, const QString& tuki);

// The sum of the stored budgets of every category of the same kind as
// `slot` (all 30, the transfer category included); empty budgets add nothing.
double kind_budget_sum(const Ledger& ledger, int slot);

// Whether a typed budget may be stored. An empty box may be stored when
// leaving a category (no budget) but is refused by Enter.
enum class BudgetCheck { Ok, Empty, NotNumber, TooLarge };
BudgetCheck check_budget(const QString& text);
QString budget_message(BudgetCheck check);

// The budget as stored: a number formatted "#,##0" (12.5 becomes 13), empty
// text as it stands.
QString budget_to_store(const QString& text);

} // namespace kanvelo
