#include "platform/message_box.h"
#include "platform/storable_text.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

TEST(StorableText, KeepsWhatTheFilesCanHoldAndBlanksWhatWouldBreakALine) {
    const struct {
        QString typed;
        QString kept;
        QString removed;
    } cases[] = {
        {u"晴れ①ﾃｽﾄ～"_s, u"晴れ①ﾃｽﾄ～"_s, u""_s},
        {u"a😀b😀cé"_s, u"abc"_s, u"😀é"_s},
        {u"上\r\n下"_s, u"上  下"_s, u""_s},
        {u"品名\t数量"_s, u"品名 数量"_s, u""_s},
        {u"¥100"_s, u"100"_s, u"¥"_s},
        {u""_s, u""_s, u""_s},
    };
    for (const auto& c : cases) {
        QString removed;
        EXPECT_EQ(storable_text(c.typed, &removed), c.kept) << c.typed.toStdString();
        EXPECT_EQ(removed, c.removed) << c.typed.toStdString();
    }
}

TEST(StorableText, ABoxRefusesWhatArrivesWithOneMessageAndKeepsTheCursor) {
    MessageRecorder messages;
    QLineEdit box;
    keep_storable(&box);
    box.setText(u"昼食代"_s);
    box.setCursorPosition(2);
    box.insert(u"😀\t"_s);
    EXPECT_EQ(box.text(), u"昼食 代"_s);
    EXPECT_EQ(box.cursorPosition(), 3);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.texts().first(), unstorable_message(u"😀"_s));

    messages.clear();
    box.setText(u"改行\nだけ"_s); // blanks need no message
    EXPECT_EQ(box.text(), u"改行 だけ"_s);
    EXPECT_TRUE(messages.texts().isEmpty());
}

} // namespace
} // namespace kanvelo
