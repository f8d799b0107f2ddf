#include "help/version_form.h"

#include "help/version_art.h"
#include "platform/geometry.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kanvelo {

VersionForm::VersionForm(bool splash, QWidget* parent) : QDialog(parent), splash_(splash) {
    setObjectName(u"Version_form"_s);
    setWindowTitle(u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    setWindowIcon(app_icon());

    picture1_ = new QLabel(this);
    picture1_->setObjectName(u"Picture1"_s);
    picture1_->setPixmap(app_icon_pixmap(32));
    place_twips(picture1_, 240, 240, 480, 480);

    image1_ = new QLabel(this);
    image1_->setObjectName(u"Image1"_s);
    image1_->setPixmap(version_banner());
    place_twips(image1_, 960, 240, 2970, 1440);

    label2_ = new QLabel(u"Ver."_s + QString::fromLatin1(KANVELO_VERSION), this);
    label2_->setObjectName(u"Label2"_s);
    label2_->setAlignment(Qt::AlignCenter);
    place_twips(label2_, 960, 1800, 2970, 330);

    label4_ = new QLabel(u"by モルテア"_s, this);
    label4_->setObjectName(u"Label4"_s);
    label4_->setAlignment(Qt::AlignCenter);
    place_twips(label4_, 960, 2160, 2970, 330);

    version_ok_ = new QPushButton(u"OK"_s, this);
    version_ok_->setObjectName(u"Version_OK"_s);
    place_twips(version_ok_, 1770, 2640, 1350, 420);
    connect(version_ok_, &QPushButton::clicked, this, &QDialog::accept);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(u"Timer1"_s);
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
