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

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

using testing::expect_tidy_layout;

using testing::child;

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
        ledger->nen = u"2004"_s;
        ledger->tuki = u"03"_s;
    }
    testing::TempFolder folder;
    std::unique_ptr<Ledger> ledger;
};

TEST(OpenFormValues, AcceptsWholeYearsAndMonthsInRangeOnly) {
    EXPECT_EQ(open_year_value(u"2004"_s), 2004);
    EXPECT_EQ(open_year_value(u" 1900 "_s), 1900);
    EXPECT_EQ(open_year_value(u"３０００"_s), 3000);
    for (const char* bad : {"1899", "3001", "abcd", "", " ", "20.4", "-2004", "2,004", "200a"})
        EXPECT_FALSE(open_year_value(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(open_month_value(u"1"_s), 1);
    EXPECT_EQ(open_month_value(u"07"_s), 7);
    EXPECT_EQ(open_month_value(u"１２"_s), 12);
    for (const char* bad : {"0", "13", "x", "", "1.5", "+3"})
        EXPECT_FALSE(open_month_value(QString::fromLatin1(bad))) << bad;
}

TEST_F(OpenFormTest, SpinnersChooseTheMonthThatOpens) {
    ledger->nen = u"2005"_s;
    ledger->tuki = u"01"_s;
    ModalDriver driver;
    driver.next([](QDialog& form) {
        child<Spinner>(form, "open_nen_vscroll")->step_down();
        for (int i = 0; i < 2; ++i)
            child<Spinner>(form, "open_tuki_vscroll")->step_up();
        EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), u"2004"_s);
        EXPECT_EQ(child<QLineEdit>(form, "open_tuki")->text(), u"3"_s);
        testing::click(form, "open_hiraku");
    });
    EXPECT_TRUE(choose_other_month(nullptr, *ledger));
    EXPECT_EQ(driver.unexpected(), 0);
    EXPECT_EQ(ledger->nen, u"2004"_s);
    EXPECT_EQ(ledger->tuki, u"03"_s);
    EXPECT_TRUE(ledger->month_file_path().endsWith(u"/~200403.dat"_s));
}

// The window opens on the open month (the month without its leading zero)
// and its arrows stop at the years and months the program can open.
TEST_F(OpenFormTest, SpinnersStartAtTheOpenMonthAndStopAtTheEndsOfTheirRanges) {
    const struct {
        const char16_t* nen;
        const char16_t* tuki;
        int step; // +1 up, -1 down
    } cases[] = {{u"3000", u"12", +1}, {u"1900", u"01", -1}};
    for (const auto& c : cases) {
        ledger->nen = QString::fromUtf16(c.nen);
        ledger->tuki = QString::fromUtf16(c.tuki);
        OpenForm form(*ledger);
        const QString tuki = QString::number(ledger->tuki.toInt());
        EXPECT_EQ(child<QLineEdit>(form, "open_tuki")->text(), tuki);
        for (const char* name : {"open_nen_vscroll", "open_tuki_vscroll"}) {
            Spinner* spinner = child<Spinner>(form, name);
            c.step > 0 ? spinner->step_up() : spinner->step_down();
        }
        EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), ledger->nen);
        EXPECT_EQ(child<QLineEdit>(form, "open_tuki")->text(), tuki);
        expect_tidy_layout(form);
    }
}

TEST_F(OpenFormTest, TypedYearAndMonthOpenAndTheArrowsGoOnFromThem) {
    OpenForm form(*ledger);
    show_active(form);
    type_into(form, "open_nen", u"2010"_s);
    EXPECT_EQ(child<Spinner>(form, "open_nen_vscroll")->value(), 2010);
    EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), u"2010"_s);
    QTest::keyClick(child<QLineEdit>(form, "open_nen"), Qt::Key_Up);
    EXPECT_EQ(child<QLineEdit>(form, "open_nen")->text(), u"2011"_s);

    // Enter walks from the year to the month and on to 開く.
    QTest::keyClick(child<QLineEdit>(form, "open_nen"), Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "open_tuki")->hasFocus());
    type_into(form, "open_tuki", u"12"_s);
    QTest::keyClick(child<QLineEdit>(form, "open_tuki"), Qt::Key_Return);
    EXPECT_TRUE(child<QPushButton>(form, "open_hiraku")->hasFocus());
    EXPECT_FALSE(form.chosen());

    QTest::keyClick(child<QPushButton>(form, "open_hiraku"), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(form.chosen());
    EXPECT_EQ(ledger->nen, u"2011"_s);
    EXPECT_EQ(ledger->tuki, u"12"_s);
}

TEST_F(OpenFormTest, RefusesTextThatIsNotAYearOrMonthAndStaysOpen) {
    MessageRecorder messages;
    OpenForm form(*ledger);
    show_active(form);
    type_into(form, "open_nen", u"abcd"_s);
    testing::click(form, "open_hiraku");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().at(0).contains(u"1900から3000"_s));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "open_nen")->hasFocus());
    EXPECT_FALSE(form.chosen());
    EXPECT_EQ(ledger->nen, u"2004"_s);

    type_into(form, "open_nen", u"1999"_s);
    type_into(form, "open_tuki", u"13"_s);
    testing::click(form, "open_hiraku");
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_TRUE(messages.texts().at(1).contains(u"1から12"_s));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "open_tuki")->hasFocus());
    EXPECT_EQ(ledger->tuki, u"03"_s);

    type_into(form, "open_tuki", u"7"_s);
    testing::click(form, "open_hiraku");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ledger->nen, u"1999"_s);
    EXPECT_EQ(ledger->tuki, u"07"_s);
    EXPECT_EQ(messages.messages().size(), 2u);
}

TEST_F(OpenFormTest, CancellingOrClosingKeepsTheOpenMonth) {
    ledger->tuki = u"3"_s; // put back in the month's two-digit form
    ModalDriver driver;
    driver.next([](QDialog& form) {
        type_into(form, "open_nen", u"2020"_s);
        child<Spinner>(form, "open_tuki_vscroll")->step_up();
        testing::click(form, "open_yame");
    });
    EXPECT_FALSE(choose_other_month(nullptr, *ledger));
    EXPECT_EQ(ledger->nen, u"2004"_s);
    EXPECT_EQ(ledger->tuki, u"03"_s);

    driver.next([](QDialog& form) {
        type_into(form, "open_nen", u"2020"_s);
        form.close();
    });
    EXPECT_FALSE(choose_other_month(nullptr, *ledger));
    EXPECT_EQ(ledger->nen, u"2004"_s);
    EXPECT_EQ(driver.unexpected(), 0);
}

} // namespace
} // namespace kanvelo
