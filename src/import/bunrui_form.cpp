#include "import/bunrui_form.h"

#include "common/box_checks.h"
#include "ledger/ledger.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kanvelo {

QString rule_row_text(const Ledger& ledger, const CategoryRule& rule) {
    QString s = rule.text + u" → "_s + QString::number(rule.himoku_no) + u' ' +
                ledger.himoku[rule.himoku_no - 1].name;
    if (rule.saifu_no >= 0)
        s += u" ["_s + ledger.saifu[rule.saifu_no].name + u']';
    return s;
}

BunruiForm::BunruiForm(Ledger& ledger, QWidget* parent) : EnterDialog(parent), ledger_(ledger) {
    setObjectName(u"bunrui_form"_s);
    setWindowTitle(u"自動分類"_s);
    build();
    CategoryRulesRead read = read_category_rules(ledger_.path(kRulesFile));
    rules_ = std::move(read.rules);
    unreadable_ = read.report.unreadable;
    fill_list(0);
    if (unreadable_) {
        show_message(this,
                     u"「%1」を読めないため、ここでは変更を保存できません。"_s.arg(kRulesFile), {},
                     MsgIcon::Exclamation);
    } else if (!read.report.errors.empty()) {
        QStringList lines;
        for (const FileError& e : read.report.errors)
            lines << e.message();
        show_message(this,
                     u"次の行は読めませんでした。ファイルにはそのまま残します。\n"_s +
                         lines.join(u'\n'),
                     {}, MsgIcon::Exclamation);
    }
}

void BunruiForm::build() {
    list_ = new QListWidget(this);
    list_->setObjectName(u"bunrui_list"_s);
    moji_ = make_box(this, u"bunrui_moji"_s);
    keep_storable(moji_);
    himoku_ = make_box(this, u"bunrui_himoku"_s);
    himoku_->setMaximumWidth(himoku_->fontMetrics().horizontalAdvance(u"000000"_s));
    himoku_name_ = make_label(this, u"bunrui_himoku_name"_s, QString());
    himoku_name_->setMinimumWidth(
        himoku_name_->fontMetrics().horizontalAdvance(u"日用雑貨日用雑貨"_s));
    saifu_ = new QComboBox(this);
    saifu_->setObjectName(u"bunrui_saifu"_s);
    saifu_->addItem(u"（取り込む時に選んだもの）"_s);
    for (int w = 0; w < kSaifuCount; ++w)
        saifu_->addItem(ledger_.saifu[w].name);

    auto* boxes = new QGridLayout;
    boxes->addWidget(make_label(this, u"Label1"_s, u"内容に含む文字"_s, moji_), 0, 0);
    boxes->addWidget(moji_, 0, 1, 1, 3);
    boxes->addWidget(make_label(this, u"Label2"_s, u"費目No."_s, himoku_), 1, 0);
    boxes->addWidget(himoku_, 1, 1);
    boxes->addWidget(himoku_name_, 1, 2, 1, 2);
    boxes->addWidget(make_label(this, u"Label3"_s, u"財布・口座"_s, saifu_), 2, 0);
    boxes->addWidget(saifu_, 2, 1, 1, 3);

    auto* edit = new QHBoxLayout;
    const struct {
        const char16_t* name;
        const char16_t* caption;
        void (BunruiForm::*slot)();
    } kButtons[] = {{u"bunrui_tuika", u"追加", &BunruiForm::tuika},
                    {u"bunrui_henkou", u"変更", &BunruiForm::henkou},
                    {u"bunrui_sakujo", u"削除", &BunruiForm::sakujo}};
    for (const auto& b : kButtons) {
        QPushButton* button =
            make_button(this, QString::fromUtf16(b.name), QString::fromUtf16(b.caption));
        connect(button, &QPushButton::clicked, this, b.slot);
        edit->addWidget(button);
    }
    QPushButton* ue = make_button(this, u"bunrui_ue"_s, u"上へ"_s);
    QPushButton* sita = make_button(this, u"bunrui_sita"_s, u"下へ"_s);
    connect(ue, &QPushButton::clicked, this, [this] { move_by(-1); });
    connect(sita, &QPushButton::clicked, this, [this] { move_by(1); });
    edit->addSpacing(16);
    edit->addWidget(ue);
    edit->addWidget(sita);
    edit->addStretch();

    QPushButton* ok = make_button(this, u"bunrui_ok"_s, u"保存"_s);
    QPushButton* yame = make_button(this, u"bunrui_yame"_s, u"取りやめ"_s);
    connect(ok, &QPushButton::clicked, this, &BunruiForm::hozon);
    connect(yame, &QPushButton::clicked, this, &QDialog::reject);
    auto* end = new QHBoxLayout;
    end->addStretch();
    end->addWidget(ok);
    end->addWidget(yame);

    auto* all = new QVBoxLayout(this);
    all->addWidget(make_label(
        this, u"Label4"_s,
        u"上から順に調べ、内容に含む文字が最初に見つかったルールの費目にします。"_s, list_));
    all->addWidget(list_, 1);
    all->addLayout(boxes);
    all->addLayout(edit);
    all->addLayout(end);
    resize(620, 480);

    connect(list_, &QListWidget::currentRowChanged, this, &BunruiForm::row_picked);
    connect(himoku_, &QLineEdit::textChanged, this, &BunruiForm::show_category_name);
}

