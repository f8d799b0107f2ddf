#include "ledger/recurring_file.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/line_file.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kMonthly = u"毎月"_s;
const QString kYearly = u"毎年"_s;
const QString kEverySuffix = u"か月ごと"_s;
const QString kMonthEndText = u"月末"_s;

// Fields of a line: repeat, from, day, category, amount, description, wallet.
constexpr int kFields = 7;

bool parse_repeat(const QString& repeat, const QString& from, RecurringTemplate& t) {
    using R = RecurringTemplate::Repeat;
    if (repeat == kMonthly) {
        t.repeat = R::Monthly;
        return from.isEmpty();
    }
    if (repeat == kYearly) {
        const auto m = whole_number_in(from, 1, 12);
        t.repeat = R::Yearly;
        t.from_tuki = m.value_or(0);
        return m.has_value();
    }
    if (!repeat.endsWith(kEverySuffix))
        return false;
    const auto n =
        whole_number_in(repeat.chopped(kEverySuffix.size()), 1, RecurringTemplate::kEveryMax);
    // yyyymm, digits only.
    const bool six_digits = from.size() == 6 && std::all_of(from.begin(), from.end(), [](QChar c) {
                                return c >= u'0' && c <= u'9';
                            });
    if (!n || !six_digits)
        return false;
    const auto y = whole_number_in(from.left(4), kYearMin, kYearMax);
    const auto m = whole_number_in(from.mid(4), 1, 12);
    if (!y || !m)
        return false;
    t.repeat = R::EveryNMonths;
    t.every = *n;
    t.from_nen = *y;
    t.from_tuki = *m;
    return true;
}

std::optional<RecurringTemplate> parse(const QString& line) {
    const QStringList f = line.split(u'\t');
    if (f.size() != kFields)
        return std::nullopt;
    RecurringTemplate t;
    if (!parse_repeat(f.at(0), f.at(1), t))
        return std::nullopt;
    std::optional<int> day = f.at(2) == kMonthEndText ? std::optional<int>(t.kMonthEnd)
                                                      : whole_number_in(f.at(2), 1, 31);
    const auto himoku = himoku_slot(f.at(3));
    const auto saifu = saifu_slot(f.at(6));
    if (!day || !himoku || !amount_value(f.at(4)) || !saifu)
        return std::nullopt;
    t.day = *day;
    t.himoku_no = *himoku + 1;
    t.kingaku = f.at(4);
    t.tekiyo = f.at(5);
    t.saifu_no = *saifu;
    return t;
}

QString from_text(const RecurringTemplate& t) {
    switch (t.repeat) {
    case RecurringTemplate::Repeat::Monthly:
        return {};
    case RecurringTemplate::Repeat::Yearly:
        return QString::number(t.from_tuki);
    case RecurringTemplate::Repeat::EveryNMonths:
        break;
    }
    return u"%1%2"_s.arg(t.from_nen, 4, 10, QChar(u'0')).arg(t.from_tuki, 2, 10, QChar(u'0'));
}

} // namespace

QString repeat_text(const RecurringTemplate& t) {
    switch (t.repeat) {
    case RecurringTemplate::Repeat::Monthly:
        return kMonthly;
    case RecurringTemplate::Repeat::Yearly:
        return kYearly;
    case RecurringTemplate::Repeat::EveryNMonths:
        break;
    }
    return QString::number(t.every) + kEverySuffix;
}

QString day_text(int day) {
    return day == RecurringTemplate::kMonthEnd ? kMonthEndText : QString::number(day);
}

RecurringRead read_recurring(const QString& path) {
    RecurringRead out;
    LineFile file = read_line_file(path, Watch::Yes);
    out.report.missing = file.missing;
    out.report.unreadable = file.unreadable;
    out.report.errors = file.errors;
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString& line = file.lines.at(i);
        if (line.isEmpty())
            continue;
        if (auto t = parse(line)) {
            out.file.templates.push_back(*t);
            continue;
        }
        out.file.kept << line;
        out.report.errors.push_back({path, i + 1, u"この行は読めないため、そのまま残します"_s});
    }
    return out;
}

QString recurring_line(const RecurringTemplate& t) {
    return QStringList{repeat_text(t),
                       from_text(t),
                       day_text(t.day),
                       QString::number(t.himoku_no),
                       t.kingaku,
                       t.tekiyo,
                       QString::number(t.saifu_no)}
        .join(u'\t');
}

QStringList recurring_lines(const RecurringTemplates& file) {
    QStringList out;
    for (const RecurringTemplate& t : file.templates)
        out << recurring_line(t);
    return out + file.kept;
}

WriteResult write_recurring(const QString& path, const RecurringTemplates& file) {
    return write_line_file(path, recurring_lines(file));
}

} // namespace kanvelo
