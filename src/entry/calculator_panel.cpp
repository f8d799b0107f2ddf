#include "entry/calculator_panel.h"

#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// Positions are given in the window's client area; the panel starts at kTop.
void place(QWidget* w, double left, double top, double width, double height) {
    place_twips(w, left, top - CalculatorPanel::kTop, width, height);
}

} // namespace

CalculatorPanel::CalculatorPanel(QWidget* window) : QWidget(window) {
    setObjectName(u"calculator"_s);
    place_twips(this, 0, kTop, 6300, 1500);

    display_ = new QLineEdit(this);
    display_->setObjectName(u"Kinyu_dentaku"_s);
    display_->setAccessibleName(u"電卓"_s);
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display_->setAttribute(Qt::WA_InputMethodEnabled, false);
    place(display_, 1980, 5100, 1695, 405);
    display_->installEventFilter(this);
    connect(display_, &QLineEdit::textChanged, this,
            [this](const QString& text) { calc_.set_display(text); });

    QPushButton* clear = make_button(this, u"Command8"_s, u"C"_s);
    place(clear, 3780, 5100, 615, 405);
    connect(clear, &QPushButton::clicked, this, [this] { button(&Calculator::clear); });

    tax_ = make_button(this, u"Command5"_s, u"消費税加算"_s);
    place(tax_, 4500, 5100, 1695, 405);
    connect(tax_, &QPushButton::clicked, this, [this] {
        calc_.add_tax(zeiritu_);
        show_state();
        display_->setFocus();
    });

    const struct {
        QString name;
        QString caption;
        double left;
        void (Calculator::*op)();
    } memory_buttons[] = {
        {u"Command1"_s, u"M+"_s, 1980, &Calculator::memory_plus},
        {u"Command2"_s, u"M-"_s, 2580, &Calculator::memory_minus},
        {u"Command3"_s, u"MR"_s, 3180, &Calculator::memory_recall},
        {u"Command4"_s, u"MC"_s, 3780, &Calculator::memory_clear},
    };
    for (const auto& m : memory_buttons) {
        QPushButton* b = make_button(this, m.name, m.caption);
        place(b, m.left, 5580, 555, 375);
        connect(b, &QPushButton::clicked, this, [this, op = m.op] { button(op); });
    }

    QPushButton* to_amount = make_button(this, u"Command6"_s, u"金額欄に記入"_s);
    place(to_amount, 4500, 5580, 1695, 375);
    connect(to_amount, &QPushButton::clicked, this,
            [this] { Q_EMIT amount_ready(calc_.amount_for_entry()); });

    memory_ = new QLabel(this);
    memory_->setObjectName(u"kinyu_memory"_s);
    memory_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    memory_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(memory_, 1980, 6000, 2295, 435);

    QPushButton* off = make_button(this, u"Command7"_s, u"電卓終了"_s);
    place(off, 4500, 6060, 1695, 375);
    connect(off, &QPushButton::clicked, this, &CalculatorPanel::put_away);

    const struct {
        QString name;
        QString caption;
        double top;
    } help[] = {
        {u"Label10"_s, u"加算･･･[＋]ｷｰ"_s, 5100},  {u"Label9"_s, u"減算･･･[－]ｷｰ"_s, 5340},
        {u"Label12"_s, u"乗算･･･[＊]ｷｰ"_s, 5580},  {u"Label13"_s, u"除算･･･[／]ｷｰ"_s, 5820},
        {u"Label11"_s, u"計算･･･[Enter]"_s, 6180},
    };
    QFont small = font();
    small.setPixelSize(11);
    for (const auto& h : help) {
        auto* label = new QLabel(h.caption, this);
        label->setObjectName(h.name);
        label->setFont(small);
        place(label, 240, h.top, 1680, 240);
    }
}

void CalculatorPanel::reset_for_opening(double zeiritu) {
    zeiritu_ = zeiritu;
    calc_.reset_for_opening();
    tax_->setText(Calculator::tax_caption(zeiritu));
    show_state();
}

void CalculatorPanel::turn_on() {
    display_->setFocus();
    calc_.turn_on();
    show_state();
}

void CalculatorPanel::set_shown(bool shown) {
    setEnabled(shown);
}

void CalculatorPanel::show_state() {
    if (display_->text() != calc_.display())
        display_->setText(calc_.display());
    memory_->setText(calc_.memory());
}

void CalculatorPanel::button(void (Calculator::*op)()) {
    (calc_.*op)();
    show_state();
    display_->setFocus();
}

// Returns true when the key was consumed.
bool CalculatorPanel::key(QKeyEvent* event) {
    QChar k;
    if (is_enter(event->key()))
        k = u'\r';
    else if (event->key() == Qt::Key_Backspace)
        k = u'\b';
    else if (event->text().isEmpty() || event->key() == Qt::Key_Tab ||
             event->key() == Qt::Key_Escape || (event->modifiers() & Qt::ControlModifier))
        return false; // cursor keys, focus keys and shortcuts (copy, paste) work as usual
    else
        k = event->text().at(0);

    switch (calc_.key(k)) {
    case Calculator::KeyResult::Insert:
        // A number started after an operator or a result replaces the display.
        show_state();
        return false;
    case Calculator::KeyResult::Consumed:
        break;
    case Calculator::KeyResult::Beep:
        beep();
        break;
    case Calculator::KeyResult::DivideByZero:
        show_message(window(), u"０で割り算することはできないんですよ。"_s, {},
                     MsgIcon::Exclamation);
        break;
    }
    show_state();
    return true;
}

bool CalculatorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == display_ && event->type() == QEvent::KeyPress)
        return key(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

} // namespace kanvelo
