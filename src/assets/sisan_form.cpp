#include "assets/sisan_form.h"

#include "assets/sisan_rules.h"
#include "common/box_checks.h"
#include "ledger/clock.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/storable_lines.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

SisanForm::SisanForm(QString app_path, AssetList list, QWidget* parent)
    : EnterDialog(parent), app_path_(std::move(app_path)), list_(std::move(list)) {
    setObjectName(u"sisan_form"_s);
    setWindowTitle(u"資産管理"_s);
    build();
    fill_grid();
    show_total();
    clear_boxes();
    name_->setFocus();
}

void SisanForm::build() {
    grid_ = new Grid(this);
    grid_->setObjectName(u"Grid1"_s);
    place_twips(grid_, 120, 120, 5760, 4440);

    total_ = make_label(this, u"Label1"_s, QString());
    place_twips(total_, 120, 4680, 5760, 330);

    name_ = make_box(this, u"Text2"_s);
    place_twips(make_label(this, u"Label2"_s, u"資産名"_s, name_), 6060, 165, 780, 300);
    place_twips(name_, 6900, 120, 2940, 375);

    amount_ = make_box(this, u"Text3"_s);
    amount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Amounts are typed in half-width digits; an input method would only make
    // them fail the check.
    amount_->setAttribute(Qt::WA_InputMethodEnabled, false);
    place_twips(make_label(this, u"Label3"_s, u"金額"_s, amount_), 6060, 585, 780, 300);
    place_twips(amount_, 6900, 540, 2940, 375);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(u"Text1"_s);
    memo_->setTabChangesFocus(true);
    QLabel* label4 =
        make_label(this, u"Label4"_s,
                   u"各資産ごとに、下のメモ欄に入出金記録を自由に記録できます。"
                   u"メモ欄を変更した時は、[追加/更新]ボタンをクリックしてください。"_s,
                   memo_);
    label4->setWordWrap(true);
    place_twips(label4, 6060, 1020, 3780, 1140);
    place_twips(memo_, 6060, 2220, 3780, 2340);

    QPushButton* add = make_button(this, u"Command1"_s, u"追加/更新"_s);
    place_twips(add, 6060, 4680, 1800, 435);
    QPushButton* remove = make_button(this, u"Command2"_s, u"削除"_s);
    place_twips(remove, 8040, 4680, 1800, 435);
    QPushButton* up = make_button(this, u"Command3"_s, u"↑ 上へ"_s);
    place_twips(up, 120, 5160, 1320, 435);
    QPushButton* down = make_button(this, u"Command4"_s, u"↓ 下へ"_s);
    place_twips(down, 1560, 5160, 1320, 435);
    QPushButton* end = make_button(this, u"Command5"_s, u"終了"_s);
    place_twips(end, 8040, 5160, 1800, 435);
    resize_twips(this, 9960, 5760);

    setTabOrder(name_, amount_);
    setTabOrder(amount_, memo_);
    setTabOrder(memo_, add);
    setTabOrder(add, remove);
    setTabOrder(remove, end);
    setTabOrder(end, grid_);
    setTabOrder(grid_, up);
    setTabOrder(up, down);

    keep_storable(name_);
    keep_storable_lines(memo_);
    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(amount_),
                       static_cast<QWidget*>(grid_)})
        w->installEventFilter(this);

    connect(grid_, &Grid::grid_clicked, this, &SisanForm::grid_clicked);
    connect(grid_, &Grid::row_col_changed, this, [this] {
        if (grid_->hasFocus())
            chosen_ = true;
    });
    connect(add, &QPushButton::clicked, this, &SisanForm::add_update_clicked);
    connect(remove, &QPushButton::clicked, this, &SisanForm::delete_clicked);
    connect(up, &QPushButton::clicked, this, [this] { move_clicked(true); });
    connect(down, &QPushButton::clicked, this, [this] { move_clicked(false); });
    connect(end, &QPushButton::clicked, this, &SisanForm::finish);
}

