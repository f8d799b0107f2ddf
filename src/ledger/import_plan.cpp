#include "ledger/import_plan.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/other_month.h"
#include "ledger/values.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

QString nen_text(int nen) {
    return format_number(nen, u"0000"_s);
}
QString tuki_text(int tuki) {
    return format_number(tuki, u"00"_s);
}

int month_key(const QDate& d) {
    return d.year() * 100 + d.month();
}

QString entry_key(const QString& hiduke, long long yen, const QString& tekiyo) {
    return hiduke + u'\t' + QString::number(yen) + u'\t' + tekiyo.simplified();
}

// How many entries of each date, amount and description the month holds.
QHash<QString, int> entry_counts(const SyusiRec* first, int count) {
    QHash<QString, int> out;
    for (int i = 0; i < count; ++i) {
        const SyusiRec& s = first[i];
        const auto k = amount_value(s.kingaku);
        if (!k)
            continue;
        ++out[entry_key(s.hiduke, std::llround(std::fabs(*k)), s.tekiyo)];
    }
    return out;
}

bool is_open_month(const Ledger& ledger, int key) {
    return whole_number_in(ledger.nen, kYearMin, kYearMax).value_or(0) * 100 +
               whole_number_in(ledger.tuki, 1, 12).value_or(0) ==
           key;
}

// The amount counts the way its category does: a refund under an expense
// category lowers that category's expense, and a transfer out of the wallet
// is negative.
SyusiRec entry_of(const Ledger& ledger, const ImportRow& row, int file_saifu) {
    const bool against = row.himoku_no == kTransferHimoku ? !row.income : !kind_fits(ledger, row);
    const double kingaku = against ? -double(row.src.yen) : double(row.src.yen);
    return {row.src.date.toString(u"yyyyMMdd"_s), QString::number(row.himoku_no),
            format_number(kingaku, u"#,##0"_s), row.src.description,
            QString::number(row.saifu_no >= 0 ? row.saifu_no : file_saifu)};
}

QStringList entry_lines(const std::vector<SyusiRec>& entries) {
    QStringList out;
    for (const SyusiRec& s : entries)
        out << s.hiduke << s.himoku_no << s.kingaku << s.tekiyo << s.saifu_no;
    return out;
}

// The lines of a month file as month opening creates it: the open ledger's
// categories and wallets, every budget 0, no entries.
QStringList new_month_lines(const Ledger& ledger) {
    QStringList out{kSignature};
    for (int c = 0; c < kHimokuCount; ++c)
        out << number_form(c + 1) << ledger.himoku[c].name << number_form(0)
            << ledger.himoku[c].kubun << QString();
    for (int w = 0; w < kSaifuCount; ++w)
        out << number_form(w + 1) << ledger.saifu[w].name;
    return out;
}

QString part_path(const Ledger& ledger, const MonthPart& part) {
    return month_file_name(ledger, nen_text(part.nen), tuki_text(part.tuki));
}

} // namespace

void refuse_unstorable(Statement& statement) {
    std::erase_if(statement.rows, [&](const StatementRow& row) {
        const QString bad = first_unstorable(row.description);
        if (bad.isEmpty())
            return false;
        statement.unread.push_back(
            {row.line, u"「"_s + bad + u"」は家計簿に保存できない文字です"_s});
        return true;
    });
    std::sort(statement.unread.begin(), statement.unread.end(),
              [](const UnreadLine& a, const UnreadLine& b) { return a.line < b.line; });
}

std::vector<ImportRow> propose_rows(const Statement& statement, bool flip, const RuleMatcher& rules,
                                    const CategoryHistory& history) {
    std::vector<ImportRow> out;
    out.reserve(statement.rows.size());
    for (const StatementRow& src : statement.rows) {
        ImportRow row;
        row.src = src;
        row.income = src.income != flip;
        if (const CategoryRule* r = rules.match(src.description)) {
            row.himoku_no = r->himoku_no;
            row.saifu_no = r->saifu_no;
        } else if (history) {
            row.himoku_no = history(src.description);
        }
        row.checked = row.himoku_no > 0;
        out.push_back(row);
    }
    return out;
}

void flip_rows(std::vector<ImportRow>& rows) {
    for (ImportRow& r : rows)
        r.income = !r.income;
}

