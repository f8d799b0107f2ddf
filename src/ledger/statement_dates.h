#pragma once

#include <QDate>
#include <QString>

// Dates as banks and card companies write them in their statements.
namespace kanvelo {

struct StatementDate {
    QDate date;      // valid when the cell names a whole date
    int month = 0;   // a month and day without a year ("12/08"): the year
    int day = 0;     // comes from the statement's period or today
    QString problem; // why the cell is not a date; empty when read
    bool read() const { return date.isValid() || month > 0; }
};

// 2026/12/08, 2026-12-08, 2026.12.08, 20261208, 2026年12月8日, 26/12/08 (the
// 2000s), 12/08, and era dates: R8.12.8, R08/12/08, 令和8年12月8日, 令和元年,
// H31.4.30, 平成31年4月30日, S64.1.7, each within its era's days. A time
// after the date is ignored.
StatementDate read_statement_date(const QString& cell);

// The year for a month and day without one: within the period when one is
// known, otherwise the nearest date not after today.
QDate complete_date(int month, int day, const QDate& period_from, const QDate& period_to,
                    const QDate& today);

} // namespace kanvelo
