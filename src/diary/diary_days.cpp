#include "diary/diary_days.h"

#include "ledger/clock.h"
#include "ledger/line_file.h"

namespace kanvelo {

int diary_year(const QString& nen) {
    bool ok = false;
    const int year = nen.trimmed().toInt(&ok);
    if (ok && QDate(year, 1, 1).isValid())
        return year;
    return clock_today().year();
}

QDate diary_row_date(int year, int row) {
    return QDate(year, 1, 1).addDays(row - 1);
}

QString diary_date_text(const QDate& date) {
    return QStringLiteral("%1/%2")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString weekday_letter(const QDate& date) {
    static const QString letters = QStringLiteral("日月火水木金土");
    return letters.at(date.dayOfWeek() % 7); // Qt counts Monday = 1 .. Sunday = 7
}

QString diary_title(const QString& nen) {
    return QStringLiteral("西暦") + nen + QStringLiteral("年の日記");
}

QString diary_day_label(const QDate& date) {
    return QStringLiteral("【") + diary_date_text(date) + QStringLiteral("】");
}

} // namespace kanvelo
