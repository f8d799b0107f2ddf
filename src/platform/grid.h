#pragma once

#include <QPersistentModelIndex>
#include <QTableWidget>
#include <vector>

namespace kanvelo {

// The grid control the windows expect, on a Qt table. Coordinates are those of
// the classic grid control: row 0 is the fixed header row, and when one fixed
// column is set, column 0 is the fixed column; data cells start at row 1 (and
// column 1 with a fixed column). rows() and cols() count the fixed ones too.
// The header row is the table's horizontal header; the fixed column is a real
// column that cannot be selected or become current. A new grid has the header
// row only and two columns. Cells are read-only; one cell is selected at a time.
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
    void set_col_alignment(int col, Align align);   // data cells
    void set_fixed_alignment(int col, Align align); // header cell

    QString text(int row, int col) const;
    void set_text(int row, int col, const QString& text);
    // The alignment a cell is drawn with (for general alignment, after its text).
    Qt::Alignment alignment(int row, int col) const;

    // Inserts a row at position `row` (1 = first data row; rows() or more
    // appends) whose cells, from column 0, are the tab-separated fields of
    // `line`; rows below move down.
    void add_item(const QString& line, int row);
    void remove_item(int row);

    int row() const; // current row in grid coordinates (0 when none)
    int col() const;
    // Move the current cell; a fixed row or column, or one out of range, is ignored.
    void set_row(int row);
    void set_col(int col);
    // Brings the current cell wholly into view once the layout has settled:
    // after rows or columns change, the scroll bars come and go in a queued
    // call, and a bar that appears later would cover a row scrolled to now.
    void scroll_to_current();

Q_SIGNALS:
    // A click or double click on a cell below the header (a fixed-column cell
    // stands for its row).
    void grid_clicked();
    void grid_double_clicked();
    // The current cell changed, by the user or from code.
    void row_col_changed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void on_current_cell_changed();
    void on_item_changed(QTableWidgetItem* cell);
    QTableWidgetItem* make_item(int r, int col, const QString& text);
    void fill_missing_items();
    void style_item(QTableWidgetItem* cell, int col) const;
    void align_item(QTableWidgetItem* cell, int col) const;
    void ensure_current();

    int fixed_rows_ = 1;
    int fixed_cols_ = 0;
    std::vector<Align> col_align_;
    std::vector<Align> header_align_;
    std::vector<int> col_twips_; // width asked for per column, -1 when none
    QPersistentModelIndex pressed_;
};

} // namespace kanvelo
