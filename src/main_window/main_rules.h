#pragma once

#include "ledger/ledger.h"

#include <QString>
#include <QStringList>

// Rules of the month view that need no widgets: row texts, the category
// columns and the layout of the main window by its size.
namespace kanvelo {

// "家計簿ぽるる（2004年03月）"
QString main_title(const Ledger& ledger);

// One entries-grid row: day, category name, amount, description, tab-separated.
// The amount is shown as held, or formatted "#,##0" for a row added after a
// new entry.
QString entry_row_text(const Ledger& ledger, int i, bool format_amount);

// Columns 3 to 6 of category row n (1..30): budget remaining, budget, budget
// share and actual share. An empty budget becomes 0 in the ledger first.
QStringList category_columns(Ledger& ledger, int n);

// The four totals as shown, and whether balance and cash are negative.
struct TotalsText {
    QString syunyu, sisyutu, syusi, genkin;
    bool syusi_negative = false;
    bool genkin_negative = false;
};
TotalsText totals_text(const Ledger& ledger);

inline constexpr double kMainMinWidth = 9615;
inline constexpr double kMainMinHeight = 7095;

// Where the resize puts the grids and the rows below them, in twips, for an
// outer window size W x H. Widths are only set in the side-by-side mode.
struct MainLayout {
    bool too_narrow = false; // the window must first be widened to the minimum
    bool too_low = false;    // ... or heightened
    bool set_widths = false;
    double grid2_width = 0;
    double grid1_left = 0;
    double grid1_width = 0;
    double grid1_col3_width = 0;
    double grid_height = 0;
    double label_top = 0;  // Label1..Label6
    double label_top2 = 0; // Label7, Label8
    double box_top = 0;    // the income, expense and balance boxes
    double row2_top = 0;   // the cash box and the buttons
};
MainLayout main_layout(double width, double height, int gamen);

} // namespace kanvelo
