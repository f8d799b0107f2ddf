#pragma once

#include "ledger/search.h"

#include <QString>
#include <variant>

// The rules of the search window that need no widgets.
namespace kanvelo {

// The boxes of the search window as typed.
struct KensakuInput {
    QString moji;
    QString kingaku_from;
    QString kingaku_to;
    QString hiduke_from;
    QString hiduke_to;
};

enum class KensakuBox { Moji, KingakuFrom, KingakuTo, HidukeFrom, HidukeTo };

// Why the boxes cannot be searched: the box to go back to and the message.
struct KensakuRefusal {
    KensakuBox box;
    QString message;
};

// The query the boxes ask for. A blank box leaves its bound open; amounts may
// carry separators, dates are yyyy/mm/dd (or yyyymmdd), in half- or
// full-width digits.
std::variant<SearchQuery, KensakuRefusal> kensaku_query(const KensakuInput& input);

// A date typed as yyyy/m/d or yyyymmdd as yyyymmdd; nullopt when it is no date
// a month of the ledger can hold.
std::optional<QString> kensaku_date(const QString& text);

// A result row: date (yyyy/mm/dd), category, amount, description and wallet,
// separated by tabs.
QString kensaku_row_text(const SearchHit& hit);

// "12件　合計 34,500円".
QString kensaku_summary(const SearchResult& result);

// "読めなかったファイル: ~200403.dat、~200404.dat"; empty when none.
QString kensaku_skipped_text(const QStringList& skipped);

} // namespace kanvelo
