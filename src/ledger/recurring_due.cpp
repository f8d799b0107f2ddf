#include "ledger/recurring_due.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/search.h"

#include <QHash>
#include <QSet>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// What makes an entry the same as a template's; nothing for entries that
// cannot be one (no category, no amount).
QString entry_key(const QString& hiduke, const QString& himoku_no, const QString& kingaku,
                  const QString& tekiyo) {
    const auto slot = himoku_slot(himoku_no);
    const auto amount = amount_value(kingaku);
    if (!slot || !amount)
        return {};
    return hiduke + u'\t' + QString::number(*slot) + u'\t' + QString::number(*amount, 'g', 17) +
           u'\t' + search_fold(tekiyo.trimmed());
}

} // namespace

std::optional<QDate> due_date(const RecurringTemplate& t, int nen, int tuki) {
    using R = RecurringTemplate::Repeat;
    if (nen < kYearMin || nen > kYearMax || tuki < 1 || tuki > 12)
        return std::nullopt;
    if (t.repeat == R::Yearly && tuki != t.from_tuki)
        return std::nullopt;
    if (t.repeat == R::EveryNMonths) {
        const int since = (nen * 12 + tuki) - (t.from_nen * 12 + t.from_tuki);
        if (since < 0 || t.every < 1 || since % t.every != 0)
            return std::nullopt;
    }
    const QDate first(nen, tuki, 1);
    const int last = first.daysInMonth();
    const int day = t.day == t.kMonthEnd || t.day > last ? last : std::max(t.day, 1);
    return QDate(nen, tuki, day);
}

SyusiRec template_entry(const RecurringTemplate& t, const QDate& date) {
    return {date.toString(u"yyyyMMdd"_s), QString::number(t.himoku_no), t.kingaku, t.tekiyo,
            QString::number(t.saifu_no)};
}

std::vector<DueEntry> due_entries(const std::vector<RecurringTemplate>& templates,
                                  const Ledger& ledger) {
    std::vector<DueEntry> out;
    const auto nen = whole_number_in(ledger.nen, kYearMin, kYearMax);
    const auto tuki = whole_number_in(ledger.tuki, 1, 12);
    if (!nen || !tuki || templates.empty())
        return out;
    std::vector<DueEntry> due;
    QHash<QString, QSet<int>> categories_by_day;
    for (int k = 0; k < int(templates.size()); ++k) {
        if (const auto date = due_date(templates[k], *nen, *tuki)) {
            due.push_back({k, template_entry(templates[k], *date)});
            categories_by_day[due.back().entry.hiduke].insert(templates[k].himoku_no - 1);
        }
    }
    // Only entries on a day and in a category something falls due in can
    // match; the amount and the folded description of the others are never
    // worked out, which keeps a full month cheap.
    QHash<QString, int> recorded;
    const int kensu = std::clamp(ledger.kensu, 0, kSyusiLimit);
    for (int i = 1; i <= kensu; ++i) {
        const SyusiRec& s = ledger.syusi[i];
        const auto day = categories_by_day.constFind(s.hiduke);
        if (day == categories_by_day.cend() ||
            !day->contains(himoku_slot(s.himoku_no).value_or(-1)))
            continue;
        const QString key = entry_key(s.hiduke, s.himoku_no, s.kingaku, s.tekiyo);
        if (!key.isEmpty())
            ++recorded[key];
    }
    for (DueEntry& d : due) {
        const SyusiRec& e = d.entry;
        const auto it = recorded.find(entry_key(e.hiduke, e.himoku_no, e.kingaku, e.tekiyo));
        if (it != recorded.end() && *it > 0) {
            --*it;
            continue;
        }
        out.push_back(std::move(d));
    }
    return out;
}

} // namespace kanvelo
