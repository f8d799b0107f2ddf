#pragma once

#include "ledger/search.h"

#include <QAbstractTableModel>

namespace kanvelo {

// The search results as the window's grid shows them: date, category, amount,
// description, wallet. A row's texts are made when the view draws it, so that
// tens of thousands of hits show at once.
class KensakuModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The hits to show; `hits` must outlive the model or the next call.
    void show_hits(const std::vector<SearchHit>* hits);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<SearchHit>* hits_ = nullptr;
};

} // namespace kanvelo