void SisanForm::fill_grid() {
    grid_->set_cols(3);
    grid_->set_fixed_rows(1);
    grid_->set_fixed_cols(0);
    const int widths[] = {2300, 1700, 1300};
    const QString headers[] = {u"資産名"_s, u"金額"_s, u"更新日付"_s};
    for (int c = 0; c < 3; ++c) {
        grid_->set_col_width_twips(c, widths[c]);
        grid_->set_text(0, c, headers[c]);
        grid_->set_fixed_alignment(c, Grid::Align::Center);
    }
    grid_->set_col_alignment(1, Grid::Align::Right);
    grid_->set_rows(int(list_.sisan.size()) + 1);
    for (int r = 1; r <= int(list_.sisan.size()); ++r)
        show_row(r);
}

void SisanForm::show_row(int r) {
    const std::vector<QString> cells = asset_cells(list_.sisan[r - 1]);
    for (int c = 0; c < int(cells.size()); ++c)
        grid_->set_text(r, c, cells[c]);
}

void SisanForm::show_total() {
    total_->setText(asset_total_text(list_));
}

void SisanForm::clear_boxes() {
    memo_->clear();
    memo_->document()->setModified(false);
    name_->clear();
    amount_->clear();
    memo_owner_ = 0;
    chosen_ = false;
}

int SisanForm::chosen_row() const {
    const int r = grid_->row();
    return chosen_ && r >= 1 && r <= int(list_.sisan.size()) ? r : 0;
}

void SisanForm::say(const QString& text) {
    show_message(this, text, kSisanTitle);
}

void SisanForm::grid_clicked() {
    const int r = grid_->row();
    if (r < 1 || r > int(list_.sisan.size()))
        return;
    chosen_ = true;
    const SisanRec& asset = list_.sisan[r - 1];
    name_->setText(asset.name);
    amount_->setText(format_value(asset.kingaku, u"#,##0"_s));
    memo_->clear();
    memo_owner_ = 0;
    const MemoRead memo = memo_read(memo_path(app_path_, asset.memo_no));
    switch (memo.status) {
    case MemoRead::Status::Shown:
        memo_->setPlainText(memo.text);
        [[fallthrough]];
    case MemoRead::Status::Missing:
        memo_owner_ = asset.memo_no;
        break;
    case MemoRead::Status::TooLarge:
        // The memo stays as it is: 追加/更新 will not write over it.
        show_message(this, u"データが３２ｋＢを超えているので表示できません"_s, {},
                     MsgIcon::Critical);
        break;
    case MemoRead::Status::Unreadable:
        show_message(this, u"メモを読めませんでした。\n"_s + memo.error->message(), kSisanTitle,
                     MsgIcon::Critical);
        break;
    }
    memo_->document()->setModified(false);
}

void SisanForm::add_update_clicked() {
    const QString name = name_->text();
    if (name.isEmpty()) {
        say(u"資産名を入力してください。"_s);
        name_->setFocus();
        return;
    }
    const auto kingaku = asset_amount(amount_->text());
    if (!kingaku) {
        say(is_number(amount_->text()) ? too_large_message() : u"数字を入力して下さいね。"_s);
        amount_->setFocus();
        amount_->selectAll();
        return;
    }
    amount_->setText(*kingaku);
    const QString memo = memo_->toPlainText();
    // A longer memo could be written but never shown again.
    if (const auto bytes = memo_bytes(memo); bytes && bytes->size() > kMemoShowLimit) {
        say(u"メモが３２ｋＢを超えるので保存できません。メモを短くして下さい。"_s);
        memo_->setFocus();
        return;
    }
    const std::vector<int> rows = assets_named(list_, name);
    if (rows.empty())
        add_asset(name, *kingaku, memo);
    else
        update_assets(rows, *kingaku, memo);
    show_total();
}