void BunruiForm::fill_list(int current) {
    list_->clear();
    for (const CategoryRule& r : rules_.rules)
        list_->addItem(rule_row_text(ledger_, r));
    if (current >= 0 && current < list_->count())
        list_->setCurrentRow(current);
}

int BunruiForm::selected() const {
    return list_->currentRow();
}

void BunruiForm::row_picked() {
    const int r = selected();
    if (r < 0 || r >= int(rules_.rules.size()))
        return;
    const CategoryRule& rule = rules_.rules[r];
    moji_->setText(rule.text);
    himoku_->setText(QString::number(rule.himoku_no));
    saifu_->setCurrentIndex(rule.saifu_no + 1);
}

void BunruiForm::show_category_name() {
    const CategoryResult c = check_category(himoku_->text());
    himoku_name_->setText(c.check == CategoryCheck::Ok ? ledger_.himoku[c.slot].name : QString());
}

std::optional<CategoryRule> BunruiForm::rule_from_boxes() {
    if (moji_->text().trimmed().isEmpty()) {
        show_message(this, u"内容に含む文字を入力して下さい。"_s, {}, MsgIcon::Exclamation);
        moji_->setFocus();
        return std::nullopt;
    }
    const CategoryResult c = check_category(himoku_->text());
    if (c.check != CategoryCheck::Ok) {
        for (const QString& m : category_messages(c.check, Asker::Box))
            show_message(this, m, {}, MsgIcon::Exclamation);
        himoku_->setFocus();
        return std::nullopt;
    }
    return CategoryRule{moji_->text().trimmed(), c.slot + 1, saifu_->currentIndex() - 1};
}

void BunruiForm::tuika() {
    if (auto rule = rule_from_boxes()) {
        rules_.rules.push_back(*rule);
        fill_list(int(rules_.rules.size()) - 1);
    }
}

void BunruiForm::henkou() {
    const int r = selected();
    if (r < 0) {
        show_message(this, u"変更するルールを選んで下さい。"_s, {}, MsgIcon::Exclamation);
        return;
    }
    if (auto rule = rule_from_boxes()) {
        rules_.rules[r] = *rule;
        fill_list(r);
    }
}

void BunruiForm::sakujo() {
    const int r = selected();
    if (r < 0) {
        show_message(this, u"削除するルールを選んで下さい。"_s, {}, MsgIcon::Exclamation);
        return;
    }
    rules_.rules.erase(rules_.rules.begin() + r);
    fill_list(std::min(r, int(rules_.rules.size()) - 1));
}

void BunruiForm::move_by(int step) {
    const int r = selected();
    const int to = r + step;
    if (r < 0 || to < 0 || to >= int(rules_.rules.size()))
        return;
    std::swap(rules_.rules[r], rules_.rules[to]);
    fill_list(to);
}

void BunruiForm::hozon() {
    if (unreadable_) {
        show_message(this, u"「%1」を読めないため、保存できません。"_s.arg(kRulesFile), {},
                     MsgIcon::Exclamation);
        return;
    }
    if (const WriteResult e = write_category_rules(ledger_.path(kRulesFile), rules_)) {
        show_message(this,
                     u"「%1」を保存できませんでした。\n%2"_s.arg(e->file_name(), e->message()), {},
                     MsgIcon::Exclamation);
        if (!ask_close_without_saving(this, e->file_name()))
            return;
        reject();
        return;
    }
    accept();
}


} // namespace kanvelo
