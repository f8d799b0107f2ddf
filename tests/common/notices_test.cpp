#include "common/notice_window.h"
#include "common/notices.h"
#include "platform/modal.h"
#include "support/layout_check.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

void press(QDialog& window, const QString& name) {
    auto* button = window.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Each notice as a user meets it: which windows open, in order, for the button
// pressed, and that none of them is cut off or overlapping.
TEST(Notices, EachButtonClosesItsWindowAndLeadsWhereItShould) {
    const struct {
        std::function<void()> show;
        QString button; // pressed in the first window; empty: closed by Esc
        QStringList opened;
    } cases[] = {
        {[] { show_genkai(nullptr); }, u"genkai_OK"_s, {u"GENKAI_form"_s}},
        {[] { show_kurikosi_notice(nullptr); }, u"Command1"_s, {u"kurikosi_form"_s}},
        {[] { show_nofile(nullptr); }, u"nofile_OK"_s, {u"nofile_form"_s}},
        {[] { show_nofile(nullptr); }, u"nofile_situkoi"_s, {u"nofile_form"_s, u"situkoi_form"_s}},
        {[] { show_nofile(nullptr); }, u""_s, {u"nofile_form"_s}},
        {[] { show_failure_modal(nullptr, u"~200403.dat 12行目"_s); },
         u"taihen_OK"_s,
         {u"debugwindow"_s}},
    };
    for (const auto& c : cases) {
        ModalDriver driver;
        driver.next([&](QDialog& w) {
            testing::expect_tidy_layout(w);
            if (c.button.isEmpty())
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                press(w, c.button);
        });
        if (c.opened.size() > 1)
            driver.next([](QDialog& w) {
                testing::expect_tidy_layout(w);
                press(w, u"situkoi_ok"_s);
            });
        c.show();
        EXPECT_EQ(driver.opened(), c.opened) << c.button.toStdString();
        EXPECT_EQ(driver.unexpected(), 0);
        EXPECT_EQ(driver.pending(), 0);
    }
}

TEST(Notices, ExitQuestionTellsWhichAnswerClosedIt) {
    ModalDriver driver;
    const std::function<void(QDialog&)> answers[] = {
        [](QDialog& w) { press(w, u"osimai_hai"_s); },
        [](QDialog& w) { press(w, u"osimai_iie"_s); },
        [](QDialog& w) { w.close(); },
        [](QDialog& w) { QTest::keyClick(&w, Qt::Key_Escape); },
    };
    const OsimaiAnswer expected[] = {OsimaiAnswer::Hai, OsimaiAnswer::Iie, OsimaiAnswer::Closed,
                                     OsimaiAnswer::Closed};
    for (int i = 0; i < 4; ++i) {
        driver.next(answers[i]);
        EXPECT_EQ(ask_osimai(nullptr), expected[i]) << i;
    }
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(Notices, FailureWindowDoesNotBlockAndShowsItsCodeAndNote) {
    QPointer<NoticeWindow> window =
        show_failure(nullptr, u"~200403.dat 120行目：数字が入るところに数字以外の文字があります"_s,
                     u"元のファイルは、保存の前に「~200403.dat.damaged」として残します。"_s);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->label(u"Label2"_s)->text().contains(u"（~200403.dat 120行目"_s));
    EXPECT_TRUE(window->label(u"Label3"_s)->text().contains(u"~200403.dat.damaged"_s));
    testing::expect_tidy_layout(*window);
    press(*window, u"taihen_OK"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(contact_line({}), u"作者に連絡して下さい。（KV71）"_s);
}

} // namespace
} // namespace kanvelo
