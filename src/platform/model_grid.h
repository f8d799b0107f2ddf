#pragma once

#include <QTableView>

namespace kanvelo {

// A read-only grid over a model, for lists too long to copy cell by cell into
// a Grid: the view asks the model for the rows it draws and nothing else.
// Rows are counted as in Grid: row 0 is the header, data rows start at 1.
class ModelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ModelGrid(QWidget* parent = nullptr);

    void set_col_width_twips(int col, int twips);
    int rows() const;
    QString text(int row, int col) const;
    int row() const; // the current row (0 when none)
    void set_row(int row);

Q_SIGNALS:
    // A double click on a row below the header.
    void grid_double_clicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace kanvelo
