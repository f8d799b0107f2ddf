#pragma once

#include "ledger/file_error.h"

#include <QString>
#include <QStringList>
#include <vector>

// Entries that come back every month, every few months or once a year (rent,
// salary, insurance), in one file of the data folder: code page 932 and CR LF
// like every other file, so it is read and written by the same reader and
// writer (undecodable bytes kept, atomic saves, backups) and opens in the same
// editor. One template a line, fields separated by tabs:
//   <毎月 | 毎年 | Nか月ごと> <from: empty | month 1..12 | yyyymm>
//   <day 1..31 or 月末> <category 1..30> <amount> <description> <wallet 0..14>
// A line that is not a template is reported and written back unchanged.
namespace kanvelo {

inline const QString kRecurringFile = QStringLiteral("定期収支.txt");

struct RecurringTemplate {
    enum class Repeat { Monthly, EveryNMonths, Yearly };
    static constexpr int kMonthEnd = 0; // `day` for the month's last day
    static constexpr int kEveryMax = 99;

    Repeat repeat = Repeat::Monthly;
    int every = 1;     // EveryNMonths: 1..kEveryMax months apart
    int from_nen = 0;  // EveryNMonths: the first month it is due in
    int from_tuki = 1; // EveryNMonths and Yearly: 1..12
    int day = 1;       // 1..31 or kMonthEnd; past the month's end it is the last day
    int himoku_no = 1; // 1..30
    QString kingaku;   // an amount amount_value takes, as typed
    QString tekiyo;
    int saifu_no = 0; // 0..14

    bool operator==(const RecurringTemplate&) const = default;
};

struct RecurringTemplates {
    std::vector<RecurringTemplate> templates;
    QStringList kept; // damaged lines as they were read, written back after the rest
    bool operator==(const RecurringTemplates&) const = default;
};

struct RecurringRead {
    RecurringTemplates file;
    ReadReport report; // a missing file is no error: there are no templates yet
};
RecurringRead read_recurring(const QString& path);

// The template's line in the file, and the lines of a whole file.
QString recurring_line(const RecurringTemplate& t);
QStringList recurring_lines(const RecurringTemplates& file);
WriteResult write_recurring(const QString& path, const RecurringTemplates& file);

// The texts the windows show and the file holds for the repeat and the day.
QString repeat_text(const RecurringTemplate& t); // "毎月", "毎年", "3か月ごと"
QString day_text(int day);                       // "25", "月末"

} // namespace kanvelo
