#pragma once

#include "ledger/category_rules_file.h"
#include "ledger/file_error.h"
#include "ledger/ledger.h"
#include "ledger/statement_reader.h"

#include <functional>
#include <optional>
#include <vector>

// From a read statement to entries: the proposed category of each row, the
// rows the ledger already holds, and the entries of each month to add.
namespace kanvelo {

struct ImportRow {
    StatementRow src;
    bool income = false;  // the direction after the file's flip
    int himoku_no = 0;    // 1..30; 0 when nothing was proposed
    int saifu_no = -1;    // the rule's wallet; -1: the one chosen for the file
    bool already = false; // the ledger holds it: 取り込み済み
    bool checked = false;
};

// The category most used with a description in the recent months; 0 when
// none. Asked only when no rule matches.
using CategoryHistory = std::function<int(const QString& description)>;

// Moves the rows whose description holds a character a month file cannot
// store to the lines not read, so that no row fails later when it is saved.
void refuse_unstorable(Statement& statement);

// One row per statement row, with the category of the first matching rule,
// else the history's, else none. Rows with a category are checked.
std::vector<ImportRow> propose_rows(const Statement& statement, bool flip, const RuleMatcher& rules,
                                    const CategoryHistory& history);

// Turns the direction of every row the other way round.
void flip_rows(std::vector<ImportRow>& rows);

// Whether the row's category counts money the way the row goes (the
// transfer category goes either way). True when it has no category.
bool kind_fits(const Ledger& ledger, const ImportRow& row);

// Unchecks and marks the rows whose date, amount and description an entry of
// their month already has, counting equal entries: two equal coffees in the
// ledger take two equal rows. The open month is taken from memory, other
// months from their files.
void mark_already_imported(std::vector<ImportRow>& rows, const Ledger& ledger);

// The entries of one month that an import adds.
struct MonthPart {
    int nen = 0;
    int tuki = 0;
    bool open = false; // the open month: added to the ledger, not to a file
    std::vector<SyusiRec> entries;
};

// The checked rows as entries, by month, oldest first. An amount is negative
// when the row goes against its category's kind (a refund under an expense
// category) and for money leaving the wallet under the transfer category.
std::vector<MonthPart> import_parts(const Ledger& ledger, const std::vector<ImportRow>& rows,
                                    int file_saifu);

// "2026年11月"
QString month_label(int nen, int tuki);

// Why the import cannot start, checked before anything is written: a month
// that would pass kSyusiLimit entries, or a month file that cannot take more
// entries (unreadable, damaged, the oldest layout). nullopt when it can.
std::optional<QString> refuse_import(const Ledger& ledger, const std::vector<MonthPart>& parts);

// Appends the entries to another month's file through the program's writer;
// a month without a file gets one as month opening creates it.
WriteResult append_to_month_file(const Ledger& ledger, const MonthPart& part);

struct ImportCounts {
    int to_import = 0;
    int already = 0;
    long long income = 0; // of the checked rows
    long long expense = 0;
};
ImportCounts import_counts(const std::vector<ImportRow>& rows);

} // namespace kanvelo
