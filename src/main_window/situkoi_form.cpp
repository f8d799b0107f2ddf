#include "main_window/situkoi_form.h"

#include "platform/geometry.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

SitukoiForm::SitukoiForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("situkoi_form"));
    setWindowTitle(QStringLiteral("くどい！"));

    auto* label1 = new QLabel(QStringLiteral("そんなこと言ったって、無いものは無い！！"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    place_twips(label1, 360, 300, 5760, 720);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("situkoi_ok"));
    place_twips(ok, 2580, 1200, 1320, 450);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    resize_twips(this, 6480, 1980);
}

} // namespace kanvelo