void SisanForm::add_asset(const QString& name, const QString& kingaku, const QString& memo) {
    const auto memo_no = next_memo_no(list_);
    if (!memo_no) {
        say(u"これ以上は登録できません。"_s);
        return;
    }
    // The memo first: an asset is listed only once its memo file is there.
    if (const WriteResult failed = memo_write(memo_path(app_path_, *memo_no), memo)) {
        show_message(this, u"メモを保存できませんでした。\n"_s + failed->message(), kSisanTitle,
                     MsgIcon::Critical);
        return;
    }
    list_.last_memo_no = *memo_no;
    list_.sisan.push_back({name, kingaku, asset_date(clock_today()), *memo_no});
    const int r = int(list_.sisan.size());
    grid_->set_rows(r + 1);
    show_row(r);
    grid_->set_row(r);
    chosen_ = true;
    memo_owner_ = *memo_no;
    memo_->document()->setModified(false);
}

void SisanForm::update_assets(const std::vector<int>& rows, const QString& kingaku,
                              const QString& memo) {
    int owner = 0;
    for (int r : rows)
        if (memo_owner_ != 0 && list_.sisan[r - 1].memo_no == memo_owner_)
            owner = r;
    if (owner != 0) {
        if (const WriteResult failed = memo_write(memo_path(app_path_, memo_owner_), memo)) {
            show_message(this, u"メモを保存できませんでした。\n"_s + failed->message(), kSisanTitle,
                         MsgIcon::Critical);
            return;
        }
    }
    const QString today = asset_date(clock_today());
    for (int r : rows) {
        list_.sisan[r - 1].kingaku = kingaku;
        list_.sisan[r - 1].koushin = today;
        show_row(r);
    }
    if (owner == 0 && memo_->document()->isModified())
        say(u"メモ欄の内容は保存していません。メモを変更する時は、一覧で資産を選んでから"
            u"変更して下さい。"_s);
    else
        memo_->document()->setModified(false);
}

void SisanForm::delete_clicked() {
    const int r = chosen_row();
    if (r == 0) {
        say(u"削除する項目を選択して下さい。"_s);
        return;
    }
    if (show_message(this, delete_question(list_.sisan[r - 1].name), kSisanTitle, MsgIcon::None,
                     MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const int memo_no = list_.sisan[r - 1].memo_no;
    if (const WriteResult failed = memo_delete(memo_path(app_path_, memo_no))) {
        show_message(this, u"メモを削除できませんでした。\n"_s + failed->message(), kSisanTitle,
                     MsgIcon::Critical);
        return;
    }
    list_.sisan.erase(list_.sisan.begin() + (r - 1));
    grid_->remove_item(r);
    show_total();
    clear_boxes();
}

void SisanForm::move_clicked(bool up) {
    const int r = chosen_row();
    if (r == 0) {
        say(up ? u"一つ上に移動する項目を選択して下さい。"_s
               : u"一つ下に移動する項目を選択して下さい。"_s);
        return;
    }
    if (!move_asset(list_, r, up)) {
        say(up ? u"これ以上上には移動できません。"_s : u"これ以上下には移動できません。"_s);
        return;
    }
    const int other = up ? r - 1 : r + 1;
    show_row(r);
    show_row(other);
    grid_->set_row(other);
}

void SisanForm::finish() {
    if (const WriteResult failed = asset_list_save(app_path_, list_)) {
        show_message(this, u"資産の一覧を保存できませんでした。\n"_s + failed->message(),
                     kSisanTitle, MsgIcon::Critical);
        if (ask_close_without_saving(this, failed->file_name()))
            accept();
        return;
    }
    accept();
}

void SisanForm::reject() {
    // Memo files are already written or deleted: the list must follow them.
    finish();
}

bool SisanForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == grid_ && (is_enter(key->key()) || key->key() == Qt::Key_Space)) {
        grid_clicked();
        return true;
    }
    if (!is_enter(key->key()))
        return QDialog::eventFilter(watched, event);
    if (watched == name_) {
        amount_->setFocus();
        return true;
    }
    if (watched == amount_) {
        memo_->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void show_sisan_form(QWidget* parent, const QString& app_path) {
    AssetLoad loaded = asset_list_load(app_path);
    if (loaded.error) {
        show_message(parent, u"資産の一覧を開けませんでした。\n"_s + loaded.error->message(),
                     kSisanTitle, MsgIcon::Critical);
        return;
    }
    SisanForm form(app_path, std::move(loaded.list), parent);
    run_modal(form);
}

} // namespace kanvelo
