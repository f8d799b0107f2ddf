#include "search/kensaku_rules.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/values.h"

#include <QDate>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// Names beyond these would push the line out of the window.
constexpr int kSkippedShown = 5;

// An input method may well give full-width digits and slashes.
QString plain(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

} // namespace

std::optional<QString> kensaku_date(const QString& text) {
    static const QRegularExpression kSlashed(u"^(\\d{4})/(\\d{1,2})/(\\d{1,2})$"_s);
    static const QRegularExpression kDigits(u"^(\\d{4})(\\d{2})(\\d{2})$"_s);
    const QString t = plain(text);
    QRegularExpressionMatch m = kSlashed.match(t);
    if (!m.hasMatch())
        m = kDigits.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid() || date.year() < kYearMin || date.year() > kYearMax)
        return std::nullopt;
    return date.toString(u"yyyyMMdd"_s);
}

std::variant<SearchQuery, KensakuRefusal> kensaku_query(const KensakuInput& in) {
    SearchQuery q;
    q.text = in.moji.trimmed();

    const std::pair<const QString*, KensakuBox> amounts[] = {
        {&in.kingaku_from, KensakuBox::KingakuFrom}, {&in.kingaku_to, KensakuBox::KingakuTo}};
    for (const auto& [text, box] : amounts) {
        if (plain(*text).isEmpty())
            continue;
        const auto v = amount_value(plain(*text));
        if (!v)
            return KensakuRefusal{box, u"数字を入力して下さいね。"_s};
        (box == KensakuBox::KingakuFrom ? q.kingaku_from : q.kingaku_to) = v;
    }
    if (q.kingaku_from && q.kingaku_to && *q.kingaku_from > *q.kingaku_to)
        return KensakuRefusal{KensakuBox::KingakuTo,
                              u"金額の範囲は、小さい方から大きい方へ入力して下さい。"_s};

    const std::pair<const QString*, KensakuBox> dates[] = {
        {&in.hiduke_from, KensakuBox::HidukeFrom}, {&in.hiduke_to, KensakuBox::HidukeTo}};
    for (const auto& [text, box] : dates) {
        if (plain(*text).isEmpty())
            continue;
        const auto d = kensaku_date(*text);
        if (!d)
            return KensakuRefusal{box, u"日付は 2007/01/31 のように、年/月/日で入力して下さい。"_s};
        (box == KensakuBox::HidukeFrom ? q.hiduke_from : q.hiduke_to) = *d;
    }
    if (!q.hiduke_from.isEmpty() && !q.hiduke_to.isEmpty() && q.hiduke_from > q.hiduke_to)
        return KensakuRefusal{KensakuBox::HidukeTo,
                              u"日付の範囲は、前の日から後の日へ入力して下さい。"_s};
    return q;
}

QString kensaku_row_text(const SearchHit& hit) {
    const QString& d = hit.entry.hiduke;
    const QString date = d.size() == 8 ? d.left(4) + u'/' + d.mid(4, 2) + u'/' + d.mid(6) : d;
    QStringList cells{date, hit.himoku_name, format_number(hit.kingaku, u"#,##0"_s),
                      hit.entry.tekiyo, hit.saifu_name};
    // A tab in a value would move the cells after it.
    for (QString& c : cells)
        c.replace(u'\t', u' ');
    return cells.join(u'\t');
}

QString kensaku_summary(const SearchResult& result) {
    return u"%1件　合計 %2円"_s.arg(result.hits.size())
        .arg(format_number(result.total, u"#,##0"_s));
}

QString kensaku_skipped_text(const QStringList& skipped) {
    if (skipped.isEmpty())
        return {};
    QString text = u"読めなかったファイル: "_s + skipped.mid(0, kSkippedShown).join(u'、');
    if (skipped.size() > kSkippedShown)
        text += u"、ほか%1件"_s.arg(skipped.size() - kSkippedShown);
    return text;
}

} // namespace kanvelo
