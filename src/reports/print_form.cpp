#include "reports/print_form.h"

#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/printing.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr double kWidth = 5400;
constexpr double kHeight = 2430;
constexpr double kLeft = 240;
constexpr double kButtonWidth = 2400;
constexpr double kButtonHeight = 435;
constexpr double kSecondLeft = 2760;

} // namespace

PrintForm::PrintForm(const Ledger& ledger, const Grid& grid, Kind kind, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), grid_(grid), kind_(std::move(kind)) {
    setObjectName(kind_.name + u"_form"_s);
    setWindowTitle(kind_.caption);
    build();
}

void PrintForm::build() {
    place_twips(make_label(this, u"Label1"_s, u"プリンターの準備は宜しいですか？"_s), kLeft, 240,
                kWidth - 2 * kLeft, 300);
    check1_ = new QCheckBox(u"罫線印刷"_s, this);
    check1_->setObjectName(u"Check1"_s);
    check1_->setChecked(true);
    place_twips(check1_, kLeft, 690, kButtonWidth, 330);

    ok_ = make_button(this, kind_.name + u"_OK"_s, u"OK"_s);
    place_twips(ok_, kLeft, 1200, kButtonWidth, kButtonHeight);
    dame_ = make_button(this, kind_.name + u"_dame"_s, u"やっぱりダメ！"_s);
    place_twips(dame_, kSecondLeft, 1200, kButtonWidth, kButtonHeight);
    preview_ = make_button(this, kind_.name + u"_preview"_s, u"プレビュー"_s);
    place_twips(preview_, kLeft, 1755, kButtonWidth, kButtonHeight);
    pdf_ = make_button(this, kind_.name + u"_pdf"_s, u"PDF保存"_s);
    place_twips(pdf_, kSecondLeft, 1755, kButtonWidth, kButtonHeight);
    setFixedSize(twips_to_px(kWidth), twips_to_px(kHeight));

    connect(ok_, &QPushButton::clicked, this, &PrintForm::ok_clicked);
    connect(dame_, &QPushButton::clicked, this, &QDialog::reject);
    connect(preview_, &QPushButton::clicked, this, &PrintForm::preview_clicked);
    connect(pdf_, &QPushButton::clicked, this, &PrintForm::pdf_clicked);
    ok_->setFocus();
}

StatementData PrintForm::statement() const {
    StatementData d;
    d.nen = ledger_.nen;
    d.tuki = ledger_.tuki;
    for (int c = 0; c < kind_.columns; ++c)
        d.header.append(grid_.text(0, c));
    for (int r = 1; r <= kind_.rows; ++r) {
        QStringList cells;
        for (int c = 0; c < kind_.columns; ++c)
            cells.append(grid_.text(r, c));
        d.rows.append(cells);
    }
    d.syunyu_goukei = ledger_.syunyu_goukei;
    d.sisyutu_goukei = ledger_.sisyutu_goukei;
    d.ruled = check1_->isChecked();
    return d;
}

int PrintForm::paint(QPagedPaintDevice& device) const {
    return kind_.print(device, statement());
}

QString PrintForm::title() const {
    return kind_.title(ledger_.nen, ledger_.tuki);
}

QString PrintForm::pdf_file_name() const {
    // "収支詳細(2007年04月)" gives "収支詳細200704.pdf".
    return title().section(u'(', 0, 0) + ledger_.nen + ledger_.tuki + u".pdf"_s;
}

void PrintForm::ok_clicked() {
    if (print_telling_the_user(
            this, title(), [this](QPagedPaintDevice& device) { return paint(device) > 0; },
            [this] { pdf_clicked(); }))
        accept();
}

void PrintForm::preview_clicked() {
    show_print_preview(this, [this](QPagedPaintDevice& device) { return paint(device) > 0; });
}

void PrintForm::pdf_clicked() {
    if (save_pdf_asking(this, pdf_file_name(), title(),
                        [this](QPagedPaintDevice& device) { return paint(device) > 0; }))
        accept();
}

} // namespace kanvelo
