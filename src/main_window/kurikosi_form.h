#pragma once

#include <QDialog>

namespace kanvelo {

// "繰り越し": tells the user what the carry-over is about to do.
class KurikosiForm : public QDialog {
    Q_OBJECT
public:
    explicit KurikosiForm(QWidget* parent = nullptr);
};

} // namespace kanvelo
