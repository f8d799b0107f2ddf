#include "recurring/recurring_due_form.h"

#include "common/month_edits.h"
#include "common/notices.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/keys.h"
#include "platform/modal.h"
#include "platform/widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// " 3/25   8 住居費      80,000  家賃  （給料振込口座）"
QString due_row_text(const Ledger& ledger, const SyusiRec& e) {
    const auto c = himoku_slot(e.himoku_no);
    const auto w = saifu_slot(e.saifu_no);
    return u"%1/%2  %3 %4  %5  %6  （%7）"_s.arg(e.hiduke.mid(4, 2).toInt(), 2)
        .arg(e.hiduke.mid(6, 2).toInt(), 2)
        .arg(e.himoku_no, 2)
        .arg(c ? ledger.himoku[*c].name : QString(), -8)
        .arg(format_value(e.kingaku, u"#,##0"_s), 10)
        .arg(e.tekiyo, w ? ledger.saifu[*w].name : QString());
}

} // namespace

RecurringDueForm::RecurringDueForm(MonthEdits& edits, std::vector<DueEntry> due, QWidget* parent)
    : EnterDialog(parent), edits_(edits), ledger_(edits.ledger()), due_(std::move(due)) {
    setObjectName(u"teiki_kinyu_form"_s);
    setWindowTitle(u"定期的な収支の記入"_s);

    list_ = new QListWidget(this);
    list_->setObjectName(u"teiki_kinyu_list"_s);
    for (const DueEntry& d : due_) {
        auto* item = new QListWidgetItem(due_row_text(ledger_, d.entry), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    auto* caption = make_label(this, u"teiki_kinyu_label"_s,
                               u"%1年%2月の定期的な収支で、まだ記入していないものです。\n"
                               "記入するものにチェックを付けて下さい。"_s.arg(ledger_.nen)
                                   .arg(whole_number_in(ledger_.tuki, 1, 12).value_or(0)),
                               list_);

    auto* kinyu = make_button(this, u"teiki_kinyu"_s, u"記入"_s);
    auto* skip = make_button(this, u"teiki_skip"_s, u"今回は記入しない"_s);
    connect(kinyu, &QPushButton::clicked, this, &RecurringDueForm::kinyu_clicked);
    connect(skip, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(kinyu);
    buttons->addWidget(skip);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(560, 320);
    list_->setFocus();
}

void RecurringDueForm::kinyu_clicked() {
    std::vector<SyusiRec> entries;
    for (int r = 0; r < list_->count(); ++r) {
        if (list_->item(r)->checkState() == Qt::Checked)
            entries.push_back(due_[std::size_t(r)].entry);
    }
    if (entries.empty()) {
        reject();
        return;
    }
    if (!edits_.add_entries(entries, u"定期的な収支（%1件）"_s.arg(entries.size()))) {
        show_genkai(this);
        return;
    }
    added_ = int(entries.size());
    accept();
}

bool offer_recurring_entries(QWidget* parent, MonthEdits& edits) {
    Ledger& ledger = edits.ledger();
    const RecurringRead r = read_recurring(ledger.path(kRecurringFile));
    std::vector<DueEntry> due = due_entries(r.file.templates, ledger);
    if (due.empty())
        return false;
    RecurringDueForm form(edits, std::move(due), parent);
    run_modal(form);
    return form.added() > 0;
}

} // namespace kanvelo
