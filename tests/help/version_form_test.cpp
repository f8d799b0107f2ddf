#include "help/help_commands.h"
#include "help/version_art.h"
#include "help/version_form.h"
#include "ledger/ledger.h"
#include "platform/modal.h"
#include "support/layout_check.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

QPushButton* ok_button(QDialog& form) {
    return form.findChild<QPushButton*>(u"Version_OK"_s);
}
QTimer* timer1(QDialog& form) {
    return form.findChild<QTimer*>(u"Timer1"_s);
}

TEST(VersionForm, DrawsBothPicturesAndFitsItsTexts) {
    VersionForm form;
    auto* image1 = form.findChild<QLabel*>(u"Image1"_s);
    auto* picture1 = form.findChild<QLabel*>(u"Picture1"_s);
    ASSERT_TRUE(image1 && picture1);
    EXPECT_EQ(image1->pixmap().size(), QSize(198, 96));
    EXPECT_FALSE(picture1->pixmap().isNull());
    // A blank picture would mean the drawing went wrong.
    const QImage banner = image1->pixmap().toImage();
    EXPECT_NE(banner.pixel(5, 48), banner.pixel(120, 36));
    testing::expect_tidy_layout(form);
}

// The window icon must be the icon the install gives the desktop, at every
// size it installs; a resource left out of the link would leave it blank.
TEST(VersionForm, WindowIconIsTheInstalledIconAtEverySize) {
    const QIcon icon = app_icon();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage installed(
            u"%1/data/icons/%2x%2/org.kanvelo.Kanvelo.png"_s.arg(QStringLiteral(KANVELO_SOURCE_DIR))
                .arg(size));
        ASSERT_FALSE(installed.isNull());
        EXPECT_EQ(
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
            installed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

TEST(VersionForm, FromTheMenuItWaitsForOk) {
    ModalDriver driver;
    driver.next([](QDialog& form) {
        EXPECT_TRUE(ok_button(form)->isVisible());
        EXPECT_FALSE(timer1(form)->isActive());
        QTest::mouseClick(ok_button(form), Qt::LeftButton);
    });
    show_version(nullptr);
    EXPECT_EQ(driver.opened(), QStringList{u"Version_form"_s});
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(VersionForm, AsSplashItHasNoOkAndClosesItselfAfterTwoAndAHalfSeconds) {
    ModalDriver driver;
    QElapsedTimer clock;
    driver.next([&](QDialog& form) {
        clock.start();
        EXPECT_FALSE(ok_button(form)->isVisible());
        EXPECT_TRUE(timer1(form)->isActive());
        EXPECT_TRUE(form.isVisible());
        QTest::qWait(2700);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), QDialog::Accepted);
    });
    show_splash(nullptr);
    EXPECT_GE(clock.elapsed(), 2400);
    EXPECT_EQ(driver.unexpected(), 0);
}

} // namespace
} // namespace kanvelo
