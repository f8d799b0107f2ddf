#include "recurring/recurring_rules.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

TemplateCheck template_from_texts(const TemplateTexts& in) {
    using R = RecurringTemplate::Repeat;
    RecurringTemplate t;
    t.repeat = in.repeat;
    if (in.repeat == R::EveryNMonths) {
        const auto every = whole_number_in(in.every, 1, RecurringTemplate::kEveryMax);
        if (!every)
            return {{}, u"間隔は1～99の数字を入力して下さい。"_s, TemplateBox::Every};
        t.every = *every;
        const auto nen = whole_number_in(in.from_nen, kYearMin, kYearMax);
        if (!nen)
            return {{}, u"起点の年を正しく入力して下さい。"_s, TemplateBox::FromNen};
        t.from_nen = *nen;
    }
    if (in.repeat != R::Monthly) {
        const auto tuki = whole_number_in(in.from_tuki, 1, 12);
        if (!tuki)
            return {{}, u"月は1～12の数字を入力して下さい。"_s, TemplateBox::FromTuki};
        t.from_tuki = *tuki;
    }
    if (in.day.trimmed() == day_text(RecurringTemplate::kMonthEnd)) {
        t.day = RecurringTemplate::kMonthEnd;
    } else if (const auto day = whole_number_in(in.day, 1, 31)) {
        t.day = *day;
    } else {
        return {{}, u"日は1～31の数字か「月末」を入力して下さい。"_s, TemplateBox::Day};
    }
    const auto slot = himoku_slot(in.himoku_no);
    if (!slot)
        return {{}, u"費目は1～30の数字を入力して下さい。"_s, TemplateBox::Himoku};
    t.himoku_no = *slot + 1;
    if (!amount_value(in.kingaku))
        return {{}, u"金額を正しく入力して下さい。"_s, TemplateBox::Kingaku};
    t.kingaku = format_value(in.kingaku, u"#,##0"_s);
    t.tekiyo = in.tekiyo.trimmed();
    t.saifu_no = std::clamp(in.saifu_no, 0, kSaifuCount - 1);
    return {t, {}, TemplateBox::None};
}

TemplateTexts texts_of(const RecurringTemplate& t) {
    using R = RecurringTemplate::Repeat;
    TemplateTexts out;
    out.repeat = t.repeat;
    out.every = t.repeat == R::EveryNMonths ? QString::number(t.every) : QString();
    out.from_nen = t.repeat == R::EveryNMonths ? QString::number(t.from_nen) : QString();
    out.from_tuki = t.repeat == R::Monthly ? QString() : QString::number(t.from_tuki);
    out.day = day_text(t.day);
    out.himoku_no = QString::number(t.himoku_no);
    out.kingaku = t.kingaku;
    out.tekiyo = t.tekiyo;
    out.saifu_no = t.saifu_no;
    return out;
}

QString template_row_text(const Ledger& ledger, const RecurringTemplate& t) {
    using R = RecurringTemplate::Repeat;
    QString when = repeat_text(t);
    if (t.repeat == R::Yearly)
        when += QString::number(t.from_tuki) + u'月';
    else if (t.repeat == R::EveryNMonths)
        when += u"（%1年%2月から）"_s.arg(t.from_nen).arg(t.from_tuki);
    const QString day =
        t.day == RecurringTemplate::kMonthEnd ? day_text(t.day) : day_text(t.day) + u'日';
    const auto c = himoku_slot(QString::number(t.himoku_no));
    const auto w = saifu_slot(QString::number(t.saifu_no));
    return u"%1 %2  %3 %4  %5  %6  （%7）"_s.arg(when, day)
        .arg(t.himoku_no, 2)
        .arg(c ? ledger.himoku[*c].name : QString())
        .arg(t.kingaku, t.tekiyo, w ? ledger.saifu[*w].name : QString());
}

} // namespace kanvelo
