#include "platform/message_box.h"

#include "platform/modal.h"
#include "platform/modal_hook.h"

#include <QMessageBox>
#include <QPushButton>

namespace kanvelo {

using namespace Qt::StringLiterals;

namespace {

MessageRecorder*& active_recorder() {
    static MessageRecorder* recorder = nullptr;
    return recorder;
}

MsgAnswer first_answer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

QMessageBox::Icon qt_icon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    MsgAnswer answer;
    QString caption;
};

QList<ButtonSpec> button_specs(MsgButtons buttons) {
    const ButtonSpec ok{QMessageBox::Ok, MsgAnswer::Ok, u"OK"_s};
    const ButtonSpec cancel{QMessageBox::Cancel, MsgAnswer::Cancel, u"キャンセル"_s};
    const ButtonSpec yes{QMessageBox::Yes, MsgAnswer::Yes, u"はい"_s};
    const ButtonSpec no{QMessageBox::No, MsgAnswer::No, u"いいえ"_s};
    switch (buttons) {
    case MsgButtons::Ok:
        return {ok};
    case MsgButtons::OkCancel:
        return {ok, cancel};
    case MsgButtons::YesNo:
        return {yes, no};
    case MsgButtons::YesNoCancel:
        return {yes, no, cancel};
    }
    return {ok};
}

MsgAnswer run_box(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                  MsgButtons buttons, const QString& offer = {}, const QStringList& captions = {}) {
    QMessageBox box(parent);
    box.setObjectName(u"message_box"_s);
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(qt_icon(icon));

    QList<ButtonSpec> specs = button_specs(buttons);
    for (qsizetype i = 0; i < captions.size() && i < specs.size(); ++i)
        specs[i].caption = captions.at(i);
    const qsizetype standard = specs.size();
    if (!offer.isEmpty())
        specs.append({QMessageBox::Open, MsgAnswer::Yes, offer});
    QList<QAbstractButton*> added;
    for (const ButtonSpec& choice : specs) {
        QPushButton* button = box.addButton(choice.button);
        button->setText(choice.caption);
        added.append(button);
    }
    box.setDefaultButton(static_cast<QPushButton*>(added.first()));
    // Closing the box answers Cancel, or No / Ok where there is no Cancel.
    box.setEscapeButton(added.at(standard - 1));

    if (detail::modal_driver_active())
        run_modal(box);
    else
        box.exec();

    const int pressed = added.indexOf(box.clickedButton());
    return specs.at(pressed >= 0 ? pressed : standard - 1).answer;
}

} // namespace

MsgAnswer show_message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                       MsgButtons buttons) {
    const QString shown_title = title.isEmpty() ? kAppTitle : title;
    if (MessageRecorder* recorder = active_recorder())
        return recorder->record(Message{text, shown_title, icon, buttons, {}, {}});
    return run_box(parent, text, shown_title, icon, buttons);
}

bool show_message_offering(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                           const QString& offer) {
    const QString shown_title = title.isEmpty() ? kAppTitle : title;
    if (MessageRecorder* recorder = active_recorder())
        return recorder->record(Message{text, shown_title, icon, MsgButtons::Ok, offer, {}}) ==
               MsgAnswer::Yes;
    return run_box(parent, text, shown_title, icon, MsgButtons::Ok, offer) == MsgAnswer::Yes;
}

bool ask_choice(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                const QString& first, const QString& second) {
    const QString shown_title = title.isEmpty() ? kAppTitle : title;
    if (MessageRecorder* recorder = active_recorder())
        return recorder->record(
                   Message{text, shown_title, icon, MsgButtons::YesNo, {}, {first, second}}) ==
               MsgAnswer::Yes;
    return run_box(parent, text, shown_title, icon, MsgButtons::YesNo, {}, {first, second}) ==
           MsgAnswer::Yes;
}

MsgAnswer MessageRecorder::record(Message message) {
    const MsgButtons buttons = message.buttons;
    messages_.push_back(std::move(message));
    if (answers_.empty())
        return first_answer(buttons);
    const MsgAnswer answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
}

MessageRecorder::MessageRecorder() : previous_(active_recorder()) {
    active_recorder() = this;
}

MessageRecorder::~MessageRecorder() {
    active_recorder() = previous_;
}

void MessageRecorder::answer_next(MsgAnswer answer) {
    answers_.push_back(answer);
}

QStringList MessageRecorder::texts() const {
    QStringList result;
    for (const Message& message : messages_)
        result.append(message.text);
    return result;
}

bool ask_close_without_saving(QWidget* parent, const QString& file_name) {
    return show_message(parent,
                        u"「"_s + file_name +
                            u"」に保存しないで閉じますか？\n\n"
                            u"「いいえ」を選ぶと画面に戻り、もう一度保存できます。"_s,
                        {}, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

} // namespace kanvelo
