#include "import/torikomi_form.h"

#include "common/month_edits.h"
#include "import/import_model.h"
#include "ledger/clock.h"
#include "ledger/description_history.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kNoColumn = u"（なし）"_s;

QString yen_text(long long yen) {
    return format_number(double(yen), u"#,##0"_s) + u"円"_s;
}

} // namespace

TorikomiForm::TorikomiForm(MonthEdits& edits, const QString& file_name, const QByteArray& bytes,
                           CategoryRules rules, CategoryHistory history, QWidget* parent)
    : EnterDialog(parent), edits_(edits), ledger_(edits.ledger()), file_name_(file_name), bytes_(bytes),
      rules_(std::move(rules)), history_(std::move(history)) {
    setObjectName(u"torikomi_form"_s);
    setWindowTitle(u"明細の取り込み"_s);
    build();
    // The layout remembered for this header line gives the columns the user
    // chose, the wallet and the direction.
    statement_ = read_statement(bytes_, clock_today());
    if (!statement_.refused.isEmpty())
        return;
    const ImportLayout* known = rules_.layout(layout_id(statement_.layout_key));
    if (known) {
        flip_ = known->flip;
        filling_ = true;
        saifu_->setCurrentIndex(known->saifu_no);
        hanten_->setChecked(flip_);
        filling_ = false;
    }
    read_again(known && known->columns ? known->columns : std::nullopt);
}

TorikomiForm::~TorikomiForm() = default;

