#include "ledger/export_files.h"

#include "ledger/guards.h"
#include "ledger/line_file.h"
#include "ledger/other_month.h"
#include "ledger/values.h"

#include <QDir>
#include <QHash>
#include <array>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kEntryLines = 5;
constexpr int kTotalsRows = kHimokuCount - 1; // the transfer category is left out

int month_key(CalendarMonth m) {
    return m.year * 12 + (m.month - 1);
}

QString two_digits(int n) {
    return u"%1"_s.arg(n, 2, 10, QChar(u'0'));
}

QString four_digits(int n) {
    return u"%1"_s.arg(n, 4, 10, QChar(u'0'));
}

// A tab inside a value would move every later field of its line one column on.
QString tab_field(QString text) {
    return text.replace(u'\t', u' ');
}

bool is_transfer(const HimokuRec& h, int slot) {
    return to_number(h.no).value_or(slot + 1) == kTransferHimoku;
}

} // namespace

std::vector<CalendarMonth> months_between(CalendarMonth from, CalendarMonth to) {
    std::vector<CalendarMonth> out;
    const int first = month_key(from);
    const int last = month_key(to);
    if (from.month < 1 || from.month > 12 || to.month < 1 || to.month > 12 || first > last)
        return out;
    out.reserve(last - first + 1);
    for (int k = first; k <= last; ++k)
        out.push_back({k / 12, k % 12 + 1});
    return out;
}

QString month_file_name_of(CalendarMonth month) {
    return u'~' + four_digits(month.year) + two_digits(month.month) + u".dat"_s;
}

QString csv_field(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"'))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

CategoryTotals category_totals(const QString& folder, CalendarMonth from, CalendarMonth to) {
    CategoryTotals out;
    std::array<QString, kHimokuCount> names;
    std::array<QString, kHimokuCount> columns;
    // One look at the folder instead of one per month: a span over every year
    // the program can open is some 13,000 months, nearly all without a file.
    QHash<QString, qint64> sizes;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList({u"~??????.dat"_s}, QDir::Files | QDir::Hidden))
        sizes.insert(info.fileName(), info.size());
    for (const CalendarMonth& month : months_between(from, to)) {
        const QString name = month_file_name_of(month);
        const auto size = sizes.constFind(name);
        // An empty file has no header line either.
        if (size == sizes.cend() || *size == 0)
            continue;
        const QString path = folder + name;
        const OtherMonth m = read_other_month(path);
        if (m.missing || m.headerless)
            continue;
        if (m.errors.size() > m.undecodable) {
            out.error = m.errors.at(m.undecodable);
            return out;
        }
        std::array<double, kHimokuCount> sum{};
        for (std::size_t j = 0; j < m.syusi.size(); ++j) {
            const SyusiRec& s = m.syusi[j];
            const int line = m.first_entry_line + int(j) * kEntryLines;
            const auto c = himoku_slot(s.himoku_no);
            if (!c) {
                out.error = FileError{path, line + 1,
                                      u"費目の番号「%1」が正しくありません"_s.arg(s.himoku_no)};
                return out;
            }
            const auto k = amount_value(s.kingaku);
            if (!k) {
                out.error = FileError{path, line + 2, amount_problem(s.kingaku)};
                return out;
            }
            sum[*c] += *k;
        }
        for (int i = 0; i < kHimokuCount; ++i) {
            names[i] = m.himoku[i].name;
            columns[i] += u',' + plain_number(sum[i]);
        }
        out.columns << four_digits(month.year) + u'/' + two_digits(month.month);
    }
    QString header = u"No.,費目"_s;
    for (const QString& c : std::as_const(out.columns))
        header += u',' + c;
    out.lines.reserve(kTotalsRows + 1);
    out.lines << header;
    for (int i = 0; i < kTotalsRows; ++i)
        out.lines << u' ' + QString::number(i + 1) + u',' + csv_field(names[i]) + columns[i];
    return out;
}

WriteResult write_category_totals(const QString& folder, const QStringList& lines) {
    return write_line_file(folder + kTotalsFileName, lines);
}

QString entries_file_name(const Ledger& ledger) {
    return u'~' + ledger.nen + ledger.tuki + u".tab"_s;
}

QString entries_amount(const Ledger& ledger, const SyusiRec& entry) {
    const auto k = amount_value(entry.kingaku);
    if (!k)
        return QString();
    double value = *k;
    if (const auto c = himoku_slot(entry.himoku_no)) {
        const HimokuRec& h = ledger.himoku[*c];
        if (!h.is_income() && !is_transfer(h, *c))
            value = -value;
    }
    return format_number(value, u"0"_s);
}

QStringList entries_lines(const Ledger& ledger) {
    QStringList lines;
    lines.reserve(ledger.kensu + 1);
    lines << u"日付\t費目No.\t費目名称\t金額\t摘要\t財布No.\t財布名称"_s;
    for (int i = 1; i <= ledger.kensu; ++i) {
        const SyusiRec& s = ledger.syusi[i];
        const auto c = himoku_slot(s.himoku_no);
        const auto w = saifu_slot(s.saifu_no);
        QStringList fields{s.hiduke,
                           s.himoku_no,
                           c ? ledger.himoku[*c].name : QString(),
                           entries_amount(ledger, s),
                           s.tekiyo,
                           s.saifu_no,
                           w ? ledger.saifu[*w].name : QString()};
        for (QString& f : fields)
            f = tab_field(f);
        lines << fields.join(u'\t');
    }
    return lines;
}

WriteResult write_entries_file(const Ledger& ledger) {
    return write_line_file(ledger.path(entries_file_name(ledger)), entries_lines(ledger));
}

} // namespace kanvelo
