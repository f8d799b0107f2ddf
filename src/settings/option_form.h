#pragma once

#include "platform/enter_dialog.h"
#include "settings/option_rules.h"

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace kanvelo {

struct Ledger;

// "費目の設定": renames categories 1..29 and sets whether each counts as
// income or expense. Changes go straight into the ledger; 変更取消 puts back
// the categories as they were when the window opened. The close box keeps
// the changes, as 変更終了 does.
class OptionForm : public EnterDialog {
    Q_OBJECT
public:
    explicit OptionForm(Ledger& ledger, QWidget* parent = nullptr);

    void change_clicked();
    void cancel_clicked();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void fill_list();
    void take_list_item(QListWidgetItem* item);
    // The number check: the current name of a good number, the messages of a
    // bad one. The kind is shown whenever a number other than the last one
    // passes, so that it always belongs to the number in the box.
    bool number_check();
    void clear_boxes();

    Ledger& ledger_;
    HimokuCopy copy_;
    int kind_slot_ = -1; // the category whose kind the option buttons show

    QListWidget* list_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* genzai_ = nullptr;
    QLineEdit* sin_ = nullptr;
    QRadioButton* syunyu_ = nullptr;
    QRadioButton* sisyutu_ = nullptr;
    QButtonGroup* kind_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* end_ = nullptr;
};

} // namespace kanvelo
