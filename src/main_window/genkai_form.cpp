#include "main_window/genkai_form.h"

#include "ledger/ledger.h"
#include "platform/geometry.h"
#include "platform/modal.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

GenkaiForm::GenkaiForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GENKAI_form"));
    setWindowTitle(QStringLiteral("も、もう限界です！！"));
    const QString limit = QString::number(kSyusiLimit);

    auto* label1 = new QLabel(
        QStringLiteral("収支データが") + limit + QStringLiteral("件を越えました。"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    place_twips(label1, 360, 360, 6840, 360);

    auto* label2 = new QLabel(QStringLiteral("申し訳ありませんが、") + limit +
                                  QStringLiteral("件までしかデータを登録できません。"),
                              this);
    label2->setObjectName(QStringLiteral("Label2"));
    place_twips(label2, 360, 780, 6840, 360);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("genkai_OK"));
    place_twips(ok, 3060, 1380, 1320, 450);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    resize_twips(this, 7560, 2160);
}

void show_genkai(QWidget* parent) {
    GenkaiForm form(parent);
    run_modal(form);
}

} // namespace kanvelo
