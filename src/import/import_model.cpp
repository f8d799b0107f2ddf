#include "import/import_model.h"

#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

#include <QBrush>
#include <QColor>

using namespace Qt::StringLiterals;

namespace kanvelo {

ImportModel::ImportModel(const Ledger& ledger, QObject* parent)
    : QAbstractTableModel(parent), ledger_(ledger) {}

void ImportModel::set_rows(std::vector<ImportRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    Q_EMIT checks_changed();
}

void ImportModel::rows_changed() {
    if (!rows_.empty())
        Q_EMIT dataChanged(index(0, 0), index(int(rows_.size()) - 1, ColumnCount - 1));
    Q_EMIT checks_changed();
}

void ImportModel::set_category(int r, int himoku_no) {
    ImportRow& row = rows_[r];
    row.himoku_no = himoku_no;
    if (!row.already)
        row.checked = true;
    Q_EMIT dataChanged(index(r, 0), index(r, ColumnCount - 1));
    Q_EMIT checks_changed();
}

QString ImportModel::state_text(const ImportRow& row) const {
    if (row.already)
        return u"取り込み済み"_s;
    if (row.himoku_no < 1)
        return u"費目を選んで下さい"_s;
    if (!kind_fits(ledger_, row))
        return row.income ? u"支出の費目です"_s : u"収入の費目です"_s;
    return {};
}

int ImportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ImportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const ImportRow& row = rows_[index.row()];
    const int col = index.column();
    if (role == Qt::CheckStateRole && col == Check)
        return row.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && (col == Amount || col == Number))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && col == State && !state_text(row).isEmpty() && !row.already)
        return QBrush(QColor(255, 0, 0));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (col) {
    case Date:
        return row.src.date.toString(u"yyyy/MM/dd"_s);
    case Description:
        return row.src.description;
    case Amount:
        return format_number(double(row.src.yen), u"#,##0"_s);
    case Direction:
        return row.income ? u"収入"_s : u"支出"_s;
    case Number:
        return row.himoku_no > 0 ? QString::number(row.himoku_no) : QString();
    case Name:
        return row.himoku_no > 0 ? ledger_.himoku[row.himoku_no - 1].name : QString();
    case State:
        return state_text(row);
    default:
        return {};
    }
}

QVariant ImportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const QStringList kHeads{u"取込"_s, u"日付"_s,    u"内容"_s,   u"金額"_s,
                                    u"収支"_s, u"費目No."_s, u"費目名"_s, u"状態"_s};
    return kHeads.value(section);
}

Qt::ItemFlags ImportModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    const ImportRow& row = rows_[index.row()];
    if (index.column() == Check) {
        // A row without a category cannot be written.
        if (row.himoku_no > 0)
            f |= Qt::ItemIsUserCheckable;
        else
            f &= ~Qt::ItemIsEnabled;
    }
    if (index.column() == Number)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ImportModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const int r = index.row();
    if (index.column() == Check && role == Qt::CheckStateRole) {
        if (rows_[r].himoku_no < 1)
            return false;
        rows_[r].checked = value.toInt() == Qt::Checked;
        Q_EMIT dataChanged(index, index.siblingAtColumn(State));
        Q_EMIT checks_changed();
        return true;
    }
    if (index.column() == Number && role == Qt::EditRole) {
        const QString text = value.toString();
        if (text.trimmed().isEmpty() || text.trimmed() == QString::number(rows_[r].himoku_no))
            return false;
        const auto slot = himoku_slot(text);
        if (!slot) {
            Q_EMIT category_typed(r, false);
            return false;
        }
        set_category(r, *slot + 1);
        Q_EMIT category_typed(r, true);
        return true;
    }
    return false;
}

} // namespace kanvelo
