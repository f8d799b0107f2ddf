#include "entry/kinyu_form.h"

#include "common/category_list.h"
#include "common/kurikosi.h"
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

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
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

KinyuForm::KinyuForm(Ledger& ledger, int proposed_row, QWidget* parent)
    : QDialog(parent), ledger_(ledger), diary_(ledger) {
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

    // Each date part: its box, the spinner beside it and the unit label.
    auto date_part = [this](const QString& name, double left, double width, int min, int max,
                            const QString& label, const QString& unit, QLineEdit** box,
                            Spinner** spinner) {
        *box = make_box(this, name);
        place_twips(*box, left, 600, width, 345);
        *spinner = new Spinner(min, max, this);
        (*spinner)->setObjectName(name + u"_vsc"_s);
        place_twips(*spinner, left + width + 15, 585, 255, 375);
        place_twips(make_label(this, label, unit, *box), left + width + 285, 630, 240, 285);
    };
    date_part(u"kinyu_nen"_s, 2580, 600, kYearMin, kYearMax, u"Label5"_s, u"年"_s, &nen_,
              &nen_vsc_);
    date_part(u"kinyu_tuki"_s, 3750, 390, 1, 12, u"Label6"_s, u"月"_s, &tuki_, &tuki_vsc_);
    date_part(u"kinyu_hi"_s, 4710, 390, 1, 31, u"Label1"_s, u"日"_s, &hi_, &hi_vsc_);

    youbi_ = make_label(this, u"youbi"_s, QString());
    place_twips(youbi_, 5700, 630, 420, 285);

    // The spinners set the date; typed dates would bypass the diary handling.
    for (QLineEdit* box : {nen_, tuki_, hi_}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    syunyu_ = new QRadioButton(u"収入"_s, this);
    syunyu_->setObjectName(u"Kinyu_Syunyu"_s);
    place_twips(syunyu_, 2640, 1080, 1080, 330);
    sisyutu_ = new QRadioButton(u"支出"_s, this);
    sisyutu_->setObjectName(u"Kinyu_sisyutu"_s);
    place_twips(sisyutu_, 3840, 1080, 1080, 330);

    number_ = make_box(this, u"kinyu_number"_s);
    place_twips(make_label(this, u"Label2"_s, u"費目"_s, number_), 2580, 1545, 480, 300);
    place_twips(number_, 3120, 1500, 540, 375);
    himoku_ = make_box(this, u"kinyu_himoku"_s);
    himoku_->setReadOnly(true);
    himoku_->setFocusPolicy(Qt::NoFocus);
    place_twips(himoku_, 3720, 1500, 2475, 375);

    kingaku_ = make_box(this, u"kinyu_kingaku"_s);
    place_twips(make_label(this, u"Label3"_s, u"金額"_s, kingaku_), 2580, 2145, 480, 300);
    kingaku_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place_twips(kingaku_, 3120, 2100, 3075, 375);

    tekiyo_ = make_box(this, u"Kinyu_tekiyo"_s);
    place_twips(make_label(this, u"Label4"_s, u"摘要"_s, tekiyo_), 2580, 2685, 480, 300);
    place_twips(tekiyo_, 3120, 2640, 3075, 375);

    // Numbers are typed in half-width characters; an input method in these
    // boxes would only make them fail the check.
    for (QLineEdit* box : {number_, kingaku_})
        box->setAttribute(Qt::WA_InputMethodEnabled, false);

    saifu_ = new QComboBox(this);
    saifu_->setObjectName(u"Kinyu_Saifu"_s);
    place_twips(make_label(this, u"Label7"_s, u"財布"_s, saifu_), 2580, 3225, 480, 300);
    place_twips(saifu_, 3120, 3180, 3075, 375);

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
        kingaku_->setText(amount);
        tekiyo_->setFocus();
    });
    connect(calculator_, &CalculatorPanel::put_away, this, [this] {
        ledger_.session.dentaku_on = false;
        number_->setFocus();
        set_calculator_shown(false);
    });
}

