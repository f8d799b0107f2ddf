#pragma once

#include <QDialog>

class QLineEdit;

namespace kanvelo {

struct Ledger;

// "消費税率の設定": the consumption-tax rate in percent that the entry
// window's calculator adds.
class ZeiForm : public QDialog {
    Q_OBJECT
public:
    explicit ZeiForm(Ledger& ledger, QWidget* parent = nullptr);

    // OK: stores the rate and closes, or tells the user why not.
    void ok_clicked();

private:
    Ledger& ledger_;
    QLineEdit* text1_ = nullptr;
};

// Shows zei_form modally; true when a rate was stored.
bool show_zei_form(QWidget* parent, Ledger& ledger);

} // namespace kanvelo
