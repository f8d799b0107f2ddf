#pragma once

#include <QString>
#include <QStringList>

// The checks of a typed category number and amount, which the entry and the
// correction windows share, and the messages that refuse them.
namespace kanvelo {

// Who asks decides the wording of "not a number": a box on Enter says 数字,
// the entry window's checks on entering the amount or description box say
// 費目の数字, the correction window's buttons that write back say 数値.
enum class Asker { Box, FocusCheck, Button };

// A category number must be a whole number 1..30: "2.5" would otherwise change
// category 2's total and be stored as a number no category has.
enum class CategoryCheck { Ok, NotNumber, OutOfRange };
struct CategoryResult {
    CategoryCheck check = CategoryCheck::NotNumber;
    int slot = -1; // himoku slot when Ok
};
CategoryResult check_category(const QString& number);
// The messages of a refused category number, in the order they are shown.
QStringList category_messages(CategoryCheck check, Asker asker);

// Whether a typed amount, of either sign, is a number the totals can hold.
enum class AmountCheck { Ok, NotNumber, TooLarge };
AmountCheck check_amount(const QString& kingaku);
QString amount_message(AmountCheck check, Asker asker = Asker::Box);
// Every window that takes an amount refuses one of 10^15 yen or more with this.
QString too_large_message();

} // namespace kanvelo
