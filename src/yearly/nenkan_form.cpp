#include "yearly/nenkan_form.h"

#include "ledger/calendar.h"
#include "ledger/guards.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/printing.h"
#include "platform/save_dialog.h"
#include "platform/spinner.h"
#include "platform/widgets.h"
#include "yearly/nenkan_print.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kNameWidth = 1500;
constexpr int kAmountWidth = 1050;

} // namespace

NenkanForm::NenkanForm(const Ledger& ledger, QWidget* parent) : QDialog(parent), ledger_(ledger) {
    setObjectName(u"Nenkan_form"_s);
    setWindowTitle(u"年間収支表"_s);
    build();
    refresh();
    resize_twips(this, 18900, 11250);
    grid_->setFocus();
}

void NenkanForm::build() {
    by_year_ = new QRadioButton(u"年を指定"_s, this);
    by_year_->setObjectName(u"nenkan_by_year"_s);
    up_to_open_ = new QRadioButton(u"今月までの12か月"_s, this);
    up_to_open_->setObjectName(u"nenkan_up_to_open"_s);
    nen_spinner_ = new Spinner(kYearMin, kYearMax, this);
    nen_spinner_->setObjectName(u"nenkan_nen_spinner"_s);
    nen_spinner_->setFocusPolicy(Qt::StrongFocus);
    nen_ = make_label(this, u"nenkan_nen"_s, QString(), nen_spinner_);
    nen_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    nen_->setFrameShape(QFrame::StyledPanel);
    nen_->setMinimumWidth(twips_to_px(660));
    nen_spinner_->setAccessibleName(u"表の年"_s);
    nen_spinner_->setFixedSize(twips_to_px(255), twips_to_px(420));
    nen_spinner_->set_value(whole_number_in(ledger_.nen, kYearMin, kYearMax).value_or(kYearMin));
    nen_->setText(QString::number(nen_spinner_->value()));
    by_year_->setChecked(true);

    auto* choice = new QHBoxLayout;
    choice->addWidget(by_year_);
    choice->addWidget(nen_);
    choice->addWidget(nen_spinner_);
    choice->addWidget(make_label(this, u"nenkan_nen_unit"_s, u"年"_s));
    choice->addSpacing(twips_to_px(480));
    choice->addWidget(up_to_open_);
    choice->addStretch(1);

    grid_ = new Grid(this);
    grid_->setObjectName(u"nenkan_grid"_s);
    grid_->set_cols(kNenkanMonths + 5);
    grid_->set_fixed_cols(1);
    grid_->set_rows(kNenkanRows + 1);
    grid_->set_col_width_twips(0, kNameWidth);
    for (int c = 1; c < grid_->cols(); ++c) {
        grid_->set_col_width_twips(c, kAmountWidth);
        grid_->set_col_alignment(c, Grid::Align::Right);
        grid_->set_fixed_alignment(c, Grid::Align::Center);
    }
    grid_->setAccessibleName(u"年間収支表"_s);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    connect(grid_, &Grid::grid_double_clicked, this, [this] { choose_row(grid_->row()); });

    damaged_ = make_label(this, u"nenkan_damaged"_s, QString());
    damaged_->setWordWrap(true);
    // Its line is kept when empty, so that the table does not jump.
    damaged_->setMinimumHeight(damaged_->fontMetrics().height());
    auto* hint = make_label(this, u"nenkan_hint"_s,
                            u"費目名をクリックすると、その費目の収支を検索します。"_s);

    csv_ = make_button(this, u"nenkan_csv"_s, u"CSV保存"_s);
    print_ = make_button(this, u"nenkan_print"_s, u"印刷"_s);
    preview_ = make_button(this, u"nenkan_preview"_s, u"プレビュー"_s);
    pdf_ = make_button(this, u"nenkan_pdf"_s, u"PDF保存"_s);
    close_ = make_button(this, u"nenkan_close"_s, u"閉じる"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint, 1);
    for (QPushButton* b : {csv_, print_, preview_, pdf_, close_})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(grid_, 1);
    layout->addWidget(damaged_);
    layout->addLayout(buttons);

    connect(by_year_, &QRadioButton::toggled, this, &NenkanForm::refresh);
    connect(nen_spinner_, &Spinner::value_changed, this, [this](int v) {
        nen_->setText(QString::number(v));
        // Choosing a year means the year: checking its button refreshes.
        if (by_year_->isChecked())
            refresh();
        else
            by_year_->setChecked(true);
    });
    connect(csv_, &QPushButton::clicked, this, &NenkanForm::csv_clicked);
    connect(print_, &QPushButton::clicked, this, &NenkanForm::print_clicked);
    connect(preview_, &QPushButton::clicked, this, &NenkanForm::preview_clicked);
    connect(pdf_, &QPushButton::clicked, this, &NenkanForm::pdf_clicked);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void NenkanForm::refresh() {
    {
        const BusyPointer busy;
        table_ = nenkan_table(ledger_,
                              by_year_->isChecked() ? NenkanSpan::Year : NenkanSpan::UpToOpenMonth,
                              nen_spinner_->value());
    }
    fill_grid();
}

void NenkanForm::fill_grid() {
    grid_->setUpdatesEnabled(false);
    const QStringList header = nenkan_header(table_);
    for (int c = 0; c < header.size(); ++c)
        grid_->set_text(0, c, header.at(c));
    for (int r = 0; r < kNenkanRows; ++r) {
        const QStringList cells = nenkan_row(table_, r);
        for (int c = 0; c < cells.size(); ++c)
            grid_->set_text(r + 1, c, cells.at(c));
    }
    grid_->setUpdatesEnabled(true);
    damaged_->setText(nenkan_damaged_text(table_));
}

void NenkanForm::choose_row(int grid_row) {
    if (grid_row < 1 || grid_row > kHimokuCount)
        return;
    Q_EMIT category_chosen(grid_row, table_.first_day(), table_.last_day());
}

void NenkanForm::report_write_failure(const FileError& failed) {
    show_message(
        this, u"「"_s + failed.file_name() + u"」を保存できませんでした。\n"_s + failed.message(),
        {}, MsgIcon::Exclamation);
}

void NenkanForm::csv_clicked() {
    const QString path =
        ask_save_path(this, {u"csv_dialog"_s, u"CSVファイルに保存"_s, u"CSV (*.csv)"_s, u"csv"_s},
                      nenkan_file_stem(table_) + u".csv"_s);
    if (path.isEmpty())
        return;
    if (const WriteResult failed = write_line_file(path, nenkan_csv_lines(table_)))
        report_write_failure(*failed);
}

int NenkanForm::paint(QPagedPaintDevice& device) const {
    return print_nenkan(device, table_);
}

void NenkanForm::print_clicked() {
    print_telling_the_user(
        this, nenkan_title(table_), [this](QPagedPaintDevice& device) { return paint(device) > 0; },
        [this] { pdf_clicked(); });
}

void NenkanForm::preview_clicked() {
    show_print_preview(this, [this](QPagedPaintDevice& device) { return paint(device) > 0; });
}

void NenkanForm::pdf_clicked() {
    save_pdf_asking(this, nenkan_file_stem(table_) + u".pdf"_s, nenkan_title(table_),
                    [this](QPagedPaintDevice& device) { return paint(device) > 0; });
}

bool NenkanForm::eventFilter(QObject* watched, QEvent* event) {
    // A click on a category's name asks for its entries; other cells only
    // move the current cell.
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex at = grid_->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && at.isValid() && at.column() == 0)
            choose_row(at.row() + 1);
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        is_enter(static_cast<QKeyEvent*>(event)->key())) {
        choose_row(grid_->row());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void NenkanForm::keyPressEvent(QKeyEvent* event) {
    if (!press_focused_button(this, event))
        QDialog::keyPressEvent(event);
}

} // namespace kanvelo
