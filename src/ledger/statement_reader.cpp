#include "ledger/statement_reader.h"

#include "ledger/line_file.h"
#include "ledger/search.h"
#include "ledger/statement_amounts.h"
#include "ledger/statement_dates.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kRefusedEncoding =
    u"このファイルは CP932（Shift_JIS）、UTF-8、UTF-16 のどの文字コードでも読めないため、取り込めません。"_s;
const QString kNotText = u"このファイルは文字のファイルではないため、取り込めません。"_s;

bool strict_decode(QStringDecoder::Encoding encoding, const QByteArray& bytes, QString& out) {
    QStringDecoder dec(encoding, QStringConverter::Flag::Stateless);
    out = dec.decode(bytes);
    return !dec.hasError();
}

bool has_control_characters(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n' && u != 0x1a) || u == 0x7f;
    });
}

// The names of each kind of column, the first the most usual. A cell names a
// column when it equals one of them, folded and without blanks.
struct Names {
    ColumnName kind;
    std::vector<QString> names;
};

const std::array<Names, 5>& name_table() {
    static const std::array<Names, 5> table = {{
        {ColumnName::Date,
         {u"日付"_s, u"取引日"_s, u"お取引日"_s, u"利用日"_s, u"ご利用日"_s, u"年月日"_s,
          u"取引日付"_s, u"お取引日付"_s, u"利用年月日"_s, u"ご利用年月日"_s, u"利用日付"_s,
          u"ご利用日付"_s, u"取扱日"_s, u"取扱日付"_s, u"売上日"_s, u"計上日"_s, u"日時"_s,
          u"取引日時"_s}},
        {ColumnName::Description,
         {u"摘要"_s, u"内容"_s, u"お取引内容"_s, u"取引内容"_s, u"ご利用店名"_s, u"利用店名"_s,
          u"ご利用先"_s, u"備考"_s, u"ご利用店名・商品名"_s, u"利用店名・商品名"_s, u"ご利用内容"_s,
          u"利用内容"_s, u"利用先"_s, u"店名"_s, u"取引先"_s, u"お取引先"_s, u"明細"_s,
          u"摘要内容"_s, u"メモ"_s}},
        {ColumnName::Amount,
         {u"金額"_s, u"利用金額"_s, u"ご利用金額"_s, u"お支払金額"_s, u"支払金額"_s, u"取引金額"_s,
          u"お取引金額"_s, u"利用額"_s, u"ご利用額"_s, u"支払額"_s, u"お支払額"_s, u"請求金額"_s,
          u"ご請求金額"_s, u"金額(円)"_s}},
        {ColumnName::Out,
         {u"出金"_s, u"お引出し"_s, u"支払"_s, u"出金金額"_s, u"お引出"_s, u"引出し"_s, u"引出"_s,
          u"お引出し金額"_s, u"引出金額"_s, u"出金額"_s, u"お支払"_s, u"支払い"_s, u"支出"_s,
          u"支出金額"_s, u"出金(円)"_s}},
        {ColumnName::In,
         {u"入金"_s, u"お預入れ"_s, u"預入"_s, u"入金金額"_s, u"お預入"_s, u"預入れ"_s,
          u"預け入れ"_s, u"お預け入れ"_s, u"お預入れ金額"_s, u"預入金額"_s, u"入金額"_s, u"収入"_s,
          u"収入金額"_s, u"入金(円)"_s}},
    }};
    return table;
}

QString folded_cell(const QString& cell) {
    QString s = search_fold(cell);
    s.remove(u' ');
    s.remove(QChar(0x3000));
    return s;
}

struct Found {
    StatementColumns columns;
    int header = -1; // index of the header record; -1 when none names its columns
};

// The first record that names a date, a description and an amount (or out/in).
Found find_header(const std::vector<StatementRecord>& records) {
    for (std::size_t r = 0; r < records.size(); ++r) {
        StatementColumns c;
        int desc_rank = 1 << 20;
        int amount_rank = 1 << 20;
        const QStringList& cells = records[r].cells;
        for (int i = 0; i < cells.size(); ++i) {
            int rank = 0;
            switch (column_name(cells.at(i), &rank)) {
            case ColumnName::Date:
                if (c.date < 0)
                    c.date = i;
                break;
            case ColumnName::Description:
                if (rank < desc_rank) {
                    desc_rank = rank;
                    c.description = i;
                }
                break;
            case ColumnName::Amount:
                if (rank < amount_rank) {
                    amount_rank = rank;
                    c.amount = i;
                }
                break;
            case ColumnName::Out:
                if (c.out < 0)
                    c.out = i;
                break;
            case ColumnName::In:
                if (c.in < 0)
                    c.in = i;
                break;
            case ColumnName::None:
                break;
            }
        }
        // A single amount column wins over a pair only when the pair is not whole.
        if (c.amount >= 0 && c.out >= 0 && c.in >= 0)
            c.amount = -1;
        if (c.amount >= 0)
            c.out = c.in = -1;
        if (c.usable())
            return {c, int(r)};
    }
    return {};
}

