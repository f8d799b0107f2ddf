#include "main_window/kurikosi_form.h"

#include "platform/geometry.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

KurikosiForm::KurikosiForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("kurikosi_form"));
    setWindowTitle(QStringLiteral("繰り越し"));

    auto* label1 = new QLabel(
        QStringLiteral("指定した財布・口座の、先月の家計簿の残金を計算し、金額欄に入力します。"),
        this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    place_twips(label1, 360, 300, 6840, 840);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    place_twips(ok, 3120, 1320, 1320, 450);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    resize_twips(this, 7560, 2100);
}

} // namespace kanvelo
