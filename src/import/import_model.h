#pragma once

#include "ledger/import_plan.h"

#include <QAbstractTableModel>
#include <vector>

namespace kanvelo {

struct Ledger;

// The preview's rows: one per statement row, its check box in the first
// column and its category number editable. Rows are held here; the window
// hands them to the import plan when the user presses 取り込む.
class ImportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Check, Date, Description, Amount, Direction, Number, Name, State, ColumnCount };

    ImportModel(const Ledger& ledger, QObject* parent = nullptr);

    void set_rows(std::vector<ImportRow> rows);
    const std::vector<ImportRow>& rows() const { return rows_; }
    std::vector<ImportRow>& rows_for_update() { return rows_; }
    // After rows_for_update(): every cell is drawn again.
    void rows_changed();

    // Gives row r the category; checks it unless the ledger holds it already.
    void set_category(int r, int himoku_no);
    // The row's state as the last column shows it; empty when nothing is wrong.
    QString state_text(const ImportRow& row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    // The user typed a category number into row r: `accepted` is false when
    // it names no category 1..30.
    void category_typed(int r, bool accepted);
    void checks_changed();

private:
    const Ledger& ledger_;
    std::vector<ImportRow> rows_;
};

} // namespace kanvelo
