#include "platform/grid.h"

#include "ledger/values.h"
#include "platform/geometry.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace kanvelo {

namespace {

Qt::Alignment alignment_for(Grid::Align align, const QString& text) {
    switch (align) {
    case Grid::Align::Default:
    case Grid::Align::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Grid::Align::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Grid::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Grid::Align::General:
        return (is_number(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

Qt::Alignment alignment_of(const QTableWidgetItem* item) {
    return qvariant_cast<Qt::Alignment>(item->data(Qt::TextAlignmentRole));
}

} // namespace

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    // Narrow columns show as much of the text as fits, as the classic grid
    // does, instead of an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Narrow columns (a 300-twip day column) must keep their width.
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);

    connect(this, &QTableWidget::currentCellChanged, this, &Grid::on_current_cell_changed);
    // Fixed-column cells are not enabled, so neither the keyboard nor
    // setCurrentCell can make them current.
    connect(this, &QTableWidget::itemChanged, this, &Grid::on_item_changed);

    set_cols(2);
    set_rows(1);
}

void Grid::set_rows(int rows) {
    setRowCount(std::max(0, rows - fixed_rows_));
    fill_missing_items();
    ensure_current();
}

int Grid::rows() const {
    return rowCount() + fixed_rows_;
}

void Grid::set_cols(int cols) {
    cols = std::max(0, cols);
    setColumnCount(cols);
    col_align_.resize(cols, Align::Default);
    header_align_.resize(cols, Align::Default);
    col_twips_.resize(cols, -1);
    for (int c = 0; c < cols; ++c) {
        if (!horizontalHeaderItem(c)) {
            auto* header = new QTableWidgetItem;
            header->setTextAlignment(alignment_for(header_align_[c], {}));
            setHorizontalHeaderItem(c, header);
        }
    }
    fill_missing_items();
    ensure_current();
}

int Grid::cols() const {
    return columnCount();
}

void Grid::set_fixed_rows(int n) {
    n = std::clamp(n, 0, 1);
    if (n == fixed_rows_)
        return;
    const int cols = columnCount();
    if (n == 0) {
        // The header row becomes the first ordinary row.
        insertRow(0);
        for (int c = 0; c < cols; ++c)
            make_item(0, c, horizontalHeaderItem(c)->text());
        horizontalHeader()->hide();
    } else {
        for (int c = 0; c < cols; ++c) {
            const QString text = rowCount() > 0 && item(0, c) ? item(0, c)->text() : QString();
            horizontalHeaderItem(c)->setText(text);
            horizontalHeaderItem(c)->setTextAlignment(alignment_for(header_align_[c], text));
        }
        if (rowCount() > 0)
            removeRow(0);
        horizontalHeader()->show();
    }
    fixed_rows_ = n;
    ensure_current();
}

void Grid::set_fixed_cols(int n) {
    n = std::clamp(n, 0, 1);
    if (n == fixed_cols_)
        return;
    fixed_cols_ = n;
    if (columnCount() > 0) {
        for (int r = 0; r < rowCount(); ++r)
            style_item(item(r, 0), 0);
    }
    if (currentColumn() >= 0 && currentColumn() < fixed_cols_ && columnCount() > fixed_cols_)
        setCurrentCell(currentRow(), fixed_cols_);
}

void Grid::set_col_width_twips(int col, int twips) {
    if (col < 0 || col >= columnCount())
        return;
    if (twips < 0) {
        setColumnWidth(col, horizontalHeader()->defaultSectionSize());
        col_twips_[col] = -1;
        return;
    }
    setColumnWidth(col, twips_to_px(twips));
    col_twips_[col] = twips;
}

int Grid::col_width_twips(int col) const {
    if (col < 0 || col >= columnCount())
        return 0;
    const int px = columnWidth(col);
    // The width asked for, unless the user has dragged the column since.
    if (col_twips_[col] >= 0 && twips_to_px(col_twips_[col]) == px)
        return col_twips_[col];
    return static_cast<int>(std::lround(px_to_twips(px)));
}

void Grid::set_col_alignment(int col, Align align) {
    if (col < 0 || col >= columnCount())
        return;
    col_align_[col] = align;
    for (int r = 0; r < rowCount(); ++r)
        align_item(item(r, col), col);
}

void Grid::set_fixed_alignment(int col, Align align) {
    if (col < 0 || col >= columnCount())
        return;
    header_align_[col] = align;
    if (fixed_rows_ == 0)
        return;
    QTableWidgetItem* header = horizontalHeaderItem(col);
    header->setTextAlignment(alignment_for(align, header->text()));
}

QString Grid::text(int row, int col) const {
    if (col < 0 || col >= columnCount() || row < 0)
        return {};
    if (row < fixed_rows_)
        return horizontalHeaderItem(col)->text();
    const QTableWidgetItem* cell = item(row - fixed_rows_, col);
    return cell ? cell->text() : QString();
}

void Grid::set_text(int row, int col, const QString& text) {
    if (col < 0 || col >= columnCount() || row < 0 || row >= rows())
        return;
    if (row < fixed_rows_) {
        QTableWidgetItem* header = horizontalHeaderItem(col);
        header->setText(text);
        header->setTextAlignment(alignment_for(header_align_[col], text));
        return;
    }
    const int r = row - fixed_rows_;
    QTableWidgetItem* cell = item(r, col);
    if (!cell) {
        make_item(r, col, text);
        return;
    }
    cell->setText(text);
    // Also done by on_item_changed, but a caller may have blocked signals.
    align_item(cell, col);
}

Qt::Alignment Grid::alignment(int row, int col) const {
    if (col < 0 || col >= columnCount() || row < 0 || row >= rows())
        return {};
    if (row < fixed_rows_)
        return alignment_of(horizontalHeaderItem(col));
    const QTableWidgetItem* cell = item(row - fixed_rows_, col);
    return cell ? alignment_of(cell) : Qt::Alignment();
}

void Grid::add_item(const QString& line, int row) {
    const int r = std::clamp(row - fixed_rows_, 0, rowCount());
    const QStringList fields = line.split(u'\t');
    const int keep_row = currentRow();
    const int keep_col = currentColumn();
    insertRow(r);
    for (int c = 0; c < columnCount(); ++c)
        make_item(r, c, fields.value(c));
    // Like the classic grid, the current row keeps its number: the row that
    // moved down is no longer the current one.
    if (keep_row >= 0 && keep_col >= 0) {
        QSignalBlocker quiet(this);
        setCurrentCell(keep_row, keep_col);
    }
    ensure_current();
}

void Grid::remove_item(int row) {
    const int r = row - fixed_rows_;
    if (r < 0 || r >= rowCount())
        return;
    removeRow(r);
}

int Grid::row() const {
    return currentRow() < 0 ? 0 : currentRow() + fixed_rows_;
}

int Grid::col() const {
    return std::max(0, currentColumn());
}

void Grid::scroll_to_current() {
    executeDelayedItemsLayout();
    QCoreApplication::sendPostedEvents(this);
    scrollTo(currentIndex());
    // A window still being shown or resized settles later still.
    QTimer::singleShot(0, this, [this] { scrollTo(currentIndex()); });
}

void Grid::set_row(int row) {
    const int r = row - fixed_rows_;
    if (r < 0 || r >= rowCount())
        return;
    const int c = currentColumn() >= fixed_cols_ ? currentColumn() : fixed_cols_;
    if (c >= columnCount())
        return;
    setCurrentCell(r, c);
}

void Grid::set_col(int col) {
    if (col < fixed_cols_ || col >= columnCount() || rowCount() == 0)
        return;
    setCurrentCell(std::max(0, currentRow()), col);
}

void Grid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    pressed_ = index;
    if (index.isValid() && index.column() < fixed_cols_) {
        // A fixed cell cannot be current: it picks its row, as the classic
        // grid selects the row of a clicked row heading.
        if (event->button() == Qt::LeftButton && columnCount() > fixed_cols_)
            setCurrentCell(index.row(), fixed_cols_);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && index.isValid() && index == pressed_;
    pressed_ = QPersistentModelIndex();
    if (index.isValid() && index.column() < fixed_cols_)
        event->accept();
    else
        QTableWidget::mouseReleaseEvent(event);
    if (click)
        Q_EMIT grid_clicked();
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() < fixed_cols_)
        mousePressEvent(event);
    else
        QTableWidget::mouseDoubleClickEvent(event);
    // The release that ends a double click is not another click.
    pressed_ = QPersistentModelIndex();
    if (event->button() == Qt::LeftButton && index.isValid())
        Q_EMIT grid_double_clicked();
}

void Grid::on_current_cell_changed() {
    Q_EMIT row_col_changed();
}

void Grid::on_item_changed(QTableWidgetItem* cell) {
    align_item(cell, cell->column());
}

QTableWidgetItem* Grid::make_item(int r, int col, const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    style_item(cell, col);
    align_item(cell, col);
    setItem(r, col, cell);
    return cell;
}

void Grid::fill_missing_items() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (!item(r, c))
                make_item(r, c, {});
        }
    }
}

void Grid::style_item(QTableWidgetItem* cell, int col) const {
    if (!cell)
        return;
    if (col < fixed_cols_) {
        // Not enabled, so that the keyboard passes over it; the explicit
        // brushes keep the text from being drawn greyed out.
        cell->setFlags(Qt::NoItemFlags);
        cell->setBackground(palette().button());
        cell->setForeground(palette().buttonText());
    } else {
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        cell->setData(Qt::BackgroundRole, QVariant());
        cell->setData(Qt::ForegroundRole, QVariant());
    }
}

void Grid::align_item(QTableWidgetItem* cell, int col) const {
    if (!cell || col < 0 || col >= static_cast<int>(col_align_.size()))
        return;
    const Qt::Alignment wanted = alignment_for(col_align_[col], cell->text());
    if (alignment_of(cell) != wanted)
        cell->setTextAlignment(wanted);
}

void Grid::ensure_current() {
    // As in the classic grid, the first data cell is current once there is one.
    if (currentRow() >= 0 || rowCount() == 0 || columnCount() <= fixed_cols_)
        return;
    setCurrentCell(0, fixed_cols_);
}

} // namespace kanvelo
