#include "ledger/calendar.h"

#include "ledger/clock.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

QString weekday_letter(const QDate& date) {
    static const QString letters = u"日月火水木金土"_s;
    return letters.at(date.dayOfWeek() % 7); // Qt counts Monday = 1 .. Sunday = 7
}

int diary_year(const QString& nen) {
    bool ok = false;
    const int year = nen.trimmed().toInt(&ok);
    if (ok && QDate(year, 1, 1).isValid())
        return year;
    return clock_today().year();
}

} // namespace kanvelo
