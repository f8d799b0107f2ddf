#pragma once

#include "ledger/ledger.h"

#include <QStringList>
#include <optional>
#include <vector>

// Finding entries in every month of the data folder. Only reads: no file is
// written and the ledger is not changed.
namespace kanvelo {

// What to look for; an empty text or a missing bound leaves that part open.
struct SearchQuery {
    QString text;                       // found in the description or the category name
    std::optional<double> kingaku_from; // bounds are inclusive
    std::optional<double> kingaku_to;
    QString hiduke_from; // yyyymmdd
    QString hiduke_to;
    std::optional<int> himoku_no; // 1..30, as the entry's own month files it
};

struct SearchHit {
    int nen = 0;
    int tuki = 0;
    int index = 0; // the entry's index in its month, 1..kensu
    SyusiRec entry;
    double kingaku = 0;
    QString himoku_name; // from that month's own categories
    QString saifu_name;  // from the open ledger's wallets
};

struct SearchResult {
    std::vector<SearchHit> hits; // by date, then by month and position in the month
    double total = 0;
    // Month files left out because they could not be read or are damaged.
    QStringList skipped;
};

// Text as it is compared: letters in one case, and the full-width forms of
// ASCII and the half-width katakana as their usual forms.
QString search_fold(const QString& text);

// Looks through the month files of the ledger's folder (~yyyymm.dat for the
// months a ledger can open; other files are left alone) and, for the open
// month, through the entries in memory, saved or not.
SearchResult search_months(const Ledger& ledger, const SearchQuery& query);

} // namespace kanvelo
