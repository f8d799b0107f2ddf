#include "platform/enter_dialog.h"

#include "platform/keys.h"

#include <QKeyEvent>

namespace kanvelo {

void EnterDialog::keyPressEvent(QKeyEvent* event) {
    if (press_focused_button(this, event))
        return;
    QDialog::keyPressEvent(event);
}

} // namespace kanvelo
