#include "ledger/statement_amounts.h"

#include "ledger/guards.h"
#include "ledger/search.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

bool strip_prefix(QString& s, const QString& prefix) {
    if (!s.startsWith(prefix))
        return false;
    s.remove(0, prefix.size());
    return true;
}

bool strip_suffix(QString& s, const QString& suffix) {
    if (!s.endsWith(suffix))
        return false;
    s.chop(suffix.size());
    return true;
}

// Digits with commas only between groups of three ("1,234", "1234").
bool is_grouped_digits(const QString& s) {
    if (s.isEmpty())
        return false;
    const QStringList groups = s.split(u',');
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const QString& part = groups.at(g);
        if (part.isEmpty() || (g > 0 && part.size() != 3) ||
            (g == 0 && groups.size() > 1 && part.size() > 3))
            return false;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return false;
        }
    }
    return true;
}

} // namespace

StatementAmount read_statement_amount(const QString& cell) {
    // search_fold turns full-width digits, signs and the comma into ASCII.
    QString s = search_fold(cell).trimmed();
    s.remove(u' ');
    s.remove(QChar(0x3000));
    if (s.isEmpty())
        return {};
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2);
    }
    for (const QString& sign : {u"-"_s, u"−"_s, u"△"_s, u"▲"_s}) {
        if (strip_prefix(s, sign)) {
            negative = !negative;
            break;
        }
    }
    for (const QString& yen : {u"\\"_s, u"￥"_s, u"¥"_s})
        strip_prefix(s, yen);
    if (!negative && strip_prefix(s, u"-"_s))
        negative = true; // "\-1,234"
    strip_suffix(s, u"円"_s);
    QString whole = s;
    if (const qsizetype dot = s.indexOf(u'.'); dot >= 0) {
        whole = s.left(dot);
        const QString fraction = s.mid(dot + 1);
        bool digits = !fraction.isEmpty();
        for (QChar c : fraction)
            digits = digits && c >= u'0' && c <= u'9';
        if (!digits)
            return {std::nullopt, u"金額が読めません（"_s + cell.trimmed() + u"）"_s};
        if (fraction.count(u'0') != fraction.size())
            return {std::nullopt, u"小数の金額は読めません（"_s + cell.trimmed() + u"）"_s};
    }
    if (!is_grouped_digits(whole))
        return {std::nullopt, u"金額が読めません（"_s + cell.trimmed() + u"）"_s};
    whole.remove(u',');
    if (whole.size() > 16 || whole.toDouble() >= kAmountLimit)
        return {std::nullopt, u"金額が大きすぎます（"_s + cell.trimmed() + u"）"_s};
    const long long value = whole.toLongLong();
    return {negative ? -value : value, {}};
}

} // namespace kanvelo
