#include "main_window/month_view.h"

#include "common/month_edits.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "main_window/main_rules.h"
#include "platform/grid.h"

#include <QGuiApplication>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// A cell written only when its text changes: after a step most of the
// category grid stays as it was, and an unchanged cell costs no redraw.
void show_text(Grid& grid, int row, int col, const QString& text) {
    if (grid.text(row, col) != text)
        grid.set_text(row, col, text);
}

void set_colour(QLineEdit* box, bool red) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text,
               red ? QColor(255, 0, 0) : QGuiApplication::palette().color(QPalette::Text));
    box->setPalette(p);
}

} // namespace

MonthView::MonthView(Ledger& ledger, Grid& entries, Grid& categories, Totals totals)
    : ledger_(ledger), entries_(entries), categories_(categories), totals_(totals) {}

void MonthView::follow(const LedgerChange& change) {
    using What = LedgerChange::What;
    switch (change.what) {
    case What::Entry:
        entry_row(change.entry);
        break;
    case What::Inserted: {
        // Entries added after the last one show their amount formatted.
        const bool appended = change.entry + change.count - 1 == ledger_.kensu;
        for (int e = change.entry; e < change.entry + change.count; ++e)
            entries_.add_item(entry_row_text(ledger_, e, appended), e);
        break;
    }
    case What::Removed:
        for (int k = 0; k < change.count; ++k)
            entries_.remove_item(change.entry);
        break;
    case What::Entries:
        entry_rows_in_place();
        break;
    case What::Categories:
        entry_rows_in_place();
        category_names();
        break;
    case What::Everything:
        all_entry_rows();
        category_names();
        break;
    case What::Budget:
    case What::Wallets:
        break;
    }
    category_figures();
    totals();
    if (change.select > 0)
        entries_.set_row(change.select);
}

void MonthView::all_entry_rows() {
    // Rebuilt from the ledger alone, so nothing of the month before stays.
    entries_.set_rows(1);
    for (int i = 1; i <= ledger_.kensu; ++i)
        entries_.add_item(entry_row_text(ledger_, i, false), i);
    entries_.set_rows(ledger_.kensu + 2); // the empty row after the last entry
}

void MonthView::entry_rows_in_place() {
    // Rows are rewritten in place rather than removed and inserted, so that the
    // grid is redrawn once.
    entries_.setUpdatesEnabled(false);
    entries_.set_rows(ledger_.kensu + 2);
    for (int i = 1; i <= ledger_.kensu + 1; ++i) {
        const QStringList cells =
            i <= ledger_.kensu ? entry_row_text(ledger_, i, false).split(u'\t') : QStringList();
        for (int col = 0; col < entries_.cols(); ++col)
            show_text(entries_, i, col, cells.value(col));
    }
    entries_.setUpdatesEnabled(true);
}

void MonthView::entry_row(int e) {
    const QStringList cells = entry_row_text(ledger_, e, false).split(u'\t');
    for (int col = 0; col < cells.size(); ++col)
        entries_.set_text(e, col, cells.at(col));
}

void MonthView::category_names() {
    for (int n = 1; n <= kHimokuCount; ++n) {
        categories_.set_text(n, 0, QString::number(n));
        categories_.set_text(n, 1, ledger_.himoku[n - 1].name);
    }
}

void MonthView::category_figures() {
    for (int n = 1; n <= kHimokuCount; ++n) {
        show_text(categories_, n, 2, format_number(ledger_.himoku[n - 1].jisseki, u"#,##0"_s));
        const QStringList cols = category_columns(ledger_, n);
        for (int c = 0; c < 4; ++c)
            show_text(categories_, n, 3 + c, cols.at(c));
    }
}

void MonthView::totals() {
    const TotalsText t = totals_text(ledger_);
    totals_.syunyu->setText(t.syunyu);
    totals_.sisyutu->setText(t.sisyutu);
    totals_.syusi->setText(t.syusi);
    totals_.genkin->setText(t.genkin);
    set_colour(totals_.syusi, t.syusi_negative);
    set_colour(totals_.genkin, t.genkin_negative);
}

} // namespace kanvelo
