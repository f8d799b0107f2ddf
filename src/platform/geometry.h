#pragma once

class QWidget;

namespace kanvelo {

// Window geometry in twips (1440 per inch; 15 twips per logical pixel at 96 dpi).
int twips_to_px(double twips);
double px_to_twips(int px);

// Places a widget by twips (left, top, width, height), as a form designer would.
void place_twips(QWidget* widget, double left, double top, double width, double height);
void resize_twips(QWidget* widget, double width, double height);

// left = (screen width - width) / 2, top = (screen height - height) / 2.
void center_on_screen(QWidget* window);

} // namespace kanvelo
