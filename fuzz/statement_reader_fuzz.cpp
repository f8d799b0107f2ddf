// Any bytes as a statement: reading never crashes, every row is whole yen
// below the amount limit on a real date, no line is both a row and a line
// not read, and the proposals and the already-imported check run on what was
// read (another month's file held in memory).
#include "fuzz_support.h"
#include "ledger/guards.h"
#include "ledger/import_plan.h"
#include "ledger/statement_reader.h"

#include <QSet>

using namespace kanvelo;
using namespace kanvelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFolder folder;
    const QByteArray bytes = input_bytes(data, size);
    Statement s = read_statement(bytes, QDate(2004, 3, 15));
    if (!s.refused.isEmpty()) {
        require(s.rows.empty() && s.unread.empty(), "a refused file has no rows");
        return 0;
    }
    QSet<int> lines;
    for (const StatementRow& r : s.rows) {
        require(r.date.isValid(), "a row has a real date");
        require(r.yen >= 0 && double(r.yen) < kAmountLimit, "a row's amount is in range");
        lines.insert(r.line);
    }
    for (const UnreadLine& u : s.unread) {
        require(!u.why.isEmpty(), "a line not read says why");
        require(!lines.contains(u.line), "a line is a row or not read, never both");
    }
    // The same bytes with the columns found read the same rows.
    if (s.columns.usable()) {
        const Statement again = read_statement(bytes, QDate(2004, 3, 15), s.columns);
        require(again.rows.size() == s.rows.size(), "the columns found read the same rows");
    }
    refuse_unstorable(s);
    const std::vector<CategoryRule> rules{{QStringLiteral("a"), 12, -1}};
    std::vector<ImportRow> rows = propose_rows(s, false, RuleMatcher(rules), {});
    mark_already_imported(rows, folder.ledger);
    for (const MonthPart& p : import_parts(folder.ledger, rows, 0))
        require(p.entries.size() <= rows.size(), "parts hold rows of the statement");
    return 0;
}
