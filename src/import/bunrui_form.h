#pragma once

#include "ledger/category_rules_file.h"

#include "platform/enter_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kanvelo {

struct Ledger;

// 設定 → 自動分類: the ordered rules "内容に含む文字 → 費目 [財布]" by which
// the statement import proposes categories. Edited in the window, written to
// the rules file by 保存; 取りやめ and the close box write nothing.
class BunruiForm : public EnterDialog {
    Q_OBJECT
public:
    explicit BunruiForm(Ledger& ledger, QWidget* parent = nullptr);

    const std::vector<CategoryRule>& rules() const { return rules_.rules; }

private:
    void build();
    void fill_list(int current);
    void row_picked();
    std::optional<CategoryRule> rule_from_boxes();
    void tuika();
    void henkou();
    void sakujo();
    void move_by(int step);
    void hozon();
    void show_category_name();
    int selected() const;

    Ledger& ledger_;
    CategoryRules rules_;
    bool unreadable_ = false;

    QListWidget* list_ = nullptr;
    QLineEdit* moji_ = nullptr;
    QLineEdit* himoku_ = nullptr;
    QLabel* himoku_name_ = nullptr;
    QComboBox* saifu_ = nullptr;
};

// One rule as the window lists it: "アマゾン → 12 日用雑貨 [カード]".
QString rule_row_text(const Ledger& ledger, const CategoryRule& rule);

} // namespace kanvelo
