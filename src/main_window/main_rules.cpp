#include "main_window/main_rules.h"

#include "ledger/guards.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {
const QString kAmount = u"#,##0"_s;
const QString kShare = u"#,##0.0"_s;

QString share(double part, double total) {
    if (total == 0)
        return u"0.0"_s;
    return format_number(100.0 * part / total, kShare);
}
} // namespace

QString main_title(const Ledger& l) {
    return u"家計簿ぽるる（"_s + l.nen + u'年' + l.tuki + u"月）"_s;
}

QString entry_row_text(const Ledger& l, int i, bool format_amount) {
    const SyusiRec& s = l.syusi[i];
    const HimokuRec* h = l.category_of(i);
    const QString amount = format_amount ? format_value(s.kingaku, kAmount) : s.kingaku;
    return s.hiduke.right(2) + u'\t' + (h ? h->name : QString()) + u'\t' + amount + u'\t' +
           s.tekiyo;
}

QStringList category_columns(Ledger& l, int n) {
    HimokuRec& h = l.himoku[n - 1];
    if (h.yosan_kingaku.isEmpty())
        h.yosan_kingaku = number_form(0);
    const double budget = amount_value(h.yosan_kingaku).value_or(0);
    const bool income = h.is_income();
    return {format_number(budget - h.jisseki, kAmount), format_number(budget, kAmount),
            share(budget, income ? l.yosan_syunyu_goukei : l.yosan_sisyutu_goukei),
            share(h.jisseki, income ? l.syunyu_goukei : l.sisyutu_goukei)};
}

TotalsText totals_text(const Ledger& l) {
    TotalsText t;
    t.syunyu = format_number(l.syunyu_goukei, kAmount);
    t.sisyutu = format_number(l.sisyutu_goukei, kAmount);
    t.syusi = format_number(l.syunyu_goukei - l.sisyutu_goukei, kAmount);
    t.genkin = format_number(l.saifu[0].zankin, kAmount);
    // The colour follows the text as shown, read back as a number.
    t.syusi_negative = number_or_zero(t.syusi) < 0;
    t.genkin_negative = number_or_zero(t.genkin) < 0;
    return t;
}

MainLayout main_layout(double W, double H, int gamen) {
    MainLayout m;
    if (W < kMainMinWidth) {
        m.too_narrow = true;
        return m;
    }
    if (H < kMainMinHeight) {
        m.too_low = true;
        return m;
    }
    if (gamen == 1) {
        m.set_widths = true;
        const double d = W - kMainMinWidth;
        if (d > 4305) {
            m.grid2_width = 7500;
            m.grid1_left = 7605;
            m.grid1_width = d - 4305 + 6135;
            m.grid1_col3_width = d - 4305 + 3100;
        } else {
            m.grid2_width = d + 3195;
            m.grid1_left = d + 3300;
            m.grid1_width = 6135;
            m.grid1_col3_width = 3100;
        }
    }
    const double e = H - kMainMinHeight;
    m.grid_height = e + 5235;
    m.label_top = e + 5460;
    m.label_top2 = e + 5940;
    m.box_top = e + 5400;
    m.row2_top = e + 5880;
    return m;
}

} // namespace kanvelo
