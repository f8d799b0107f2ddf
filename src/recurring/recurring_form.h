#pragma once

#include "ledger/recurring_file.h"

#include "platform/enter_dialog.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace kanvelo {

struct Ledger;
struct TemplateTexts;

// "定期的な収支": the templates of entries that come back, kept in their own
// file of the data folder. A row picked in the list fills the boxes; 追加 adds
// the boxes as a new template, 変更 replaces the picked one, 削除 removes it;
// OK writes the file, 中止 leaves it as it was.
class RecurringForm : public EnterDialog {
    Q_OBJECT
public:
    explicit RecurringForm(Ledger& ledger, QWidget* parent = nullptr);

    // False when the file could not be read: the window then writes nothing.
    bool readable() const { return readable_; }

protected:

private:
    void build();
    void fill_list();
    void show_template(int row);
    void repeat_changed();
    // The template of the boxes, or nullopt after a message.
    std::optional<RecurringTemplate> boxes_template();
    void add_clicked();
    void change_clicked();
    void delete_clicked();
    void ok_clicked();

    Ledger& ledger_;
    QString path_;
    RecurringTemplates file_;
    bool readable_ = true;

    QListWidget* list_ = nullptr;
    QComboBox* repeat_ = nullptr;
    QLineEdit* every_ = nullptr;
    QLineEdit* from_nen_ = nullptr;
    QLineEdit* from_tuki_ = nullptr;
    QLineEdit* day_ = nullptr;
    QLineEdit* himoku_ = nullptr;
    QLineEdit* kingaku_ = nullptr;
    QLineEdit* tekiyo_ = nullptr;
    QComboBox* saifu_ = nullptr;
};

// 設定 → 定期的な収支; true when the file was written.
bool show_recurring_form(QWidget* parent, Ledger& ledger);

} // namespace kanvelo
