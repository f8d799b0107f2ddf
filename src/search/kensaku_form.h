#pragma once

#include "ledger/search.h"
#include "platform/enter_dialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Grid;

// "検索": finds entries in every month of the data folder by text, amount and
// date. A double click (or Enter) on a result closes the window with it; the
// main window then opens that month and shows the entry. Only reads.
class KensakuForm : public EnterDialog {
    Q_OBJECT
public:
    explicit KensakuForm(const Ledger& ledger, QWidget* parent = nullptr);

    // 検索: checks the boxes and shows what is found; a box that cannot be
    // searched gets its message and the focus, and nothing is searched.
    void search();
    // Shows the entries of one category between two days (yyyymmdd): the
    // dates go into their boxes and the category is named above the results.
    void narrow_to_category(int himoku_no, const QString& first_day, const QString& last_day);
    // The result the user chose, once the window has closed with one.
    const std::optional<SearchHit>& chosen() const { return chosen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void build_grid();
    void show_result();
    void choose_current();
    QLineEdit* box_of(int box) const;

    const Ledger& ledger_;
    SearchResult result_;
    std::optional<SearchHit> chosen_;
    std::optional<int> himoku_no_;

    QLineEdit* moji_ = nullptr;
    QLineEdit* kingaku_from_ = nullptr;
    QLineEdit* kingaku_to_ = nullptr;
    QLineEdit* hiduke_from_ = nullptr;
    QLineEdit* hiduke_to_ = nullptr;
    QPushButton* kensaku_ = nullptr;
    QPushButton* tojiru_ = nullptr;
    Grid* grid_ = nullptr;
    QLabel* goukei_ = nullptr;
    QLabel* skipped_ = nullptr;
    QLabel* himoku_ = nullptr;
};

} // namespace kanvelo
