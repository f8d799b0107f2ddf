#include "editing/saifu_form.h"

#include "common/date_row.h"
#include "common/notices.h"
#include "editing/saifu_rules.h"
#include "ledger/calendar.h"
#include "ledger/clock.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/spinner.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr double kWidth = 8400;
constexpr double kGridLeft = 4560;
constexpr double kGridTop = 120;
constexpr double kMargin = 120;

} // namespace

SaifuForm::SaifuForm(Ledger& ledger, QWidget* parent) : EnterDialog(parent), ledger_(ledger) {
    setObjectName(u"saifu_form"_s);
    setWindowTitle(u"財布・口座間でのお金の移動"_s);
    build();
    build_grid();
    connect_controls();
    open_window();
}

void SaifuForm::build() {
    date_ = add_date_row(this, {.prefix = u"saifu"_s,
                                .top = 240,
                                .lefts = {240, 1500, 2520},
                                .widths = {600, 390, 390},
                                .labels = {u"Label1"_s, u"Label2"_s, u"Label3"_s},
                                .label_gap = 285,
                                .label_width = 240,
                                .typed = true});

    // Each wallet row: what it names, the list, and the particle after it.
    auto wallet_row = [this](const QString& name, double top, const QString& label,
                             const QString& caption, const QString& after_name,
                             const QString& after) {
        auto* list = new QComboBox(this);
        list->setObjectName(name);
        list->setMaxVisibleItems(kSaifuCount);
        place_twips(make_label(this, label, caption, list), 240, top + 45, 840, 300);
        place_twips(list, 1080, top, 2520, 375);
        place_twips(make_label(this, after_name, after), 3660, top + 45, 480, 300);
        return list;
    };
    moto_ = wallet_row(u"saifu_moto"_s, 840, u"Label4"_s, u"移動元"_s, u"Label5"_s, u"から"_s);
    saki_ = wallet_row(u"saifu_saki"_s, 1380, u"Label6"_s, u"移動先"_s, u"Label7"_s, u"へ"_s);

    kingaku_ = make_box(this, u"saifu_kingaku"_s);
    kingaku_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits are typed in half-width characters; an input method would
    // bypass the key filter.
    kingaku_->setAttribute(Qt::WA_InputMethodEnabled, false);
    place_twips(make_label(this, u"Label8"_s, u"金額"_s, kingaku_), 240, 1965, 840, 300);
    place_twips(kingaku_, 1080, 1920, 1800, 375);
    place_twips(make_label(this, u"Label9"_s, u"円移動します"_s), 2940, 1965, 1500, 300);

    ok_ = make_button(this, u"saifu_ok"_s, u"OK"_s);
    place_twips(ok_, 1080, 2580, 1380, 435);
    end_ = make_button(this, u"saifu_end"_s, u"終了"_s);
    place_twips(end_, 2640, 2580, 1380, 435);
}

void SaifuForm::build_grid() {
    grid_ = new Grid(this);
    grid_->setObjectName(u"Saifu_Grid"_s);
    grid_->set_cols(2);
    grid_->set_fixed_rows(1);
    grid_->set_fixed_cols(1);
    grid_->set_rows(kSaifuCount + 1);
    grid_->set_col_width_twips(0, 2300);
    grid_->set_col_width_twips(1, 1250);
    grid_->set_text(0, 0, u"財布・口座"_s);
    grid_->set_text(0, 1, u"残金"_s);
    grid_->set_fixed_alignment(0, Grid::Align::Center);
    grid_->set_fixed_alignment(1, Grid::Align::Center);
    grid_->set_col_alignment(0, Grid::Align::Left);
    grid_->set_col_alignment(1, Grid::Align::Right);
    // The grid only shows the balances: nothing in it is picked.
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->clearSelection();
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Every wallet shows without scrolling: the grid is as tall as its rows.
    const int frame = 2 * grid_->frameWidth();
    const int height = grid_->horizontalHeader()->sizeHint().height() +
                       kSaifuCount * grid_->verticalHeader()->defaultSectionSize() + frame;
    const int width = twips_to_px(2300) + twips_to_px(1250) + frame;
    grid_->setGeometry(twips_to_px(kGridLeft), twips_to_px(kGridTop), width, height);

    const int form_height =
        std::max(grid_->geometry().bottom() + 1 + twips_to_px(kMargin), twips_to_px(3135));
    setFixedSize(
        std::max(twips_to_px(kWidth), grid_->geometry().right() + 1 + twips_to_px(kMargin)),
        form_height);
}

