#include "editing/teisei_form.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/spinner.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmountPattern = u"#,##0"_s;

} // namespace

TeiseiForm::TeiseiForm(Ledger& ledger, int entry, QWidget* parent)
    : QDialog(parent), ledger_(ledger), teisei_no_(entry) {
    setObjectName(u"Teisei_form"_s);
    setWindowTitle(u"収支データの訂正"_s);
    setFixedSize(twips_to_px(kWidth), twips_to_px(kHeight));
    build();
    connect_controls();
    fill_lists();
    load_entry();
    number_->setFocus();
}

void TeiseiForm::build() {
    build_date();

    list_ = new QListWidget(this);
    list_->setObjectName(u"Teisei_list"_s);
    // The rows line their names up by character count, which takes a font
    // whose Latin and Japanese glyphs are both fixed-width.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({u"Noto Sans Mono CJK JP"_s, u"IPAGothic"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
                       fixed.family()});
    fixed.setPointSizeF(font().pointSizeF());
    list_->setFont(fixed);
    place_twips(list_, 60, 600, 2415, 3375);

    number_ = make_box(this, u"Teisei_number"_s);
    place_twips(make_label(this, u"Label4"_s, u"費目"_s, number_), 2580, 645, 480, 300);
    place_twips(number_, 3120, 600, 540, 375);
    // The name follows the number; the focus never stops in it.
    meisyo_ = make_box(this, u"Teisei_Meisyo"_s);
    meisyo_->setReadOnly(true);
    meisyo_->setFocusPolicy(Qt::NoFocus);
    place_twips(meisyo_, 3720, 600, 2475, 375);

    kingaku_ = make_box(this, u"Teisei_Kingaku"_s);
    kingaku_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place_twips(make_label(this, u"Label5"_s, u"金額"_s, kingaku_), 2580, 1185, 480, 300);
    place_twips(kingaku_, 3120, 1140, 3075, 375);

    tekiyo_ = make_box(this, u"Teisei_Tekiyo"_s);
    place_twips(make_label(this, u"Label6"_s, u"摘要"_s, tekiyo_), 2580, 1725, 480, 300);
    place_twips(tekiyo_, 3120, 1680, 3075, 375);

    saifu_ = new QComboBox(this);
    saifu_->setObjectName(u"teisei_saifu"_s);
    place_twips(make_label(this, u"Label7"_s, u"財布"_s, saifu_), 2580, 2265, 480, 300);
    place_twips(saifu_, 3120, 2220, 3075, 375);

    // Numbers are typed in half-width characters; an input method in these
    // boxes would only make them fail the checks.
    for (QLineEdit* box : {nen_, tuki_, hi_, number_, kingaku_})
        box->setAttribute(Qt::WA_InputMethodEnabled, false);

    mae_ = make_button(this, u"teisei_mae"_s, u"前のデータへ"_s);
    place_twips(mae_, 2640, 2820, 1680, 435);
    tugi_ = make_button(this, u"teisei_tugi"_s, u"次のデータへ"_s);
    place_twips(tugi_, 4500, 2820, 1695, 435);
    ok_ = make_button(this, u"Teisei_OK"_s, u"ＯＫ"_s);
    place_twips(ok_, 2640, 3420, 3555, 435);

    setTabOrder(nen_, tuki_);
    setTabOrder(tuki_, hi_);
    setTabOrder(hi_, list_);
    setTabOrder(list_, number_);
    setTabOrder(number_, kingaku_);
    setTabOrder(kingaku_, tekiyo_);
    setTabOrder(tekiyo_, saifu_);
    setTabOrder(saifu_, ok_);
    setTabOrder(ok_, mae_);
    setTabOrder(mae_, tugi_);
}

void TeiseiForm::build_date() {
    // Each date part: its box, the spinner beside it that writes into the box,
    // and the unit label.
    auto date_part = [this](const QString& name, double left, double width, int min, int max,
                            const QString& label, const QString& unit, QLineEdit** box,
                            Spinner** spinner) {
        *box = make_box(this, name);
        (*box)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place_twips(*box, left, 120, width, 345);
        *spinner = new Spinner(min, max, this);
        (*spinner)->setObjectName(name + u"_vsc"_s);
        (*spinner)->bind(*box);
        place_twips(*spinner, left + width + 15, 105, 255, 375);
        place_twips(make_label(this, label, unit, *box), left + width + 300, 150, 285, 285);
    };
    date_part(u"teisei_nen"_s, 120, 660, kYearMin, kYearMax, u"Label1"_s, u"年"_s, &nen_,
              &nen_vsc_);
    date_part(u"teisei_tuki"_s, 1470, 420, 1, 12, u"Label2"_s, u"月"_s, &tuki_, &tuki_vsc_);
    date_part(u"teisei_hi"_s, 2580, 420, 1, 31, u"Label3"_s, u"日"_s, &hi_, &hi_vsc_);
}

