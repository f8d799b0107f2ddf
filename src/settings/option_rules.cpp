#include "settings/option_rules.h"

#include "ledger/guards.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

HimokuCopy copy_himoku(const Ledger& ledger) {
    HimokuCopy copy;
    for (int c = 0; c < kHimokuCount; ++c) {
        const HimokuRec& h = ledger.himoku[c];
        copy.slots[c] = {h.no, h.name, h.yosan_kingaku, h.kubun};
    }
    return copy;
}

QString change_refusal(int slot, const QString& new_name) {
    if (slot == kTransferHimoku - 1)
        return u"財布<=>口座間移動専用の費目なので変更できません"_s;
    // A name of blanks alone would show as an empty row everywhere.
    if (new_name.trimmed().isEmpty())
        return u"新しい費目名を入力して下さい。"_s;
    return {};
}

QString himoku_kubun(bool income) {
    return number_form(income ? 1 : -1);
}

} // namespace kanvelo
