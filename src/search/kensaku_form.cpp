#include "search/kensaku_form.h"

#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/widgets.h"
#include "search/kensaku_rules.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

KensakuForm::KensakuForm(const Ledger& ledger, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger) {
    setObjectName(u"Kensaku_form"_s);
    setWindowTitle(u"検索"_s);
    build();
    build_grid();
    moji_->setFocus();
}

void KensakuForm::build() {
    moji_ = make_box(this, u"kensaku_moji"_s);
    place_twips(make_label(this, u"Label1"_s, u"文字"_s, moji_), 120, 165, 660, 300);
    place_twips(moji_, 840, 120, 4560, 375);

    // A range: its caption names the first box, "～" the second.
    auto range = [this](double top, const QString& caption, const QString& name,
                        const QString& from_label, const QString& to_label, QLineEdit** from,
                        QLineEdit** to) {
        *from = make_box(this, name + u"_from"_s);
        *to = make_box(this, name + u"_to"_s);
        (*from)->setAccessibleName(caption + u"（から）"_s);
        (*to)->setAccessibleName(caption + u"（まで）"_s);
        place_twips(make_label(this, from_label, caption, *from), 120, top + 45, 660, 300);
        place_twips(*from, 840, top, 1740, 375);
        place_twips(make_label(this, to_label, u"～"_s, *to), 2640, top + 45, 300, 300);
        place_twips(*to, 3000, top, 1740, 375);
        // Numbers and dates are typed in half-width characters.
        for (QLineEdit* box : {*from, *to})
            box->setAttribute(Qt::WA_InputMethodEnabled, false);
    };
    range(600, u"金額"_s, u"kensaku_kingaku"_s, u"Label2"_s, u"Label3"_s, &kingaku_from_,
          &kingaku_to_);
    place_twips(make_label(this, u"Label4"_s, u"円"_s), 4800, 645, 300, 300);
    for (QLineEdit* box : {kingaku_from_, kingaku_to_})
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    range(1080, u"日付"_s, u"kensaku_hiduke"_s, u"Label5"_s, u"Label6"_s, &hiduke_from_,
          &hiduke_to_);
    place_twips(make_label(this, u"Label7"_s, u"（年/月/日）"_s), 4800, 1125, 1500, 300);

    kensaku_ = make_button(this, u"kensaku_kensaku"_s, u"検索"_s);
    place_twips(kensaku_, 6960, 1050, 1380, 435);
    tojiru_ = make_button(this, u"kensaku_tojiru"_s, u"閉じる"_s);
    place_twips(tojiru_, 8580, 1050, 1380, 435);

    goukei_ = make_label(this, u"kensaku_goukei"_s, QString());
    place_twips(goukei_, 120, 5940, 6000, 300);
    skipped_ = make_label(this, u"kensaku_skipped"_s, QString());
    skipped_->setWordWrap(true);
    skipped_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_twips(skipped_, 120, 6300, 9960, 600);
    himoku_ = make_label(this, u"kensaku_himoku"_s, QString());
    place_twips(himoku_, 5520, 165, 4560, 300);
    resize_twips(this, 10200, 7020);

    for (QLineEdit* box : {moji_, kingaku_from_, kingaku_to_, hiduke_from_, hiduke_to_})
        box->installEventFilter(this);
    connect(kensaku_, &QPushButton::clicked, this, &KensakuForm::search);
    connect(tojiru_, &QPushButton::clicked, this, &QDialog::reject);
}

void KensakuForm::build_grid() {
    grid_ = new Grid(this);
    grid_->setObjectName(u"kensaku_grid"_s);
    place_twips(grid_, 120, 1620, 9960, 4200);
    grid_->set_cols(5);
    grid_->set_fixed_rows(1);
    const int widths[] = {1250, 1650, 1250, 3900, 1650};
    const QString heads[] = {u"日付"_s, u"費目"_s, u"金額"_s, u"摘要"_s, u"財布"_s};
    for (int c = 0; c < 5; ++c) {
        grid_->set_col_width_twips(c, widths[c]);
        grid_->set_text(0, c, heads[c]);
        grid_->set_fixed_alignment(c, Grid::Align::Center);
    }
    grid_->set_col_alignment(0, Grid::Align::Center);
    grid_->set_col_alignment(2, Grid::Align::Right);
    grid_->set_col_alignment(3, Grid::Align::Left);
    grid_->installEventFilter(this);
    connect(grid_, &Grid::grid_double_clicked, this, &KensakuForm::choose_current);
    setTabOrder(hiduke_to_, kensaku_);
    setTabOrder(kensaku_, tojiru_);
    setTabOrder(tojiru_, grid_);
}

QLineEdit* KensakuForm::box_of(int box) const {
    QLineEdit* const boxes[] = {moji_, kingaku_from_, kingaku_to_, hiduke_from_, hiduke_to_};
    return boxes[box];
}

void KensakuForm::search() {
    const auto query = kensaku_query({moji_->text(), kingaku_from_->text(), kingaku_to_->text(),
                                      hiduke_from_->text(), hiduke_to_->text()});
    if (const auto* refusal = std::get_if<KensakuRefusal>(&query)) {
        show_message(this, refusal->message, {}, MsgIcon::Exclamation);
        QLineEdit* box = box_of(int(refusal->box));
        box->setFocus();
        box->selectAll();
        return;
    }
    SearchQuery q = std::get<SearchQuery>(query);
    q.himoku_no = himoku_no_;
    {
        const BusyPointer busy;
        result_ = search_months(ledger_, q);
    }
    show_result();
}

void KensakuForm::narrow_to_category(int himoku_no, const QString& first_day,
                                     const QString& last_day) {
    const auto slot = himoku_slot(QString::number(himoku_no));
    if (!slot)
        return;
    himoku_no_ = himoku_no;
    himoku_->setText(u"費目：%1 %2"_s.arg(himoku_no).arg(ledger_.himoku[*slot].name));
    auto date = [](const QString& d) { return d.left(4) + u'/' + d.mid(4, 2) + u'/' + d.mid(6); };
    hiduke_from_->setText(date(first_day));
    hiduke_to_->setText(date(last_day));
    search();
}

void KensakuForm::show_result() {
    // Rows are rewritten in place with updates off, so that many results
    // draw once.
    grid_->setUpdatesEnabled(false);
    const int n = int(result_.hits.size());
    grid_->set_rows(n + 1);
    for (int r = 1; r <= n; ++r) {
        const QStringList cells = kensaku_row_text(result_.hits[r - 1]).split(u'\t');
        for (int c = 0; c < cells.size(); ++c)
            grid_->set_text(r, c, cells.at(c));
    }
    grid_->setUpdatesEnabled(true);
    if (n > 0) {
        grid_->set_row(1);
        grid_->scrollToTop();
    }
    goukei_->setText(kensaku_summary(result_));
    skipped_->setText(kensaku_skipped_text(result_.skipped));
}

void KensakuForm::choose_current() {
    const int r = grid_->row();
    if (r < 1 || r > int(result_.hits.size()))
        return;
    chosen_ = result_.hits[r - 1];
    accept();
}

bool KensakuForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && is_enter(static_cast<QKeyEvent*>(event)->key())) {
        if (watched == grid_)
            choose_current();
        else
            search();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kanvelo
