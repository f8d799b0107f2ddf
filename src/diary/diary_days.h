#pragma once

#include "ledger/calendar.h"

#include <QDate>
#include <QString>

// The rules of the diary window that need no widgets: which day a grid row
// shows and how days are written.
namespace kanvelo {

// Grid row r (1..366) shows the day r - 1 days after 1 January of the year.
QDate diary_row_date(int year, int row);

QString diary_date_text(const QDate& date); // "MM/DD"
QString diary_title(const QString& nen);    // "西暦2007年の日記"
QString diary_day_label(const QDate& date); // "【MM/DD】"

} // namespace kanvelo
