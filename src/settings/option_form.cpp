#include "settings/option_form.h"

#include "common/box_checks.h"
#include "common/category_list.h"
#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

OptionForm::OptionForm(Ledger& ledger, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), copy_(copy_himoku(ledger)) {
    setObjectName(u"Option_form"_s);
    setWindowTitle(u"費目の設定"_s);
    build();
    fill_list();
    number_->setFocus();
}

void OptionForm::build() {
    list_ = new QListWidget(this);
    list_->setObjectName(u"Option_list"_s);
    use_category_list_font(list_);
    place_twips(list_, 120, 120, 3300, 4080);

    number_ = make_box(this, u"Option_HimokuNo"_s);
    number_->setAttribute(Qt::WA_InputMethodEnabled, false);
    place_twips(make_label(this, u"Label1"_s, u"費目No."_s, number_), 3600, 165, 1560, 300);
    place_twips(number_, 5220, 120, 600, 375);

    genzai_ = make_box(this, u"Option_Genzai"_s);
    genzai_->setReadOnly(true);
    place_twips(make_label(this, u"Label2"_s, u"現在の費目名"_s, genzai_), 3600, 705, 1560, 300);
    place_twips(genzai_, 5220, 660, 2520, 375);

    sin_ = make_box(this, u"Option_Sin"_s);
    sin_->setMaxLength(kHimokuNameMax);
    keep_storable(sin_);
    place_twips(make_label(this, u"Label3"_s, u"新しい費目名"_s, sin_), 3600, 1245, 1560, 300);
    place_twips(sin_, 5220, 1200, 2520, 375);

    syunyu_ = new QRadioButton(u"収入"_s, this);
    syunyu_->setObjectName(u"Option_syunyu"_s);
    place_twips(syunyu_, 5220, 1740, 1080, 330);
    sisyutu_ = new QRadioButton(u"支出"_s, this);
    sisyutu_->setObjectName(u"Option_sisyutu"_s);
    place_twips(sisyutu_, 6420, 1740, 1080, 330);
    kind_ = new QButtonGroup(this);
    kind_->addButton(syunyu_);
    kind_->addButton(sisyutu_);

    change_ = make_button(this, u"Option_change"_s, u"変更"_s);
    place_twips(change_, 5220, 2280, 2520, 435);
    cancel_ = make_button(this, u"Option_Cancel"_s, u"変更取消"_s);
    place_twips(cancel_, 3600, 3765, 1980, 435);
    end_ = make_button(this, u"Option_end"_s, u"変更終了"_s);
    place_twips(end_, 5760, 3765, 1980, 435);

    setFixedSize(twips_to_px(7860), twips_to_px(4320));

    connect(list_, &QListWidget::itemClicked, this, &OptionForm::take_list_item);
    connect(list_, &QListWidget::itemActivated, this, &OptionForm::take_list_item);
    connect(change_, &QPushButton::clicked, this, &OptionForm::change_clicked);
    connect(cancel_, &QPushButton::clicked, this, &OptionForm::cancel_clicked);
    connect(end_, &QPushButton::clicked, this, &QDialog::accept);
    for (QWidget* w : {static_cast<QWidget*>(number_), static_cast<QWidget*>(genzai_),
                       static_cast<QWidget*>(sin_)})
        w->installEventFilter(this);
    setTabOrder(list_, number_);
    setTabOrder(number_, genzai_);
    setTabOrder(genzai_, sin_);
    setTabOrder(sin_, syunyu_);
    setTabOrder(syunyu_, sisyutu_);
    setTabOrder(sisyutu_, change_);
    setTabOrder(change_, cancel_);
    setTabOrder(cancel_, end_);
}

void OptionForm::fill_list() {
    // Category 30 is kept for transfers and cannot be changed here.
    for (int slot = 0; slot < kHimokuCount - 1; ++slot)
        list_->addItem(category_list_item(ledger_, slot));
}

void OptionForm::take_list_item(QListWidgetItem* item) {
    if (!item)
        return;
    const ListPick pick = category_from_list_item(item->text());
    number_->setText(pick.number);
    genzai_->setText(pick.name);
    sin_->setFocus();
}

bool OptionForm::number_check() {
    // The number box is checked as the entry window's is, with its wording.
    const CategoryResult r = check_category(number_->text());
    if (r.check != CategoryCheck::Ok) {
        for (const QString& message : category_messages(r.check, Asker::Box))
            show_message(this, message, {}, MsgIcon::Exclamation);
        number_->setFocus();
        return false;
    }
    genzai_->setText(ledger_.himoku[r.slot].name);
    if (r.slot != kind_slot_) {
        (ledger_.himoku[r.slot].is_income() ? syunyu_ : sisyutu_)->setChecked(true);
        kind_slot_ = r.slot;
    }
    return true;
}

void OptionForm::change_clicked() {
    if (!number_check())
        return;
    const int slot = check_category(number_->text()).slot;
    if (const QString refusal = change_refusal(slot, sin_->text()); !refusal.isEmpty()) {
        show_message(this, refusal, {}, MsgIcon::Exclamation);
        (slot == kTransferHimoku - 1 ? number_ : sin_)->setFocus();
        return;
    }
    change_himoku(ledger_, slot, sin_->text(), syunyu_->isChecked());
    // The row is rebuilt from the category's own number, so it keeps the
    // list's layout whatever was typed into the number box.
    list_->item(slot)->setText(category_list_item(ledger_, slot));
    // The highlight follows the category changed, not a row clicked earlier.
    list_->setCurrentRow(slot);
    list_->scrollToItem(list_->item(slot));
    clear_boxes();
    number_->setFocus();
}

void OptionForm::clear_boxes() {
    number_->clear();
    genzai_->clear();
    sin_->clear();
    // No number, no kind: neither button shows one until a number passes.
    kind_->setExclusive(false);
    syunyu_->setChecked(false);
    sisyutu_->setChecked(false);
    kind_->setExclusive(true);
    kind_slot_ = -1;
}

void OptionForm::cancel_clicked() {
    restore_himoku(ledger_, copy_);
    done(QDialog::Rejected);
}

// The close box and Esc keep the changes, as 変更終了 does: what was changed
// is on screen in the list, and only 変更取消 says to undo it.
void OptionForm::reject() {
    accept();
}

bool OptionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!is_enter_or_tab(key))
            return false;
        if (watched == number_) {
            if (number_check())
                sin_->setFocus();
        } else if (watched == sin_) {
            change_->setFocus();
        } else {
            sin_->setFocus();
        }
        return true;
    }
    if (event->type() == QEvent::FocusIn && (watched == genzai_ || watched == sin_) &&
        entered_by_user(event)) {
        number_check();
        // A refused number sent the focus back to the number box.
        return QApplication::focusWidget() != watched;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kanvelo
