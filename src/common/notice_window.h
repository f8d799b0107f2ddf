#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;

namespace kanvelo {

// One text of a notice window, placed in twips.
struct NoticeLabel {
    QString name;
    QString text;
    double left, top, width, height;
};

// One button of a notice window; every button closes the window.
struct NoticeButton {
    QString name;
    QString caption;
    double left, width;
};

// What a small notice window shows: its name, caption, texts and buttons.
struct Notice {
    QString name;
    QString caption;
    QList<NoticeLabel> labels;
    QList<NoticeButton> buttons;
    double button_top;
    double width, height;
};

// The one recipe of the small windows that tell the user something and wait
// for a button: the record limit, the carry-over, a missing month, the exit
// question and the unexpected-error window.
class NoticeWindow : public QDialog {
    Q_OBJECT
public:
    explicit NoticeWindow(const Notice& notice, QWidget* parent = nullptr);

    // The button that closed the window (its index), or -1 for the close box and Esc.
    int pressed() const { return pressed_; }
    QLabel* label(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int pressed_ = -1;
};

// Shows the notice modally; returns the index of the button pressed, -1 when
// the window was closed otherwise.
int show_notice(QWidget* parent, const Notice& notice);

} // namespace kanvelo
