#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace kanvelo {

// The title of a message box for which no other title is given.
inline const QString kAppTitle = QStringLiteral("家計簿ぽるる");

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct Message {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString offer;       // the caption of the button show_message_offering adds
    QStringList choices; // the captions of ask_choice's two buttons
};

// Every message of the program goes through here: a modal box with the text,
// the title (kAppTitle when empty), the icon and the buttons. Returns the
// button pressed; closing the box counts as Cancel, or as No/Ok where there
// is no Cancel button.
MsgAnswer show_message(QWidget* parent, const QString& text, const QString& title = {},
                       MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok);

// A message with OK and a second button offering what the user may want to do
// next ("フォルダを開く"); true when that button was pressed. Closing the box
// counts as OK. A MessageRecorder presses the offered button on Yes.
bool show_message_offering(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                           const QString& offer);

// A question answered by one of two buttons captioned as given ("読み取り専用で
// 開く" / "終了"); true when the first was pressed. Closing the box counts as
// the second. A MessageRecorder presses the first on Yes, the second on No.
bool ask_choice(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                const QString& first, const QString& second);

// Asked after a file could not be written, so that no window becomes a trap:
// true when the user chooses to close without saving `file_name`.
bool ask_close_without_saving(QWidget* parent, const QString& file_name);

// For tests: while one exists, messages are not shown but recorded and
// answered from a queue (the first button of the box when the queue is empty).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void answer_next(MsgAnswer answer);
    const std::vector<Message>& messages() const { return messages_; }
    QStringList texts() const;
    void clear() { messages_.clear(); }

private:
    friend MsgAnswer show_message(QWidget*, const QString&, const QString&, MsgIcon, MsgButtons);
    friend bool show_message_offering(QWidget*, const QString&, const QString&, MsgIcon,
                                      const QString&);
    friend bool ask_choice(QWidget*, const QString&, const QString&, MsgIcon, const QString&,
                           const QString&);
    MsgAnswer record(Message message);
    std::vector<Message> messages_;
    std::vector<MsgAnswer> answers_;
    MessageRecorder* previous_ = nullptr;
};

} // namespace kanvelo
