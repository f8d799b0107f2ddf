#include "help/help_key.h"

#include "help/help_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kanvelo {

HelpKey::HelpKey(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

HelpKey::~HelpKey() {
    if (qApp)
        qApp->removeEventFilter(this);
}

QStringList help_names_of(const QWidget* widget) {
    QStringList names;
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        names << w->objectName();
        if (w->isWindow())
            break;
    }
    return names;
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    // The key arrives at the focused widget (and its parents); act once, there.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget != QApplication::focusWidget())
        return false;
    QWidget* window = widget->window();
    // The guide itself, and the main window, whose menu gives F1 to 使い方.
    if (qobject_cast<HelpForm*>(window) || window->inherits("QMainWindow"))
        return false;
    show_help(window, help_names_of(widget));
    return true;
}

} // namespace kanvelo
