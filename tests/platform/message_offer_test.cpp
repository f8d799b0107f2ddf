#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/storable_lines.h"
#include "platform/storable_text.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace Qt::StringLiterals;

namespace {

// The offered button answers true; OK and closing the box answer false.
TEST(MessageOffer, OnlyTheOfferedButtonAnswersTrue) {
    ModalDriver driver;
    auto press = [](const QString& caption) {
        return [caption](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr);
            ASSERT_EQ(box->buttons().size(), 2);
            for (QAbstractButton* b : box->buttons())
                if (b->text() == caption)
                    b->click();
        };
    };
    driver.next(press(u"フォルダを開く"_s));
    driver.next(press(u"OK"_s));
    EXPECT_TRUE(show_message_offering(nullptr, u"a"_s, {}, MsgIcon::None, u"フォルダを開く"_s));
    EXPECT_FALSE(show_message_offering(nullptr, u"b"_s, {}, MsgIcon::None, u"フォルダを開く"_s));
    EXPECT_FALSE(show_message_offering(nullptr, u"c"_s, {}, MsgIcon::None, u"フォルダを開く"_s));
    EXPECT_EQ(driver.unexpected(), 1);
}

// Line breaks and tabs stay in a memo; what the files cannot hold is refused.
TEST(StorableLines, KeepsLinesAndRefusesWhatCannotBeStored) {
    MessageRecorder messages;
    QPlainTextEdit box;
    keep_storable_lines(&box);
    box.setPlainText(u"入金\t100\n出金"_s);
    EXPECT_TRUE(messages.texts().isEmpty());
    box.moveCursor(QTextCursor::End);
    box.insertPlainText(u"😀 50\n€"_s);
    EXPECT_EQ(box.toPlainText(), u"入金\t100\n出金 50\n"_s);
    EXPECT_EQ(messages.texts(), QStringList{unstorable_message(u"😀€"_s)});
}

} // namespace
