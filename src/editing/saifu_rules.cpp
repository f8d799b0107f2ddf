#include "editing/saifu_rules.h"

#include "editing/teisei_rules.h"
#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// Sixteen digits would reach kAmountLimit.
constexpr int kAmountDigits = 15;

QString two_digits(int v) {
    return format_number(v, u"00"_s);
}

} // namespace

int day_in_month(int nen, int tuki, int hi) {
    const int last = QDate(nen, tuki, 1).daysInMonth();
    return last > 0 ? std::min(hi, last) : hi;
}

std::optional<TransferDate> typed_transfer_date(const QString& nen, const QString& tuki,
                                                const QString& hi) {
    const DateResult r = check_date(nen, tuki, hi);
    if (r.refused != DateField::None)
        return std::nullopt;
    return TransferDate{r.hiduke.left(4).toInt(), r.hiduke.mid(4, 2).toInt(),
                        r.hiduke.mid(6, 2).toInt()};
}

std::optional<double> transfer_amount(const QString& kingaku) {
    const QString digits = kingaku.trimmed();
    if (digits.isEmpty() || digits.size() > kAmountDigits)
        return std::nullopt;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return amount_value(digits);
}

TransferCheck check_transfer(const Ledger& ledger, int moto, int saki, const QString& kingaku,
                             const QString& nen, const QString& tuki, const QString& hi) {
    TransferCheck r;
    const bool wallets_chosen = moto >= 0 && moto < kSaifuCount && saki >= 0 && saki < kSaifuCount;
    if (!wallets_chosen) {
        r.message = u"財布の指定が不正です。"_s;
        r.focus = TransferField::Moto;
        return r;
    }
    if (moto == saki) {
        r.message = u"同じところに移動してどうするんですか？"_s;
        return r;
    }
    if (kingaku.isEmpty()) {
        r.message = u"金額が入っていません"_s;
        r.focus = TransferField::Kingaku;
        r.beep = true;
        return r;
    }
    const std::optional<double> amount = transfer_amount(kingaku);
    if (!amount) {
        r.message = u"数字を入力して下さいね。"_s;
        r.focus = TransferField::Kingaku;
        return r;
    }
    // The same checks and messages as the correction window's date.
    const DateResult typed = check_date(nen, tuki, hi);
    if (typed.refused != DateField::None) {
        r.message = typed.message;
        r.focus = typed.refused == DateField::Nen    ? TransferField::Nen
                  : typed.refused == DateField::Tuki ? TransferField::Tuki
                                                     : TransferField::Hi;
        return r;
    }
    const std::optional<TransferDate> date = typed_transfer_date(nen, tuki, hi);
    if (ledger.kensu > kSyusiLimit - 2) {
        r.limit = true;
        return r;
    }
    r.date = *date;
    r.amount = *amount;
    return r;
}

std::pair<SyusiRec, SyusiRec> transfer_entries(const Ledger& ledger, const TransferDate& date,
                                               int moto, int saki, double amount) {
    const QString hiduke =
        format_number(date.nen, u"0000"_s) + two_digits(date.tuki) + two_digits(date.hi);
    const QString category = QString::number(kTransferHimoku);
    const QString pattern = u"#,##0"_s;
    return {SyusiRec{hiduke, category, format_number(-amount, pattern), ledger.saifu[moto].name,
                     QString::number(moto)},
            SyusiRec{hiduke, category, format_number(amount, pattern), ledger.saifu[saki].name,
                     QString::number(saki)}};
}

} // namespace kanvelo
