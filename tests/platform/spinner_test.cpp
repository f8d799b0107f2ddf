#include "platform/spinner.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

// Where the style draws a part of the scroll bar.
QRect part(const Spinner& spinner, QStyle::SubControl control) {
    QStyleOptionSlider option;
    option.initFrom(&spinner);
    option.orientation = spinner.orientation();
    option.minimum = spinner.minimum();
    option.maximum = spinner.maximum();
    option.sliderPosition = spinner.sliderPosition();
    option.sliderValue = spinner.value();
    option.singleStep = spinner.singleStep();
    option.pageStep = spinner.pageStep();
    option.upsideDown = spinner.invertedAppearance();
    option.subControls = QStyle::SC_All;
    return spinner.style()->subControlRect(QStyle::CC_ScrollBar, &option, control, &spinner);
}

void click(Spinner& spinner, QStyle::SubControl control) {
    QTest::mouseClick(&spinner, Qt::LeftButton, {}, part(spinner, control).center());
}

struct SpinnerOnScreen : ::testing::Test {
    Spinner spinner{1, 12};
    void SetUp() override {
        spinner.resize(17, 120);
        spinner.set_value(6);
        spinner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&spinner));
    }
};

} // namespace

TEST_F(SpinnerOnScreen, UpArrowIncreasesAndDownArrowDecreases) {
    const QRect up = part(spinner, QStyle::SC_ScrollBarSubLine);
    const QRect down = part(spinner, QStyle::SC_ScrollBarAddLine);
    ASSERT_LT(up.top(), down.top()); // the up arrow really is the upper one

    click(spinner, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(spinner.value(), 7);
    click(spinner, QStyle::SC_ScrollBarAddLine);
    click(spinner, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(spinner.value(), 5);
}

TEST_F(SpinnerOnScreen, ArrowsStopAtBothEnds) {
    spinner.set_value(12);
    click(spinner, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(spinner.value(), 12);
    spinner.set_value(1);
    click(spinner, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(spinner.value(), 1);
}

TEST_F(SpinnerOnScreen, TroughAboveTheSliderAndLargerValuesAreUp) {
    const int slider_top_at_6 = part(spinner, QStyle::SC_ScrollBarSlider).top();
    click(spinner, QStyle::SC_ScrollBarSubPage);
    EXPECT_EQ(spinner.value(), 7);
    EXPECT_LT(part(spinner, QStyle::SC_ScrollBarSlider).top(), slider_top_at_6);
}

TEST_F(SpinnerOnScreen, UpKeyAndWheelUpIncrease) {
    QTest::keyClick(&spinner, Qt::Key_Up);
    EXPECT_EQ(spinner.value(), 7);
    QTest::keyClick(&spinner, Qt::Key_Down);
    QTest::keyClick(&spinner, Qt::Key_Down);
    EXPECT_EQ(spinner.value(), 5);

    const QPointF at(8, 60);
    QWheelEvent wheel_up(at, spinner.mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&spinner, &wheel_up);
    EXPECT_EQ(spinner.value(), 6);
}

TEST(Spinner, SetValueClampsToTheRange) {
    Spinner spinner(1990, 2100);
    spinner.set_value(2200);
    EXPECT_EQ(spinner.value(), 2100);
    spinner.set_value(5);
    EXPECT_EQ(spinner.value(), 1990);
    spinner.step_down();
    EXPECT_EQ(spinner.value(), 1990);
    spinner.step_up();
    EXPECT_EQ(spinner.value(), 1991);
}

TEST(Spinner, BoundBoxHoldsTheDigitsWhenTheSignalArrives) {
    Spinner spinner(1, 31);
    QLineEdit box;
    box.setText(u"日"_s);
    spinner.bind(&box);
    EXPECT_EQ(box.text(), u"日"_s); // binding alone writes nothing

    QStringList seen;
    QObject::connect(&spinner, &Spinner::value_changed, &spinner,
                     [&](int value) { seen.append(QString::number(value) + u'=' + box.text()); });
    spinner.set_value(5);
    spinner.step_up();
    spinner.set_value(6); // no change, no signal
    spinner.set_value(12345);
    EXPECT_EQ(seen, (QStringList{u"5=5"_s, u"6=6"_s, u"31=31"_s}));
}
