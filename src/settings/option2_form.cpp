#include "settings/option2_form.h"

#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {} // namespace

Option2Form::Option2Form(Ledger& ledger, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), copy_(copy_saifu_names(ledger)) {
    setObjectName(u"option2_form"_s);
    setWindowTitle(u"財布・口座名の設定"_s);
    build();
    list_->setFocus();
}

void Option2Form::build() {
    list_ = new QListWidget(this);
    list_->setObjectName(u"option2_list"_s);
    // A name in Latin letters alone would otherwise make a lower row.
    list_->setUniformItemSizes(true);
    place_twips(list_, 120, 120, 2760, 3840);

    genzai_ = make_box(this, u"option2_genzai"_s);
    genzai_->setReadOnly(true);
    // Reached by a click only: Tab from the list goes on to the new name.
    genzai_->setFocusPolicy(Qt::ClickFocus);
    place_twips(make_label(this, u"Label1"_s, u"現在の財布・口座名"_s, genzai_), 3060, 165, 3000,
                300);
    place_twips(genzai_, 3060, 480, 3000, 375);

    sin_ = make_box(this, u"option2_sin"_s);
    sin_->setMaxLength(kSaifuNameMax);
    keep_storable(sin_);
    place_twips(make_label(this, u"Label2"_s, u"新しい財布・口座名"_s, sin_), 3060, 1005, 3000,
                300);
    place_twips(sin_, 3060, 1320, 3000, 375);

    henkou_ = make_button(this, u"option2_henkou"_s, u"変更"_s);
    place_twips(henkou_, 3060, 1920, 3000, 435);
    // Every name shows without scrolling: the list is as tall as its rows.
    for (int w = 0; w < kSaifuCount; ++w)
        list_->addItem(ledger_.saifu[w].name);
    const int list_height = kSaifuCount * list_->sizeHintForRow(0) + 2 * list_->frameWidth();
    list_->resize(list_->width(), list_height);
    const double bottom = px_to_twips(list_->geometry().bottom() + 1);

    cansel_ = make_button(this, u"option2_cansel"_s, u"変更取消"_s);
    place_twips(cansel_, 3060, bottom - 435, 1440, 435);
    end_ = make_button(this, u"option2_end"_s, u"変更終了"_s);
    place_twips(end_, 4620, bottom - 435, 1440, 435);

    setFixedSize(twips_to_px(6240), twips_to_px(bottom + 120));

    // The name shown is always the name of the row 変更 will rename, however
    // the row was chosen (click, arrows, or none after a rename).
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        genzai_->setText(selected_row() >= 0 ? list_->item(selected_row())->text() : QString());
    });
    connect(list_, &QListWidget::itemClicked, this, [this] { sin_->setFocus(); });
    connect(list_, &QListWidget::itemActivated, this, [this] { sin_->setFocus(); });
    connect(henkou_, &QPushButton::clicked, this, &Option2Form::henkou_clicked);
    connect(cansel_, &QPushButton::clicked, this, &Option2Form::cansel_clicked);
    connect(end_, &QPushButton::clicked, this, &QDialog::accept);
    genzai_->installEventFilter(this);
    sin_->installEventFilter(this);
    setTabOrder(list_, sin_);
    setTabOrder(sin_, henkou_);
    setTabOrder(henkou_, cansel_);
    setTabOrder(cansel_, end_);
}

// The row the user chose; a row that is only current (as the list makes its
// first row when it gets the focus) is not chosen.
int Option2Form::selected_row() const {
    const QList<QListWidgetItem*> items = list_->selectedItems();
    return items.isEmpty() ? -1 : list_->row(items.front());
}

void Option2Form::pick_hint() {
    sin_->setFocus();
    show_message(this, rename_message(RenameRefusal::NoRow), {}, MsgIcon::Exclamation);
}

void Option2Form::henkou_clicked() {
    const int row = selected_row();
    const RenameRefusal refusal = rename_refusal(row, sin_->text());
    if (refusal != RenameRefusal::None) {
        show_message(this, rename_message(refusal), {}, MsgIcon::Exclamation);
        if (refusal == RenameRefusal::Cash) {
            genzai_->clear();
            sin_->clear();
        } else if (refusal == RenameRefusal::EmptyName) {
            sin_->setFocus();
        }
        return;
    }
    ledger_.saifu[row].name = sin_->text();
    list_->item(row)->setText(sin_->text());
    // Nothing is chosen any more: the boxes are empty, and the next 変更
    // asks for a row instead of renaming this one again.
    list_->clearSelection();
    genzai_->clear();
    sin_->clear();
}

void Option2Form::cansel_clicked() {
    restore_saifu_names(ledger_, copy_);
    done(QDialog::Rejected);
}

// The close box and Esc keep the names, as 変更終了 does.
void Option2Form::reject() {
    accept();
}

bool Option2Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == genzai_ && event->type() == QEvent::FocusIn) {
        if (entered_by_user(event))
            pick_hint();
        return false;
    }
    if (watched == sin_ && event->type() == QEvent::KeyPress &&
        is_enter(static_cast<QKeyEvent*>(event)->key())) {
        henkou_->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kanvelo