void SaifuForm::connect_controls() {
    for (Spinner* s : {date_.nen_vsc, date_.tuki_vsc, date_.hi_vsc})
        connect(s, &Spinner::value_changed, this, &SaifuForm::spinner_changed);
    connect(date_.nen, &QLineEdit::textEdited, this, [this] { box_edited(DatePart::Year); });
    connect(date_.tuki, &QLineEdit::textEdited, this, [this] { box_edited(DatePart::Month); });
    connect(date_.hi, &QLineEdit::textEdited, this, [this] { box_edited(DatePart::Day); });

    connect(ok_, &QPushButton::clicked, this, &SaifuForm::ok_clicked);
    connect(end_, &QPushButton::clicked, this, &QDialog::accept);

    for (QWidget* w : {static_cast<QWidget*>(moto_), static_cast<QWidget*>(saki_),
                       static_cast<QWidget*>(kingaku_), static_cast<QWidget*>(ok_)})
        w->installEventFilter(this);
    setTabOrder(moto_, saki_);
    setTabOrder(saki_, kingaku_);
    setTabOrder(kingaku_, ok_);
    setTabOrder(ok_, end_);
    setTabOrder(end_, date_.nen);
    setTabOrder(date_.nen, date_.tuki);
    setTabOrder(date_.tuki, date_.hi);
}

void SaifuForm::open_window() {
    for (int w = 0; w < kSaifuCount; ++w) {
        moto_->addItem(ledger_.saifu[w].name);
        saki_->addItem(ledger_.saifu[w].name);
    }
    moto_->setCurrentIndex(1);
    saki_->setCurrentIndex(0);

    const QDate today = clock_today();
    adjusting_ = true;
    date_.nen_vsc->set_value(
        whole_number_in(ledger_.nen, kYearMin, kYearMax).value_or(today.year()));
    date_.tuki_vsc->set_value(whole_number_in(ledger_.tuki, 1, 12).value_or(today.month()));
    date_.hi_vsc->set_value(today.day());
    // A spinner already at its value wrote nothing into its box.
    for (auto [box, spinner] :
         {std::pair{date_.nen, date_.nen_vsc}, std::pair{date_.tuki, date_.tuki_vsc},
          std::pair{date_.hi, date_.hi_vsc}})
        box->setText(QString::number(spinner->value()));
    adjusting_ = false;
    keep_day_in_month();

    show_balances();
    moto_->setFocus();
}

void SaifuForm::show_balances() {
    for (int w = 0; w < kSaifuCount; ++w) {
        grid_->set_text(w + 1, 0, ledger_.saifu[w].name);
        grid_->set_text(w + 1, 1, format_number(ledger_.saifu[w].zankin, u"#,##0"_s));
    }
}

// ---- the date

void SaifuForm::spinner_changed() {
    if (!adjusting_)
        keep_day_in_month();
}

// A typed value moves its spinner without rewriting the box under the cursor;
// the date as a whole is checked when the transfer is recorded.
void SaifuForm::box_edited(DatePart part) {
    Spinner* spinner = part == DatePart::Year    ? date_.nen_vsc
                       : part == DatePart::Month ? date_.tuki_vsc
                                                 : date_.hi_vsc;
    QLineEdit* box = part == DatePart::Year    ? date_.nen
                     : part == DatePart::Month ? date_.tuki
                                               : date_.hi;
    const auto v = whole_number_in(box->text(), spinner->minimum(), spinner->maximum());
    if (!v)
        return;
    const QSignalBlocker block(spinner);
    spinner->set_value(*v);
}

