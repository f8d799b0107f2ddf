#include "budget/yosan_form.h"

#include "common/category_list.h"
#include "common/notices.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QApplication>
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

const QString kAmount = u"#,##0"_s;

// Twips: the list on the left, then a column of row captions and the three
// months side by side.
constexpr double kWidth = 10500;
constexpr double kHeight = 4695;
constexpr double kMargin = 120;
constexpr double kCaptionLeft = 3000;
constexpr double kCaptionWidth = 1800;
constexpr double kColumnLeft = kCaptionLeft + kCaptionWidth;
constexpr double kColumnWidth = 1800;
constexpr double kColumnStep = 1890;
constexpr double kBoxHeight = 345;
constexpr double kLabelHeight = 300;
constexpr double kHeadTop = 600;
constexpr double kRowTop[] = {960, 1380, 1800, 2220}; // 予算, 実績, 予算合計, 実績合計
constexpr double kCommentTop[] = {2760, 3180, 3600};  // this month, previous, last year
constexpr double kEndTop = 4140;
constexpr double kButtonHeight = 435;

const QColor kSenColour(192, 255, 255);
const QColor kZennenColour(192, 255, 192);

// A box the user only reads: it never takes the focus, so the focus stays
// with this month's budget.
void read_only(QLineEdit* box) {
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
}

void place_label(QLabel* label, double left, double top, double width) {
    place_twips(label, left, top + 30, width, kLabelHeight);
}

} // namespace

YosanForm::YosanForm(Ledger& ledger, QWidget* parent) : QDialog(parent), ledger_(ledger) {
    setObjectName(u"yosan_form"_s);
    setWindowTitle(u"先月の予算と実績を参考に、今月の予算を立てましょう。"_s);
    build();
    fill_list();
    read_comparisons();
    list_->setFocus();
}

YosanForm::MonthBoxes YosanForm::build_column(const QString& prefix, int column,
                                              const QColor& background) {
    const double left = kColumnLeft + column * kColumnStep;
    MonthBoxes b;
    QLineEdit** amounts[] = {&b.kingaku, &b.jisseki, &b.yosan_goukei, &b.jisseki_goukei};
    const QString names[] = {u"kingaku"_s, u"jisseki"_s, u"yosan_goukei"_s, u"jisseki_goukei"_s};
    for (int r = 0; r < 4; ++r) {
        QLineEdit* box = make_box(this, prefix + names[r]);
        box->setText(u"0"_s);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place_twips(box, left, kRowTop[r], kColumnWidth, kBoxHeight);
        *amounts[r] = box;
    }
    b.comment = make_box(this, prefix + u"comment"_s);
    place_twips(b.comment, kColumnLeft, kCommentTop[column], kWidth - kMargin - kColumnLeft,
                kBoxHeight);
    if (background.isValid()) {
        for (QLineEdit* box : {b.kingaku, b.jisseki, b.yosan_goukei, b.jisseki_goukei, b.comment}) {
            QPalette p = box->palette();
            p.setColor(QPalette::Base, background);
            p.setColor(QPalette::Text, Qt::black);
            box->setPalette(p);
            read_only(box);
        }
    }
    return b;
}

