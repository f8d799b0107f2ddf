#include "search/kensaku_model.h"

#include "search/kensaku_rules.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kColumns = 5;

} // namespace

void KensakuModel::show_hits(const std::vector<SearchHit>* hits) {
    beginResetModel();
    hits_ = hits;
    endResetModel();
}

int KensakuModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !hits_ ? 0 : int(hits_->size());
}

int KensakuModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant KensakuModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !hits_ || index.row() >= int(hits_->size()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return kensaku_row_text((*hits_)[std::size_t(index.row())])
            .section(u'\t', index.column(), index.column());
    case Qt::TextAlignmentRole: {
        // The date centred, the amount to the right, the rest to the left.
        const Qt::Alignment h = index.column() == 0   ? Qt::AlignHCenter
                                : index.column() == 2 ? Qt::AlignRight
                                                      : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant KensakuModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const QString heads[] = {u"日付"_s, u"費目"_s, u"金額"_s, u"摘要"_s, u"財布"_s};
    return heads[section];
}

} // namespace kanvelo
