#pragma once

#include "ledger/file_error.h"
#include "ledger/ledger.h"

#include <QStringList>
#include <vector>

// The two files the program writes for spreadsheets: the category totals of a
// span of months (TOTAL.CSV, read from the month files) and the open month's
// entries (~yyyymm.tab, from memory).
namespace kanvelo {

inline const QString kTotalsFileName = QStringLiteral("total.csv");

// One month of the calendar.
struct CalendarMonth {
    int year = 0;
    int month = 0; // 1..12
    friend bool operator==(const CalendarMonth&, const CalendarMonth&) = default;
};

// Every month from `from` to `to`, both included, in order; empty when `from`
// is later than `to`.
std::vector<CalendarMonth> months_between(CalendarMonth from, CalendarMonth to);

// "~" + yyyy + mm + ".dat" of a calendar month.
QString month_file_name_of(CalendarMonth month);

// A field of TOTAL.CSV: as it is, or quoted with its quotes doubled when it
// holds a comma or a double quote, so that its row keeps its columns.
QString csv_field(const QString& text);

// The lines of TOTAL.CSV over the months from `from` to `to`, read from their
// month files in `folder` (ending in a separator). Months without a file, or
// whose file has no header line, contribute no column. A month file that is
// damaged (cut short, a category number or an amount that cannot be used, or
// a file that cannot be read) stops the totals: `error` names file and line.
struct CategoryTotals {
    QStringList lines;
    QStringList columns; // "1998/09", ... of the months that contributed
    std::optional<FileError> error;
};
CategoryTotals category_totals(const QString& folder, CalendarMonth from, CalendarMonth to);

// Writes TOTAL.CSV as total.csv in the folder, atomically.
WriteResult write_category_totals(const QString& folder, const QStringList& lines);

// The entries file of the open month: "~" + nen + tuki + ".tab".
QString entries_file_name(const Ledger& ledger);

// The amount of an entry as the entries file writes it: whole yen, no
// separators, negated for an expense category other than the transfer
// category; empty when the amount is not a number.
QString entries_amount(const Ledger& ledger, const SyusiRec& entry);

// The header line and one tab-separated line per entry 1..kensu.
QStringList entries_lines(const Ledger& ledger);

// Writes the entries file atomically.
WriteResult write_entries_file(const Ledger& ledger);

} // namespace kanvelo
