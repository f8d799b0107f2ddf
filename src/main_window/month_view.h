#pragma once

#include <QString>

class QLineEdit;

namespace kanvelo {

struct Ledger;
struct LedgerChange;
class Grid;

// The month view: the entries grid, the category grid and the four totals,
// drawn from the ledger. It follows MonthEdits::changed, so no window tells
// it what to redraw.
class MonthView {
public:
    struct Totals {
        QLineEdit* syunyu;
        QLineEdit* sisyutu;
        QLineEdit* syusi;
        QLineEdit* genkin;
    };
    MonthView(Ledger& ledger, Grid& entries, Grid& categories, Totals totals);

    void follow(const LedgerChange& change);

private:
    void all_entry_rows();
    void entry_rows_in_place();
    void entry_row(int e);
    void category_names();
    void category_figures();
    void totals();

    Ledger& ledger_;
    Grid& entries_;
    Grid& categories_;
    Totals totals_;
};

} // namespace kanvelo
