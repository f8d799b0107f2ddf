#include "diary/nikki_form.h"

#include "diary/diary_days.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {
constexpr int kDayRows = kNikkiSlots; // grid rows 1..366 show slots 0..365
}

NikkiForm::NikkiForm(Ledger& ledger, QWidget* parent) : QDialog(parent), ledger_(ledger) {
    setObjectName(u"nikki_form"_s);
    build();
    load();
}

void NikkiForm::build() {
    label1_ = new QLabel(this);
    label1_->setObjectName(u"Label1"_s);
    QFont title = label1_->font();
    title.setBold(true);
    label1_->setFont(title);
    place_twips(label1_, 120, 120, 3300, 330);

    label2_ = new QLabel(u"現在編集中の家計簿と同じ年の日記が編集できます。"_s, this);
    label2_->setObjectName(u"Label2"_s);
    place_twips(label2_, 3540, 120, 6060, 330);

    grid_ = new Grid(this);
    grid_->setObjectName(u"Grid1"_s);
    place_twips(grid_, 120, 540, 9480, 5400);

    label3_ = new QLabel(this);
    label3_->setObjectName(u"Label3"_s);
    place_twips(label3_, 120, 6090, 1320, 360);

    text1_ = new QLineEdit(this);
    text1_->setObjectName(u"Text1"_s);
    label3_->setBuddy(text1_); // names the day being edited
    place_twips(text1_, 1440, 6060, 8160, 390);

    command1_ = new QPushButton(u"終了"_s, this);
    command1_->setObjectName(u"Command1"_s);
    command1_->setAutoDefault(false);
    place_twips(command1_, 8160, 6600, 1440, 450);

    resize_twips(this, 9720, 7200);

    connect(grid_, &Grid::grid_clicked, this, &NikkiForm::on_grid_clicked);
    connect(grid_, &Grid::row_col_changed, this, &NikkiForm::on_row_col_changed);
    keep_storable(text1_);
    connect(text1_, &QLineEdit::textChanged, this, &NikkiForm::on_text_changed);
    connect(command1_, &QPushButton::clicked, this, &NikkiForm::finish);
}

void NikkiForm::load() {
    setWindowTitle(u"日記の閲覧・編集"_s);
    loading_ = true;
    year_ = diary_year(ledger_.nen);

    grid_->set_rows(1);
    grid_->set_cols(3);
    grid_->set_fixed_rows(1);
    grid_->set_fixed_cols(1);
    grid_->set_col_width_twips(0, 800);
    grid_->set_col_width_twips(1, 300);
    grid_->set_col_width_twips(2, 7950);
    grid_->set_text(0, 0, u"月・日"_s);
    grid_->set_text(0, 1, u"曜"_s);
    grid_->set_text(0, 2, u"日記"_s);
    for (int d = 0; d < kDayRows; ++d) {
        const QDate day = diary_row_date(year_, d + 1);
        grid_->add_item(diary_date_text(day) + u'\t' + weekday_letter(day) + u'\t', d + 1);
        // Set apart from the row text so that a tab inside a note cannot spill over.
        grid_->set_text(d + 1, 2, ledger_.nikki[d]);
    }
    grid_->set_row(1);
    grid_->set_col(1);

    label1_->setText(diary_title(ledger_.nen));
    text1_->clear();
    label3_->clear();
    loading_ = false;
}

void NikkiForm::on_grid_clicked() {
    text1_->setFocus();
    show_day_label(grid_->row());
}

void NikkiForm::on_row_col_changed() {
    if (loading_)
        return;
    const int row = grid_->row();
    if (row < 1 || row > kDayRows)
        return;
    // Moving to another column of the same row must not disturb the cursor
    // while the user types, so only a different note is copied in.
    if (text1_->text() != ledger_.nikki[row - 1])
        text1_->setText(ledger_.nikki[row - 1]);
    // The label follows keyboard moves too, so it always names the day being edited.
    show_day_label(row);
}

void NikkiForm::on_text_changed() {
    if (loading_)
        return;
    const int row = grid_->row();
    if (row < 1 || row > kDayRows)
        return;
    const QString text = text1_->text();
    if (ledger_.nikki[row - 1] != text) {
        ledger_.nikki[row - 1] = text;
        ledger_.nikki_changed = true;
    }
    grid_->set_col(2);
    grid_->set_text(row, 2, text);
}

void NikkiForm::show_day_label(int row) {
    if (row < 1 || row > kDayRows)
        return;
    label3_->setText(diary_day_label(diary_row_date(year_, row)));
}

void NikkiForm::finish() {
    if (const WriteResult failed = diary_save(ledger_, ledger_.nen)) {
        show_message(this, u"日記を保存できませんでした。\n"_s + failed->message(), {},
                     MsgIcon::Critical);
        // The notes stay in memory and go out with the next save of the month.
        if (ask_close_without_saving(this, failed->file_name()))
            accept();
        return;
    }
    ledger_.nikki_changed = false;
    accept();
}

void NikkiForm::reject() {
    finish();
}

} // namespace kanvelo
