#pragma once

#include "yearly/nenkan_rules.h"

#include <QDialog>

class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QRadioButton;

namespace kanvelo {

struct Ledger;
class Grid;
class Spinner;

// 年間収支表: twelve months side by side by category, with the year's total,
// the monthly average and the year's budget. Saved as CSV, printed, previewed
// or saved as PDF. Only reads the ledger and the month files.
class NenkanForm : public QDialog {
    Q_OBJECT
public:
    explicit NenkanForm(const Ledger& ledger, QWidget* parent = nullptr);

    const NenkanTable& table() const { return table_; }
    // Works the figures out again for the span and year chosen.
    void refresh();

    // The buttons.
    void csv_clicked();
    void print_clicked();
    void preview_clicked();
    void pdf_clicked();

Q_SIGNALS:
    // A category row was clicked: its entries in the table's months are wanted.
    void category_chosen(int himoku_no, const QString& first_day, const QString& last_day);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void fill_grid();
    void choose_row(int grid_row);
    int paint(QPagedPaintDevice& device) const;
    void report_write_failure(const FileError& failed);

    const Ledger& ledger_;
    NenkanTable table_;

    QRadioButton* by_year_ = nullptr;
    QRadioButton* up_to_open_ = nullptr;
    QLabel* nen_ = nullptr;
    Spinner* nen_spinner_ = nullptr;
    Grid* grid_ = nullptr;
    QLabel* damaged_ = nullptr;
    QPushButton* csv_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace kanvelo
