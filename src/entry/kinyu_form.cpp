#include "entry/kinyu_form.h"

#include "common/category_list.h"
#include "common/date_row.h"
#include "common/entry_boxes.h"
#include "common/kurikosi.h"
#include "common/month_edits.h"
#include "common/notices.h"
#include "entry/calculator_panel.h"
#include "ledger/calendar.h"
#include "ledger/clock.h"
#include "ledger/diary_file.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/spinner.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmountPattern = u"#,##0"_s;

int box_number(const QLineEdit* box) {
    return whole_number_in(box->text(), 0, kYearMax).value_or(0);
}

} // namespace

KinyuForm::KinyuForm(MonthEdits& edits, int proposed_row, QWidget* parent)
    : EnterDialog(parent), edits_(edits), ledger_(edits.ledger()), diary_(edits.ledger()) {
    setObjectName(u"Kinyu_form"_s);
    setWindowTitle(u"収支の記入"_s);
    build();
    build_calculator();
    connect_controls();
    open_window(proposed_row);
}

void KinyuForm::build() {
    text1_ = make_box(this, u"Text1"_s);
    place_twips(text1_, 540, 150, 5595, 330);
    place_twips(make_label(this, u"Label14"_s, u"日記"_s, text1_), 60, 165, 435, 300);

    list_ = new QListWidget(this);
    list_->setObjectName(u"Kinyu_list"_s);
    use_category_list_font(list_);
    place_twips(list_, 60, 600, 2415, 4380);

    // The spinners set the date; typed dates would bypass the diary handling.
    date_ = add_date_row(this, {.prefix = u"kinyu"_s,
                                .top = 600,
                                .lefts = {2580, 3750, 4710},
                                .widths = {600, 390, 390},
                                .labels = {u"Label5"_s, u"Label6"_s, u"Label1"_s},
                                .label_gap = 285,
                                .label_width = 240,
                                .typed = false});

    youbi_ = make_label(this, u"youbi"_s, QString());
    place_twips(youbi_, 5700, 630, 420, 285);

    syunyu_ = new QRadioButton(u"収入"_s, this);
    syunyu_->setObjectName(u"Kinyu_Syunyu"_s);
    place_twips(syunyu_, 2640, 1080, 1080, 330);
    sisyutu_ = new QRadioButton(u"支出"_s, this);
    sisyutu_->setObjectName(u"Kinyu_sisyutu"_s);
    place_twips(sisyutu_, 3840, 1080, 1080, 330);

    boxes_ = new EntryBoxes(this, ledger_,
                            {.number = u"kinyu_number"_s,
                             .name = u"kinyu_himoku"_s,
                             .kingaku = u"kinyu_kingaku"_s,
                             .tekiyo = u"Kinyu_tekiyo"_s,
                             .saifu = u"Kinyu_Saifu"_s,
                             .labels = {u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label7"_s},
                             .tops = {1500, 2100, 2640, 3180},
                             .focus_check = Asker::FocusCheck,
                             .format_after_refusal = true});

    place_twips(make_label(this, u"Label8"_s, u"残金："_s), 2580, 3705, 720, 300);
    zankin_ = make_label(this, u"Kinyu_Zankin"_s, QString());
    place_twips(zankin_, 3360, 3705, 2835, 300);

    next_ = make_button(this, u"Kinyu_next"_s, u"次を記入"_s);
    place_twips(next_, 2640, 4080, 1680, 435);
    end_ = make_button(this, u"kinyu_end"_s, u"記入終り"_s);
    place_twips(end_, 4500, 4080, 1695, 435);
    kurikosi_ = make_button(this, u"kinyu_kurikosi"_s, u"繰り越し"_s);
    place_twips(kurikosi_, 2640, 4545, 1680, 435);
    dentaku_on_ = make_button(this, u"kinyu_dentaku_on"_s, u"電卓"_s);
    place_twips(dentaku_on_, 4500, 4545, 1695, 435);
}

void KinyuForm::build_calculator() {
    calculator_ = new CalculatorPanel(this);
    connect(calculator_, &CalculatorPanel::amount_ready, this, [this](const QString& amount) {
        boxes_->kingaku->setText(amount);
        boxes_->tekiyo->setFocus();
    });
    connect(calculator_, &CalculatorPanel::put_away, this, [this] {
        ledger_.session.dentaku_on = false;
        boxes_->number->setFocus();
        set_calculator_shown(false);
    });
}

void KinyuForm::connect_controls() {
    connect(date_.hi_vsc, &Spinner::value_changed, this,
            [this](int v) { date_changed(DatePart::Day, v); });
    connect(date_.tuki_vsc, &Spinner::value_changed, this,
            [this](int v) { date_changed(DatePart::Month, v); });
    connect(date_.nen_vsc, &Spinner::value_changed, this,
            [this](int v) { date_changed(DatePart::Year, v); });

    connect(sisyutu_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            fill_category_list(false);
    });
    connect(syunyu_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            fill_category_list(true);
    });
    connect(list_, &QListWidget::itemClicked, this, &KinyuForm::take_list_item);
    connect(list_, &QListWidget::itemActivated, this, &KinyuForm::take_list_item);
    connect(boxes_->saifu, &QComboBox::currentIndexChanged, this, &KinyuForm::show_zankin);

    keep_storable(text1_);

    connect(next_, &QPushButton::clicked, this, &KinyuForm::next_clicked);
    connect(end_, &QPushButton::clicked, this, &KinyuForm::end_clicked);
    connect(kurikosi_, &QPushButton::clicked, this, &KinyuForm::kurikosi_clicked);
    connect(dentaku_on_, &QPushButton::clicked, this, [this] {
        ledger_.session.dentaku_on = true;
        set_calculator_shown(true);
        calculator_->turn_on();
    });

    boxes_->move_on_to(boxes_->saifu, next_);
    // After the boxes' own filter, so that this one sees the wallet's keys first.
    boxes_->saifu->installEventFilter(this);
    next_->installEventFilter(this);
}

