#pragma once

#include "ledger/file_error.h"
#include "ledger/ledger.h"

#include <QString>
#include <array>

namespace kanvelo {

// Another month's totals as its own file gives them, for the windows that show
// a month beside the open one (the budget window, the charts): each
// category's actual, and income and expense, actual and budget. Categories
// are matched by slot and their kinds are that month's own.
struct MonthTotals {
    enum class Status {
        Read,      // read, possibly with damaged lines skipped (see errors)
        Missing,   // no such file
        OldFormat, // the headerless layout: no budgets; actuals as opening it would give
    };
    Status status = Status::Read;
    QString path;
    std::array<HimokuRec, kHimokuCount> himoku; // budget, kind and comment as read
    std::array<double, kHimokuCount> jisseki{};
    // Actuals leave the transfer category out, as the open month's totals do;
    // its own row keeps its actual.
    double syunyu_jisseki = 0;
    double sisyutu_jisseki = 0;
    double syunyu_yosan = 0;
    double sisyutu_yosan = 0;
    int kensu = 0; // entries read, also those skipped in the totals
    // Lines that could not be used and were skipped: categories out of range,
    // amounts or budgets that are not numbers, a file that ends early or
    // cannot be read at all.
    FileErrors errors;
    // The first `undecodable` errors are lines holding bytes the code page
    // cannot decode; they are kept as they are and change no total by
    // themselves.
    std::size_t undecodable = 0;

    // Some line that a total needs was skipped, so the totals are not the
    // month's.
    bool incomplete() const { return errors.size() > undecodable; }
};

MonthTotals read_month_totals(const QString& path);

} // namespace kanvelo
