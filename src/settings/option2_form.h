#pragma once

#include "platform/enter_dialog.h"
#include "settings/option2_rules.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kanvelo {

struct Ledger;

// "財布・口座名の設定": renames wallets and accounts 2..15; the first stays
// "現金". Names go straight into the ledger; 変更取消 puts back the names the
// window opened with. The close box keeps the names, as 変更終了 does.
class Option2Form : public EnterDialog {
    Q_OBJECT
public:
    explicit Option2Form(Ledger& ledger, QWidget* parent = nullptr);

    void henkou_clicked();
    void cansel_clicked();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    int selected_row() const;
    void pick_hint();

    Ledger& ledger_;
    SaifuNames copy_;

    QListWidget* list_ = nullptr;
    QLineEdit* genzai_ = nullptr;
    QLineEdit* sin_ = nullptr;
    QPushButton* henkou_ = nullptr;
    QPushButton* cansel_ = nullptr;
    QPushButton* end_ = nullptr;
};

} // namespace kanvelo