void KinyuForm::connect_controls() {
    connect(hi_vsc_, &Spinner::value_changed, this,
            [this](int v) { date_changed(DatePart::Day, v); });
    connect(tuki_vsc_, &Spinner::value_changed, this,
            [this](int v) { date_changed(DatePart::Month, v); });
    connect(nen_vsc_, &Spinner::value_changed, this,
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
    connect(saifu_, &QComboBox::currentIndexChanged, this, &KinyuForm::show_zankin);

    keep_storable(text1_);
    keep_storable(tekiyo_);

    connect(next_, &QPushButton::clicked, this, &KinyuForm::next_clicked);
    connect(end_, &QPushButton::clicked, this, &KinyuForm::end_clicked);
    connect(kurikosi_, &QPushButton::clicked, this, &KinyuForm::kurikosi_clicked);
    connect(dentaku_on_, &QPushButton::clicked, this, [this] {
        ledger_.session.dentaku_on = true;
        set_calculator_shown(true);
        calculator_->turn_on();
    });

    for (QWidget* w : {static_cast<QWidget*>(number_), static_cast<QWidget*>(kingaku_),
                       static_cast<QWidget*>(tekiyo_), static_cast<QWidget*>(saifu_),
                       static_cast<QWidget*>(next_)})
        w->installEventFilter(this);
}

void KinyuForm::open_window(int proposed_row) {
    set_calculator_shown(ledger_.session.dentaku_on);
    calculator_->reset_for_opening(ledger_.zeiritu);

    for (int w = 0; w < kSaifuCount; ++w)
        saifu_->addItem(ledger_.saifu[w].name);
    saifu_->setCurrentIndex(0);
    show_zankin();

    listed_count_ = 0;
    sisyutu_->setChecked(true);

    const int r = proposed_row;
    if (r >= 1 && r <= kHimokuCount) {
        const HimokuRec& h = ledger_.himoku[r - 1];
        number_->setText(QString::number(r));
        himoku_->setText(h.name);
        if (h.is_income())
            syunyu_->setChecked(true);
    }

    const QDate today = clock_today();
    const int open_year = diary_.open_year();
    loading_ = true;
    hi_->setText(QString::number(today.day()));
    tuki_->setText(QString::number(whole_number_in(ledger_.tuki, 1, 12).value_or(1)));
    nen_->setText(QString::number(open_year));
    // Day first, then month, then year: each day is tried against the month
    // shown at that moment, as the spinners were always set.
    set_spinner(DatePart::Day,
                ledger_.session.last_hi != 0 ? ledger_.session.last_hi : today.day());
    set_spinner(DatePart::Month,
                ledger_.session.last_tuki != 0 ? ledger_.session.last_tuki : box_number(tuki_));
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
    number_->setFocus();
}

double KinyuForm::form_height_twips() const {
    return px_to_twips(height()) + kFrameAllowance;
}

// ---- the date

EntryDate KinyuForm::shown_date() const {
    return {box_number(nen_), box_number(tuki_), box_number(hi_)};
}

Spinner* KinyuForm::spinner(DatePart part) const {
    switch (part) {
    case DatePart::Year:
        return nen_vsc_;
    case DatePart::Month:
        return tuki_vsc_;
    case DatePart::Day:
        break;
    }
    return hi_vsc_;
}

QLineEdit* KinyuForm::date_box(DatePart part) const {
    switch (part) {
    case DatePart::Year:
        return nen_;
    case DatePart::Month:
        return tuki_;
    case DatePart::Day:
        break;
    }
    return hi_;
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
            const QSignalBlocker block(nen_vsc_);
            nen_vsc_->set_value(old.nen);
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
    if (!item)
        return;
    const ListPick pick = category_from_list_item(item->text());
    number_->setText(pick.number);
    himoku_->setText(pick.name);
    kingaku_->setFocus();
}

bool KinyuForm::category_check(CategoryAsker asker) {
    const CategoryResult r = check_category(number_->text());
    if (r.check != CategoryCheck::Ok) {
        for (const QString& message : category_messages(r.check, asker))
            show_message(this, message, {}, MsgIcon::Exclamation);
        number_->setFocus();
        return false;
    }
    himoku_->setText(ledger_.himoku[r.slot].name);
    return true;
}

void KinyuForm::number_enter() {
    if (category_check(CategoryAsker::NumberBox))
        kingaku_->setFocus();
}

void KinyuForm::kingaku_enter() {
    if (const AmountCheck check = check_amount(kingaku_->text()); check != AmountCheck::Ok) {
        show_message(this, amount_message(check), {}, MsgIcon::Exclamation);
        kingaku_->setFocus();
        return;
    }
    kingaku_->setText(format_value(kingaku_->text(), kAmountPattern));
    tekiyo_->setFocus();
}

void KinyuForm::kingaku_got_focus() {
    category_check(CategoryAsker::FocusCheck);
}

void KinyuForm::tekiyo_got_focus() {
    category_check(CategoryAsker::FocusCheck);
    kingaku_->setText(format_value(kingaku_->text(), kAmountPattern));
}

void KinyuForm::show_zankin() {
    const int w = saifu_->currentIndex();
    if (w >= 0 && w < kSaifuCount)
        zankin_->setText(format_number(ledger_.saifu[w].zankin, kAmountPattern));
}

// ---- recording

void KinyuForm::focus_field(EntryField field) {
    switch (field) {
    case EntryField::Number:
        number_->setFocus();
        break;
    case EntryField::Kingaku:
        kingaku_->setFocus();
        break;
    case EntryField::Saifu:
        saifu_->setFocus();
        break;
    case EntryField::None:
        break;
    }
}

bool KinyuForm::entry_refused() {
    const EntryCheckResult r =
        check_entry(ledger_, number_->text(), kingaku_->text(), saifu_->currentText());
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
    ledger_.hi = format_number(d.hi, u"00"_s);
    // The limit was checked before; the ledger counts the entry in every total.
    ledger_.add_entry(entry_record(d, number_->text(), kingaku_->text(), tekiyo_->text(),
                                   saifu_->currentIndex()));
    ledger_.session.last_hi = d.hi;
    ledger_.session.last_tuki = d.tuki;
    ledger_.session.last_nen = d.nen;
}

void KinyuForm::clear_entry_boxes() {
    number_->clear();
    himoku_->clear();
    kingaku_->clear();
    tekiyo_->clear();
}

void KinyuForm::next_clicked() {
    if (entry_refused())
        return;
    if (!save_shown_diary())
        return;
    record();
    clear_entry_boxes();
    number_->setFocus();
    close_with(KinyuDecision::Next);
}

void KinyuForm::end_clicked() {
    // A diary that cannot be written stops here unless the user chooses to
    // close without it.
    if (!save_shown_diary())
        return;
    if (number_->text().isEmpty() || kingaku_->text().isEmpty()) {
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
    kurikosi(this, ledger_, saifu_->currentIndex(), kingaku_, tekiyo_);
}

// ---- the calculator

void KinyuForm::set_calculator_shown(bool shown) {
    const double height = shown ? kHeightWithCalculator : kHeight;
    setFixedSize(twips_to_px(kWidth), twips_to_px(height - kFrameAllowance));
    calculator_->set_shown(shown);
    center_on_screen(this);
}

// ---- keys and focus

bool KinyuForm::key_filter(QObject* watched, QKeyEvent* event) {
    if (watched == saifu_) {
        if (is_enter_or_tab(event)) {
            next_->setFocus();
            return true;
        }
        // Only the arrows choose a wallet; typed characters are dropped.
        return !event->text().isEmpty() && event->text().at(0).isPrint();
    }
    if (!is_enter_or_tab(event))
        return false;
    if (watched == number_)
        number_enter();
    else if (watched == kingaku_)
        kingaku_enter();
    else if (watched == tekiyo_)
        saifu_->setFocus();
    else if (watched == next_)
        next_clicked();
    return true;
}

bool KinyuForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return key_filter(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn && (watched == kingaku_ || watched == tekiyo_)) {
        if (!entered_by_user(event))
            return false;
        if (watched == kingaku_)
            kingaku_got_focus();
        else
            tekiyo_got_focus();
        // A refused category sent the focus back to the number box.
        return QApplication::focusWidget() != watched;
    }
    return QDialog::eventFilter(watched, event);
}

void KinyuForm::keyPressEvent(QKeyEvent* event) {
    // Esc would close the window and lose what was typed; the window has no
    // cancel button, so Esc does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (press_focused_button(this, event))
        return;
    QDialog::keyPressEvent(event);
}

} // namespace kanvelo