void KinyuForm::open_window(int proposed_row) {
    set_calculator_shown(ledger_.session.dentaku_on);
    calculator_->reset_for_opening(ledger_.zeiritu);

    boxes_->saifu->setCurrentIndex(0);
    show_zankin();

    listed_count_ = 0;
    sisyutu_->setChecked(true);

    const int r = proposed_row;
    if (r >= 1 && r <= kHimokuCount) {
        const HimokuRec& h = ledger_.himoku[r - 1];
        boxes_->number->setText(QString::number(r));
        boxes_->name->setText(h.name);
        if (h.is_income())
            syunyu_->setChecked(true);
    }

    const QDate today = clock_today();
    const int open_year = diary_.open_year();
    loading_ = true;
    date_.hi->setText(QString::number(today.day()));
    date_.tuki->setText(QString::number(whole_number_in(ledger_.tuki, 1, 12).value_or(1)));
    date_.nen->setText(QString::number(open_year));
    // Day first, then month, then year: each day is tried against the month
    // shown at that moment, as the spinners were always set.
    set_spinner(DatePart::Day,
                ledger_.session.last_hi != 0 ? ledger_.session.last_hi : today.day());
    set_spinner(DatePart::Month, ledger_.session.last_tuki != 0 ? ledger_.session.last_tuki
                                                                : box_number(date_.tuki));
    set_spinner(DatePart::Year,
                ledger_.session.last_nen != 0 ? ledger_.session.last_nen : open_year);
    loading_ = false;

    // The last entry may lie in another year than the open month: its notes
    // are shown, and the open year's are written first.
    const int shown_year = shown_date().nen;
    if (shown_year != open_year && !switch_diary_year(shown_year)) {
        loading_ = true;
        set_spinner(DatePart::Year, open_year);
        loading_ = false;
    }
    show_note(shown_date());
    boxes_->number->setFocus();
}

void KinyuForm::offer_descriptions(const DescriptionHistory& history) {
    boxes_->offer_descriptions(history);
}

double KinyuForm::form_height_twips() const {
    return px_to_twips(height()) + kFrameAllowance;
}

// ---- the date

EntryDate KinyuForm::shown_date() const {
    return {box_number(date_.nen), box_number(date_.tuki), box_number(date_.hi)};
}

