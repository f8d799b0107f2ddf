#include "platform/modal.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

// A window with one box and an OK button; `on_ok` runs before it closes.
class TestForm : public QDialog {
public:
    explicit TestForm(const QString& name, std::function<void()> on_ok = {}) {
        setObjectName(name);
        auto* layout = new QVBoxLayout(this);
        box = new QLineEdit(this);
        box->setObjectName(name + u"_box"_s);
        ok = new QPushButton(u"OK"_s, this);
        ok->setObjectName(name + u"_ok"_s);
        layout->addWidget(box);
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, [this, on_ok] {
            if (on_ok)
                on_ok();
            accept();
        });
    }
    QLineEdit* box;
    QPushButton* ok;
};

} // namespace

TEST(Modal, DriverFillsBoxAndPressesButtonInsideTheWindow) {
    ModalDriver driver;
    bool was_visible = false;
    driver.next([&](QDialog& dialog) {
        was_visible = dialog.isVisible();
        dialog.findChild<QLineEdit*>(u"form_box"_s)->setText(u"1,234"_s);
        dialog.findChild<QPushButton*>(u"form_ok"_s)->click();
    });

    TestForm form(u"form"_s);
    EXPECT_EQ(run_modal(form), QDialog::Accepted);
    EXPECT_TRUE(was_visible);
    EXPECT_EQ(form.box->text(), u"1,234"_s);
    EXPECT_EQ(driver.opened(), QStringList{u"form"_s});
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(Modal, NestedWindowsAreDrivenInTheOrderTheyOpen) {
    ModalDriver driver;
    QString inner_text;
    int inner_result = -1;
    // The outer window's OK opens the inner window and reads it before closing.
    TestForm outer(u"outer"_s, [&] {
        TestForm inner(u"inner"_s);
        inner_result = run_modal(inner);
        inner_text = inner.box->text();
    });
    driver.next([](QDialog& dialog) { dialog.findChild<QPushButton*>(u"outer_ok"_s)->click(); });
    driver.next([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(u"inner_box"_s)->setText(u"内側"_s);
        dialog.findChild<QPushButton*>(u"inner_ok"_s)->click();
    });

    EXPECT_EQ(run_modal(outer), QDialog::Accepted);
    EXPECT_EQ(inner_result, QDialog::Accepted);
    EXPECT_EQ(inner_text, u"内側"_s);
    EXPECT_EQ(driver.opened(), (QStringList{u"outer"_s, u"inner"_s}));
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(Modal, WindowWithoutHandlerIsRejectedAndCounted) {
    ModalDriver driver;
    TestForm form(u"unplanned"_s);
    EXPECT_EQ(run_modal(form), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(driver.unexpected(), 1);
    EXPECT_EQ(driver.opened(), QStringList{u"unplanned"_s});
}

TEST(Modal, HandlerThatLeavesTheWindowOpenDoesNotHang) {
    ModalDriver driver;
    driver.next(
        [](QDialog& dialog) { dialog.findChild<QLineEdit*>(u"form_box"_s)->setText(u"x"_s); });
    TestForm form(u"form"_s);
    EXPECT_EQ(run_modal(form), QDialog::Rejected);
    EXPECT_EQ(driver.unexpected(), 1);
}

TEST(Modal, InnerDriverTakesOverAndOuterOneResumes) {
    ModalDriver outer;
    outer.next([](QDialog& dialog) { dialog.accept(); });
    {
        ModalDriver inner;
        TestForm form(u"a"_s);
        EXPECT_EQ(run_modal(form), QDialog::Rejected);
        EXPECT_EQ(inner.unexpected(), 1);
    }
    TestForm form(u"b"_s);
    EXPECT_EQ(run_modal(form), QDialog::Accepted);
    EXPECT_EQ(outer.opened(), QStringList{u"b"_s});
    EXPECT_EQ(outer.unexpected(), 0);
}

TEST(Modal, WindowIsCentredOnTheScreen) {
    ModalDriver driver;
    QRect frame;
    driver.next([&](QDialog& dialog) {
        frame = dialog.frameGeometry();
        dialog.accept();
    });
    TestForm form(u"form"_s);
    form.resize(300, 200);
    run_modal(form);

    // The frame is only known once the window is shown: allow for its margins.
    const QPoint offset =
        frame.center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 4);
    EXPECT_LE(std::abs(offset.y()), 4);
}
