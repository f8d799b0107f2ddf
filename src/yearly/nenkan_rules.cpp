#include "yearly/nenkan_rules.h"

#include "ledger/guards.h"
#include "ledger/month_totals.h"
#include "ledger/values.h"

#include <QDate>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmount = u"#,##0"_s;

QString month_text(CalendarMonth m) {
    return format_number(m.year, u"0000"_s) + u'/' + format_number(m.month, u"00"_s);
}

QString yyyymm(CalendarMonth m) {
    return format_number(m.year, u"0000"_s) + format_number(m.month, u"00"_s);
}

void fill_totals_rows(std::array<double, kNenkanRows>& rows, double syunyu, double sisyutu) {
    rows[kNenkanSyunyuRow] = syunyu;
    rows[kNenkanSisyutuRow] = sisyutu;
    rows[kNenkanSagakuRow] = syunyu - sisyutu;
}

NenkanMonth open_month(const Ledger& ledger, CalendarMonth month) {
    NenkanMonth m{month, NenkanMonth::Status::Open, month_file_name_of(month), {}, {}};
    for (int c = 0; c < kHimokuCount; ++c) {
        m.jisseki[c] = ledger.himoku[c].jisseki;
        m.yosan[c] = amount_value(ledger.himoku[c].yosan_kingaku).value_or(0);
    }
    fill_totals_rows(m.jisseki, ledger.syunyu_goukei, ledger.sisyutu_goukei);
    fill_totals_rows(m.yosan, ledger.yosan_syunyu_goukei, ledger.yosan_sisyutu_goukei);
    return m;
}

NenkanMonth month_from_file(const QString& folder, CalendarMonth month) {
    NenkanMonth m{month, NenkanMonth::Status::Read, month_file_name_of(month), {}, {}};
    const MonthTotals totals = read_month_totals(folder + m.file_name);
    if (totals.status == MonthTotals::Status::Missing) {
        m.status = NenkanMonth::Status::Missing;
        return m;
    }
    // Totals with lines left out would show a month that never was.
    if (totals.incomplete()) {
        m.status = NenkanMonth::Status::Damaged;
        return m;
    }
    const bool has_budgets = totals.status != MonthTotals::Status::OldFormat;
    for (int c = 0; c < kHimokuCount; ++c) {
        m.jisseki[c] = totals.jisseki[c];
        if (has_budgets)
            m.yosan[c] = amount_value(totals.himoku[c].yosan_kingaku).value_or(0);
    }
    fill_totals_rows(m.jisseki, totals.syunyu_jisseki, totals.sisyutu_jisseki);
    fill_totals_rows(m.yosan, totals.syunyu_yosan, totals.sisyutu_yosan);
    return m;
}

QString amount_text(double v) {
    return format_number(v, kAmount);
}

// Whole yen without separators, rounded as the screen rounds.
QString csv_amount(const QString& shown) {
    return QString(shown).remove(u',');
}

} // namespace

std::vector<CalendarMonth> nenkan_months(NenkanSpan span, int year, CalendarMonth open) {
    if (span == NenkanSpan::Year)
        return months_between({year, 1}, {year, 12});
    CalendarMonth first = open;
    first.year -= 1;
    first.month += 1;
    if (first.month > 12) {
        first.month = 1;
        first.year += 1;
    }
    return months_between(first, open);
}

NenkanTable nenkan_table(const Ledger& ledger, NenkanSpan span, int year) {
    NenkanTable table;
    table.span = span;
    const CalendarMonth open{whole_number_in(ledger.nen, 0, 9999).value_or(0),
                             whole_number_in(ledger.tuki, 1, 12).value_or(1)};
    for (int c = 0; c < kHimokuCount; ++c)
        table.names[c] = ledger.himoku[c].name;
    for (const CalendarMonth& month : nenkan_months(span, year, open))
        table.months.push_back(month == open ? open_month(ledger, month)
                                             : month_from_file(ledger.app_path, month));
    return table;
}

