#include "assets/sisan_rules.h"

#include "ledger/guards.h"
#include "ledger/values.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace kanvelo {

std::vector<int> assets_named(const AssetList& list, const QString& name) {
    std::vector<int> out;
    for (std::size_t i = 0; i < list.sisan.size(); ++i)
        if (list.sisan[i].name == name)
            out.push_back(int(i) + 1);
    return out;
}

std::optional<int> next_memo_no(const AssetList& list) {
    if (list.sisan.size() >= std::size_t(kSisanLimit) || list.last_memo_no >= kMemoNoMax)
        return std::nullopt;
    return list.last_memo_no + 1;
}

QString asset_date(const QDate& date) {
    return date.toString(u"yyyy/MM/dd"_s);
}

std::optional<QString> asset_amount(const QString& typed) {
    const auto value = amount_value(typed);
    if (!value)
        return std::nullopt;
    return format_number(*value, u"0"_s);
}

QString asset_total_text(const AssetList& list) {
    return u"資産総額："_s + format_number(asset_total(list), u"#,##0"_s) + u"円"_s;
}

std::vector<QString> asset_cells(const SisanRec& asset) {
    return {asset.name, format_value(asset.kingaku, u"#,##0"_s), asset.koushin};
}

bool move_asset(AssetList& list, int r, bool up) {
    const int other = up ? r - 1 : r + 1;
    const int count = int(list.sisan.size());
    if (r < 1 || r > count || other < 1 || other > count)
        return false;
    std::swap(list.sisan[r - 1], list.sisan[other - 1]);
    return true;
}

QString delete_question(const QString& name) {
    return u"■■　重要な注意事項です。良く読んで下さい　■■\n\n"
           u"削除したデータを復活させる方法はありません。\n\n"_s +
           u"「%1」を削除しますか？"_s.arg(name);
}

} // namespace kanvelo
