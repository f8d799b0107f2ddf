#pragma once

#include "charts/graph_rules.h"
#include "platform/enter_dialog.h"

#include <vector>

class QChartView;
class QLabel;
class QPushButton;
class QTabWidget;

namespace kanvelo {

struct Ledger;
class Grid;

// "グラフ": where the money went in the open month, by category, and the
// income, expense and balance of the twelve months up to it, each chart with
// its figures in a table beside it. Built on the ledger as the window opens;
// it only reads, and writes nothing but a PNG the user asks for.
class GraphForm : public EnterDialog {
    Q_OBJECT
public:
    explicit GraphForm(const Ledger& ledger, QWidget* parent = nullptr);

    const std::vector<ExpenseSlice>& expenses() const { return expenses_; }
    const std::vector<MonthFigures>& months() const { return months_; }

    // PNGで保存: the chart of the tab shown, to a file the user chooses.
    void png_clicked();

private:
    QWidget* build_expense_tab();
    QWidget* build_month_tab();
    QChartView* shown_chart() const;

    const Ledger& ledger_;
    std::vector<ExpenseSlice> expenses_;
    std::vector<MonthFigures> months_;

    QTabWidget* tabs_ = nullptr;
    QChartView* expense_chart_ = nullptr;
    QChartView* month_chart_ = nullptr;
    Grid* expense_grid_ = nullptr;
    Grid* month_grid_ = nullptr;
    QLabel* unreadable_ = nullptr;
    QPushButton* png_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace kanvelo
