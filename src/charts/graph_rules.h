#pragma once

#include "ledger/ledger.h"

#include <QString>
#include <QStringList>
#include <vector>

// The figures the chart window draws and lists, from the open ledger and the
// month files of its folder. Nothing here writes a file.
namespace kanvelo {

// One category's expense in the open month, with its share of the month's
// expense total in percent.
struct ExpenseSlice {
    int no = 0; // category number 1..29
    QString name;
    double kingaku = 0;
    double share = 0;
};

// The open month's expense categories that have an actual, largest first
// (equal ones by number). The transfer category moves money between wallets
// and is not an expense; income categories are not either.
std::vector<ExpenseSlice> expense_by_category(const Ledger& ledger);

// One month of the twelve-month chart.
struct MonthFigures {
    enum class Status {
        Open,    // the open month, from the ledger (unsaved entries count)
        Read,    // from its file
        Missing, // no file: a gap, never a zero
        Damaged, // its file could not be read whole: a gap, and named
    };
    QString nen;
    QString tuki;
    Status status = Status::Open;
    QString file_name; // "~200405.dat"
    double syunyu = 0;
    double sisyutu = 0;

    bool has_figures() const { return status == Status::Open || status == Status::Read; }
    double sagaku() const { return syunyu - sisyutu; }
};

inline constexpr int kGraphMonths = 12;

// The twelve months ending with the open one, oldest first.
std::vector<MonthFigures> twelve_months(const Ledger& ledger);

// The files of the damaged months, oldest first.
QStringList unreadable_files(const std::vector<MonthFigures>& months);

// "2006/04"
QString month_caption(const MonthFigures& month);

// The table rows, as shown: 費目, 金額, 割合 and 月, 収入, 支出, 差引. A gap
// says why in the income column and leaves the others empty.
QStringList expense_row(const ExpenseSlice& slice);
QStringList month_row(const MonthFigures& month);

} // namespace kanvelo
