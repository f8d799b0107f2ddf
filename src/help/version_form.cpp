#include "help/version_form.h"

#include "help/version_art.h"
#include "platform/geometry.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace kanvelo {

VersionForm::VersionForm(bool splash, QWidget* parent) : QDialog(parent), splash_(splash) {
    setObjectName(QStringLiteral("Version_form"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(app_icon());

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setPixmap(app_icon_pixmap(32));
    place_twips(picture1_, 240, 240, 480, 480);

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(version_banner());
    place_twips(image1_, 960, 240, 2970, 1440);

    label2_ = new QLabel(QStringLiteral("Ver.7.1"), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAlignment(Qt::AlignCenter);
    place_twips(label2_, 960, 1800, 2970, 330);

    label4_ = new QLabel(QStringLiteral("by モルテア"), this);
    label4_->setObjectName(QStringLiteral("Label4"));
    label4_->setAlignment(Qt::AlignCenter);
    place_twips(label4_, 960, 2160, 2970, 330);

    version_ok_ = new QPushButton(QStringLiteral("OK"), this);
    version_ok_->setObjectName(QStringLiteral("Version_OK"));
    place_twips(version_ok_, 1770, 2640, 1350, 420);
    connect(version_ok_, &QPushButton::clicked, this, &QDialog::accept);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kSplashMs);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, &QDialog::accept);

    resize_twips(this, 4200, 3300);

    version_ok_->setVisible(!splash_);
}

void VersionForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The 2.5 seconds count from the moment the splash is on the screen.
    if (splash_)
        timer1_->start();
    else
        timer1_->stop();
}

} // namespace kanvelo