bool any_date(const QStringList& cells) {
    return std::any_of(cells.begin(), cells.end(),
                       [](const QString& c) { return read_statement_date(c).date.isValid(); });
}

// Without named columns: the line before the first row holding a date is the
// header, when it holds no date itself.
int guess_header(const std::vector<StatementRecord>& records) {
    for (std::size_t r = 0; r < records.size(); ++r) {
        if (records[r].cells.size() >= 2 && any_date(records[r].cells))
            return r > 0 && records[r - 1].cells.size() == records[r].cells.size() ? int(r) - 1
                                                                                   : -1;
    }
    return -1;
}

int max_cells(const std::vector<StatementRecord>& records) {
    int n = 0;
    for (const StatementRecord& r : records)
        n = std::max(n, int(r.cells.size()));
    return n;
}

bool blank(const QStringList& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const QString& c) { return c.trimmed().isEmpty(); });
}

bool summary(const QStringList& cells) {
    return std::any_of(cells.begin(), cells.end(), [](const QString& c) {
        return c.contains(u"合計"_s) || c.contains(u"残高"_s);
    });
}

// The first line before the header holding two whole dates.
void find_period(const std::vector<StatementRecord>& records, int before, Statement& s) {
    static const QRegularExpression kSplit(u"[\\s,;\\t～~〜－]+|から|まで"_s);
    for (int r = 0; r < before; ++r) {
        QList<QDate> dates;
        const QStringList parts = records[r].cells.join(u' ').split(kSplit, Qt::SkipEmptyParts);
        for (const QString& p : parts) {
            if (const StatementDate d = read_statement_date(p); d.date.isValid())
                dates << d.date;
        }
        if (dates.size() >= 2) {
            s.period_from = std::min(dates.at(0), dates.at(1));
            s.period_to = std::max(dates.at(0), dates.at(1));
            return;
        }
    }
}

QString cell_at(const QStringList& cells, int i) {
    return i >= 0 && i < cells.size() ? cells.at(i) : QString();
}

// The money of one row, or why it cannot be read.
std::optional<QString> read_money(const QStringList& cells, const StatementColumns& c,
                                  StatementRow& row) {
    auto take = [&](const StatementAmount& a, bool in_column) {
        row.yen = *a.yen < 0 ? -*a.yen : *a.yen;
        row.income = in_column != (*a.yen < 0);
    };
    if (c.amount >= 0) {
        const StatementAmount a = read_statement_amount(cell_at(cells, c.amount));
        if (!a.problem.isEmpty())
            return a.problem;
        if (!a.yen)
            return u"金額がありません"_s;
        take(a, false);
        return std::nullopt;
    }
    const StatementAmount out =
        c.out >= 0 ? read_statement_amount(cell_at(cells, c.out)) : StatementAmount{};
    const StatementAmount in =
        c.in >= 0 ? read_statement_amount(cell_at(cells, c.in)) : StatementAmount{};
    if (!out.problem.isEmpty())
        return out.problem;
    if (!in.problem.isEmpty())
        return in.problem;
    // A zero beside an amount is how some banks leave the other column empty.
    const bool has_out = out.yen && (*out.yen != 0 || !in.yen);
    const bool has_in = in.yen && (*in.yen != 0 || !out.yen);
    if (has_out && has_in)
        return u"出金と入金の両方に金額があります"_s;
    if (!has_out && !has_in)
        return u"金額がありません"_s;
    take(has_out ? out : in, has_in);
    return std::nullopt;
}

void read_rows(const std::vector<StatementRecord>& records, int first, const QDate& today,
               Statement& s) {
    const StatementColumns& c = s.columns;
    const int needed = std::max({c.date, c.description, c.amount, c.out, c.in}) + 1;
    int last_dated = -1;
    for (int r = first; r < int(records.size()); ++r) {
        if (read_statement_date(cell_at(records[r].cells, c.date)).read())
            last_dated = r;
    }
    for (int r = first; r < int(records.size()); ++r) {
        const StatementRecord& rec = records[r];
        if (blank(rec.cells))
            continue;
        const StatementDate d = read_statement_date(cell_at(rec.cells, c.date));
        if (!d.read() && r > last_dated && summary(rec.cells))
            continue;
        if (!d.read()) {
            s.unread.push_back({rec.line, d.problem});
            continue;
        }
        if (rec.cells.size() < needed) {
            s.unread.push_back({rec.line, u"列が足りません"_s});
            continue;
        }
        StatementRow row;
        row.line = rec.line;
        row.date = d.date.isValid()
                       ? d.date
                       : complete_date(d.month, d.day, s.period_from, s.period_to, today);
        if (!row.date.isValid()) {
            s.unread.push_back({rec.line, u"日付の年が決まりません"_s});
            continue;
        }
        row.description = rec.cells.at(c.description).simplified();
        if (auto problem = read_money(rec.cells, c, row)) {
            s.unread.push_back({rec.line, *problem});
            continue;
        }
        s.rows.push_back(row);
    }
}

} // namespace

