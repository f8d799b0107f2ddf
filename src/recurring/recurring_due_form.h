#pragma once

#include "ledger/recurring_due.h"

#include <QDialog>
#include <vector>

class QListWidget;

namespace kanvelo {

struct Ledger;

// "定期的な収支の記入": the templates due in the open month that it does not
// hold yet, each checked. 記入 adds the checked ones in one step; 今回は記入しない
// adds none.
class RecurringDueForm : public QDialog {
    Q_OBJECT
public:
    RecurringDueForm(Ledger& ledger, std::vector<DueEntry> due, QWidget* parent = nullptr);

    int added() const { return added_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void kinyu_clicked();

    Ledger& ledger_;
    std::vector<DueEntry> due_;
    QListWidget* list_ = nullptr;
    int added_ = 0;
};

// At the opening of a month: offers the due templates of the data folder's
// file, when there are any. True when entries were added.
bool offer_recurring_entries(QWidget* parent, Ledger& ledger);

} // namespace kanvelo
