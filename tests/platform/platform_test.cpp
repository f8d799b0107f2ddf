#include "platform/desktop.h"
#include "platform/geometry.h"
#include "support/test_files.h"

#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

TEST(PlatformGeometry, TwipsAreFifteenToThePixelRoundedToNearest) {
    EXPECT_EQ(twips_to_px(300), 20);
    EXPECT_EQ(twips_to_px(9615), 641);
    EXPECT_EQ(twips_to_px(370), 25); // 24.67
    EXPECT_EQ(twips_to_px(7), 0);
    EXPECT_EQ(twips_to_px(8), 1);
    EXPECT_EQ(twips_to_px(0), 0);
    EXPECT_DOUBLE_EQ(px_to_twips(20), 300.0);
    EXPECT_DOUBLE_EQ(px_to_twips(641), 9615.0);
}

TEST(PlatformGeometry, PlaceAndResizeUseTwips) {
    QWidget parent;
    QWidget child(&parent);
    place_twips(&child, 300, 5400, 1395, 405);
    EXPECT_EQ(child.geometry(), QRect(20, 360, 93, 27));
    resize_twips(&parent, 9615, 7095);
    EXPECT_EQ(parent.size(), QSize(641, 473));
}

TEST(PlatformGeometry, CenterOnScreenUsesTheAvailableArea) {
    QWidget window;
    window.resize(301, 201);
    center_on_screen(&window);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.frameGeometry().left(), area.left() + (area.width() - 301) / 2);
    EXPECT_EQ(window.frameGeometry().top(), area.top() + (area.height() - 201) / 2);
}

TEST(PlatformDesktop, ShellOpenOfMissingFileReturnsTwo) {
    kanvelo::testing::TempFolder folder;
    EXPECT_EQ(shell_open(folder.file(u"poro.doc"_s)), 2);
    EXPECT_EQ(shell_open(QUrl::fromLocalFile(folder.file(u"poro.doc"_s)).toString()), 2);
    EXPECT_EQ(shell_open(QString()), 2);
}

TEST(PlatformDesktop, TestHookReplacesShellOpenUntilCleared) {
    kanvelo::testing::TempFolder folder;
    QStringList asked;
    set_shell_open_for_tests([&](const QString& target) {
        asked.append(target);
        return 2;
    });
    EXPECT_EQ(shell_open(u"https://example.invalid/"_s), 2);
    EXPECT_EQ(shell_open(folder.file(u"poro.doc"_s)), 2);
    set_shell_open_for_tests({});
    EXPECT_EQ(asked, (QStringList{u"https://example.invalid/"_s, folder.file(u"poro.doc"_s)}));

    EXPECT_EQ(shell_open(folder.file(u"poro.doc"_s)), 2); // the real one again
    EXPECT_EQ(asked.size(), 2);
}

TEST(PlatformDesktop, BusyPointerLastsAsLongAsItsScope) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyPointer busy;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(PlatformDesktop, BeepsAreCounted) {
    const int before = beep_count_for_tests();
    beep();
    beep();
    EXPECT_EQ(beep_count_for_tests(), before + 2);
}
