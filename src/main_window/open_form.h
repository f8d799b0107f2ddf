#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Spinner;

// The number a box of the open dialog holds, or nullopt when it is not a whole
// number in range. Blanks around it and full-width digits are accepted.
std::optional<int> open_year_value(const QString& text);  // 1900..3000
std::optional<int> open_month_value(const QString& text); // 1..12

// "別の月の家計簿を開きます": asks for the year and month to open. 開く sets
// ledger.nen/tuki to the chosen month; 取りやめ (and the close box) put back
// the month that was open.
class OpenForm : public QDialog {
    Q_OBJECT
public:
    explicit OpenForm(Ledger& ledger, QWidget* parent = nullptr);

    // 開く: refuses a box that does not hold a valid year or month, telling
    // the user and keeping the window open.
    void hiraku();
    // 取りやめ.
    void reject() override;
    // 開く was pressed with a valid month (open_ok).
    bool chosen() const { return chosen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void load();
    void follow_box(Spinner* spinner, const QString& text,
                    std::optional<int> (*value_of)(const QString&));
    void refuse(QLineEdit* box, const QString& message);

    Ledger& ledger_;
    int stored_nen_ = 0;
    int stored_tuki_ = 0;
    bool chosen_ = false;

    QLineEdit* open_nen_ = nullptr;
    QLineEdit* open_tuki_ = nullptr;
    Spinner* open_nen_vscroll_ = nullptr;
    Spinner* open_tuki_vscroll_ = nullptr;
    QPushButton* open_hiraku_ = nullptr;
    QPushButton* open_yame_ = nullptr;
};

// Month opening's question: shows open_form modally and returns whether
// another month was chosen.
bool choose_other_month(QWidget* parent, Ledger& ledger);

} // namespace kanvelo
