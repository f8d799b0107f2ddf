#include "platform/geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace kanvelo {

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

int twips_to_px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

double px_to_twips(int px) {
    return px * kTwipsPerPixel;
}

void place_twips(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(twips_to_px(left), twips_to_px(top), twips_to_px(width),
                        twips_to_px(height));
}

void resize_twips(QWidget* widget, double width, double height) {
    widget->resize(twips_to_px(width), twips_to_px(height));
}

void center_on_screen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    // A window larger than the screen keeps its title bar on the screen.
    const int left = std::max(area.left(), area.left() + (area.width() - size.width()) / 2);
    const int top = std::max(area.top(), area.top() + (area.height() - size.height()) / 2);
    window->move(left, top);
}

} // namespace kanvelo
