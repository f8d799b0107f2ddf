#include "editing/teisei_form.h"

#include "common/category_list.h"
#include "common/date_row.h"
#include "common/entry_boxes.h"
#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/spinner.h"
#include "platform/widgets.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace kanvelo {

TeiseiForm::TeiseiForm(Ledger& ledger, int entry, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), teisei_no_(entry) {
    setObjectName(u"Teisei_form"_s);
    setWindowTitle(u"収支データの訂正"_s);
    setFixedSize(twips_to_px(kWidth), twips_to_px(kHeight));
    build();
    connect_controls();
    fill_category_list();
    load_entry();
    boxes_->number->setFocus();
}

void TeiseiForm::build() {
    build_date();

    list_ = new QListWidget(this);
    list_->setObjectName(u"Teisei_list"_s);
    use_category_list_font(list_);
    place_twips(list_, 60, 600, 2415, 3375);

    boxes_ = new EntryBoxes(this, ledger_,
                            {.number = u"Teisei_number"_s,
                             .name = u"Teisei_Meisyo"_s,
                             .kingaku = u"Teisei_Kingaku"_s,
                             .tekiyo = u"Teisei_Tekiyo"_s,
                             .saifu = u"teisei_saifu"_s,
                             .labels = {u"Label4"_s, u"Label5"_s, u"Label6"_s, u"Label7"_s},
                             .tops = {600, 1140, 1680, 2220},
                             .focus_check = Asker::Box});

    mae_ = make_button(this, u"teisei_mae"_s, u"前のデータへ"_s);
    place_twips(mae_, 2640, 2820, 1680, 435);
    tugi_ = make_button(this, u"teisei_tugi"_s, u"次のデータへ"_s);
    place_twips(tugi_, 4500, 2820, 1695, 435);
    ok_ = make_button(this, u"Teisei_OK"_s, u"ＯＫ"_s);
    place_twips(ok_, 2640, 3420, 3555, 435);

    setTabOrder(date_.nen, date_.tuki);
    setTabOrder(date_.tuki, date_.hi);
    setTabOrder(date_.hi, list_);
    setTabOrder(list_, boxes_->number);
    setTabOrder(boxes_->number, boxes_->kingaku);
    setTabOrder(boxes_->kingaku, boxes_->tekiyo);
    setTabOrder(boxes_->tekiyo, boxes_->saifu);
    setTabOrder(boxes_->saifu, ok_);
    setTabOrder(ok_, mae_);
    setTabOrder(mae_, tugi_);
}

void TeiseiForm::build_date() {
    date_ = add_date_row(this, {.prefix = u"teisei"_s,
                                .top = 120,
                                .lefts = {120, 1470, 2580},
                                .widths = {660, 420, 420},
                                .labels = {u"Label1"_s, u"Label2"_s, u"Label3"_s},
                                .label_gap = 300,
                                .label_width = 285,
                                .typed = true});
}

void TeiseiForm::connect_controls() {
    connect(list_, &QListWidget::itemClicked, boxes_, &EntryBoxes::take_list_item);
    // Enter or a double click on a row also moves on to the amount.
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        boxes_->take_list_item(item);
        boxes_->kingaku->setFocus();
    });
    boxes_->move_on_to(ok_, ok_);

    connect(ok_, &QPushButton::clicked, this, [this] { finish(Step::None); });
    connect(mae_, &QPushButton::clicked, this, [this] { finish(Step::Previous); });
    connect(tugi_, &QPushButton::clicked, this, [this] { finish(Step::Next); });
}

void TeiseiForm::fill_category_list() {
    for (int c = 0; c < kHimokuCount; ++c)
        list_->addItem(category_list_item(ledger_, c));
}

// The box shows the date part as stored; the spinner starts from it without
// rewriting it, and a part out of the spinner's range stays on screen for the
// date check to refuse.
void TeiseiForm::set_date_part(QLineEdit* box, Spinner* spinner, const QString& text) {
    box->setText(text);
    const QSignalBlocker quiet(spinner);
    spinner->set_value(
        whole_number_in(text, spinner->minimum(), spinner->maximum()).value_or(spinner->minimum()));
}

void TeiseiForm::load_entry() {
    const SyusiRec& e = ledger_.syusi[teisei_no_];
    set_date_part(date_.nen, date_.nen_vsc, e.hiduke.left(4));
    set_date_part(date_.tuki, date_.tuki_vsc, e.hiduke.mid(4, 2));
    set_date_part(date_.hi, date_.hi_vsc, e.hiduke.mid(6, 2));
    boxes_->number->setText(e.himoku_no);
    const int c = ledger_.category_index(e.himoku_no);
    boxes_->name->setText(c >= 0 ? ledger_.himoku[c].name : QString());
    boxes_->kingaku->setText(e.kingaku);
    boxes_->tekiyo->setText(e.tekiyo);
    // A wallet number that names no wallet selects none; the write-back then
    // keeps it as it is.
    boxes_->saifu->setCurrentIndex(ledger_.saifu_index(e.saifu_no));
}

void TeiseiForm::warn(const QString& text) {
    show_message(this, text, {}, MsgIcon::Exclamation);
}

// ---- writing back and stepping

bool TeiseiForm::at_end(Step step) {
    if (step == Step::Previous && teisei_no_ <= 1) {
        warn(first_entry_message());
        return true;
    }
    if (step == Step::Next && teisei_no_ >= ledger_.kensu) {
        warn(last_entry_message());
        return true;
    }
    return false;
}

bool TeiseiForm::write_back() {
    if (!boxes_->number_ok(Asker::Button) || !boxes_->kingaku_ok(Asker::Button))
        return false;
    const DateResult date = check_date(date_.nen->text(), date_.tuki->text(), date_.hi->text());
    if (date.refused != DateField::None) {
        warn(date.message);
        (date.refused == DateField::Nen    ? date_.nen
         : date.refused == DateField::Tuki ? date_.tuki
                                           : date_.hi)
            ->setFocus();
        return false;
    }
    boxes_->format_kingaku();
    // The ledger takes the old entry out of every total and puts the new one in.
    ledger_.replace_entry(teisei_no_,
                          corrected_entry(ledger_.syusi[teisei_no_], date.hiduke,
                                          boxes_->number->text(), boxes_->kingaku->text(),
                                          boxes_->tekiyo->text(), boxes_->saifu->currentIndex()));
    Q_EMIT written(teisei_no_);
    return true;
}

void TeiseiForm::finish(Step step) {
    if (at_end(step) || !write_back())
        return;
    switch (step) {
    case Step::None:
        accept();
        return;
    case Step::Previous:
        --teisei_no_;
        break;
    case Step::Next:
        ++teisei_no_;
        break;
    }
    load_entry();
}

} // namespace kanvelo
