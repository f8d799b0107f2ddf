#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the version window, drawn at run time so that the program
// carries no image files.
namespace kanvelo {

// The application's emblem: an open account book with a yen mark.
QPixmap app_icon_pixmap(int size);
QIcon app_icon();

// The 198 x 96 picture of the version window: the name and the emblem.
QPixmap version_banner();

} // namespace kanvelo
