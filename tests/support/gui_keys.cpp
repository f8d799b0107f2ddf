#include "support/gui_keys.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace kanvelo::testing {

QWidget* focused() {
    return QApplication::focusWidget();
}

QString focused_name() {
    return focused() ? focused()->objectName() : QString();
}

void key(int qt_key) {
    ASSERT_NE(focused(), nullptr);
    QTest::keyClick(focused(), Qt::Key(qt_key));
}

void type(const QString& latin1) {
    ASSERT_NE(focused(), nullptr);
    QTest::keyClicks(focused(), latin1);
}

void make_active(QWidget& window) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

void type_entry(const QString& number, const QString& amount, const QString& tekiyo,
                int wallet_downs) {
    EXPECT_EQ(focused_name(), u"kinyu_number");
    type(number);
    key(Qt::Key_Return);
    EXPECT_EQ(focused_name(), u"kinyu_kingaku");
    type(amount);
    key(Qt::Key_Return);
    EXPECT_EQ(focused_name(), u"Kinyu_tekiyo");
    static_cast<QLineEdit*>(focused())->setText(tekiyo);
    key(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), u"Kinyu_Saifu");
    for (int i = 0; i < wallet_downs; ++i)
        key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(focused_name(), u"Kinyu_next");
    key(Qt::Key_Return);
}

} // namespace kanvelo::testing
