#pragma once

#include "common/box_checks.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// The rules of the entry window that need no widgets: the category list, the
// checks of a typed entry, the date and its weekday, the recorded record.
namespace kanvelo {

struct Ledger;
struct SyusiRec;

// The slots the list offers for a kind: income slots 0..29, expense slots
// 0..28, so the transfer category is never offered.
QList<int> category_list_slots(const Ledger& ledger, bool income);

// Which box a refused entry sends the user back to.
enum class EntryField { None, Number, Kingaku, Saifu };

struct EntryCheckResult {
    QStringList messages;
    EntryField focus = EntryField::None;
    bool limit = false; // the month is full: the record-limit window instead of a message
    bool ok() const { return messages.isEmpty() && !limit; }
};
// The checks before an entry is recorded, in order; the first that fails wins.
EntryCheckResult check_entry(const Ledger& ledger, const QString& number, const QString& kingaku,
                             const QString& saifu_text);

struct EntryDate {
    int nen = 0;
    int tuki = 0;
    int hi = 0;
};
bool date_exists(const EntryDate& date);
// "yyyymmdd" as stored in an entry.
QString date_key(const EntryDate& date);
// The day lowered to the last day of the month when the month is shorter.
int corrected_day(const EntryDate& date);
// The diary slot of the date (days from 1 January).
int entry_day_index(const EntryDate& date);
// 日 月 火 水 木 金 土.
QString entry_weekday(const EntryDate& date);
// Sunday light red and Saturday light blue of the 16-colour palette, else black.
QColor weekday_colour(const EntryDate& date);

// The entry as recorded: the texts of the boxes as typed, the wallet as its index.
SyusiRec entry_record(const EntryDate& date, const QString& number, const QString& kingaku,
                      const QString& tekiyo, int wallet);

} // namespace kanvelo
