#pragma once

#include "ledger/file_error.h"
#include "ledger/ledger.h"

#include <vector>

namespace kanvelo {

// Another month's file as the carry-over, the budget window and the category
// totals export read it: the categories and the entries, wallets skipped.
// The open ledger is never touched.
struct OtherMonth {
    bool missing = false;
    bool headerless = false; // the oldest layout: no header line, four-line entries
    std::array<HimokuRec, kHimokuCount> himoku;
    std::vector<SyusiRec> syusi;
    FileErrors errors;
    // The first `undecodable` errors are lines holding bytes the code page
    // cannot decode: their values are kept as markers and the layout is whole.
    std::size_t undecodable = 0;
    // The line of the first entry's first value (1-based), so that a reader of
    // the entries can name the line of a bad value.
    int first_entry_line = 0;
};

OtherMonth read_other_month(const QString& path);

// A file whose entries the month view would not load as they stand: the
// reader's own complaints (bytes it could not decode aside, since those leave
// the layout whole) or a value that cannot be a category, amount or wallet.
bool entries_damaged(const OtherMonth& m);

// The month before yyyy/mm as four- and two-digit texts.
struct YearMonth {
    QString nen;
    QString tuki;
};
YearMonth previous_month(const QString& nen, const QString& tuki);

} // namespace kanvelo

namespace kanvelo {

// The carry-over: the closing balance of one wallet in the month before the
// open one, from that month's file.
struct CarryOver {
    enum class Status { Ok, Missing, OldFormat, Damaged };
    Status status = Status::Ok;
    double zankin = 0;
    QString path;
    FileErrors errors;
};
CarryOver carry_over_balance(const Ledger& ledger, int wallet);

} // namespace kanvelo
