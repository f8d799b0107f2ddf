#include "backup/backup_form.h"

#include "backup/backup_rules.h"
#include "common/notices.h"
#include "ledger/ledger.h"
#include "ledger/month_totals.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

BackupForm::BackupForm(const Ledger& ledger, std::vector<BackupCopy> copies, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), copies_(std::move(copies)) {
    setObjectName(u"Backup_form"_s);
    setWindowTitle(u"バックアップから戻す"_s);
    setFixedSize(twips_to_px(kWidth), twips_to_px(kHeight));
    build();
    show_selected();
}

void BackupForm::build() {
    grid_ = new Grid(this);
    grid_->setObjectName(u"Backup_Grid"_s);
    place_twips(
        make_label(this, u"Label1"_s,
                   u"%1年%2月の家計簿のバックアップ（新しい順）"_s.arg(ledger_.nen, ledger_.tuki),
                   grid_),
        120, 120, 6960, 300);
    place_twips(grid_, 120, 480, 6960, 2520);
    grid_->set_cols(3);
    grid_->set_fixed_rows(1);
    const int widths[] = {1800, 900, 4140};
    const char16_t* heads[] = {u"日付", u"時刻", u"内容"};
    for (int col = 0; col < 3; ++col) {
        grid_->set_col_width_twips(col, widths[col]);
        grid_->set_text(0, col, QString::fromUtf16(heads[col]));
        grid_->set_fixed_alignment(col, Grid::Align::Center);
    }
    grid_->set_col_alignment(1, Grid::Align::Center);
    for (const BackupCopy& c : copies_)
        grid_->add_item(copy_day_text(c) + u'\t' + copy_time_text(c) + u'\t' + copy_kind_text(c),
                        grid_->rows());
    grid_->set_row(1);

    auto shown = [this](const QString& name, double left, double width) {
        QLineEdit* box = make_box(this, name);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place_twips(box, left, 3120, width, 375);
        return box;
    };
    kensu_ = shown(u"Backup_kensu"_s, 780, 900);
    syunyu_ = shown(u"Backup_syunyu"_s, 2880, 1500);
    sisyutu_ = shown(u"Backup_sisyutu"_s, 5580, 1500);
    place_twips(make_label(this, u"Label2"_s, u"件数"_s, kensu_), 120, 3165, 600, 300);
    place_twips(make_label(this, u"Label3"_s, u"収入合計"_s, syunyu_), 1860, 3165, 960, 300);
    place_twips(make_label(this, u"Label4"_s, u"支出合計"_s, sisyutu_), 4560, 3165, 960, 300);

    note_ = make_label(this, u"Backup_note"_s, QString());
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_twips(note_, 120, 3600, 6960, 660);

    QPushButton* modosu = make_button(this, u"Backup_modosu"_s, u"戻す"_s);
    place_twips(modosu, 3960, 4440, 1500, 435);
    QPushButton* tojiru = make_button(this, u"Backup_tojiru"_s, u"閉じる"_s);
    place_twips(tojiru, 5580, 4440, 1500, 435);
    connect(modosu, &QPushButton::clicked, this, &BackupForm::modosu);
    connect(tojiru, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &Grid::row_col_changed, this, &BackupForm::show_selected);
    grid_->setFocus();
}

const BackupCopy* BackupForm::selected() const {
    const int r = grid_->row();
    return r >= 1 && r <= int(copies_.size()) ? &copies_[std::size_t(r - 1)] : nullptr;
}

void BackupForm::show_selected() {
    const BackupCopy* copy = selected();
    const MonthTotals m = copy ? read_month_totals(copy->path) : MonthTotals{};
    const bool shown = copy && m.status != MonthTotals::Status::Missing;
    const QString amount = u"#,##0"_s;
    kensu_->setText(shown ? QString::number(m.kensu) : QString());
    syunyu_->setText(shown ? format_number(m.syunyu_jisseki, amount) : QString());
    sisyutu_->setText(shown ? format_number(m.sisyutu_jisseki, amount) : QString());
    if (copy && !shown)
        note_->setText(u"このバックアップは見つかりません（消されたか、移されました）。"_s);
    else if (!m.errors.empty())
        note_->setText(u"このバックアップには読めない所があります。読めた分を表示しています。（"_s +
                       contact_code(m.errors) + u"）"_s);
    else
        note_->clear();
}

void BackupForm::modosu() {
    const BackupCopy* copy = selected();
    if (!copy) {
        show_message(this, u"戻すバックアップを一覧から選んで下さい。"_s, {}, MsgIcon::Exclamation);
        return;
    }
    const QString when = (copy_day_text(*copy) + u' ' + copy_time_text(*copy)).trimmed();
    const QString question = u"%1年%2月の家計簿を、%3のバックアップに戻しますか？\n"
                             "今の内容は、保存してから今日のバックアップに残します。"_s.arg(
                                 ledger_.nen, ledger_.tuki, when);
    if (show_message(this, question, windowTitle(), MsgIcon::Question, MsgButtons::YesNo) !=
        MsgAnswer::Yes)
        return;
    chosen_ = *copy;
    accept();
}

} // namespace kanvelo
