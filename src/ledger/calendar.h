#pragma once

#include <QDate>
#include <QString>

// Dates as the windows show them, shared by the diary, the entry window and
// the printed statements.
namespace kanvelo {

// Every year a month can be opened in, and so every year an entry can carry.
inline constexpr int kYearMin = 1900;
inline constexpr int kYearMax = 3000;

// 日 月 火 水 木 金 土, Sunday first.
QString weekday_letter(const QDate& date);

// The year of the open month as a number, whose diary the windows edit; the
// system date's year when the text is not a year.
int diary_year(const QString& nen);

} // namespace kanvelo
