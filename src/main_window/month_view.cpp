#include "ledger/ledger.h"
#include "ledger/values.h"
#include "main_window/main_form.h"
#include "main_window/main_rules.h"
#include "platform/grid.h"

#include <QGuiApplication>
#include <QLineEdit>

using namespace Qt::StringLiterals;

// The month view: both grids and the four totals, drawn from the ledger.
namespace kanvelo {

namespace {

void set_colour(QLineEdit* box, bool red) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text,
               red ? QColor(255, 0, 0) : QGuiApplication::palette().color(QPalette::Text));
    box->setPalette(p);
}

} // namespace

void Main_Form::category_settings_refresh() {
    // A kind that changed moves totals, balances and budget shares; the
    // ledger works them all out again from the entries.
    ledger_.recompute();
    fill_grids();
    totals_display_refresh();
}

void Main_Form::fill_grids() {
    // Rebuilt from the ledger alone, so nothing of the month before stays.
    grid1_->set_rows(1);
    for (int i = 1; i <= ledger_.kensu; ++i)
        grid1_->add_item(entry_row_text(ledger_, i, false), i);
    grid1_->set_rows(ledger_.kensu + 2); // the empty row after the last entry
    for (int n = 1; n <= kHimokuCount; ++n) {
        const HimokuRec& h = ledger_.himoku[n - 1];
        grid2_->set_text(n, 0, QString::number(n));
        grid2_->set_text(n, 1, h.name);
        grid2_->set_text(n, 2, format_number(h.jisseki, u"#,##0"_s));
    }
    category_columns_refresh();
}

void Main_Form::totals_display_refresh() {
    TotalsText t = totals_text(ledger_);
    syunyu_->setText(t.syunyu);
    sisyutu_->setText(t.sisyutu);
    syusi_->setText(t.syusi);
    genkin_->setText(t.genkin);
    set_colour(syusi_, t.syusi_negative);
    set_colour(genkin_, t.genkin_negative);
}

void Main_Form::category_columns_refresh() {
    for (int n = 1; n <= kHimokuCount; ++n) {
        const QStringList cols = category_columns(ledger_, n);
        for (int c = 0; c < 4; ++c)
            grid2_->set_text(n, 3 + c, cols.at(c));
    }
}

void Main_Form::new_entry_refresh() {
    const int e = ledger_.kensu;
    grid1_->add_item(entry_row_text(ledger_, e, true), e);
    totals_display_refresh();
    const int c = ledger_.category_index(ledger_.syusi[e].himoku_no);
    if (c >= 0)
        grid2_->set_text(c + 1, 2, format_number(ledger_.himoku[c].jisseki, u"#,##0"_s));
    category_columns_refresh();
}

void Main_Form::month_recalc() {
    ledger_.month_recalc();
    totals_display_refresh();
    category_columns_refresh();
}

void Main_Form::entry_row_refresh(int e) {
    const QStringList cells = entry_row_text(ledger_, e, false).split(u'\t');
    for (int col = 0; col < cells.size(); ++col)
        grid1_->set_text(e, col, cells.at(col));
    grid1_->set_row(e);
}

void Main_Form::jisseki_column_refresh() {
    for (int n = 1; n <= kHimokuCount; ++n)
        grid2_->set_text(n, 2, format_number(ledger_.himoku[n - 1].jisseki, u"#,##0"_s));
}

void Main_Form::entries_grid_rebuild() {
    // Rows are rewritten in place rather than removed and inserted, so that the
    // grid is redrawn once.
    grid1_->setUpdatesEnabled(false);
    grid1_->set_rows(ledger_.kensu + 2); // the empty row after the last entry
    for (int i = 1; i <= ledger_.kensu + 1; ++i) {
        const QStringList cells =
            i <= ledger_.kensu ? entry_row_text(ledger_, i, false).split(u'\t') : QStringList();
        for (int col = 0; col < grid1_->cols(); ++col)
            grid1_->set_text(i, col, cells.value(col));
    }
    grid1_->setUpdatesEnabled(true);
}

void Main_Form::entry_changed_refresh(int e) {
    jisseki_column_refresh();
    month_recalc();
    entry_row_refresh(e);
}

} // namespace kanvelo
