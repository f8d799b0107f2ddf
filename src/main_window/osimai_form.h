#pragma once

#include <QDialog>

namespace kanvelo {

enum class OsimaiAnswer {
    Hai,    // save, then end
    Iie,    // end without saving
    Closed, // the question itself was closed by its close box or Esc
};

// "ぽるるおしまい": asked when the main window is closed by its close box.
class OsimaiForm : public QDialog {
    Q_OBJECT
public:
    explicit OsimaiForm(QWidget* parent = nullptr);

    OsimaiAnswer answer() const { return answer_; }

private:
    OsimaiAnswer answer_ = OsimaiAnswer::Closed;
};

// Shows osimai_form modally and returns what the user chose.
OsimaiAnswer ask_osimai(QWidget* parent);

} // namespace kanvelo
