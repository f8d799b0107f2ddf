#include "settings/option2_rules.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

SaifuNames copy_saifu_names(const Ledger& ledger) {
    SaifuNames names;
    for (int w = 0; w < kSaifuCount; ++w)
        names[w] = ledger.saifu[w].name;
    return names;
}

RenameRefusal rename_refusal(int row, const QString& new_name) {
    if (row < 0 || row >= kSaifuCount)
        return RenameRefusal::NoRow;
    if (row == 0)
        return RenameRefusal::Cash;
    // A name of blanks alone would be an empty row in every wallet list.
    if (new_name.trimmed().isEmpty())
        return RenameRefusal::EmptyName;
    return RenameRefusal::None;
}

QString rename_message(RenameRefusal refusal) {
    switch (refusal) {
    case RenameRefusal::None:
        return {};
    case RenameRefusal::NoRow:
        return u"左のリストから、変更したいものを選んでください"_s;
    case RenameRefusal::Cash:
        return u"一番上は『現金』にしておいて下さい。"_s;
    case RenameRefusal::EmptyName:
        break;
    }
    return u" 新しい財布・口座名を入力して下さい"_s;
}

} // namespace kanvelo
