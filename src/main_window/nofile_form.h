#pragma once

#include <QDialog>

namespace kanvelo {

// "家計簿データ無し": the month a calculation needs has no file.
// わかった closes it; そんなはずは無い closes it and asks for situkoi_form.
class NofileForm : public QDialog {
    Q_OBJECT
public:
    explicit NofileForm(QWidget* parent = nullptr);

    bool situkoi_chosen() const { return situkoi_; }

private:
    bool situkoi_ = false;
};

// Shows nofile_form modally and, when the user insists, situkoi_form after it.
void show_nofile(QWidget* parent);

} // namespace kanvelo
