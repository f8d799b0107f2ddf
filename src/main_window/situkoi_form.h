#pragma once

#include <QDialog>

namespace kanvelo {

// "くどい！": the answer to insisting that last month's file exists.
class SitukoiForm : public QDialog {
    Q_OBJECT
public:
    explicit SitukoiForm(QWidget* parent = nullptr);
};

} // namespace kanvelo
