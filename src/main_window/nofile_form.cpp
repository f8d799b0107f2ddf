#include "main_window/nofile_form.h"

#include "main_window/situkoi_form.h"
#include "platform/geometry.h"
#include "platform/modal.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

NofileForm::NofileForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("nofile_form"));
    setWindowTitle(QStringLiteral("家計簿データ無し"));

    auto* label1 = new QLabel(QStringLiteral("先月又は前年同月の家計簿データがありません。"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    place_twips(label1, 360, 300, 6120, 720);

    auto* ok = new QPushButton(QStringLiteral("わかった"), this);
    ok->setObjectName(QStringLiteral("nofile_OK"));
    place_twips(ok, 900, 1200, 1800, 450);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* situkoi = new QPushButton(QStringLiteral("そんなはずは無い"), this);
    situkoi->setObjectName(QStringLiteral("nofile_situkoi"));
    place_twips(situkoi, 3060, 1200, 2880, 450);
    connect(situkoi, &QPushButton::clicked, this, [this] {
        situkoi_ = true;
        accept();
    });

    resize_twips(this, 6840, 1980);
}

void show_nofile(QWidget* parent) {
    bool insisted = false;
    {
        NofileForm form(parent);
        run_modal(form);
        insisted = form.situkoi_chosen();
    }
    if (!insisted)
        return;
    SitukoiForm situkoi(parent);
    run_modal(situkoi);
}

} // namespace kanvelo
