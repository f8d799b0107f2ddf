#include "common/box_checks.h"

#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

QString not_a_number(Asker asker) {
    switch (asker) {
    case Asker::FocusCheck:
        return u"費目の数字を入力して下さいね。"_s;
    case Asker::Button:
        return u"数値を入力して下さいね。"_s;
    case Asker::Box:
        break;
    }
    return u"数字を入力して下さいね。"_s;
}

} // namespace

CategoryResult check_category(const QString& number) {
    if (!to_number(number))
        return {CategoryCheck::NotNumber, -1};
    const std::optional<int> slot = himoku_slot(number);
    if (!slot)
        return {CategoryCheck::OutOfRange, -1};
    return {CategoryCheck::Ok, *slot};
}

QStringList category_messages(CategoryCheck check, Asker asker) {
    const QString range = u"1～"_s + QString::number(kHimokuCount) + u"の数字を入力して下さい。"_s;
    switch (check) {
    case CategoryCheck::Ok:
        return {};
    case CategoryCheck::NotNumber:
        return {not_a_number(asker), range};
    case CategoryCheck::OutOfRange:
        break;
    }
    return {range};
}

QString too_large_message() {
    return u"金額が大きすぎます。1,000兆円より小さい金額を入力して下さい。"_s;
}

AmountCheck check_amount(const QString& kingaku) {
    if (!to_number(kingaku))
        return AmountCheck::NotNumber;
    return amount_value(kingaku) ? AmountCheck::Ok : AmountCheck::TooLarge;
}

QString amount_message(AmountCheck check, Asker asker) {
    switch (check) {
    case AmountCheck::Ok:
        return {};
    case AmountCheck::TooLarge:
        return too_large_message();
    case AmountCheck::NotNumber:
        break;
    }
    return not_a_number(asker);
}

} // namespace kanvelo