bool kind_fits(const Ledger& ledger, const ImportRow& row) {
    if (row.himoku_no < 1 || row.himoku_no > kHimokuCount || row.himoku_no == kTransferHimoku)
        return true;
    return ledger.himoku[row.himoku_no - 1].is_income() == row.income;
}

void mark_already_imported(std::vector<ImportRow>& rows, const Ledger& ledger) {
    std::map<int, QHash<QString, int>> months;
    for (ImportRow& row : rows) {
        const int key = month_key(row.src.date);
        auto it = months.find(key);
        if (it == months.end()) {
            QHash<QString, int> counts;
            if (is_open_month(ledger, key)) {
                counts = entry_counts(&ledger.syusi[1], ledger.kensu);
            } else {
                const OtherMonth m = read_other_month(
                    month_file_name(ledger, nen_text(key / 100), tuki_text(key % 100)));
                counts = entry_counts(m.syusi.data(), int(m.syusi.size()));
            }
            it = months.emplace(key, std::move(counts)).first;
        }
        int& left = it->second[entry_key(row.src.date.toString(u"yyyyMMdd"_s), row.src.yen,
                                         row.src.description)];
        row.already = left > 0;
        if (row.already) {
            --left;
            row.checked = false;
        }
    }
}

std::vector<MonthPart> import_parts(const Ledger& ledger, const std::vector<ImportRow>& rows,
                                    int file_saifu) {
    std::map<int, MonthPart> parts;
    for (const ImportRow& row : rows) {
        if (!row.checked || row.himoku_no < 1)
            continue;
        const int key = month_key(row.src.date);
        MonthPart& p = parts[key];
        p.nen = key / 100;
        p.tuki = key % 100;
        p.open = is_open_month(ledger, key);
        p.entries.push_back(entry_of(ledger, row, file_saifu));
    }
    std::vector<MonthPart> out;
    for (auto& [key, part] : parts)
        out.push_back(std::move(part));
    return out;
}

QString month_label(int nen, int tuki) {
    return QString::number(nen) + u"年"_s + QString::number(tuki) + u"月"_s;
}

std::optional<QString> refuse_import(const Ledger& ledger, const std::vector<MonthPart>& parts) {
    for (const MonthPart& p : parts) {
        const QString label = month_label(p.nen, p.tuki);
        if (p.nen < kYearMin || p.nen > kYearMax)
            return label + u"の家計簿は作れないため、取り込めません。"_s;
        int held = ledger.kensu;
        if (!p.open) {
            const OtherMonth m = read_other_month(part_path(ledger, p));
            if (!m.missing) {
                if (m.headerless)
                    return label +
                           u"の家計簿は古い形式のため、取り込めません。先にその月を開いて保存して下さい。"_s;
                if (m.errors.size() > m.undecodable || m.syusi.size() > std::size_t(kSyusiLimit))
                    return label + u"の家計簿が読めないか壊れているため、取り込めません。"_s;
            }
            held = int(m.syusi.size());
        }
        if (held + int(p.entries.size()) > kSyusiLimit)
            return label + u"の収支データが"_s + QString::number(kSyusiLimit) +
                   u"件を越えるため、取り込めません。（今"_s + QString::number(held) +
                   u"件、取り込む"_s + QString::number(p.entries.size()) + u"件）"_s;
    }
    return std::nullopt;
}

WriteResult append_to_month_file(const Ledger& ledger, const MonthPart& part) {
    const QString path = part_path(ledger, part);
    LineFile file = read_line_file(path);
    if (file.unreadable)
        return file.errors.empty() ? FileError{path, 0, u"読めません"_s} : file.errors.front();
    QStringList lines = file.missing ? new_month_lines(ledger) : file.lines;
    lines << entry_lines(part.entries);
    return write_line_file(path, lines);
}

ImportCounts import_counts(const std::vector<ImportRow>& rows) {
    ImportCounts c;
    for (const ImportRow& r : rows) {
        if (r.already)
            ++c.already;
        if (!r.checked)
            continue;
        ++c.to_import;
        (r.income ? c.income : c.expense) += r.src.yen;
    }
    return c;
}

} // namespace kanvelo
