#pragma once

#include <QDate>
#include <QString>

// The rules of the diary window that need no widgets: which day a grid row
// shows and how days are written.
namespace kanvelo {

// The year of the open month as a number; the system date's year when the
// text is not a year (so the window still has days to show).
int diary_year(const QString& nen);

// Grid row r (1..366) shows the day r - 1 days after 1 January of the year.
QDate diary_row_date(int year, int row);

QString diary_date_text(const QDate& date); // "MM/DD"
QString weekday_letter(const QDate& date);  // 日 月 火 水 木 金 土
QString diary_title(const QString& nen);    // "西暦2007年の日記"
QString diary_day_label(const QDate& date); // "【MM/DD】"

} // namespace kanvelo
