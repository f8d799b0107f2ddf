#include "main_window/open_form.h"

#include "ledger/calendar.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/spinner.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

std::optional<int> whole_number_in(const QString& text, int low, int high) {
    // An input method may well give full-width digits.
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (plain.isEmpty() || plain.size() > 4)
        return std::nullopt;
    for (QChar c : plain) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = plain.toInt();
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> open_year_value(const QString& text) {
    return whole_number_in(text, kYearMin, kYearMax);
}

std::optional<int> open_month_value(const QString& text) {
    return whole_number_in(text, 1, 12);
}

OpenForm::OpenForm(Ledger& ledger, QWidget* parent) : QDialog(parent), ledger_(ledger) {
    setObjectName(u"open_form"_s);
    build();
    load();
}

void OpenForm::build() {
    setWindowTitle(u"別の月の家計簿を開きます"_s);

    open_nen_ = new QLineEdit(this);
    open_nen_->setObjectName(u"open_nen"_s);
    open_nen_->setAlignment(Qt::AlignRight);
    open_nen_->setMaxLength(4);
    place_twips(open_nen_, 480, 420, 1020, 390);

    open_nen_vscroll_ = new Spinner(kYearMin, kYearMax, this);
    open_nen_vscroll_->setObjectName(u"open_nen_vscroll"_s);
    place_twips(open_nen_vscroll_, 1500, 360, 255, 510);

    auto* label1 = new QLabel(u"年"_s, this);
    label1->setObjectName(u"Label1"_s);
    label1->setBuddy(open_nen_);
    place_twips(label1, 1860, 435, 360, 360);

    open_tuki_ = new QLineEdit(this);
    open_tuki_->setObjectName(u"open_tuki"_s);
    open_tuki_->setAlignment(Qt::AlignRight);
    open_tuki_->setMaxLength(2);
    place_twips(open_tuki_, 2460, 420, 600, 390);

    open_tuki_vscroll_ = new Spinner(1, 12, this);
    open_tuki_vscroll_->setObjectName(u"open_tuki_vscroll"_s);
    place_twips(open_tuki_vscroll_, 3060, 360, 255, 510);

    auto* label2 = new QLabel(u"月"_s, this);
    label2->setObjectName(u"Label2"_s);
    label2->setBuddy(open_tuki_);
    place_twips(label2, 3420, 435, 360, 360);

    open_hiraku_ = new QPushButton(u"開く"_s, this);
    open_hiraku_->setObjectName(u"open_hiraku"_s);
    place_twips(open_hiraku_, 480, 1200, 1440, 450);

    open_yame_ = new QPushButton(u"取りやめ"_s, this);
    open_yame_->setObjectName(u"open_yame"_s);
    place_twips(open_yame_, 2160, 1200, 1620, 450);

    resize_twips(this, 4260, 2040);

    open_nen_vscroll_->bind(open_nen_);
    open_tuki_vscroll_->bind(open_tuki_);
    open_nen_->installEventFilter(this);
    open_tuki_->installEventFilter(this);

    connect(open_hiraku_, &QPushButton::clicked, this, &OpenForm::hiraku);
    connect(open_yame_, &QPushButton::clicked, this, &OpenForm::reject);
    connect(open_nen_, &QLineEdit::textEdited, this,
            [this](const QString& text) { follow_box(open_nen_vscroll_, text, &open_year_value); });
    connect(open_tuki_, &QLineEdit::textEdited, this, [this](const QString& text) {
        follow_box(open_tuki_vscroll_, text, &open_month_value);
    });
}

void OpenForm::load() {
    stored_nen_ = ledger_.nen.trimmed().toInt();
    stored_tuki_ = ledger_.tuki.trimmed().toInt();
    open_nen_vscroll_->set_value(stored_nen_);
    open_tuki_vscroll_->set_value(stored_tuki_);
    open_nen_->setText(QString::number(stored_nen_));
    open_tuki_->setText(QString::number(stored_tuki_));
}

void OpenForm::follow_box(Spinner* spinner, const QString& text,
                          std::optional<int> (*value_of)(const QString&)) {
    // A typed value moves the spinner too, so that its arrows go on from
    // there; the box itself is left as typed.
    const std::optional<int> value = value_of(text);
    if (!value)
        return;
    const QSignalBlocker quiet(spinner);
    spinner->set_value(*value);
}

void OpenForm::refuse(QLineEdit* box, const QString& message) {
    show_message(this, message, {}, MsgIcon::Exclamation);
    box->setFocus();
    box->selectAll();
}

void OpenForm::hiraku() {
    const std::optional<int> year = open_year_value(open_nen_->text());
    if (!year) {
        refuse(open_nen_, u"年は1900から3000までの数字で入力して下さいね。"_s);
        return;
    }
    const std::optional<int> month = open_month_value(open_tuki_->text());
    if (!month) {
        refuse(open_tuki_, u"月は1から12までの数字で入力して下さいね。"_s);
        return;
    }
    ledger_.nen = format_number(*year, u"0000"_s);
    ledger_.tuki = format_number(*month, u"00"_s);
    chosen_ = true;
    accept();
}

void OpenForm::reject() {
    ledger_.nen = format_number(stored_nen_, u"0000"_s);
    ledger_.tuki = format_number(stored_tuki_, u"00"_s);
    QDialog::reject();
}

bool OpenForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    Spinner* spinner = watched == open_nen_ ? open_nen_vscroll_ : open_tuki_vscroll_;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter moves on instead of pressing a button by surprise.
        if (watched == open_nen_)
            open_tuki_->setFocus();
        else
            open_hiraku_->setFocus();
        return true;
    case Qt::Key_Up:
        spinner->step_up();
        return true;
    case Qt::Key_Down:
        spinner->step_down();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

bool choose_other_month(QWidget* parent, Ledger& ledger) {
    OpenForm form(ledger, parent);
    run_modal(form);
    return form.chosen();
}

} // namespace kanvelo
