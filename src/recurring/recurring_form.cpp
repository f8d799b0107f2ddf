#include "recurring/recurring_form.h"

#include "ledger/ledger.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"
#include "recurring/recurring_rules.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using R = RecurringTemplate::Repeat;
// The repeat box's rows, in the order of the enum.
const R kRepeats[] = {R::Monthly, R::EveryNMonths, R::Yearly};

} // namespace

RecurringForm::RecurringForm(Ledger& ledger, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), path_(ledger.path(kRecurringFile)) {
    setObjectName(u"teiki_form"_s);
    setWindowTitle(u"定期的な収支"_s);
    build();
    const RecurringRead r = read_recurring(path_);
    file_ = r.file;
    readable_ = !r.report.unreadable;
    if (!r.report.errors.empty()) {
        QStringList lines;
        for (const FileError& e : r.report.errors)
            lines << e.message();
        show_message(this,
                     (readable_ ? QString() : u"このファイルは書き換えません。\n"_s) +
                         lines.join(u'\n'),
                     {}, MsgIcon::Exclamation);
    }
    fill_list();
    repeat_changed();
}

void RecurringForm::build() {
    list_ = new QListWidget(this);
    list_->setObjectName(u"teiki_list"_s);
    repeat_ = new QComboBox(this);
    repeat_->setObjectName(u"teiki_repeat"_s);
    repeat_->addItems({u"毎月"_s, u"何か月かごと"_s, u"毎年"_s});
    every_ = make_box(this, u"teiki_every"_s);
    from_nen_ = make_box(this, u"teiki_from_nen"_s);
    from_tuki_ = make_box(this, u"teiki_from_tuki"_s);
    day_ = make_box(this, u"teiki_day"_s);
    himoku_ = make_box(this, u"teiki_himoku"_s);
    kingaku_ = make_box(this, u"teiki_kingaku"_s);
    kingaku_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tekiyo_ = make_box(this, u"teiki_tekiyo"_s);
    keep_storable(tekiyo_);
    saifu_ = new QComboBox(this);
    saifu_->setObjectName(u"teiki_saifu"_s);
    for (int w = 0; w < kSaifuCount; ++w)
        saifu_->addItem(u"%1 %2"_s.arg(w, 2).arg(ledger_.saifu[w].name));

    auto* form = new QFormLayout;
    auto row = [&](const char* name, const QString& caption, QWidget* box) {
        form->addRow(make_label(this, QString::fromLatin1(name), caption, box), box);
    };
    row("teiki_repeat_label", u"周期"_s, repeat_);
    row("teiki_every_label", u"間隔（か月）"_s, every_);
    auto* from = new QWidget(this);
    auto* from_row = new QHBoxLayout(from);
    from_row->setContentsMargins(0, 0, 0, 0);
    from_row->addWidget(from_nen_);
    from_row->addWidget(make_label(this, u"teiki_from_nen_label"_s, u"年"_s, from_nen_));
    from_row->addWidget(from_tuki_);
    from_row->addWidget(make_label(this, u"teiki_from_tuki_label"_s, u"月から"_s, from_tuki_));
    form->addRow(make_label(this, u"teiki_from_label"_s, u"起点"_s, from_nen_), from);
    row("teiki_day_label", u"日（1～31・月末）"_s, day_);
    row("teiki_himoku_label", u"費目（1～30）"_s, himoku_);
    row("teiki_kingaku_label", u"金額"_s, kingaku_);
    row("teiki_tekiyo_label", u"摘要"_s, tekiyo_);
    row("teiki_saifu_label", u"財布"_s, saifu_);

    auto* add = make_button(this, u"teiki_add"_s, u"追加"_s);
    auto* change = make_button(this, u"teiki_change"_s, u"変更"_s);
    auto* remove = make_button(this, u"teiki_delete"_s, u"削除"_s);
    auto* ok = make_button(this, u"teiki_ok"_s, u"OK"_s);
    auto* cancel = make_button(this, u"teiki_cancel"_s, u"中止"_s);
    auto* edit_buttons = new QHBoxLayout;
    for (QPushButton* b : {add, change, remove})
        edit_buttons->addWidget(b);
    edit_buttons->addStretch();
    auto* close_buttons = new QHBoxLayout;
    close_buttons->addStretch();
    close_buttons->addWidget(ok);
    close_buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(make_label(this, u"teiki_list_label"_s,
                                 u"月を開いたとき、まだ記入していないものを記入できます。"_s,
                                 list_));
    layout->addWidget(list_, 1);
    layout->addLayout(form);
    layout->addLayout(edit_buttons);
    layout->addLayout(close_buttons);
    resize(620, 560);

    connect(list_, &QListWidget::currentRowChanged, this, &RecurringForm::show_template);
    connect(repeat_, &QComboBox::currentIndexChanged, this, &RecurringForm::repeat_changed);
    connect(add, &QPushButton::clicked, this, &RecurringForm::add_clicked);
    connect(change, &QPushButton::clicked, this, &RecurringForm::change_clicked);
    connect(remove, &QPushButton::clicked, this, &RecurringForm::delete_clicked);
    connect(ok, &QPushButton::clicked, this, &RecurringForm::ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RecurringForm::fill_list() {
    list_->clear();
    for (const RecurringTemplate& t : file_.templates)
        list_->addItem(template_row_text(ledger_, t));
}

void RecurringForm::show_template(int row) {
    if (row < 0 || row >= int(file_.templates.size()))
        return;
    const TemplateTexts t = texts_of(file_.templates[std::size_t(row)]);
    repeat_->setCurrentIndex(
        int(std::find(std::begin(kRepeats), std::end(kRepeats), t.repeat) - std::begin(kRepeats)));
    every_->setText(t.every);
    from_nen_->setText(t.from_nen);
    from_tuki_->setText(t.from_tuki);
    day_->setText(t.day);
    himoku_->setText(t.himoku_no);
    kingaku_->setText(t.kingaku);
    tekiyo_->setText(t.tekiyo);
    saifu_->setCurrentIndex(t.saifu_no);
}

// Only the boxes the chosen repeat uses can be typed in.
void RecurringForm::repeat_changed() {
    const R repeat = kRepeats[std::clamp(repeat_->currentIndex(), 0, 2)];
    every_->setEnabled(repeat == R::EveryNMonths);
    from_nen_->setEnabled(repeat == R::EveryNMonths);
    from_tuki_->setEnabled(repeat != R::Monthly);
}

std::optional<RecurringTemplate> RecurringForm::boxes_template() {
    const TemplateCheck c =
        template_from_texts({kRepeats[std::clamp(repeat_->currentIndex(), 0, 2)], every_->text(),
                             from_nen_->text(), from_tuki_->text(), day_->text(), himoku_->text(),
                             kingaku_->text(), tekiyo_->text(), saifu_->currentIndex()});
    if (c.tmpl)
        return c.tmpl;
    show_message(this, c.message, {}, MsgIcon::Exclamation);
    QLineEdit* const boxes[] = {nullptr, every_, from_nen_, from_tuki_, day_, himoku_, kingaku_};
    if (QLineEdit* box = boxes[int(c.box)])
        box->setFocus();
    return std::nullopt;
}

void RecurringForm::add_clicked() {
    if (const auto t = boxes_template()) {
        file_.templates.push_back(*t);
        fill_list();
        list_->setCurrentRow(list_->count() - 1);
    }
}

void RecurringForm::change_clicked() {
    const int row = list_->currentRow();
    if (row < 0)
        return;
    if (const auto t = boxes_template()) {
        file_.templates[std::size_t(row)] = *t;
        fill_list();
        list_->setCurrentRow(row);
    }
}

void RecurringForm::delete_clicked() {
    const int row = list_->currentRow();
    if (row < 0)
        return;
    file_.templates.erase(file_.templates.begin() + row);
    fill_list();
}

void RecurringForm::ok_clicked() {
    if (!readable_) {
        reject();
        return;
    }
    if (const WriteResult failed = write_recurring(path_, file_)) {
        show_message(this, u"定期的な収支を保存できませんでした。\n"_s + failed->message(), {},
                     MsgIcon::Exclamation);
        if (!ask_close_without_saving(this, failed->file_name()))
            return;
        reject();
        return;
    }
    accept();
}

bool show_recurring_form(QWidget* parent, Ledger& ledger) {
    RecurringForm form(ledger, parent);
    return run_modal(form) == QDialog::Accepted;
}

} // namespace kanvelo
