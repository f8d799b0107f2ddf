#pragma once

#include "ledger/export_files.h"
#include "ledger/ledger.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The figures of the year table (年間収支表): twelve months side by side, by
// category, from the month files of the folder and, for the open month, from
// the ledger in memory. Nothing here writes a file.
namespace kanvelo {

inline constexpr int kNenkanMonths = 12;
// The 30 categories, then 収入合計, 支出合計 and 差引収支.
inline constexpr int kNenkanSyunyuRow = kHimokuCount;
inline constexpr int kNenkanSisyutuRow = kHimokuCount + 1;
inline constexpr int kNenkanSagakuRow = kHimokuCount + 2;
inline constexpr int kNenkanRows = kHimokuCount + 3;

// Which twelve months: a calendar year, or the twelve ending with the open month.
enum class NenkanSpan { Year, UpToOpenMonth };

// The months of the table, oldest first.
std::vector<CalendarMonth> nenkan_months(NenkanSpan span, int year, CalendarMonth open);

struct NenkanMonth {
    enum class Status {
        Open,    // the open month, from the ledger (unsaved entries count)
        Read,    // from its file
        Missing, // no file: blank
        Damaged, // lines of its file could not be used: blank, and named
    };
    CalendarMonth month;
    Status status = Status::Missing;
    QString file_name; // "~200405.dat"
    // By row: the categories' actuals (the transfer category keeps its own,
    // outside the totals), income, expense and their difference.
    std::array<double, kNenkanRows> jisseki{};
    std::array<double, kNenkanRows> yosan{};

    bool has_figures() const { return status == Status::Open || status == Status::Read; }
};

struct NenkanTable {
    NenkanSpan span = NenkanSpan::Year;
    std::vector<NenkanMonth> months;
    std::array<QString, kHimokuCount> names; // the open month's category names

    double year_total(int row) const;
    // Over the months that have figures; none when no month has.
    std::optional<double> month_average(int row) const;
    // The sum of the monthly budgets of the months that have figures.
    double year_budget(int row) const;
    // What is left of the budget, as the month view's 予算残高: budget − actual.
    double budget_difference(int row) const { return year_budget(row) - year_total(row); }
    // The first and last day of the table's months, yyyymmdd.
    QString first_day() const;
    QString last_day() const;
};

NenkanTable nenkan_table(const Ledger& ledger, NenkanSpan span, int year);

// "~200606.dat" of each damaged month, oldest first.
QStringList nenkan_damaged_files(const NenkanTable& table);
// "読めなかったファイル: ~200606.dat、~200607.dat（空欄にしてあります）"; empty when none.
QString nenkan_damaged_text(const NenkanTable& table);

// "2006年4月～2007年3月の収支" or "2007年の収支".
QString nenkan_title(const NenkanTable& table);

// The table as shown and printed: 費目, the twelve months ("2006/04"), 年合計,
// 月平均, 年間予算, 予算との差; amounts "#,##0", a month without figures blank.
QStringList nenkan_header(const NenkanTable& table);
QStringList nenkan_row(const NenkanTable& table, int row);
// The row's caption: the category name, or 収入合計 / 支出合計 / 差引収支.
QString nenkan_row_name(const NenkanTable& table, int row);

// The CSV file: "No.," before the header, the category number before each
// category row; plain whole yen, fields quoted as RFC 4180 asks.
QStringList nenkan_csv_lines(const NenkanTable& table);
// "年間収支表2007.csv" or "年間収支表200604-200703.csv".
QString nenkan_file_stem(const NenkanTable& table);

} // namespace kanvelo
