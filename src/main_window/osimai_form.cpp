#include "main_window/osimai_form.h"

#include "platform/geometry.h"
#include "platform/modal.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

OsimaiForm::OsimaiForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("osimai_form"));
    setWindowTitle(QStringLiteral("ぽるるおしまい"));

    auto* label1 = new QLabel(QStringLiteral("入力したデータをファイルに保存しますか？"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    place_twips(label1, 360, 300, 5400, 720);

    auto* hai = new QPushButton(QStringLiteral("はい"), this);
    hai->setObjectName(QStringLiteral("osimai_hai"));
    place_twips(hai, 1260, 1200, 1440, 450);
    connect(hai, &QPushButton::clicked, this, [this] {
        answer_ = OsimaiAnswer::Hai;
        accept();
    });

    auto* iie = new QPushButton(QStringLiteral("いいえ"), this);
    iie->setObjectName(QStringLiteral("osimai_iie"));
    place_twips(iie, 3420, 1200, 1440, 450);
    connect(iie, &QPushButton::clicked, this, [this] {
        answer_ = OsimaiAnswer::Iie;
        accept();
    });

    resize_twips(this, 6120, 1980);
}

OsimaiAnswer ask_osimai(QWidget* parent) {
    OsimaiForm form(parent);
    run_modal(form);
    return form.answer();
}

} // namespace kanvelo
