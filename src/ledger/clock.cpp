#include "ledger/clock.h"

namespace kanvelo {

namespace {
QDate g_fixed_today;
}

QDate clock_today() {
    return g_fixed_today.isValid() ? g_fixed_today : QDate::currentDate();
}

void clock_set_today_for_tests(const QDate& date) {
    g_fixed_today = date;
}

} // namespace kanvelo
