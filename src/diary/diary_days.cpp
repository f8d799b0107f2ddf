#include "diary/diary_days.h"

namespace kanvelo {

QDate diary_row_date(int year, int row) {
    return QDate(year, 1, 1).addDays(row - 1);
}

QString diary_date_text(const QDate& date) {
    return QStringLiteral("%1/%2")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString diary_title(const QString& nen) {
    return QStringLiteral("西暦") + nen + QStringLiteral("年の日記");
}

QString diary_day_label(const QDate& date) {
    return QStringLiteral("【") + diary_date_text(date) + QStringLiteral("】");
}

} // namespace kanvelo
