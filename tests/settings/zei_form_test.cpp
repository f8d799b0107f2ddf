#include "common/month_edits.h"
#include "entry/kinyu_form.h"
#include "ledger/ledger.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "settings/zei_form.h"
#include "support/gui_window_test.h"
#include "support/layout_check.h"
#include "support/test_files.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

using testing::child;

class ZeiFormTest : public testing::WindowTest {
protected:
    // Opens the window as the menu does, types `typed` over the rate (unless
    // null) and presses `button`; returns what show_zei_form returned and the
    // rate the box showed on opening.
    bool run(const QString& typed, const char* button, QString* shown = nullptr,
             bool stays_open = false) {
        modals.next([=](QDialog& form) {
            form.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
            auto* text1 = child<QLineEdit>(form, "Text1");
            if (shown)
                *shown = text1->text();
            if (!typed.isNull()) {
                text1->setFocus();
                text1->selectAll();
                QTest::keyClicks(text1, typed);
            }
            QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
            EXPECT_EQ(form.isVisible(), stays_open);
            if (stays_open) {
                EXPECT_EQ(QApplication::focusWidget(), text1);
                child<QPushButton>(form, "Command2")->click();
            }
        });
        return show_zei_form(nullptr, *ledger);
    }
};

TEST_F(ZeiFormTest, ShowsTheRateWithThreeDecimals) {
    ZeiForm form(*ledger);
    EXPECT_EQ(child<QLineEdit>(form, "Text1")->text(), u"5.000"_s);
    testing::expect_tidy_layout(form);
}

TEST_F(ZeiFormTest, OkWithoutChangeKeepsTheRate) {
    EXPECT_TRUE(run(QString(), "Command1"));
    EXPECT_EQ(ledger->zeiritu, 5);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ZeiFormTest, EightIsStoredAndShownNextTimeAndReachesTheTaxButton) {
    EXPECT_TRUE(run(u"8"_s, "Command1"));
    EXPECT_EQ(ledger->zeiritu, 8);
    QString shown;
    EXPECT_FALSE(run(u"10"_s, "Command2", &shown));
    EXPECT_EQ(shown, u"8.000"_s);
    EXPECT_EQ(ledger->zeiritu, 8);

    MonthEdits edits(*ledger);
    KinyuForm entry(edits, 0);
    EXPECT_EQ(child<QPushButton>(entry, "Command5")->text(), u"8.000%加算"_s);
}

TEST_F(ZeiFormTest, TheLeadingNumberIsStored) {
    EXPECT_TRUE(run(u"1,000"_s, "Command1"));
    EXPECT_EQ(ledger->zeiritu, 1);
    EXPECT_TRUE(run(u" 7.5 "_s, "Command1"));
    EXPECT_EQ(ledger->zeiritu, 7.5);
    EXPECT_TRUE(run(u"0"_s, "Command1"));
    EXPECT_EQ(ledger->zeiritu, 0);
}

TEST_F(ZeiFormTest, LettersAndNegativeRatesAreRefused) {
    EXPECT_FALSE(run(u"abc"_s, "Command1", nullptr, true));
    EXPECT_EQ(messages.texts(), QStringList{u"数字を入力して下さいね。"_s});
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ledger->zeiritu, 5);

    messages.clear();
    EXPECT_FALSE(run(u"-3"_s, "Command1", nullptr, true));
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().front().contains(u"マイナス"_s));
    EXPECT_EQ(ledger->zeiritu, 5);
}

} // namespace
} // namespace kanvelo
