#pragma once

#include "ledger/recurring_due.h"

#include "platform/enter_dialog.h"
#include <vector>

class QListWidget;

namespace kanvelo {

struct Ledger;
class MonthEdits;

// "定期的な収支の記入": the templates due in the open month that it does not
// hold yet, each checked. 記入 adds the checked ones in one step; 今回は記入しない
// adds none.
class RecurringDueForm : public EnterDialog {
    Q_OBJECT
public:
    RecurringDueForm(MonthEdits& edits, std::vector<DueEntry> due, QWidget* parent = nullptr);

    int added() const { return added_; }

private:
    void kinyu_clicked();

    MonthEdits& edits_;
    Ledger& ledger_;
    std::vector<DueEntry> due_;
    QListWidget* list_ = nullptr;
    int added_ = 0;
};

// At the opening of a month: offers the due templates of the data folder's
// file, when there are any, and adds the chosen ones as one step of the
// month's history. True when entries were added.
bool offer_recurring_entries(QWidget* parent, MonthEdits& edits);

} // namespace kanvelo
