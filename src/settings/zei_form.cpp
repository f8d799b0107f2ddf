#include "settings/zei_form.h"

#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/message_box.h"
#include "platform/modal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

ZeiForm::ZeiForm(Ledger& ledger, QWidget* parent) : QDialog(parent), ledger_(ledger) {
    setObjectName(u"zei_form"_s);
    setWindowTitle(u"消費税率の設定"_s);

    auto* label1 = new QLabel(u"消費税率を入力して下さい。"_s, this);
    label1->setObjectName(u"Label1"_s);
    place_twips(label1, 240, 240, 3840, 300);

    text1_ = new QLineEdit(this);
    text1_->setObjectName(u"Text1"_s);
    text1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place_twips(text1_, 240, 660, 1200, 375);

    label1->setBuddy(text1_);

    auto* label2 = new QLabel(u"%"_s, this);
    label2->setObjectName(u"Label2"_s);
    place_twips(label2, 1500, 705, 300, 300);

    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"Command1"_s);
    ok->setDefault(true);
    place_twips(ok, 1560, 1260, 1200, 435);

    auto* cancel = new QPushButton(u"中止"_s, this);
    cancel->setObjectName(u"Command2"_s);
    cancel->setAutoDefault(false);
    place_twips(cancel, 2880, 1260, 1200, 435);

    setFixedSize(twips_to_px(4320), twips_to_px(1920));
    center_on_screen(this);
    text1_->setText(format_number(ledger_.zeiritu, u"0.000"_s));

    connect(ok, &QPushButton::clicked, this, &ZeiForm::ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ZeiForm::ok_clicked() {
    const QString text = text1_->text();
    if (!to_number(text)) {
        show_message(this, u"数字を入力して下さいね。"_s, {}, MsgIcon::Exclamation);
        text1_->setFocus();
        return;
    }
    // A separator ends the number: "1,000" is a rate of 1.
    const double rate = leading_number(text);
    if (rate < 0) {
        show_message(this, u"消費税率にマイナスの数は使えません。0以上の数を入力して下さい。"_s, {},
                     MsgIcon::Exclamation);
        text1_->setFocus();
        return;
    }
    ledger_.zeiritu = rate;
    accept();
}

bool show_zei_form(QWidget* parent, Ledger& ledger) {
    ZeiForm form(ledger, parent);
    return run_modal(form) == QDialog::Accepted;
}

} // namespace kanvelo