// The spinners can show 31 February; the day shown is always one the month has.
void SaifuForm::keep_day_in_month() {
    const int hi =
        day_in_month(date_.nen_vsc->value(), date_.tuki_vsc->value(), date_.hi_vsc->value());
    if (hi != date_.hi_vsc->value())
        set_day(hi);
}

void SaifuForm::set_day(int hi) {
    adjusting_ = true;
    date_.hi_vsc->set_value(hi);
    adjusting_ = false;
}

// ---- recording

void SaifuForm::ok_clicked() {
    const TransferCheck r =
        check_transfer(ledger_, moto_->currentIndex(), saki_->currentIndex(), kingaku_->text(),
                       date_.nen->text(), date_.tuki->text(), date_.hi->text());
    if (r.limit) {
        show_genkai(this);
        return;
    }
    if (!r.ok()) {
        if (r.beep)
            beep();
        show_message(this, r.message, {}, MsgIcon::Exclamation);
        switch (r.focus) {
        case TransferField::Moto:
            moto_->setFocus();
            break;
        case TransferField::Kingaku:
            kingaku_->setFocus();
            break;
        case TransferField::Nen:
            date_.nen->setFocus();
            break;
        case TransferField::Tuki:
            date_.tuki->setFocus();
            break;
        case TransferField::Hi:
            date_.hi->setFocus();
            break;
        case TransferField::None:
            break;
        }
        return;
    }

    // The date recorded is the date shown, day brought into the month.
    adjusting_ = true;
    date_.nen_vsc->set_value(r.date.nen);
    date_.tuki_vsc->set_value(r.date.tuki);
    date_.hi_vsc->set_value(r.date.hi);
    date_.nen->setText(QString::number(r.date.nen));
    date_.tuki->setText(QString::number(r.date.tuki));
    date_.hi->setText(QString::number(r.date.hi));
    adjusting_ = false;

    const int moto = moto_->currentIndex();
    const int saki = saki_->currentIndex();
    ledger_.hi = format_number(r.date.hi, u"00"_s);
    const auto [from, to] = transfer_entries(ledger_, r.date, moto, saki, r.amount);
    // The limit was checked for both; each entry is shown before the next.
    ledger_.add_entry(from);
    Q_EMIT entry_added();
    ledger_.add_entry(to);
    Q_EMIT entry_added();

    show_balances();
    kingaku_->clear();
    moto_->setFocus();
}

// ---- keys

bool SaifuForm::kingaku_key(QKeyEvent* event) {
    if (is_enter_or_tab(event)) {
        ok_->setFocus();
        return true;
    }
    // Shortcuts (copy, paste, select all) and keys that type nothing pass; a
    // pasted amount is checked when the transfer is recorded.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Backspace)
        return false;
    if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
        return false;
    beep();
    return true;
}

bool SaifuForm::key_filter(QObject* watched, QKeyEvent* event) {
    if (watched == kingaku_)
        return kingaku_key(event);
    if (watched == ok_) {
        if (!is_enter_or_tab(event))
            return false;
        ok_clicked();
        return true;
    }
    QComboBox* list = static_cast<QComboBox*>(watched);
    if (is_enter_or_tab(event)) {
        (list == moto_ ? static_cast<QWidget*>(saki_) : static_cast<QWidget*>(kingaku_))
            ->setFocus();
        return true;
    }
    // Only the arrows choose a wallet; typed characters would jump to a name.
    return !event->text().isEmpty() && event->text().at(0).isPrint();
}

bool SaifuForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return key_filter(watched, static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

} // namespace kanvelo
