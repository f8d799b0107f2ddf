#pragma once

#include "ledger/asset_file.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// What the asset window does to its list, without widgets.
namespace kanvelo {

// The title of every message of the asset window but one.
inline const QString kSisanTitle = QStringLiteral("【ぽるる】Ver.7.0");

// The assets (1-based, in list order) whose name is exactly `name`.
std::vector<int> assets_named(const AssetList& list, const QString& name);

// The memo number a new asset gets; nullopt when the list takes no more: it
// holds kSisanLimit assets, or every memo number has been handed out.
std::optional<int> next_memo_no(const AssetList& list);

// The date an add or update stamps, in the short form "2004/03/15".
QString asset_date(const QDate& date);

// A typed amount as the list keeps it: whole yen in plain digits
// ("12,345,000" gives "12345000"); nullopt when it is not a number or too large.
std::optional<QString> asset_amount(const QString& typed);

// "資産総額：" + the total formatted "#,##0" + "円".
QString asset_total_text(const AssetList& list);

// The three cells of an asset's grid row: name, amount "#,##0", date.
std::vector<QString> asset_cells(const SisanRec& asset);

// Swaps asset r with its neighbour above (up) or below; false, changing
// nothing, when there is none.
bool move_asset(AssetList& list, int r, bool up);

// The question asked before the asset `name` is deleted; it names the asset.
QString delete_question(const QString& name);

} // namespace kanvelo
