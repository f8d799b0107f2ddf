#pragma once

#include <QDate>

namespace kanvelo {

// "Today" for every window that proposes a date. Tests set it.
QDate clock_today();
void clock_set_today_for_tests(const QDate& date); // an invalid date restores the system date

} // namespace kanvelo
