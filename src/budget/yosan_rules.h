#pragma once

#include "ledger/file_error.h"
#include "ledger/ledger.h"
#include "ledger/other_month.h"

#include <QString>
#include <array>

// The budget window's rules that need no widgets: the list rows, the months it
// compares with, the kind totals and the budget as stored.
namespace kanvelo {

// The budget window lists categories 1..29; the transfer category gets no
// budget through it but counts in the kind totals.
inline constexpr int kYosanListed = kHimokuCount - 1;

// " 5   日用雑貨": a blank, the number right-aligned in two characters, three
// blanks, the name from character 7.
QString yosan_list_row(const Ledger& ledger, int slot);
// What a row gives the number and name boxes: characters 2-3 and 7-12.
QString yosan_row_number(const QString& row);
QString yosan_row_name(const QString& row);

// The previous month or the same month last year, as the budget window shows
// it beside the open month. Categories are matched by slot, not by name.
struct ComparisonMonth {
    enum class Status {
        Read,      // read, possibly with damaged lines skipped (see errors)
        Missing,   // no such file
        OldFormat, // the headerless layout carries no budgets: nothing is used
    };
    Status status = Status::Read;
    QString path;
    std::array<HimokuRec, kHimokuCount> himoku; // budget, kind and comment as read
    std::array<double, kHimokuCount> jisseki{};
    // The month's totals by kind. Actuals leave the transfer category out, as
    // the open month's totals do; its own row keeps its actual.
    double syunyu_jisseki = 0;
    double sisyutu_jisseki = 0;
    double syunyu_yosan = 0;
    double sisyutu_yosan = 0;
    // Lines that could not be used and were skipped: categories out of range,
    // amounts or budgets that are not numbers, a file that ends early.
    FileErrors errors;
};

ComparisonMonth read_comparison_month(const QString& path);

// What the boxes of one comparison month show for category `slot`, with the
// totals of the kind `income` (the open month's kind of that category). A
// missing month shows nothing; an old-format one zeros and no comments.
struct ComparisonTexts {
    QString kingaku;
    QString jisseki;
    QString comment;
    QString yosan_goukei;
    QString jisseki_goukei;
};
ComparisonTexts comparison_texts(const ComparisonMonth& month, int slot, bool income);

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
