#pragma once

#include "ledger/category_rules_file.h"
#include "ledger/import_plan.h"
#include "ledger/statement_reader.h"

#include "platform/enter_dialog.h"
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace kanvelo {

struct Ledger;
class MonthEdits;
class ImportModel;

// ファイル → 明細の取り込み: the preview of a statement. Nothing is written
// before 取り込む; then the checked rows of the open month are added to the
// ledger in one step and those of other months appended to their files.
class TorikomiForm : public EnterDialog {
    Q_OBJECT
public:
    // `bytes` is the statement file as read; `rules` what the rules file holds.
    TorikomiForm(MonthEdits& edits, const QString& file_name, const QByteArray& bytes,
                 CategoryRules rules, CategoryHistory history, QWidget* parent = nullptr);
    ~TorikomiForm() override;

    // Why the file cannot be imported at all (shown by the caller instead of
    // the window); empty when it can.
    QString refused() const { return statement_.refused; }
    // The entries 取り込む added to the open month (0 after キャンセル).
    int added_to_open_month() const { return added_; }
    const CategoryRules& rules() const { return rules_; }

private:
    void build();
    void read_again(const std::optional<StatementColumns>& chosen);
    void fill_column_boxes();
    void columns_chosen();
    void show_unread();
    void refresh_counts();
    void direction_flipped();
    void category_typed(int r, bool accepted);
    void torikomu();
    bool write_parts(const std::vector<MonthPart>& parts);
    void remember_layout();

    MonthEdits& edits_;
    Ledger& ledger_;
    QString file_name_;
    QByteArray bytes_;
    CategoryRules rules_;
    CategoryHistory history_;
    Statement statement_;
    bool flip_ = false;
    int added_ = 0;
    bool filling_ = false;

    ImportModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* file_label_ = nullptr;
    QComboBox* saifu_ = nullptr;
    QCheckBox* hanten_ = nullptr;
    std::array<QComboBox*, 5> column_boxes_{};
    QListWidget* unread_ = nullptr;
    QLabel* counts_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Reads the file, shows the preview and imports what the user checks. True
// when the open month changed (the caller refreshes its grids).
bool import_statement(QWidget* parent, MonthEdits& edits, const QString& path);

} // namespace kanvelo