Spinner* KinyuForm::spinner(DatePart part) const {
    switch (part) {
    case DatePart::Year:
        return date_.nen_vsc;
    case DatePart::Month:
        return date_.tuki_vsc;
    case DatePart::Day:
        break;
    }
    return date_.hi_vsc;
}

QLineEdit* KinyuForm::date_box(DatePart part) const {
    switch (part) {
    case DatePart::Year:
        return date_.nen;
    case DatePart::Month:
        return date_.tuki;
    case DatePart::Day:
        break;
    }
    return date_.hi;
}

// Sets a spinner from code and runs its change handling once, also when the
// value does not change (a scroll bar would stay silent then).
void KinyuForm::set_spinner(DatePart part, int value) {
    Spinner* s = spinner(part);
    {
        const QSignalBlocker block(s);
        s->set_value(value);
    }
    date_changed(part, s->value());
}

void KinyuForm::date_changed(DatePart part, int value) {
    if (!loading_ && !correcting_day_) {
        const EntryDate old = shown_date();
        store_note();
        if (part == DatePart::Year && value != diary_.year() && !switch_diary_year(value)) {
            // The notes could not be written: stay in the year they belong to.
            const QSignalBlocker block(date_.nen_vsc);
            date_.nen_vsc->set_value(old.nen);
            return;
        }
    }
    date_box(part)->setText(QString::number(value));
    const EntryDate now = shown_date();
    if (!date_exists(now)) {
        // The corrected day's own handling shows its weekday and note; the
        // note on screen belongs to the old date and is not stored again.
        const bool was_correcting = correcting_day_;
        correcting_day_ = true;
        set_spinner(DatePart::Day, corrected_day(now));
        correcting_day_ = was_correcting;
        return;
    }
    show_weekday(now);
    show_note(now);
}

void KinyuForm::show_weekday(const EntryDate& date) {
    youbi_->setText(entry_weekday(date));
    // The colour always follows the date shown, whichever spinner moved.
    QPalette p = youbi_->palette();
    p.setColor(QPalette::WindowText, weekday_colour(date));
    youbi_->setPalette(p);
}

void KinyuForm::show_note(const EntryDate& date) {
    if (date_exists(date))
        text1_->setText(ledger_.nikki[entry_day_index(date)]);
}

void KinyuForm::store_note() {
    const EntryDate date = shown_date();
    if (!date_exists(date))
        return;
    QString& note = ledger_.nikki[entry_day_index(date)];
    if (note == text1_->text())
        return;
    note = text1_->text();
    ledger_.nikki_changed = true;
}

// ---- the diary of the year shown

bool KinyuForm::switch_diary_year(int to) {
    const DiaryYear::Switch r = diary_.switch_to(to);
    if (r.failed) {
        show_message(this, u"日記を保存できませんでした。\n"_s + r.failed->message(), {},
                     MsgIcon::Exclamation);
        return false;
    }
    if (r.problem)
        show_message(this, u"日記を正しく読めませんでした。\n"_s + r.problem->message(), {},
                     MsgIcon::Exclamation);
    return true;
}

bool KinyuForm::save_shown_diary() {
    store_note();
    const WriteResult failed = diary_.save();
    if (!failed)
        return true;
    show_message(this, u"日記を保存できませんでした。\n"_s + failed->message(), {},
                 MsgIcon::Exclamation);
    // Notes of the open year stay in the table and go out with the next save;
    // another year's are given up only when the user says so.
    return ask_close_without_saving(this, failed->file_name());
}

void KinyuForm::close_with(KinyuDecision decision) {
    if (const WriteResult problem = diary_.come_home())
        show_message(this, u"日記を正しく読めませんでした。\n"_s + problem->message(), {},
                     MsgIcon::Exclamation);
    decision_ = decision;
    if (decision == KinyuDecision::Closed)
        QDialog::reject();
    else
        accept();
}

// However the window closes, the notes typed in it reach their file.
void KinyuForm::reject() {
    if (save_shown_diary())
        close_with(KinyuDecision::Closed);
}

// ---- category, amount, wallet

