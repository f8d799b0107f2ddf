#include "entry/entry_rules.h"

#include "ledger/calendar.h"
#include "ledger/diary_file.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

#include <QDate>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kanvelo {

QList<int> category_list_slots(const Ledger& ledger, bool income) {
    QList<int> slots;
    const int last = income ? kHimokuCount - 1 : kHimokuCount - 2;
    for (int c = 0; c <= last; ++c) {
        // Every kind other than income counts as expense, so that a category
        // of an odd kind can still be picked from a list.
        if (ledger.himoku[c].is_income() == income)
            slots.append(c);
    }
    return slots;
}

EntryCheckResult check_entry(const Ledger& ledger, const QString& number, const QString& kingaku,
                             const QString& saifu_text) {
    if (number.isEmpty())
        return {{u"費目を指定して下さい。"_s}, EntryField::Number, false};
    if (kingaku.isEmpty())
        return {{u"金額を入れて下さい。"_s}, EntryField::Kingaku, false};
    const CategoryResult category = check_category(number);
    if (category.check != CategoryCheck::Ok)
        return {category_messages(category.check, Asker::Box), EntryField::Number, false};
    if (const AmountCheck amount = check_amount(kingaku); amount != AmountCheck::Ok)
        return {{amount_message(amount)}, EntryField::Kingaku, false};
    bool wallet_found = false;
    for (int w = 0; w < kSaifuCount; ++w)
        wallet_found = wallet_found || ledger.saifu[w].name == saifu_text;
    if (!wallet_found)
        return {{u"財布の指定が不正です。"_s}, EntryField::Saifu, false};
    if (ledger.kensu >= kSyusiLimit)
        return {{}, EntryField::None, true};
    return {};
}

bool date_exists(const EntryDate& date) {
    return QDate(date.nen, date.tuki, date.hi).isValid();
}

QString date_key(const EntryDate& date) {
    return format_number(date.nen, u"0000"_s) + format_number(date.tuki, u"00"_s) +
           format_number(date.hi, u"00"_s);
}

int corrected_day(const EntryDate& date) {
    const int last = QDate(date.nen, date.tuki, 1).daysInMonth();
    return last > 0 ? std::min(date.hi, last) : date.hi;
}

int entry_day_index(const EntryDate& date) {
    return diary_day_index(QDate(date.nen, date.tuki, date.hi));
}

QString entry_weekday(const EntryDate& date) {
    return weekday_letter(QDate(date.nen, date.tuki, date.hi));
}

QColor weekday_colour(const EntryDate& date) {
    switch (QDate(date.nen, date.tuki, date.hi).dayOfWeek()) {
    case Qt::Sunday:
        return QColor(255, 0, 0);
    case Qt::Saturday:
        return QColor(0, 0, 255);
    default:
        return QColor(0, 0, 0);
    }
}

SyusiRec entry_record(const EntryDate& date, const QString& number, const QString& kingaku,
                      const QString& tekiyo, int wallet) {
    return {date_key(date), number, kingaku, tekiyo, QString::number(wallet)};
}

} // namespace kanvelo
