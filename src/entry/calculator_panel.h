#pragma once

#include "entry/calculator.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kanvelo {

// The calculator band at the bottom of the entry window: the display, the
// memory, the eight buttons and the key help. The window shows the band by
// growing taller and cuts it off by shrinking; the panel only calculates and
// says when its result is wanted or when it is put away.
class CalculatorPanel : public QWidget {
    Q_OBJECT
public:
    // Top of the band in the window's client area, in twips.
    static constexpr double kTop = 5040;

    explicit CalculatorPanel(QWidget* window);

    // Fresh state for every opening of the entry window, with the tax rate on
    // its button.
    void reset_for_opening(double zeiritu);
    // "電卓": shows 0 and a zero memory and takes the focus.
    void turn_on();
    // Out of sight the band must not take the focus.
    void set_shown(bool shown);

    QLineEdit* display_box() const { return display_; }

Q_SIGNALS:
    // "金額欄に記入": the display as plain number text for the amount box.
    void amount_ready(const QString& amount);
    // "電卓終了".
    void put_away();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show_state();
    void button(void (Calculator::*op)());
    bool key(QKeyEvent* event);

    Calculator calc_;
    double zeiritu_ = 5;
    QLineEdit* display_ = nullptr;
    QLabel* memory_ = nullptr;
    QPushButton* tax_ = nullptr;
};

} // namespace kanvelo