void YosanForm::build() {
    list_ = new QListWidget(this);
    list_->setObjectName(u"yosan_list"_s);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The rows line their names up by character count.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({u"Noto Sans Mono CJK JP"_s, u"IPAGothic"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
                       fixed.family()});
    fixed.setPointSizeF(font().pointSizeF());
    list_->setFont(fixed);
    place_twips(list_, kMargin, kMargin, kCaptionLeft - 2 * kMargin,
                kEndTop + kButtonHeight - kMargin);

    number_ = make_box(this, u"yosan_number"_s);
    place_twips(number_, kCaptionLeft, kMargin, 480, kBoxHeight);
    number_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    himoku_ = make_box(this, u"yosan_himoku"_s);
    place_twips(himoku_, kCaptionLeft + 540, kMargin, kCaptionWidth + kColumnWidth - 540,
                kBoxHeight);
    read_only(number_);
    read_only(himoku_);

    kon_ = build_column(u"yosan_kon_"_s, 0, QColor());
    sen_boxes_ = build_column(u"yosan_sen_"_s, 1, kSenColour);
    zennen_boxes_ = build_column(u"yosan_zennen_"_s, 2, kZennenColour);
    for (QLineEdit* box : {kon_.jisseki, kon_.yosan_goukei, kon_.jisseki_goukei})
        read_only(box);
    kon_.kingaku->setAttribute(Qt::WA_InputMethodEnabled, false);
    keep_storable(kon_.comment);
    // Nothing typed before a category is chosen would have a place to go.
    kon_.kingaku->setEnabled(false);
    kon_.comment->setEnabled(false);

    const QString heads[][2] = {
        {u"label_kon"_s, u"今月"_s}, {u"label_sen"_s, u"先月"_s}, {u"Label6"_s, u"前年同月"_s}};
    for (int c = 0; c < 3; ++c) {
        QLabel* head = make_label(this, heads[c][0], heads[c][1]);
        head->setAlignment(Qt::AlignCenter);
        place_label(head, kColumnLeft + c * kColumnStep, kHeadTop, kColumnWidth);
    }

    place_label(make_label(this, u"Label9"_s, u"予算"_s, kon_.kingaku), kCaptionLeft, kRowTop[0],
                kCaptionWidth);
    place_label(make_label(this, u"Label12"_s, u"実績"_s, kon_.jisseki), kCaptionLeft, kRowTop[1],
                kCaptionWidth);
    place_label(make_label(this, u"Label15"_s, u"予算合計"_s, kon_.yosan_goukei), kCaptionLeft,
                kRowTop[2], 1020);
    place_label(make_label(this, u"Label18"_s, u"実績合計"_s, kon_.jisseki_goukei), kCaptionLeft,
                kRowTop[3], 1020);
    label_yosan_ = make_label(this, u"label_yosan"_s, u"(収入)"_s);
    place_label(label_yosan_, kCaptionLeft + 1020, kRowTop[2], kCaptionWidth - 1020);
    label_jisseki_ = make_label(this, u"label_jisseki"_s, u"(収入)"_s);
    place_label(label_jisseki_, kCaptionLeft + 1020, kRowTop[3], kCaptionWidth - 1020);

    place_label(make_label(this, u"Label7"_s, u"今月コメント"_s, kon_.comment), kCaptionLeft,
                kCommentTop[0], kCaptionWidth);
    place_label(make_label(this, u"Label5"_s, u"先月コメント"_s, sen_boxes_.comment), kCaptionLeft,
                kCommentTop[1], kCaptionWidth);
    place_label(make_label(this, u"Label4"_s, u"前年同月コメント"_s, zennen_boxes_.comment),
                kCaptionLeft, kCommentTop[2], kCaptionWidth);

    end_ = make_button(this, u"yosan_end"_s, u"終了"_s);
    place_twips(end_, kColumnLeft + 2 * kColumnStep, kEndTop, kColumnWidth, kButtonHeight);
    setFixedSize(twips_to_px(kWidth), twips_to_px(kHeight));

    setTabOrder(list_, kon_.kingaku);
    setTabOrder(kon_.kingaku, kon_.comment);
    setTabOrder(kon_.comment, end_);

    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        if (reverting_)
            return;
        const QList<QListWidgetItem*> picked = list_->selectedItems();
        if (picked.isEmpty())
            return;
        const int slot = list_->row(picked.first());
        if (slot == current_ || choose(slot))
            return;
        // Refused: the list shows the category whose values are still shown.
        reverting_ = true;
        list_->setCurrentRow(current_, QItemSelectionModel::ClearAndSelect);
        if (current_ < 0)
            list_->clearSelection();
        reverting_ = false;
        kon_.kingaku->setFocus();
    });
    connect(end_, &QPushButton::clicked, this, &YosanForm::end_clicked);
    for (QWidget* w : {static_cast<QWidget*>(kon_.kingaku), static_cast<QWidget*>(kon_.comment),
                       static_cast<QWidget*>(end_)})
        w->installEventFilter(this);
}

void YosanForm::fill_list() {
    for (int slot = 0; slot < kYosanListed; ++slot)
        list_->addItem(category_list_item(ledger_, slot));
}

void YosanForm::read_comparisons() {
    const YearMonth sen = previous_month(ledger_.nen, ledger_.tuki);
    sen_ = read_month_totals(month_file_name(ledger_, sen.nen, sen.tuki));
    report_comparison(sen_, u"先月の家計簿ファイルがありません。"_s,
                      u"先月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"_s);
    const YearMonth zennen = same_month_last_year(ledger_.nen, ledger_.tuki);
    zennen_ = read_month_totals(month_file_name(ledger_, zennen.nen, zennen.tuki));
    report_comparison(zennen_, u"前年同月の家計簿ファイルがありません。"_s,
                      u"前年同月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"_s);
    // A missing month shows nothing rather than zeros that were never read.
    for (const auto& [month, boxes] : {std::pair{&sen_, &sen_boxes_}, {&zennen_, &zennen_boxes_}})
        if (month->status == MonthTotals::Status::Missing)
            for (QLineEdit* box :
                 {boxes->kingaku, boxes->jisseki, boxes->yosan_goukei, boxes->jisseki_goukei})
                box->clear();
}

