#include "editing/sakujo_form.h"

#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

SakujoForm::SakujoForm(Ledger& ledger, int entry, QWidget* parent)
    : EnterDialog(parent), ledger_(ledger), entry_(entry) {
    setObjectName(u"Sakujo_form"_s);
    setWindowTitle(u"収支データの削除"_s);
    setFixedSize(twips_to_px(kWidth), twips_to_px(kHeight));
    build();
}

void SakujoForm::build() {
    const SyusiRec& e = ledger_.syusi[entry_];
    const HimokuRec* h = ledger_.category_of(entry_);
    const int w = ledger_.saifu_index(e.saifu_no);

    place_twips(make_label(this, u"Label8"_s, u"この収支データを削除して宜しいですか？"_s), 120,
                120, 5160, 300);

    // Display only: what is shown cannot be changed here.
    auto shown = [this](const QString& name, const QString& text, double left, double top,
                        double width) {
        QLineEdit* box = make_box(this, name);
        box->setText(text);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setCursorPosition(0);
        place_twips(box, left, top, width, 375);
        return box;
    };
    QLineEdit* nen = shown(u"Sakujo_nen"_s, e.hiduke.left(4), 900, 600, 660);
    QLineEdit* tuki = shown(u"Sakujo_tuki"_s, e.hiduke.mid(4, 2), 1920, 600, 420);
    QLineEdit* hi = shown(u"Sakujo_hi"_s, e.hiduke.mid(6, 2), 2700, 600, 420);
    place_twips(make_label(this, u"Label1"_s, u"日付"_s, nen), 120, 645, 720, 300);
    place_twips(make_label(this, u"Label2"_s, u"年"_s, nen), 1590, 645, 285, 300);
    place_twips(make_label(this, u"Label3"_s, u"月"_s, tuki), 2370, 645, 285, 300);
    place_twips(make_label(this, u"Label4"_s, u"日"_s, hi), 3150, 645, 285, 300);

    QLineEdit* number = shown(u"Sakujo_Number"_s, e.himoku_no, 900, 1080, 540);
    shown(u"Sakujo_Meisyo"_s, h ? h->name : QString(), 1500, 1080, 3780);
    place_twips(make_label(this, u"Label5"_s, u"費目"_s, number), 120, 1125, 720, 300);
    QLineEdit* kingaku = shown(u"Sakujo_Kingaku"_s, e.kingaku, 900, 1560, 2400);
    kingaku->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place_twips(make_label(this, u"Label6"_s, u"金額"_s, kingaku), 120, 1605, 720, 300);
    QLineEdit* tekiyo = shown(u"Sakujo_Tekiyo"_s, e.tekiyo, 900, 2040, 4380);
    place_twips(make_label(this, u"Label7"_s, u"摘要"_s, tekiyo), 120, 2085, 720, 300);
    QLineEdit* saifu =
        shown(u"sakujo_saifu"_s, w >= 0 ? ledger_.saifu[w].name : QString(), 900, 2520, 4380);
    place_twips(make_label(this, u"Label9"_s, u"財布"_s, saifu), 120, 2565, 720, 300);

    QPushButton* iiyo = make_button(this, u"Sakujo_iiyo"_s, u"いいよ"_s);
    place_twips(iiyo, 900, 3060, 1800, 435);
    QPushButton* dame = make_button(this, u"Sakujo_dame"_s, u"やっぱりダメ"_s);
    place_twips(dame, 3480, 3060, 1800, 435);
    connect(iiyo, &QPushButton::clicked, this, &SakujoForm::sakujo);
    connect(dame, &QPushButton::clicked, this, &QDialog::reject);
    // There is no undo: a stray Enter keeps the entry.
    dame->setFocus();
}

void SakujoForm::sakujo() {
    // The ledger closes the gap and takes the entry out of every total.
    ledger_.remove_entry(entry_);
    deleted_ = true;
    accept();
}

} // namespace kanvelo
