#pragma once

#include "common/date_row.h"
#include "editing/teisei_rules.h"
#include "platform/enter_dialog.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kanvelo {

struct Ledger;
class Spinner;
class EntryBoxes;

// "収支データの訂正": changes one entry of the open month, and steps to the
// previous or next entry, writing back the entry shown before each step.
// Closing by the close box or Esc writes nothing back.
class TeiseiForm : public EnterDialog {
    Q_OBJECT
public:
    // `entry` is 1..kensu; the launcher has checked it.
    TeiseiForm(Ledger& ledger, int entry, QWidget* parent = nullptr);

    // The entry shown last; the launcher refreshes its row after the window closes.
    int teisei_no() const { return teisei_no_; }

    static constexpr double kWidth = 6300;
    static constexpr double kHeight = 4080;

Q_SIGNALS:
    // Entry `entry` was written back to the ledger, which has brought every
    // derived value up to date; the main window shows it.
    void written(int entry);

private:
    enum class Step { None, Previous, Next };

    void build();
    void build_date();
    void connect_controls();
    void fill_category_list();
    void load_entry();
    void set_date_part(QLineEdit* box, Spinner* spinner, const QString& text);

    bool at_end(Step step);
    bool write_back();
    void finish(Step step);

    void warn(const QString& text);

    Ledger& ledger_;
    int teisei_no_ = 0;

    DateRow date_{};
    QListWidget* list_ = nullptr;
    EntryBoxes* boxes_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* mae_ = nullptr;
    QPushButton* tugi_ = nullptr;
};

} // namespace kanvelo