void TorikomiForm::build() {
    model_ = new ImportModel(ledger_, this);
    file_label_ = make_label(this, u"torikomi_file"_s, QString());

    saifu_ = new QComboBox(this);
    saifu_->setObjectName(u"torikomi_saifu"_s);
    for (int w = 0; w < kSaifuCount; ++w)
        saifu_->addItem(ledger_.saifu[w].name);
    hanten_ = new QCheckBox(u"入金と出金を逆にする"_s, this);
    hanten_->setObjectName(u"torikomi_hanten"_s);

    auto* top = new QHBoxLayout;
    top->addWidget(make_label(this, u"torikomi_saifu_label"_s, u"財布・口座"_s, saifu_));
    top->addWidget(saifu_);
    top->addSpacing(16);
    top->addWidget(hanten_);
    top->addStretch();

    static const QStringList kRoles{u"日付"_s, u"内容"_s, u"金額"_s, u"出金"_s, u"入金"_s};
    static const QStringList kNames{u"torikomi_col_hiduke"_s, u"torikomi_col_tekiyo"_s,
                                    u"torikomi_col_kingaku"_s, u"torikomi_col_syukkin"_s,
                                    u"torikomi_col_nyukin"_s};
    auto* columns = new QHBoxLayout;
    columns->addWidget(make_label(this, u"torikomi_col_label"_s, u"列："_s));
    for (int i = 0; i < 5; ++i) {
        column_boxes_[i] = new QComboBox(this);
        column_boxes_[i]->setObjectName(kNames.at(i));
        // Long header names are shown whole in the open list.
        column_boxes_[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        column_boxes_[i]->setMinimumContentsLength(9);
        columns->addWidget(
            make_label(this, kNames.at(i) + u"_label"_s, kRoles.at(i), column_boxes_[i]));
        columns->addWidget(column_boxes_[i]);
        connect(column_boxes_[i], &QComboBox::currentIndexChanged, this,
                &TorikomiForm::columns_chosen);
    }
    columns->addStretch();

    view_ = new QTableView(this);
    view_->setObjectName(u"torikomi_grid"_s);
    view_->setModel(model_);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    QHeaderView* h = view_->horizontalHeader();
    const int em = view_->fontMetrics().horizontalAdvance(u"０"_s);
    const int widths[] = {4, 7, 20, 7, 3, 4, 8, 9};
    for (int c = 0; c < ImportModel::ColumnCount; ++c)
        h->resizeSection(c, widths[c] * em + 12);
    h->setSectionResizeMode(ImportModel::Description, QHeaderView::Stretch);
    auto* grid_label = make_label(this, u"torikomi_grid_label"_s, u"明細"_s, view_);

    unread_ = new QListWidget(this);
    unread_->setObjectName(u"torikomi_yomenai"_s);
    unread_->setMaximumHeight(5 * (unread_->fontMetrics().height() + 4));
    auto* unread_label = make_label(this, u"torikomi_yomenai_label"_s, u"読めない行"_s, unread_);

    counts_ = make_label(this, u"torikomi_goukei"_s, QString());
    ok_ = make_button(this, u"torikomi_ok"_s, u"取り込む"_s);
    cancel_ = make_button(this, u"torikomi_cancel"_s, u"キャンセル"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* all = new QVBoxLayout(this);
    all->addWidget(file_label_);
    all->addLayout(top);
    all->addLayout(columns);
    all->addWidget(grid_label);
    all->addWidget(view_, 1);
    all->addWidget(unread_label);
    all->addWidget(unread_);
    all->addWidget(counts_);
    all->addLayout(buttons);
    resize(980, 620);

    connect(model_, &ImportModel::checks_changed, this, &TorikomiForm::refresh_counts);
    // After the editor has closed: the question is a window of its own.
    connect(model_, &ImportModel::category_typed, this, &TorikomiForm::category_typed,
            Qt::QueuedConnection);
    connect(hanten_, &QCheckBox::toggled, this, &TorikomiForm::direction_flipped);
    connect(ok_, &QPushButton::clicked, this, &TorikomiForm::torikomu);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TorikomiForm::read_again(const std::optional<StatementColumns>& chosen) {
    statement_ = read_statement(bytes_, clock_today(), chosen);
    refuse_unstorable(statement_);
    const RuleMatcher matcher(rules_.rules);
    std::vector<ImportRow> rows = propose_rows(statement_, flip_, matcher, history_);
    mark_already_imported(rows, ledger_);
    model_->set_rows(std::move(rows));
    file_label_->setText(u"ファイル：%1（%2）"_s.arg(file_name_, statement_.encoding));
    fill_column_boxes();
    show_unread();
    refresh_counts();
}

void TorikomiForm::fill_column_boxes() {
    filling_ = true;
    const StatementColumns& c = statement_.columns;
    const int chosen[] = {c.date, c.description, c.amount, c.out, c.in};
    for (int i = 0; i < 5; ++i) {
        QComboBox* box = column_boxes_[i];
        box->clear();
        box->addItem(kNoColumn);
        for (int col = 0; col < statement_.columns_in_file; ++col) {
            const QString head = statement_.header.value(col).simplified();
            box->addItem(QString::number(col + 1) + (head.isEmpty() ? QString() : u" "_s + head));
        }
        box->setCurrentIndex(chosen[i] + 1);
    }
    filling_ = false;
}

void TorikomiForm::columns_chosen() {
    if (filling_)
        return;
    StatementColumns c;
    int* fields[] = {&c.date, &c.description, &c.amount, &c.out, &c.in};
    for (int i = 0; i < 5; ++i)
        *fields[i] = column_boxes_[i]->currentIndex() - 1;
    read_again(c);
}

void TorikomiForm::show_unread() {
    unread_->clear();
    for (const UnreadLine& u : statement_.unread)
        unread_->addItem(u"%1行目：%2"_s.arg(u.line).arg(u.why));
    if (!statement_.columns.usable())
        unread_->addItem(u"日付・内容・金額の列が分かりません。上の「列」で選んで下さい。"_s);
}

void TorikomiForm::refresh_counts() {
    const ImportCounts c = import_counts(model_->rows());
    counts_->setText(
        u"取り込む件数 %1件　取り込み済み %2件　読めない行 %3件　収入合計 %4　支出合計 %5"_s
            .arg(c.to_import)
            .arg(c.already)
            .arg(statement_.unread.size())
            .arg(yen_text(c.income), yen_text(c.expense)));
}

void TorikomiForm::direction_flipped() {
    if (filling_)
        return;
    flip_ = hanten_->isChecked();
    flip_rows(model_->rows_for_update());
    model_->rows_changed();
}

void TorikomiForm::category_typed(int r, bool accepted) {
    if (!accepted) {
        show_message(this, u"1～30の数字を入力して下さい。"_s, {}, MsgIcon::Exclamation);
        return;
    }
    const ImportRow& row = model_->rows()[r];
    const QString text = row.src.description;
    if (text.isEmpty())
        return;
    const QString name = ledger_.himoku[row.himoku_no - 1].name;
    const auto answer = show_message(this,
                                     u"これからは「%1」を含む内容を「%2 %3」に分類しますか？\n"
                                     "（設定 → 自動分類 に加えます）"_s.arg(text)
                                         .arg(row.himoku_no)
                                         .arg(name),
                                     {}, MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return;
    // Before the others: this row was proposed something else by them.
    rules_.rules.insert(rules_.rules.begin(), CategoryRule{text, row.himoku_no, -1});
    const RuleMatcher matcher(rules_.rules);
    std::vector<ImportRow>& rows = model_->rows_for_update();
    for (ImportRow& other : rows) {
        if (other.himoku_no > 0 || !matcher.match(other.src.description))
            continue;
        other.himoku_no = row.himoku_no;
        other.checked = !other.already;
    }
    model_->rows_changed();
}

void TorikomiForm::remember_layout() {
    ImportLayout layout;
    layout.id = layout_id(statement_.layout_key);
    if (!statement_.columns_by_name)
        layout.columns = statement_.columns;
    layout.saifu_no = saifu_->currentIndex();
    layout.flip = flip_;
    rules_.remember(layout);
}

bool TorikomiForm::write_parts(const std::vector<MonthPart>& parts) {
    // Other months first: the open month's part is added to the ledger last,
    // once, so that a failed file leaves it for the next attempt.
    std::vector<const MonthPart*> order;
    for (const MonthPart& p : parts) {
        if (!p.open)
            order.push_back(&p);
    }
    for (const MonthPart& p : parts) {
        if (p.open)
            order.push_back(&p);
    }
    QStringList written;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const MonthPart& p = *order[i];
        if (p.open) {
            // Checked against the entry limit before anything was written.
            edits_.add_entries(p.entries,
                               u"明細の取り込み（%1件）"_s.arg(p.entries.size()));
            added_ = int(p.entries.size());
            written << month_label(p.nen, p.tuki);
            continue;
        }
        if (const WriteResult e = append_to_month_file(ledger_, p)) {
            QStringList rest;
            for (std::size_t j = i; j < order.size(); ++j)
                rest << month_label(order[j]->nen, order[j]->tuki);
            show_message(
                this,
                u"%1 を書き込めませんでした。\n%2\n\n取り込んだ月：%3\n取り込めなかった月：%4\n\n"
                "もう一度取り込むと、まだ入っていない行だけを取り込みます。"_s.arg(
                    month_label(p.nen, p.tuki), e->message(),
                    written.isEmpty() ? u"なし"_s : written.join(u"、"_s), rest.join(u"、"_s)),
                {}, MsgIcon::Exclamation);
            return false;
        }
        written << month_label(p.nen, p.tuki);
    }
    return true;
}

void TorikomiForm::torikomu() {
    const std::vector<MonthPart> parts =
        import_parts(ledger_, model_->rows(), saifu_->currentIndex());
    if (parts.empty()) {
        show_message(this, u"取り込む行がありません。"_s, {}, MsgIcon::Exclamation);
        return;
    }
    if (const auto why = refuse_import(ledger_, parts)) {
        show_message(this, *why, {}, MsgIcon::Exclamation);
        return;
    }
    if (!write_parts(parts)) {
        // What did reach a file is now 取り込み済み; the rest stays checked.
        read_again(statement_.columns_by_name
                       ? std::nullopt
                       : std::optional<StatementColumns>(statement_.columns));
        return;
    }
    remember_layout();
    if (const WriteResult e = write_category_rules(ledger_.path(kRulesFile), rules_))
        show_message(this,
                     u"取り込みは済みましたが、自動分類と形式を保存できませんでした。\n"_s +
                         e->message(),
                     {}, MsgIcon::Exclamation);
    accept();
}

bool import_statement(QWidget* parent, MonthEdits& edits, const QString& path) {
    Ledger& ledger = edits.ledger();
    const FileBytes file = read_file_bytes(path);
    const QString name = QFileInfo(path).fileName();
    if (file.missing || file.unreadable) {
        show_message(parent, u"「%1」を読めませんでした。"_s.arg(name), {}, MsgIcon::Exclamation);
        return false;
    }
    CategoryRulesRead rules = read_category_rules(ledger.path(kRulesFile));
    if (rules.report.unreadable) {
        show_message(parent, u"「%1」を読めないため、取り込めません。"_s.arg(kRulesFile), {},
                     MsgIcon::Exclamation);
        return false;
    }
    // Without a rule, the category used most with the same description lately.
    auto history =
        std::make_shared<DescriptionHistory>(read_description_history(ledger.app_path, ledger));
    CategoryHistory most_used = [history](const QString& tekiyo) {
        const std::optional<int> slot = history->most_used_category(tekiyo);
        return slot ? *slot + 1 : 0;
    };
    TorikomiForm form(edits, name, file.bytes, std::move(rules.rules), most_used, parent);
    if (!form.refused().isEmpty()) {
        show_message(parent, u"「%1」\n%2"_s.arg(name, form.refused()), {}, MsgIcon::Exclamation);
        return false;
    }
    run_modal(form);
    return form.added_to_open_month() > 0;
}

} // namespace kanvelo
