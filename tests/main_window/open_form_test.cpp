#include "ledger/ledger.h"
#include "main_window/open_form.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/spinner.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kanvelo {
namespace {

using testing::expect_tidy_layout;

using testing::child;

void press(QWidget& window, const char* name) {
    testing::click(window, name);
}

void type_into(QWidget& window, const char* name, const QString& latin1) {
    QLineEdit* box = child<QLineEdit>(window, name);
    ASSERT_NE(box, nullptr);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, latin1);
}

void show_active(QWidget& window) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

class OpenFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ledger = std::make_unique<Ledger>();
        testing::init_default_ledger(*ledger, folder);
        ledger->nen = QStringLiteral("2004");
        ledger->tuki = QStringLiteral("03");
    }
    testing::TempFolder folder;
    std::unique_ptr<Ledger> ledger;
};

TEST(OpenFormValues, AcceptsWholeYearsAndMonthsInRangeOnly) {
    EXPECT_EQ(open_year_value(QStringLiteral("2004")), 2004);
    EXPECT_EQ(open_year_value(QStringLiteral(" 1900 ")), 1900);
    EXPECT_EQ(open_year_value(QStringLiteral("３０００")), 3000);
    for (const char* bad : {"1899", "3001", "abcd", "", " ", "20.4", "-2004", "2,004", "200a"})
        EXPECT_FALSE(open_year_value(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(open_month_value(QStringLiteral("1")), 1);
    EXPECT_EQ(open_month_value(QStringLiteral("07")), 7);
    EXPECT_EQ(open_month_value(QStringLiteral("１２")), 12);
    for (const char* bad : {"0", "13", "x", "", "1.5", "+3"})
        EXPECT_FALSE(open_month_value(QString::fromLatin1(bad))) << bad;
}

TEST_F(OpenFormTest, LoadsTheOpenMonthIntoBoxesAndSpinners) {
    OpenForm form(*ledger);
    EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), QStringLiteral("2004"));
    EXPECT_EQ(child<QLineEdit>(form, "open_tuki")->text(), QStringLiteral("3"));
    Spinner* years = child<Spinner>(form, "open_nen_vscroll");
    Spinner* months = child<Spinner>(form, "open_tuki_vscroll");
    EXPECT_EQ(years->value(), 2004);
    EXPECT_EQ(months->value(), 3);
    EXPECT_EQ(years->minimum(), 1900);
    EXPECT_EQ(years->maximum(), 3000);
    EXPECT_EQ(months->minimum(), 1);
    EXPECT_EQ(months->maximum(), 12);
    expect_tidy_layout(form);
}

TEST_F(OpenFormTest, SpinnersChooseTheMonthThatOpens) {
    ledger->nen = QStringLiteral("2005");
    ledger->tuki = QStringLiteral("01");
    ModalDriver driver;
    driver.next([](QDialog& form) {
        child<Spinner>(form, "open_nen_vscroll")->step_down();
        for (int i = 0; i < 2; ++i)
            child<Spinner>(form, "open_tuki_vscroll")->step_up();
        EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), QStringLiteral("2004"));
        EXPECT_EQ(child<QLineEdit>(form, "open_tuki")->text(), QStringLiteral("3"));
        press(form, "open_hiraku");
    });
    EXPECT_TRUE(choose_other_month(nullptr, *ledger));
    EXPECT_EQ(driver.unexpected(), 0);
    EXPECT_EQ(ledger->nen, QStringLiteral("2004"));
    EXPECT_EQ(ledger->tuki, QStringLiteral("03"));
    EXPECT_TRUE(ledger->month_file_path().endsWith(QStringLiteral("/~200403.dat")));
}

TEST_F(OpenFormTest, SpinnersStopAtTheEndsOfTheirRanges) {
    ledger->nen = QStringLiteral("3000");
    ledger->tuki = QStringLiteral("01");
    OpenForm form(*ledger);
    child<Spinner>(form, "open_nen_vscroll")->step_up();
    child<Spinner>(form, "open_tuki_vscroll")->step_down();
    EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), QStringLiteral("3000"));
    EXPECT_EQ(child<QLineEdit>(form, "open_tuki")->text(), QStringLiteral("1"));
}

TEST_F(OpenFormTest, TypedYearAndMonthOpenAndTheArrowsGoOnFromThem) {
    OpenForm form(*ledger);
    show_active(form);
    type_into(form, "open_nen", QStringLiteral("2010"));
    EXPECT_EQ(child<Spinner>(form, "open_nen_vscroll")->value(), 2010);
    EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), QStringLiteral("2010"));
    QTest::keyClick(child<QLineEdit>(form, "open_nen"), Qt::Key_Up);
    EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), QStringLiteral("2011"));

    // Enter walks from the year to the month and on to 開く.
    QTest::keyClick(child<QLineEdit>(form, "open_nen"), Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "open_tuki")->hasFocus());
    type_into(form, "open_tuki", QStringLiteral("12"));
    QTest::keyClick(child<QLineEdit>(form, "open_tuki"), Qt::Key_Return);
    EXPECT_TRUE(child<QPushButton>(form, "open_hiraku")->hasFocus());
    EXPECT_FALSE(form.chosen());

    QTest::keyClick(child<QPushButton>(form, "open_hiraku"), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(form.chosen());
    EXPECT_EQ(ledger->nen, QStringLiteral("2011"));
    EXPECT_EQ(ledger->tuki, QStringLiteral("12"));
}

TEST_F(OpenFormTest, RefusesTextThatIsNotAYearOrMonthAndStaysOpen) {
    MessageRecorder messages;
    OpenForm form(*ledger);
    show_active(form);
    type_into(form, "open_nen", QStringLiteral("abcd"));
    press(form, "open_hiraku");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().at(0).contains(QStringLiteral("1900から3000")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "open_nen")->hasFocus());
    EXPECT_FALSE(form.chosen());
    EXPECT_EQ(ledger->nen, QStringLiteral("2004"));

    type_into(form, "open_nen", QStringLiteral("1999"));
    type_into(form, "open_tuki", QStringLiteral("13"));
    press(form, "open_hiraku");
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_TRUE(messages.texts().at(1).contains(QStringLiteral("1から12")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "open_tuki")->hasFocus());
    EXPECT_EQ(ledger->tuki, QStringLiteral("03"));

    type_into(form, "open_tuki", QStringLiteral("7"));
    press(form, "open_hiraku");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ledger->nen, QStringLiteral("1999"));
    EXPECT_EQ(ledger->tuki, QStringLiteral("07"));
    EXPECT_EQ(messages.messages().size(), 2u);
}

TEST_F(OpenFormTest, CancellingOrClosingKeepsTheOpenMonth) {
    ledger->tuki = QStringLiteral("3"); // put back in the month's two-digit form
    ModalDriver driver;
    driver.next([](QDialog& form) {
        type_into(form, "open_nen", QStringLiteral("2020"));
        child<Spinner>(form, "open_tuki_vscroll")->step_up();
        press(form, "open_yame");
    });
    EXPECT_FALSE(choose_other_month(nullptr, *ledger));
    EXPECT_EQ(ledger->nen, QStringLiteral("2004"));
    EXPECT_EQ(ledger->tuki, QStringLiteral("03"));

    driver.next([](QDialog& form) {
        type_into(form, "open_nen", QStringLiteral("2020"));
        form.close();
    });
    EXPECT_FALSE(choose_other_month(nullptr, *ledger));
    EXPECT_EQ(ledger->nen, QStringLiteral("2004"));
    EXPECT_EQ(driver.unexpected(), 0);
}

} // namespace
} // namespace kanvelo
