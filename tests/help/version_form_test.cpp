#include "help/help_commands.h"
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

namespace kanvelo {
namespace {

QPushButton* ok_button(QDialog& form) {
    return form.findChild<QPushButton*>(QStringLiteral("Version_OK"));
}
QTimer* timer1(QDialog& form) {
    return form.findChild<QTimer*>(QStringLiteral("Timer1"));
}

TEST(VersionForm, DrawsBothPicturesAndFitsItsTexts) {
    VersionForm form;
    auto* image1 = form.findChild<QLabel*>(QStringLiteral("Image1"));
    auto* picture1 = form.findChild<QLabel*>(QStringLiteral("Picture1"));
    ASSERT_TRUE(image1 && picture1);
    EXPECT_EQ(image1->pixmap().size(), QSize(198, 96));
    EXPECT_FALSE(picture1->pixmap().isNull());
    // A blank picture would mean the drawing went wrong.
    const QImage banner = image1->pixmap().toImage();
    EXPECT_NE(banner.pixel(5, 48), banner.pixel(120, 36));
    testing::expect_tidy_layout(form);
}

TEST(VersionForm, FromTheMenuItWaitsForOk) {
    ModalDriver driver;
    driver.next([](QDialog& form) {
        EXPECT_TRUE(ok_button(form)->isVisible());
        EXPECT_FALSE(timer1(form)->isActive());
        QTest::mouseClick(ok_button(form), Qt::LeftButton);
    });
    show_version(nullptr);
    EXPECT_EQ(driver.opened(), QStringList{QStringLiteral("Version_form")});
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
