#include "ledger/statement_dates.h"

#include "ledger/search.h"

#include <QRegularExpression>
#include <array>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

struct Era {
    QString letter; // folded: "r", "h", "s"
    QString name;
    QDate first;
    QDate last;
};

const std::array<Era, 3>& eras() {
    static const std::array<Era, 3> table = {{
        {u"r"_s, u"令和"_s, QDate(2019, 5, 1), QDate(9999, 12, 31)},
        {u"h"_s, u"平成"_s, QDate(1989, 1, 8), QDate(2019, 4, 30)},
        {u"s"_s, u"昭和"_s, QDate(1926, 12, 25), QDate(1989, 1, 7)},
    }};
    return table;
}

StatementDate refused(const QString& cell) {
    StatementDate d;
    d.problem = u"日付が読めません（"_s + cell.trimmed() + u"）"_s;
    return d;
}

StatementDate whole(int y, int m, int d, const QString& cell) {
    const QDate date(y, m, d);
    if (!date.isValid())
        return refused(cell);
    StatementDate out;
    out.date = date;
    return out;
}

StatementDate era_date(const Era& era, int year, int m, int d, const QString& cell) {
    const QDate date(era.first.year() + year - 1, m, d);
    if (year < 1 || !date.isValid())
        return refused(cell);
    if (date < era.first || date > era.last) {
        StatementDate out;
        out.problem = era.name + u"にない日付です（"_s + cell.trimmed() + u"）"_s;
        return out;
    }
    StatementDate out;
    out.date = date;
    return out;
}

} // namespace

StatementDate read_statement_date(const QString& cell) {
    QString s = search_fold(cell).trimmed();
    // A time of day after the date ("2026/12/08 10:23").
    static const QRegularExpression kTime(u"\\s+\\d{1,2}:\\d{2}(:\\d{2})?$"_s);
    s.remove(kTime);
    s.remove(u' ');
    if (s.isEmpty()) {
        StatementDate d;
        d.problem = u"日付がありません"_s;
        return d;
    }
    static const QRegularExpression kYmd(u"^(\\d{4})([/.-])(\\d{1,2})\\2(\\d{1,2})$"_s);
    static const QRegularExpression kCompact(u"^(\\d{4})(\\d{2})(\\d{2})$"_s);
    static const QRegularExpression kKanji(u"^(\\d{4})年(\\d{1,2})月(\\d{1,2})日$"_s);
    static const QRegularExpression kShort(u"^(\\d{2})([/.-])(\\d{1,2})\\2(\\d{1,2})$"_s);
    static const QRegularExpression kMonthDay(u"^(\\d{1,2})/(\\d{1,2})$"_s);
    static const QRegularExpression kEraLetter(
        u"^([rhs])(\\d{1,2}|元)([/.-])(\\d{1,2})\\3(\\d{1,2})$"_s);
    static const QRegularExpression kEraName(
        u"^(令和|平成|昭和)(\\d{1,2}|元)(?:年(\\d{1,2})月(\\d{1,2})日|([/.-])(\\d{1,2})\\5(\\d{1,2}))$"_s);
    QRegularExpressionMatch m;
    if ((m = kYmd.match(s)).hasMatch())
        return whole(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt(), cell);
    if ((m = kCompact.match(s)).hasMatch() || (m = kKanji.match(s)).hasMatch())
        return whole(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), cell);
    if ((m = kShort.match(s)).hasMatch())
        return whole(2000 + m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt(),
                     cell);
    if ((m = kMonthDay.match(s)).hasMatch()) {
        const int month = m.captured(1).toInt();
        const int day = m.captured(2).toInt();
        // Any leap year tells whether the month has the day.
        if (!QDate(2000, month, day).isValid())
            return refused(cell);
        StatementDate out;
        out.month = month;
        out.day = day;
        return out;
    }
    auto year_of = [](const QString& text) { return text == u"元"_s ? 1 : text.toInt(); };
    if ((m = kEraLetter.match(s)).hasMatch()) {
        for (const Era& era : eras()) {
            if (era.letter == m.captured(1))
                return era_date(era, year_of(m.captured(2)), m.captured(4).toInt(),
                                m.captured(5).toInt(), cell);
        }
    }
    if ((m = kEraName.match(s)).hasMatch()) {
        const bool kanji = !m.captured(3).isEmpty();
        for (const Era& era : eras()) {
            if (era.name == m.captured(1))
                return era_date(era, year_of(m.captured(2)), m.captured(kanji ? 3 : 6).toInt(),
                                m.captured(kanji ? 4 : 7).toInt(), cell);
        }
    }
    return refused(cell);
}

QDate complete_date(int month, int day, const QDate& period_from, const QDate& period_to,
                    const QDate& today) {
    if (period_from.isValid() && period_to.isValid()) {
        for (int y = period_from.year(); y <= period_to.year(); ++y) {
            const QDate d(y, month, day);
            if (d.isValid() && d >= period_from && d <= period_to)
                return d;
        }
    }
    for (int y = today.year(); y >= today.year() - 8; --y) {
        const QDate d(y, month, day);
        if (d.isValid() && d <= today)
            return d;
    }
    return {};
}

} // namespace kanvelo