void KinyuForm::fill_category_list(bool income) {
    for (int i = 0; i < listed_count_; ++i)
        delete list_->takeItem(0);
    listed_count_ = 0;
    for (int slot : category_list_slots(ledger_, income)) {
        list_->addItem(category_list_item(ledger_, slot));
        ++listed_count_;
    }
}

void KinyuForm::take_list_item(QListWidgetItem* item) {
    if (boxes_->take_list_item(item))
        boxes_->kingaku->setFocus();
}

void KinyuForm::show_zankin() {
    const int w = boxes_->saifu->currentIndex();
    if (w >= 0 && w < kSaifuCount)
        zankin_->setText(format_number(ledger_.saifu[w].zankin, kAmountPattern));
}

// ---- recording

void KinyuForm::focus_field(EntryField field) {
    switch (field) {
    case EntryField::Number:
        boxes_->number->setFocus();
        break;
    case EntryField::Kingaku:
        boxes_->kingaku->setFocus();
        break;
    case EntryField::Saifu:
        boxes_->saifu->setFocus();
        break;
    case EntryField::None:
        break;
    }
}

bool KinyuForm::entry_refused() {
    const EntryCheckResult r = check_entry(ledger_, boxes_->number->text(), boxes_->kingaku->text(),
                                           boxes_->saifu->currentText());
    if (r.limit) {
        show_genkai(this);
        return true;
    }
    if (r.ok())
        return false;
    for (const QString& message : r.messages)
        show_message(this, message, {}, MsgIcon::Exclamation);
    focus_field(r.focus);
    return true;
}

void KinyuForm::record() {
    const EntryDate d = shown_date();
    // The limit was checked before; the step counts the entry in every total
    // and makes its day the ledger's.
    edits_.add_entry(entry_record(d, boxes_->number->text(), boxes_->kingaku->text(),
                                  boxes_->tekiyo->text(), boxes_->saifu->currentIndex()));
    ledger_.session.last_hi = d.hi;
    ledger_.session.last_tuki = d.tuki;
    ledger_.session.last_nen = d.nen;
}

void KinyuForm::clear_entry_boxes() {
    boxes_->number->clear();
    boxes_->name->clear();
    boxes_->kingaku->clear();
    boxes_->tekiyo->clear();
}

void KinyuForm::next_clicked() {
    if (entry_refused())
        return;
    if (!save_shown_diary())
        return;
    record();
    clear_entry_boxes();
    boxes_->number->setFocus();
    close_with(KinyuDecision::Next);
}

void KinyuForm::end_clicked() {
    // A diary that cannot be written stops here unless the user chooses to
    // close without it.
    if (!save_shown_diary())
        return;
    if (boxes_->number->text().isEmpty() || boxes_->kingaku->text().isEmpty()) {
        clear_entry_boxes();
        ledger_.session.dentaku_on = false;
        close_with(KinyuDecision::Closed);
        return;
    }
    if (entry_refused())
        return;
    record();
    clear_entry_boxes();
    ledger_.session.dentaku_on = false;
    close_with(KinyuDecision::Done);
}

void KinyuForm::kurikosi_clicked() {
    kurikosi(this, ledger_, boxes_->saifu->currentIndex(), boxes_->kingaku, boxes_->tekiyo);
}

// ---- the calculator

void KinyuForm::set_calculator_shown(bool shown) {
    const double height = shown ? kHeightWithCalculator : kHeight;
    setFixedSize(twips_to_px(kWidth), twips_to_px(height - kFrameAllowance));
    calculator_->set_shown(shown);
    center_on_screen(this);
}

// ---- keys and focus

bool KinyuForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == next_ && is_enter_or_tab(key)) {
        next_clicked();
        return true;
    }
    // Only the arrows choose a wallet; typed characters are dropped.
    return watched == boxes_->saifu && !key->text().isEmpty() && key->text().at(0).isPrint();
}

void KinyuForm::keyPressEvent(QKeyEvent* event) {
    // Esc would close the window and lose what was typed; the window has no
    // cancel button, so Esc does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    EnterDialog::keyPressEvent(event);
}

} // namespace kanvelo
