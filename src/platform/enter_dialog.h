#pragma once

#include <QDialog>

namespace kanvelo {

// A window whose Enter presses the focused button and only that: no button is
// a default one, so that Enter in a box never records, writes back or deletes
// by surprise. Other keys (Esc among them) behave as in any dialog.
class EnterDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kanvelo
