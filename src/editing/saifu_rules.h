#pragma once

#include <QString>
#include <optional>
#include <utility>

// The rules of the transfer window that need no widgets: the checks before a
// transfer is recorded, its date and the pair of entries it becomes.
namespace kanvelo {

struct Ledger;
struct SyusiRec;

// A date of the transfer as numbers; the day is always one the month has.
struct TransferDate {
    int nen = 0;
    int tuki = 0;
    int hi = 0;
    friend bool operator==(const TransferDate&, const TransferDate&) = default;
};

// The day lowered to the month's last day when the month is shorter (31
// February gives 29 in a leap year). A month outside 1..12 keeps the day.
int day_in_month(int nen, int tuki, int hi);

// The date typed into the three boxes: a year the program can open, a month
// 1..12 and a day 1..31, each a whole number; the day is then brought into
// the month. nullopt when a box does not hold such a number.
std::optional<TransferDate> typed_transfer_date(const QString& nen, const QString& tuki,
                                                const QString& hi);

// The amount of a transfer: digits only (blanks around them are allowed, as a
// paste may bring them), fewer than 16 of them so that the totals hold it.
std::optional<double> transfer_amount(const QString& kingaku);

// Which box a refused transfer sends the user back to.
enum class TransferField { None, Moto, Kingaku, Nen, Tuki, Hi };

struct TransferCheck {
    QString message; // empty when the transfer may be recorded, or for `limit`
    TransferField focus = TransferField::None;
    bool beep = false;   // a beep before the message
    bool limit = false;  // fewer than two free slots: the record-limit window
    TransferDate date{}; // the date to record, when the check passed
    double amount = 0;   // the amount to record, when the check passed
    bool ok() const { return message.isEmpty() && !limit; }
};

// The checks before a transfer from wallet `moto` to wallet `saki` (list
// positions; -1 when nothing is chosen), in order; the first that fails wins.
TransferCheck check_transfer(const Ledger& ledger, int moto, int saki, const QString& kingaku,
                             const QString& nen, const QString& tuki, const QString& hi);

// The two entries of a transfer: the source's negative amount first, then the
// destination's positive one, both in the transfer category and described by
// their wallet's name.
std::pair<SyusiRec, SyusiRec> transfer_entries(const Ledger& ledger, const TransferDate& date,
                                               int moto, int saki, double amount);
// How the history names a transfer: 移動（3日 現金→普通預金 1,200円）.
QString transfer_step_text(const Ledger& ledger, const TransferDate& date, int moto, int saki,
                           double amount);

} // namespace kanvelo
