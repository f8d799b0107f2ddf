#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Statements downloaded from banks and card companies: CSV or tab- or
// semicolon-separated text in CP932, UTF-8 or UTF-16. Only reads.
namespace kanvelo {

// Which column holds what; -1 when none does. A statement has one amount
// column or an out/in pair.
struct StatementColumns {
    int date = -1;
    int description = -1;
    int amount = -1;
    int out = -1;
    int in = -1;

    bool usable() const {
        return date >= 0 && description >= 0 && (amount >= 0 || out >= 0 || in >= 0);
    }
    bool operator==(const StatementColumns&) const = default;
};

// One line of the statement as money: `yen` is never negative; `income` says
// which way it went as the file has it (a plain amount in a single column is
// a purchase, a negative one a refund; the in column is income).
struct StatementRow {
    int line = 0; // 1-based, the line where the row starts
    QDate date;
    QString description;
    long long yen = 0;
    bool income = false;
};

struct UnreadLine {
    int line = 0;
    QString why;
};

struct Statement {
    QString refused;  // the whole file cannot be read: why, for the user
    QString encoding; // "CP932", "UTF-8", "UTF-16"
    QChar separator;
    QStringList header; // the header's cells; empty when no header line was found
    // The header line as the layout is remembered by (cells folded, tab-joined);
    // files without a recognised header are remembered by their column count.
    QString layout_key;
    int columns_in_file = 0;
    StatementColumns columns;
    bool columns_by_name = false; // found from the header's names
    QDate period_from;            // from the preamble, when it names a period
    QDate period_to;
    std::vector<StatementRow> rows;
    std::vector<UnreadLine> unread;
};

// Reads a statement. `chosen` overrides the columns (the user's choice, or the
// one remembered for the layout); `today` completes dates without a year when
// the statement names no period.
Statement read_statement(const QByteArray& bytes, const QDate& today,
                         const std::optional<StatementColumns>& chosen = {});

// The text of a statement file and its encoding, or why it is refused.
struct DecodedStatement {
    QString text;
    QString encoding;
    QString refused;
};
DecodedStatement decode_statement(const QByteArray& bytes);

// RFC 4180 records: quoted fields may hold the separator, doubled quotes and
// line breaks (which become blanks). `line` is where each record starts.
struct StatementRecord {
    int line = 0;
    QStringList cells;
};
std::vector<StatementRecord> split_records(const QString& text, QChar separator);

// The column a header cell names, by the names banks and card companies use.
enum class ColumnName { None, Date, Description, Amount, Out, In };
// rank: for descriptions, the place of the name in the list (lower wins).
ColumnName column_name(const QString& cell, int* rank = nullptr);

} // namespace kanvelo
