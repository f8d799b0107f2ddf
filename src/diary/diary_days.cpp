#include "diary/diary_days.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

QDate diary_row_date(int year, int row) {
    return QDate(year, 1, 1).addDays(row - 1);
}

QString diary_date_text(const QDate& date) {
    return u"%1/%2"_s.arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString diary_title(const QString& nen) {
    return u"西暦"_s + nen + u"年の日記"_s;
}

QString diary_day_label(const QDate& date) {
    return u"【"_s + diary_date_text(date) + u"】"_s;
}

} // namespace kanvelo
