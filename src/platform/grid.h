#pragma once

#include <QTableWidget>

namespace kanvelo {

// The grid control the windows expect, on a Qt table. Coordinates are those of
// the classic grid control: row 0 is the fixed header row, and when one fixed
// column is set, column 0 is the fixed column; data cells start at row 1 (and
// column 1 with a fixed column). rows() and cols() count the fixed ones too.
class Grid : public QTableWidget {
    Q_OBJECT
public:
    // General: text that reads as a number to the right, other text to the left.
    enum class Align { Default, Left, Center, Right, General };

    explicit Grid(QWidget* parent = nullptr);

    void set_rows(int rows);
    int rows() const;
    void set_cols(int cols);
    int cols() const;
    void set_fixed_rows(int n); // 0 or 1
    void set_fixed_cols(int n); // 0 or 1
    int fixed_rows() const { return fixed_rows_; }
    int fixed_cols() const { return fixed_cols_; }

    void set_col_width_twips(int col, int twips);
    int col_width_twips(int col) const;
    void set_col_alignment(int col, Align align);       // data cells
    void set_fixed_alignment(int col, Align align);     // header cell

    QString text(int row, int col) const;
    void set_text(int row, int col, const QString& text);

    // Inserts a row at position `row` (1 = first data row) whose cells are the
    // tab-separated fields of `line`; rows below move down.
    void add_item(const QString& line, int row);
    void remove_item(int row);

    int row() const;  // current row in grid coordinates (0 when none)
    int col() const;
    void set_row(int row);
    void set_col(int col);

Q_SIGNALS:
    void grid_clicked();
    void grid_double_clicked();
    void row_col_changed();

    // ... private members as the implementation needs
private:
    int fixed_rows_ = 1;
    int fixed_cols_ = 0;
};

} // namespace kanvelo
