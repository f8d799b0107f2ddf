#pragma once

#include "common/box_checks.h"
#include "common/category_list.h"

#include <QString>
#include <QStringList>
#include <optional>

// The rules of the correction and deletion windows that need no widgets: which
// grid row holds an entry, the category list, the checks of a corrected entry
// and the messages they give.
namespace kanvelo {

struct Ledger;
struct SyusiRec;

// What the selected row of the entries grid holds. Row r shows entry r, and
// only rows 1..kensu are entries: the row after the last entry is empty even
// when the slot behind it once held something.
enum class RowHolds { NoRow, NoEntry, Entry };
RowHolds row_holds(int row, int kensu);

// The messages of the two launchers for a row that holds no entry.
QString teisei_row_message(RowHolds holds);
QString sakujo_row_message(RowHolds holds);

// The three date boxes as a stored date. A year the program can open and a
// month 1..12 are required; a day past the end of the month becomes the
// month's last day, as the entry window's spinners bring it there.
enum class DateField { None, Nen, Tuki, Hi };
struct DateResult {
    QString hiduke; // "yyyymmdd" when accepted
    DateField refused = DateField::None;
    QString message;
};
DateResult check_date(const QString& nen, const QString& tuki, const QString& hi);

// The messages of 前のデータへ on the first entry and 次のデータへ on the last.
QString first_entry_message();
QString last_entry_message();

// What the correction stores: the date as checked, the number as typed, the
// amount formatted "#,##0", the description, and the wallet position when a
// wallet is selected (-1 keeps the entry's own).
SyusiRec corrected_entry(const SyusiRec& old, const QString& hiduke, const QString& number,
                         const QString& kingaku, const QString& tekiyo, int wallet);

} // namespace kanvelo