void TeiseiForm::connect_controls() {
    connect(list_, &QListWidget::itemClicked, this, &TeiseiForm::take_list_item);
    // Enter or a double click on a row also moves on to the amount.
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        take_list_item(item);
        kingaku_->setFocus();
    });
    keep_storable(tekiyo_);

    connect(ok_, &QPushButton::clicked, this, [this] { finish(Step::None); });
    connect(mae_, &QPushButton::clicked, this, [this] { finish(Step::Previous); });
    connect(tugi_, &QPushButton::clicked, this, [this] { finish(Step::Next); });

    for (QWidget* w : {static_cast<QWidget*>(number_), static_cast<QWidget*>(kingaku_),
                       static_cast<QWidget*>(tekiyo_), static_cast<QWidget*>(saifu_)})
        w->installEventFilter(this);
}

void TeiseiForm::fill_lists() {
    for (int w = 0; w < kSaifuCount; ++w)
        saifu_->addItem(ledger_.saifu[w].name);
    for (int c = 0; c < kHimokuCount; ++c)
        list_->addItem(teisei_list_item(ledger_, c));
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
    set_date_part(nen_, nen_vsc_, e.hiduke.left(4));
    set_date_part(tuki_, tuki_vsc_, e.hiduke.mid(4, 2));
    set_date_part(hi_, hi_vsc_, e.hiduke.mid(6, 2));
    number_->setText(e.himoku_no);
    const int c = ledger_.category_index(e.himoku_no);
    meisyo_->setText(c >= 0 ? ledger_.himoku[c].name : QString());
    kingaku_->setText(e.kingaku);
    tekiyo_->setText(e.tekiyo);
    // A wallet number that names no wallet selects none; the write-back then
    // keeps it as it is.
    saifu_->setCurrentIndex(ledger_.saifu_index(e.saifu_no));
}

// ---- the boxes

void TeiseiForm::warn(const QString& text) {
    show_message(this, text, {}, MsgIcon::Exclamation);
}

void TeiseiForm::take_list_item(QListWidgetItem* item) {
    if (!item)
        return;
    const TeiseiPick pick = teisei_pick(item->text());
    number_->setText(pick.number);
    meisyo_->setText(pick.name);
}

bool TeiseiForm::number_check(Asker asker) {
    const NumberResult r = check_number(number_->text());
    if (r.check != NumberCheck::Ok) {
        for (const QString& message : number_messages(r.check, asker))
            warn(message);
        number_->setFocus();
        return false;
    }
    meisyo_->setText(ledger_.himoku[r.slot].name);
    return true;
}

void TeiseiForm::number_enter() {
    if (number_check(Asker::Box))
        kingaku_->setFocus();
}

void TeiseiForm::kingaku_enter() {
    if (const KingakuCheck check = check_kingaku(kingaku_->text()); check != KingakuCheck::Ok) {
        warn(kingaku_message(check, Asker::Box));
        kingaku_->setFocus();
        return;
    }
    kingaku_->setText(format_value(kingaku_->text(), kAmountPattern));
    tekiyo_->setFocus();
}

void TeiseiForm::kingaku_got_focus() {
    number_check(Asker::Box);
}

void TeiseiForm::tekiyo_got_focus() {
    if (number_check(Asker::Box))
        kingaku_->setText(format_value(kingaku_->text(), kAmountPattern));
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
    if (!number_check(Asker::Button))
        return false;
    if (const KingakuCheck check = check_kingaku(kingaku_->text()); check != KingakuCheck::Ok) {
        warn(kingaku_message(check, Asker::Button));
        kingaku_->setFocus();
        return false;
    }
    const DateResult date = check_date(nen_->text(), tuki_->text(), hi_->text());
    if (date.refused != DateField::None) {
        warn(date.message);
        (date.refused == DateField::Nen    ? nen_
         : date.refused == DateField::Tuki ? tuki_
                                           : hi_)
            ->setFocus();
        return false;
    }
    kingaku_->setText(format_value(kingaku_->text(), kAmountPattern));
    // The ledger takes the old entry out of every total and puts the new one in.
    ledger_.replace_entry(teisei_no_, corrected_entry(ledger_.syusi[teisei_no_], date.hiduke,
                                                      number_->text(), kingaku_->text(),
                                                      tekiyo_->text(), saifu_->currentIndex()));
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

// ---- keys and focus

bool TeiseiForm::key_filter(QObject* watched, QKeyEvent* event) {
    if (!is_enter_or_tab(event))
        return false;
    if (watched == number_)
        number_enter();
    else if (watched == kingaku_)
        kingaku_enter();
    else if (watched == tekiyo_)
        ok_->setFocus();
    else if (watched == saifu_)
        ok_->setFocus();
    return true;
}

bool TeiseiForm::eventFilter(QObject* watched, QEvent* event) {
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

void TeiseiForm::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button only: no button is the default, so that
    // Enter in a box never writes back by surprise.
    if (press_focused_button(this, event))
        return;
    // Esc, like the close box, closes without writing back.
    QDialog::keyPressEvent(event);
}

} // namespace kanvelo