ColumnName column_name(const QString& cell, int* rank) {
    struct Named {
        ColumnName kind;
        int rank;
    };
    static const QHash<QString, Named> names = [] {
        QHash<QString, Named> h;
        for (const Names& n : name_table()) {
            for (std::size_t i = 0; i < n.names.size(); ++i)
                h.insert(folded_cell(n.names[i]), {n.kind, int(i)});
        }
        return h;
    }();
    const auto it = names.constFind(folded_cell(cell));
    if (it == names.constEnd())
        return ColumnName::None;
    if (rank)
        *rank = it->rank;
    return it->kind;
}

DecodedStatement decode_statement(const QByteArray& bytes) {
    DecodedStatement out;
    if (bytes.trimmed().isEmpty()) {
        out.refused = u"このファイルは空です。"_s;
        return out;
    }
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        out.encoding = u"UTF-8"_s;
        if (!strict_decode(QStringDecoder::Utf8, bytes.mid(3), text))
            out.refused = kRefusedEncoding;
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        out.encoding = u"UTF-16"_s;
        const auto enc =
            bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE;
        if (!strict_decode(enc, bytes.mid(2), text))
            out.refused = kRefusedEncoding;
    } else if (bytes.contains('\0')) {
        out.refused = kNotText;
    } else if (strict_decode(QStringDecoder::Utf8, bytes, text)) {
        out.encoding = u"UTF-8"_s;
    } else {
        bool ok = false;
        text = decode_cp932(bytes, &ok);
        out.encoding = u"CP932"_s;
        if (!ok)
            out.refused = kRefusedEncoding;
    }
    if (out.refused.isEmpty() && has_control_characters(text))
        out.refused = kNotText;
    if (out.refused.isEmpty())
        out.text = text;
    return out;
}

std::vector<StatementRecord> split_records(const QString& text, QChar separator) {
    std::vector<StatementRecord> records;
    StatementRecord rec{1, {}};
    QString field;
    bool quoted = false;     // inside a quoted field
    bool was_quoted = false; // the field began with a quote
    int line = 1;
    auto end_field = [&] {
        rec.cells << field;
        field.clear();
        was_quoted = false;
    };
    auto end_record = [&] {
        end_field();
        records.push_back(std::move(rec));
        rec = StatementRecord{line, {}};
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        const bool crlf = ch == u'\r' && i + 1 < n && text.at(i + 1) == u'\n';
        const bool line_end = ch == u'\n' || ch == u'\r';
        if (quoted) {
            if (ch == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else if (line_end) {
                field += u' ';
                ++line;
                if (crlf)
                    ++i;
            } else {
                field += ch;
            }
            continue;
        }
        if (ch == u'"' && field.trimmed().isEmpty() && !was_quoted) {
            field.clear();
            quoted = was_quoted = true;
        } else if (ch == separator) {
            end_field();
        } else if (line_end) {
            ++line;
            if (crlf)
                ++i;
            end_record();
        } else if (ch != QChar(0x1a)) {
            field += ch;
        }
    }
    if (!field.isEmpty() || !rec.cells.isEmpty() || quoted)
        end_record();
    return records;
}

Statement read_statement(const QByteArray& bytes, const QDate& today,
                         const std::optional<StatementColumns>& chosen) {
    Statement s;
    const DecodedStatement decoded = decode_statement(bytes);
    s.encoding = decoded.encoding;
    if (!decoded.refused.isEmpty()) {
        s.refused = decoded.refused;
        return s;
    }
    // The separator that gives a header with names; else the one that splits
    // the lines into the most columns.
    std::vector<StatementRecord> records;
    Found found;
    int best_cells = 0;
    for (QChar sep : {QChar(u','), QChar(u'\t'), QChar(u';')}) {
        std::vector<StatementRecord> candidate = split_records(decoded.text, sep);
        const Found f = find_header(candidate);
        const int cells = max_cells(candidate);
        if (f.header >= 0) {
            records = std::move(candidate);
            found = f;
            s.separator = sep;
            break;
        }
        if (cells > best_cells) {
            best_cells = cells;
            records = std::move(candidate);
            s.separator = sep;
        }
    }
    s.columns_in_file = max_cells(records);
    int header = found.header;
    s.columns_by_name = header >= 0;
    if (header < 0)
        header = guess_header(records);
    if (header >= 0) {
        s.header = records[header].cells;
        QStringList folded;
        for (const QString& c : s.header)
            folded << folded_cell(c);
        s.layout_key = folded.join(u'\t');
    } else {
        s.layout_key = u"列数 "_s + QString::number(s.columns_in_file);
    }
    s.columns = chosen ? *chosen : found.columns;
    int first = header + 1;
    if (header < 0) {
        first = int(records.size());
        for (int r = 0; r < int(records.size()); ++r) {
            if (records[r].cells.size() >= 2 && any_date(records[r].cells)) {
                first = r;
                break;
            }
        }
    }
    find_period(records, header >= 0 ? header : first, s);
    if (!s.columns.usable())
        return s;
    read_rows(records, first, today, s);
    return s;
}

} // namespace kanvelo