void YosanForm::report_comparison(const MonthTotals& month, const QString& missing_text,
                                  const QString& old_text) {
    switch (month.status) {
    case MonthTotals::Status::Missing:
        show_message(this, missing_text);
        return;
    case MonthTotals::Status::OldFormat:
        show_message(this, old_text, {}, MsgIcon::Exclamation);
        return;
    case MonthTotals::Status::Read:
        break;
    }
    if (!month.errors.empty())
        show_failure_modal(this, contact_code(month.errors));
}

// ---- choosing a category

bool YosanForm::amount_leavable() {
    const BudgetCheck check = check_budget(kon_.kingaku->text());
    if (check == BudgetCheck::Ok || check == BudgetCheck::Empty)
        return true;
    show_message(this, budget_message(check), {}, MsgIcon::Exclamation);
    kon_.kingaku->setFocus();
    return false;
}

void YosanForm::store_current() {
    if (current_ < 0)
        return;
    HimokuRec& h = ledger_.himoku[current_];
    h.yosan_kingaku = budget_to_store(kon_.kingaku->text());
    h.yosan_comment = kon_.comment->text();
}

bool YosanForm::choose(int slot) {
    if (slot < 0 || slot >= kYosanListed || !amount_leavable())
        return false;
    store_current();
    show_category(slot);
    return true;
}

void YosanForm::show_category(int slot) {
    const HimokuRec& h = ledger_.himoku[slot];
    const ListPick pick = category_from_list_item(category_list_item(ledger_, slot));
    number_->setText(pick.number);
    himoku_->setText(pick.name);
    kon_.kingaku->setEnabled(true);
    kon_.comment->setEnabled(true);
    kon_.kingaku->setText(format_value(h.yosan_kingaku, u"#,###"_s));
    kon_.jisseki->setText(format_number(h.jisseki, kAmount));
    kon_.comment->setText(h.yosan_comment);

    const bool income = h.is_income();
    const QString kind = income ? u"(収入)"_s : u"(支出)"_s;
    label_yosan_->setText(kind);
    label_jisseki_->setText(kind);
    kon_.jisseki_goukei->setText(
        format_number(income ? ledger_.syunyu_goukei : ledger_.sisyutu_goukei, kAmount));
    kon_.yosan_goukei->setText(format_number(kind_budget_sum(ledger_, slot), kAmount));

    show_comparison(sen_boxes_, sen_, slot, income);
    show_comparison(zennen_boxes_, zennen_, slot, income);
    current_ = slot;
    kon_.kingaku->setFocus();
}

void YosanForm::show_comparison(const MonthBoxes& boxes, const MonthTotals& month, int slot,
                                bool income) {
    const ComparisonTexts t = comparison_texts(month, slot, income);
    boxes.kingaku->setText(t.kingaku);
    boxes.jisseki->setText(t.jisseki);
    boxes.comment->setText(t.comment);
    boxes.comment->setCursorPosition(0);
    boxes.comment->setToolTip(t.comment);
    boxes.yosan_goukei->setText(t.yosan_goukei);
    boxes.jisseki_goukei->setText(t.jisseki_goukei);
}

// ---- the boxes

void YosanForm::kingaku_enter() {
    const BudgetCheck check = check_budget(kon_.kingaku->text());
    if (check != BudgetCheck::Ok) {
        show_message(this, budget_message(check), {}, MsgIcon::Exclamation);
        kon_.kingaku->setFocus();
        return;
    }
    kon_.kingaku->setText(budget_to_store(kon_.kingaku->text()));
    kon_.comment->setFocus();
}

void YosanForm::comment_got_focus() {
    kon_.kingaku->setText(format_value(kon_.kingaku->text(), kAmount));
}

void YosanForm::end_clicked() {
    if (!amount_leavable())
        return;
    store_current();
    accept();
}

void YosanForm::reject() {
    end_clicked();
}

bool YosanForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == kon_.kingaku && is_enter_or_tab(key)) {
            kingaku_enter();
            return true;
        }
        if (watched == kon_.comment && is_enter_or_tab(key)) {
            end_->setFocus();
            return true;
        }
        if (watched == end_ && is_enter(key->key())) {
            end_->click();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn && watched == kon_.comment) {
        if (entered_by_user(event))
            comment_got_focus();
    }
    return QDialog::eventFilter(watched, event);
}

void YosanForm::keyPressEvent(QKeyEvent* event) {
    // Enter must not close the window through a default button.
    if (is_enter(event->key())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kanvelo
