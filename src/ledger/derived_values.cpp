#include "ledger/derived_values.h"

#include <algorithm>

namespace kanvelo {

DerivedValues derived_values(const Ledger& l) {
    DerivedValues d;
    for (std::size_t c = 0; c < l.himoku.size(); ++c)
        d.jisseki[c] = l.himoku[c].jisseki;
    for (std::size_t w = 0; w < l.saifu.size(); ++w)
        d.zankin[w] = l.saifu[w].zankin;
    d.syunyu_goukei = l.syunyu_goukei;
    d.sisyutu_goukei = l.sisyutu_goukei;
    d.yosan_syunyu_goukei = l.yosan_syunyu_goukei;
    d.yosan_sisyutu_goukei = l.yosan_sisyutu_goukei;
    return d;
}

void restore_derived_values(Ledger& l, const DerivedValues& d) {
    for (std::size_t c = 0; c < l.himoku.size(); ++c)
        l.himoku[c].jisseki = d.jisseki[c];
    for (std::size_t w = 0; w < l.saifu.size(); ++w)
        l.saifu[w].zankin = d.zankin[w];
    l.syunyu_goukei = d.syunyu_goukei;
    l.sisyutu_goukei = d.sisyutu_goukei;
    l.yosan_syunyu_goukei = d.yosan_syunyu_goukei;
    l.yosan_sisyutu_goukei = d.yosan_sisyutu_goukei;
}

bool insert_entry(Ledger& l, int i, const SyusiRec& entry) {
    if (i < 1 || i > l.kensu + 1 || !l.add_entry(entry))
        return false;
    // Added last, it moves up to i.
    std::rotate(l.syusi.begin() + i, l.syusi.begin() + l.kensu, l.syusi.begin() + l.kensu + 1);
    return true;
}

} // namespace kanvelo
