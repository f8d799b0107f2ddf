#pragma once

#include <QIcon>
#include <QPixmap>

// The application's icon and the picture of the version window.
namespace kanvelo {

// The application's icon: an open account book with a yen mark, from the
// PNGs of data/icons built into the program.
QPixmap app_icon_pixmap(int size);
QIcon app_icon();

// The 198 x 96 picture of the version window: the name and the emblem.
QPixmap version_banner();

} // namespace kanvelo
