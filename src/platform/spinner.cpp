#include "platform/spinner.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace kanvelo {

Spinner::Spinner(int minimum, int maximum, QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setRange(minimum, maximum);
    setSingleStep(1);
    setPageStep(1);
    // Larger values sit at the top, and every action that moves the slider
    // upward must increase the value; a scroll bar does the opposite.
    setInvertedAppearance(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, &Spinner::invert_action);
    connect(this, &QAbstractSlider::valueChanged, this, &Spinner::on_value_changed);
}

int Spinner::value() const {
    return QScrollBar::value();
}

void Spinner::set_value(int value) {
    setValue(value);
}

void Spinner::bind(QLineEdit* box) {
    box_ = box;
}

void Spinner::step_up() {
    setValue(value() + singleStep());
}

void Spinner::step_down() {
    setValue(value() - singleStep());
}

void Spinner::invert_action(int action) {
    // Only the arrows and the trough reach here: keys and the wheel are
    // handled below.
    switch (action) {
    case SliderSingleStepAdd:
        setSliderPosition(value() - singleStep());
        break;
    case SliderSingleStepSub:
        setSliderPosition(value() + singleStep());
        break;
    case SliderPageStepAdd:
        setSliderPosition(value() - pageStep());
        break;
    case SliderPageStepSub:
        setSliderPosition(value() + pageStep());
        break;
    default:
        break;
    }
}

void Spinner::on_value_changed(int value) {
    if (box_)
        box_->setText(QString::number(value));
    Q_EMIT value_changed(value);
}

void Spinner::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
        step_up();
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_PageDown:
        step_down();
        break;
    case Qt::Key_Home:
        setValue(minimum());
        break;
    case Qt::Key_End:
        setValue(maximum());
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Spinner::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta > 0)
        step_up();
    else if (delta < 0)
        step_down();
    event->accept();
}

} // namespace kanvelo
