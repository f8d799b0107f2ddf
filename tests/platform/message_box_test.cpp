#include "platform/message_box.h"
#include "platform/modal.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

QStringList sorted(QStringList texts) {
    texts.sort();
    return texts;
}

QStringList button_texts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts.append(button->text());
    texts.sort();
    return texts;
}

QAbstractButton* button_with_text(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

TEST(MessageBox, RecorderAnswersFromQueueThenWithFirstButton) {
    MessageRecorder recorder;
    recorder.answer_next(MsgAnswer::No);
    recorder.answer_next(MsgAnswer::Cancel);

    EXPECT_EQ(
        show_message(nullptr, u"保存しますか？"_s, {}, MsgIcon::Question, MsgButtons::YesNoCancel),
        MsgAnswer::No);
    EXPECT_EQ(show_message(nullptr, u"b"_s, {}, MsgIcon::None, MsgButtons::OkCancel),
              MsgAnswer::Cancel);
    // Queue used up: the first button of each box.
    EXPECT_EQ(show_message(nullptr, u"c"_s, {}, MsgIcon::None, MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(show_message(nullptr, u"d"_s, {}, MsgIcon::None, MsgButtons::YesNoCancel),
              MsgAnswer::Yes);
    EXPECT_EQ(show_message(nullptr, u"e"_s, {}, MsgIcon::None, MsgButtons::OkCancel),
              MsgAnswer::Ok);
    EXPECT_EQ(
        show_message(nullptr, u"数字を入力して下さいね。"_s, u"入力エラー"_s, MsgIcon::Exclamation),
        MsgAnswer::Ok);

    EXPECT_EQ(recorder.texts(), (QStringList{u"保存しますか？"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s,
                                             u"数字を入力して下さいね。"_s}));
    const Message& first = recorder.messages().front();
    EXPECT_EQ(first.title, kAppTitle);
    EXPECT_EQ(first.icon, MsgIcon::Question);
    EXPECT_EQ(first.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(recorder.messages().back().title, u"入力エラー"_s);
    EXPECT_EQ(recorder.messages().back().icon, MsgIcon::Exclamation);
}

TEST(MessageBox, InnermostRecorderWinsAndOuterResumesAfterIt) {
    MessageRecorder outer;
    outer.answer_next(MsgAnswer::No);
    {
        MessageRecorder inner;
        inner.answer_next(MsgAnswer::Cancel);
        EXPECT_EQ(show_message(nullptr, u"inner"_s, {}, MsgIcon::None, MsgButtons::YesNoCancel),
                  MsgAnswer::Cancel);
        EXPECT_EQ(inner.texts(), QStringList{u"inner"_s});
    }
    EXPECT_EQ(show_message(nullptr, u"outer"_s, {}, MsgIcon::None, MsgButtons::YesNo),
              MsgAnswer::No);
    EXPECT_EQ(outer.texts(), QStringList{u"outer"_s});
    outer.clear();
    EXPECT_TRUE(outer.messages().empty());
}

TEST(MessageBox, RealBoxShowsJapaneseCaptionsAndReturnsTheButtonPressed) {
    ModalDriver driver;
    driver.next([](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), kAppTitle);
        EXPECT_EQ(box->text(), u"保存しますか？"_s);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(button_texts(*box), sorted({u"はい"_s, u"いいえ"_s, u"キャンセル"_s}));
        button_with_text(*box, u"いいえ"_s)->click();
    });
    driver.next([](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), u"確認"_s);
        EXPECT_EQ(button_texts(*box), sorted({u"OK"_s, u"キャンセル"_s}));
        button_with_text(*box, u"OK"_s)->click();
    });

    EXPECT_EQ(
        show_message(nullptr, u"保存しますか？"_s, {}, MsgIcon::Question, MsgButtons::YesNoCancel),
        MsgAnswer::No);
    EXPECT_EQ(show_message(nullptr, u"x"_s, u"確認"_s, MsgIcon::Critical, MsgButtons::OkCancel),
              MsgAnswer::Ok);
    EXPECT_EQ(driver.unexpected(), 0);
}

TEST(MessageBox, ClosingTheBoxAnswersCancelOrElseNoOrOk) {
    ModalDriver driver; // no handlers: every box is closed unanswered
    EXPECT_EQ(show_message(nullptr, u"a"_s, {}, MsgIcon::None, MsgButtons::YesNoCancel),
              MsgAnswer::Cancel);
    EXPECT_EQ(show_message(nullptr, u"b"_s, {}, MsgIcon::None, MsgButtons::OkCancel),
              MsgAnswer::Cancel);
    EXPECT_EQ(show_message(nullptr, u"c"_s, {}, MsgIcon::None, MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(show_message(nullptr, u"d"_s, {}, MsgIcon::None, MsgButtons::Ok), MsgAnswer::Ok);
    EXPECT_EQ(driver.unexpected(), 4);
}
