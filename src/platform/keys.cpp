#include "platform/keys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace kanvelo {

bool is_enter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool is_enter_or_tab(const QKeyEvent* event) {
    return is_enter(event->key()) ||
           (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ControlModifier));
}

bool press_focused_button(QWidget* window, QKeyEvent* event) {
    if (!is_enter(event->key()))
        return false;
    if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        button && window->isAncestorOf(button))
        button->click();
    event->accept();
    return true;
}

bool entered_by_user(const QEvent* focus_in) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(focus_in)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace kanvelo
