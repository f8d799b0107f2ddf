#include "editing/teisei_rules.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace kanvelo {

RowHolds row_holds(int row, int kensu) {
    if (row < 1)
        return RowHolds::NoRow;
    return row <= kensu ? RowHolds::Entry : RowHolds::NoEntry;
}

QString teisei_row_message(RowHolds holds) {
    switch (holds) {
    case RowHolds::NoRow:
        return u"訂正したい収支データを選択して下さい。"_s;
    case RowHolds::NoEntry:
        return u"訂正すべきデータがありません。"_s;
    case RowHolds::Entry:
        break;
    }
    return {};
}

QString sakujo_row_message(RowHolds holds) {
    switch (holds) {
    case RowHolds::NoRow:
        return u"削除したい収支データを選択して下さい。"_s;
    case RowHolds::NoEntry:
        return u"削除すべきデータがありません。"_s;
    case RowHolds::Entry:
        break;
    }
    return {};
}

DateResult check_date(const QString& nen, const QString& tuki, const QString& hi) {
    const auto year = whole_number_in(nen, kYearMin, kYearMax);
    if (!year)
        return {{},
                DateField::Nen,
                u"年は"_s + QString::number(kYearMin) + u"～"_s + QString::number(kYearMax) +
                    u"の数字を入力して下さい。"_s};
    const auto month = whole_number_in(tuki, 1, 12);
    if (!month)
        return {{}, DateField::Tuki, u"月は1～12の数字を入力して下さい。"_s};
    const auto day = whole_number_in(hi, 1, 31);
    if (!day)
        return {{}, DateField::Hi, u"日は1～31の数字を入力して下さい。"_s};
    const int last = QDate(*year, *month, 1).daysInMonth();
    return {format_number(*year, u"0000"_s) + format_number(*month, u"00"_s) +
                format_number(std::min(*day, last), u"00"_s),
            DateField::None,
            {}};
}

QString first_entry_message() {
    return u"前のデータはありません\""_s;
}

QString last_entry_message() {
    return u"次のデータはありません\""_s;
}

SyusiRec corrected_entry(const SyusiRec& old, const QString& hiduke, const QString& number,
                         const QString& kingaku, const QString& tekiyo, int wallet) {
    SyusiRec e;
    e.hiduke = hiduke;
    e.himoku_no = number;
    e.kingaku = format_value(kingaku, u"#,##0"_s);
    e.tekiyo = tekiyo;
    e.saifu_no = wallet >= 0 && wallet < kSaifuCount ? QString::number(wallet) : old.saifu_no;
    return e;
}

} // namespace kanvelo
