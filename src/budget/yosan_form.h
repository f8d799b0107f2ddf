#pragma once

#include "budget/yosan_rules.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kanvelo {

struct Ledger;
class MonthEdits;

// "先月の予算と実績を参考に、今月の予算を立てましょう。": this month's budget
// and comment per category, beside the previous month and the same month last
// year read from their files. Budgets and comments go into the ledger's
// category table when another category is chosen or the window closes; the
// caller then has the ledger recompute the budget totals.
class YosanForm : public QDialog {
    Q_OBJECT
public:
    explicit YosanForm(MonthEdits& edits, QWidget* parent = nullptr);

    // The slot whose values are shown, -1 before the first choice.
    int current_slot() const { return current_; }
    const MonthTotals& sen() const { return sen_; }
    const MonthTotals& zennen() const { return zennen_; }

    // 終了: stores the shown category and closes, or tells why not.
    void end_clicked();
    // The close box and Esc close as 終了 does: what was typed is kept, since
    // the categories chosen before were kept as the user moved on.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct MonthBoxes {
        QLineEdit* kingaku = nullptr;
        QLineEdit* jisseki = nullptr;
        QLineEdit* yosan_goukei = nullptr;
        QLineEdit* jisseki_goukei = nullptr;
        QLineEdit* comment = nullptr;
    };

    void build();
    MonthBoxes build_column(const QString& prefix, int column, const QColor& background);
    void fill_list();
    void read_comparisons();
    void report_comparison(const MonthTotals& month, const QString& missing_text,
                           const QString& old_text);

    // A category chosen in the list; false when the amount box is refused.
    bool choose(int slot);
    // Whether the amount box may be left; tells the user why not.
    bool amount_leavable();
    void store_current();
    void show_category(int slot);
    void show_comparison(const MonthBoxes& boxes, const MonthTotals& month, int slot, bool income);
    void kingaku_enter();
    void comment_got_focus();

    MonthEdits& edits_;
    Ledger& ledger_;
    MonthTotals sen_;
    MonthTotals zennen_;
    int current_ = -1;
    bool reverting_ = false;

    QListWidget* list_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* himoku_ = nullptr;
    MonthBoxes kon_;
    MonthBoxes sen_boxes_;
    MonthBoxes zennen_boxes_;
    QLabel* label_yosan_ = nullptr;
    QLabel* label_jisseki_ = nullptr;
    QPushButton* end_ = nullptr;
};

} // namespace kanvelo
