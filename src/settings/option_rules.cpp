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

void restore_himoku(Ledger& ledger, const HimokuCopy& copy) {
    for (int c = 0; c < kHimokuCount; ++c) {
        HimokuRec& h = ledger.himoku[c];
        const HimokuCopy::Fields& f = copy.slots[c];
        h.no = f.no;
        h.name = f.name;
        h.yosan_kingaku = f.yosan_kingaku;
        h.kubun = f.kubun;
    }
}

QString change_refusal(int slot, const QString& new_name) {
    if (slot == kTransferHimoku - 1)
        return u"財布<=>口座間移動専用の費目なので変更できません"_s;
    // A name of blanks alone would show as an empty row everywhere.
    if (new_name.trimmed().isEmpty())
        return u"新しい費目名を入力して下さい。"_s;
    return {};
}

void change_himoku(Ledger& ledger, int slot, const QString& name, bool income) {
    HimokuRec& h = ledger.himoku[slot];
    h.name = name;
    h.kubun = number_form(income ? 1 : -1);
}

} // namespace kanvelo
