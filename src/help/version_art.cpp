#include "help/version_art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QColor kCover(0x2e, 0x7d, 0x5b);
const QColor kInk(0x1f, 0x3b, 0x4d);

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

} // namespace

QIcon app_icon() {
    // The same PNGs the install puts in the desktop's icon theme.
    QIcon icon;
    for (int size : kIconSizes)
        icon.addFile(u":/icons/%1x%1/org.kanvelo.Kanvelo.png"_s.arg(size), QSize(size, size));
    return icon;
}

QPixmap app_icon_pixmap(int size) {
    return app_icon().pixmap(size, size);
}

QPixmap version_banner() {
    constexpr int kWidth = 198;
    constexpr int kHeight = 96;
    QPixmap pm(kWidth, kHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0xe8, 0xf4, 0xee));
    sky.setColorAt(1, QColor(0xc4, 0xe3, 0xd3));
    p.fillRect(pm.rect(), sky);
    p.setPen(QPen(kCover, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, kWidth - 2, kHeight - 2), 8, 8);

    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRectF(12, 20, 56, 56), app_icon_pixmap(256), QRectF(0, 0, 256, 256));

    // The largest size at which the name fits whatever font the desktop has.
    const QString title = u"kanvelo"_s;
    const QRectF title_box(74, 14, kWidth - 82, 44);
    QFont name;
    name.setBold(true);
    for (int px = 30; px > 10; --px) {
        name.setPixelSize(px);
        if (QFontMetricsF(name).horizontalAdvance(title) <= title_box.width())
            break;
    }
    p.setFont(name);
    p.setPen(kInk);
    p.drawText(title_box, Qt::AlignLeft | Qt::AlignVCenter, title);

    QFont sub;
    sub.setPixelSize(13);
    p.setFont(sub);
    p.setPen(kCover.darker(120));
    p.drawText(QRectF(76, 56, kWidth - 82, 24), Qt::AlignLeft | Qt::AlignVCenter, u"家計簿"_s);
    return pm;
}

} // namespace kanvelo