double NenkanTable::year_total(int row) const {
    double sum = 0;
    for (const NenkanMonth& m : months)
        sum += m.jisseki[row];
    return sum;
}

std::optional<double> NenkanTable::month_average(int row) const {
    const auto counted = std::count_if(months.begin(), months.end(),
                                       [](const NenkanMonth& m) { return m.has_figures(); });
    if (counted == 0)
        return std::nullopt;
    return year_total(row) / double(counted);
}

double NenkanTable::year_budget(int row) const {
    double sum = 0;
    for (const NenkanMonth& m : months)
        sum += m.yosan[row];
    return sum;
}

QString NenkanTable::first_day() const {
    return months.empty() ? QString() : yyyymm(months.front().month) + u"01"_s;
}

QString NenkanTable::last_day() const {
    if (months.empty())
        return QString();
    const CalendarMonth m = months.back().month;
    return yyyymm(m) + format_number(QDate(m.year, m.month, 1).daysInMonth(), u"00"_s);
}

QStringList nenkan_damaged_files(const NenkanTable& table) {
    QStringList out;
    for (const NenkanMonth& m : table.months)
        if (m.status == NenkanMonth::Status::Damaged)
            out << m.file_name;
    return out;
}

QString nenkan_damaged_text(const NenkanTable& table) {
    const QStringList files = nenkan_damaged_files(table);
    if (files.isEmpty())
        return QString();
    return u"読めなかったファイル: "_s + files.join(u'、') + u"（空欄にしてあります）"_s;
}

QString nenkan_title(const NenkanTable& table) {
    if (table.months.empty())
        return QString();
    const CalendarMonth first = table.months.front().month;
    const CalendarMonth last = table.months.back().month;
    if (table.span == NenkanSpan::Year)
        return QString::number(first.year) + u"年の収支"_s;
    return u"%1年%2月～%3年%4月の収支"_s.arg(first.year)
        .arg(first.month)
        .arg(last.year)
        .arg(last.month);
}

QStringList nenkan_header(const NenkanTable& table) {
    QStringList out{u"費目"_s};
    for (const NenkanMonth& m : table.months)
        out << month_text(m.month);
    out << u"年合計"_s << u"月平均"_s << u"年間予算"_s << u"予算との差"_s;
    return out;
}

QString nenkan_row_name(const NenkanTable& table, int row) {
    switch (row) {
    case kNenkanSyunyuRow:
        return u"収入合計"_s;
    case kNenkanSisyutuRow:
        return u"支出合計"_s;
    case kNenkanSagakuRow:
        return u"差引収支"_s;
    default:
        return table.names.at(row);
    }
}

QStringList nenkan_row(const NenkanTable& table, int row) {
    QStringList out{nenkan_row_name(table, row)};
    for (const NenkanMonth& m : table.months)
        out << (m.has_figures() ? amount_text(m.jisseki[row]) : QString());
    const auto average = table.month_average(row);
    out << amount_text(table.year_total(row)) << (average ? amount_text(*average) : QString())
        << amount_text(table.year_budget(row)) << amount_text(table.budget_difference(row));
    return out;
}

QStringList nenkan_csv_lines(const NenkanTable& table) {
    QStringList lines;
    QStringList header = nenkan_header(table);
    lines << u"No.,"_s + header.join(u',');
    for (int row = 0; row < kNenkanRows; ++row) {
        QStringList cells = nenkan_row(table, row);
        cells[0] = csv_field(cells[0]);
        for (int c = 1; c < cells.size(); ++c)
            cells[c] = csv_amount(cells[c]);
        const QString no = row < kHimokuCount ? QString::number(row + 1) : QString();
        lines << no + u',' + cells.join(u',');
    }
    return lines;
}

QString nenkan_file_stem(const NenkanTable& table) {
    if (table.months.empty())
        return u"年間収支表"_s;
    if (table.span == NenkanSpan::Year)
        return u"年間収支表"_s + QString::number(table.months.front().month.year);
    return u"年間収支表"_s + yyyymm(table.months.front().month) + u'-' +
           yyyymm(table.months.back().month);
}

} // namespace kanvelo
