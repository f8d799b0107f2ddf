#pragma once

#include <QPointer>
#include <QScrollBar>

class QLineEdit;

namespace kanvelo {

// A vertical scroll bar used as a spinner: its up arrow increases the value,
// within [minimum, maximum]. value_changed is sent for every change, including
// set_value from code; when a box is bound the value is first written into it
// as plain digits (binding itself leaves the box as it is).
class Spinner : public QScrollBar {
    Q_OBJECT
public:
    explicit Spinner(int minimum, int maximum, QWidget* parent = nullptr);

    int value() const;
    void set_value(int value); // clamped to the range
    void bind(QLineEdit* box);

    // What the arrows do, for tests and keyboard handling.
    void step_up();
    void step_down();

Q_SIGNALS:
    void value_changed(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void invert_action(int action);
    void on_value_changed(int value);

    QPointer<QLineEdit> box_;
};

} // namespace kanvelo
