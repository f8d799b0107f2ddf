#pragma once

#include <QDialog>

class QWidget;

namespace kanvelo {

// "も、もう限界です！！": the month holds as many entries as it can.
class GenkaiForm : public QDialog {
    Q_OBJECT
public:
    explicit GenkaiForm(QWidget* parent = nullptr);
};

// Shows GENKAI_form modally.
void show_genkai(QWidget* parent);

} // namespace kanvelo
