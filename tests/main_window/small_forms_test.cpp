#include "help/layout_check.h"
#include "ledger/ledger.h"
#include "main_window/debug_window.h"
#include "main_window/genkai_form.h"
#include "main_window/kurikosi_form.h"
#include "main_window/nofile_form.h"
#include "main_window/open_form.h"
#include "main_window/osimai_form.h"
#include "main_window/situkoi_form.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/spinner.h"
#include "support/test_files.h"

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

template <class T> T* child(QWidget& window, const char* name) {
    T* w = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QString label_text(QWidget& window, const char* name) {
    QLabel* label = child<QLabel>(window, name);
    return label ? label->text() : QString();
}

void press(QWidget& window, const char* name) {
    QPushButton* button = child<QPushButton>(window, name);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
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
    EXPECT_EQ(form.objectName(), QStringLiteral("open_form"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("別の月の家計簿を開きます"));
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
    EXPECT_EQ(label_text(form, "Label1"), QStringLiteral("年"));
    EXPECT_EQ(label_text(form, "Label2"), QStringLiteral("月"));
    EXPECT_EQ(child<QPushButton>(form, "open_hiraku")->text(), QStringLiteral("開く"));
    EXPECT_EQ(child<QPushButton>(form, "open_yame")->text(), QStringLiteral("取りやめ"));
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
    EXPECT_FALSE(ledger->open_ok);

    QTest::keyClick(child<QPushButton>(form, "open_hiraku"), Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(ledger->open_ok);
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
    EXPECT_FALSE(ledger->open_ok);
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

TEST(SmallForms, GenkaiNamesTheEntryLimit) {
    GenkaiForm form;
    EXPECT_EQ(form.objectName(), QStringLiteral("GENKAI_form"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("も、もう限界です！！"));
    EXPECT_EQ(label_text(form, "Label1"), QStringLiteral("収支データが1000件を越えました。"));
    EXPECT_EQ(label_text(form, "Label2"),
              QStringLiteral("申し訳ありませんが、1000件までしかデータを登録できません。"));
    expect_tidy_layout(form);

    ModalDriver driver;
    driver.next([](QDialog& shown) { press(shown, "genkai_OK"); });
    show_genkai(nullptr);
    EXPECT_EQ(driver.opened(), QStringList{QStringLiteral("GENKAI_form")});
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(SmallForms, KurikosiExplainsTheCarryOverAndClosesOnOk) {
    KurikosiForm form;
    EXPECT_EQ(form.objectName(), QStringLiteral("kurikosi_form"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("繰り越し"));
    EXPECT_EQ(
        label_text(form, "Label1"),
        QStringLiteral("指定した財布・口座の、先月の家計簿の残金を計算し、金額欄に入力します。"));
    expect_tidy_layout(form);
    form.show();
    press(form, "Command1");
    EXPECT_FALSE(form.isVisible());
}

TEST(SmallForms, InsistingThatTheFileExistsBringsUpSitukoi) {
    ModalDriver driver;
    driver.next([](QDialog& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("家計簿データ無し"));
        EXPECT_EQ(label_text(form, "Label1"),
                  QStringLiteral("先月又は前年同月の家計簿データがありません。"));
        EXPECT_EQ(child<QPushButton>(form, "nofile_OK")->text(), QStringLiteral("わかった"));
        EXPECT_EQ(child<QPushButton>(form, "nofile_situkoi")->text(),
                  QStringLiteral("そんなはずは無い"));
        expect_tidy_layout(form);
        press(form, "nofile_situkoi");
    });
    driver.next([](QDialog& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("くどい！"));
        EXPECT_EQ(label_text(form, "Label1"),
                  QStringLiteral("そんなこと言ったって、無いものは無い！！"));
        expect_tidy_layout(form);
        press(form, "situkoi_ok");
    });
    show_nofile(nullptr);
    EXPECT_EQ(driver.opened(),
              (QStringList{QStringLiteral("nofile_form"), QStringLiteral("situkoi_form")}));
    EXPECT_EQ(driver.unexpected(), 0);
    EXPECT_EQ(driver.pending(), 0);

    driver.next([](QDialog& form) { press(form, "nofile_OK"); });
    show_nofile(nullptr);
    EXPECT_EQ(driver.opened().size(), 3);
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(SmallForms, OsimaiTellsWhichAnswerClosedIt) {
    ModalDriver driver;
    driver.next([](QDialog& form) {
        EXPECT_EQ(form.objectName(), QStringLiteral("osimai_form"));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("ぽるるおしまい"));
        EXPECT_EQ(label_text(form, "Label1"),
                  QStringLiteral("入力したデータをファイルに保存しますか？"));
        EXPECT_EQ(child<QPushButton>(form, "osimai_hai")->text(), QStringLiteral("はい"));
        EXPECT_EQ(child<QPushButton>(form, "osimai_iie")->text(), QStringLiteral("いいえ"));
        expect_tidy_layout(form);
        press(form, "osimai_hai");
    });
    EXPECT_EQ(ask_osimai(nullptr), OsimaiAnswer::Hai);
    driver.next([](QDialog& form) { press(form, "osimai_iie"); });
    EXPECT_EQ(ask_osimai(nullptr), OsimaiAnswer::Iie);
    driver.next([](QDialog& form) { form.close(); });
    EXPECT_EQ(ask_osimai(nullptr), OsimaiAnswer::Closed);
    driver.next([](QDialog& form) { QTest::keyClick(&form, Qt::Key_Escape); });
    EXPECT_EQ(ask_osimai(nullptr), OsimaiAnswer::Closed);
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(SmallForms, DebugWindowShowsItsCodeWithoutBlocking) {
    QPointer<DebugWindow> window =
        DebugWindow::show_failure(nullptr, QStringLiteral("~200403.dat 12行目"));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->objectName(), QStringLiteral("debugwindow"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("たいへんだぁ！！"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(label_text(*window, "Label1"), QStringLiteral("予期しないエラーが発生しました。"));
    EXPECT_EQ(label_text(*window, "Label2"),
              QStringLiteral("作者に連絡して下さい。（~200403.dat 12行目）"));
    expect_tidy_layout(*window);

    press(*window, "taihen_OK");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(SmallForms, DebugWindowKeepsALongCodeReadable) {
    DebugWindow window;
    EXPECT_EQ(label_text(window, "Label2"), QStringLiteral("作者に連絡して下さい。（KV71）"));
    window.set_contact_code(
        QStringLiteral("~200403.dat 120行目：数字が入るところに数字以外の文字があります"));
    expect_tidy_layout(window);
}

} // namespace
} // namespace kanvelo
