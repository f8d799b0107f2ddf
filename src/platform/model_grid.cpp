#include "platform/model_grid.h"

#include "platform/geometry.h"
#include "platform/grid_look.h"

#include <QMouseEvent>

namespace kanvelo {

ModelGrid::ModelGrid(QWidget* parent) : QTableView(parent) {
    use_grid_look(this);
}

void ModelGrid::set_col_width_twips(int col, int twips) {
    setColumnWidth(col, twips_to_px(twips));
}

int ModelGrid::rows() const {
    return (model() ? model()->rowCount() : 0) + 1;
}

QString ModelGrid::text(int row, int col) const {
    if (!model())
        return {};
    if (row == 0)
        return model()->headerData(col, Qt::Horizontal).toString();
    return model()->index(row - 1, col).data().toString();
}

int ModelGrid::row() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

void ModelGrid::set_row(int row) {
    if (!model() || row < 1 || row > model()->rowCount())
        return;
    setCurrentIndex(model()->index(row - 1, std::max(0, currentIndex().column())));
}

void ModelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        Q_EMIT grid_double_clicked();
}

} // namespace kanvelo
