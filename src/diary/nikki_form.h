#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Grid;

// The diary of the open year: one row per day, the selected day's note edited
// in Text1. Every edit goes into ledger.nikki at once; 終了 writes the year's
// file. Closing the window by its close box or Esc saves the same way, since
// there is nothing to cancel.
class NikkiForm : public QDialog {
    Q_OBJECT
public:
    explicit NikkiForm(Ledger& ledger, QWidget* parent = nullptr);

    // Writes the diary file and closes; when the file cannot be written the
    // user is told which file and chooses to stay or to close without it.
    void finish();

    void reject() override;

private:
    void build();
    void load();
    void on_grid_clicked();
    void on_row_col_changed();
    void on_text_changed();
    void show_day_label(int row);

    Ledger& ledger_;
    int year_ = 0;
    bool loading_ = true;

    Grid* grid_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QPushButton* command1_ = nullptr;
};

} // namespace kanvelo
