#include "help/version_art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QColor kCover(0x2e, 0x7d, 0x5b);
const QColor kPaper(0xfb, 0xf7, 0xec);
const QColor kInk(0x1f, 0x3b, 0x4d);

void draw_emblem(QPainter& p, const QRectF& box) {
    const qreal w = box.width();
    const qreal h = box.height();
    p.save();
    p.translate(box.topLeft());
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(Qt::NoPen);
    p.setBrush(kCover);
    p.drawRoundedRect(QRectF(0, h * 0.08, w, h * 0.84), w * 0.12, w * 0.12);

    // Two pages of the open book.
    p.setBrush(kPaper);
    const QRectF left(w * 0.10, h * 0.16, w * 0.38, h * 0.68);
    const QRectF right(w * 0.52, h * 0.16, w * 0.38, h * 0.68);
    p.drawRect(left);
    p.drawRect(right);

    // Ruled lines on the left page, the yen mark on the right one.
    p.setPen(QPen(kCover.lighter(130), qMax<qreal>(1.0, w / 32)));
    for (int i = 1; i <= 3; ++i) {
        const qreal y = left.top() + left.height() * i / 4.0;
        p.drawLine(QPointF(left.left() + w * 0.05, y), QPointF(left.right() - w * 0.05, y));
    }
    QFont yen;
    yen.setBold(true);
    yen.setPixelSize(qMax(6, int(h * 0.5)));
    p.setFont(yen);
    p.setPen(kInk);
    p.drawText(right, Qt::AlignCenter, u"¥"_s);
    p.restore();
}

} // namespace

QPixmap app_icon_pixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    draw_emblem(p, QRectF(0, 0, size, size));
    return pm;
}

QIcon app_icon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(app_icon_pixmap(size));
    return icon;
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

    draw_emblem(p, QRectF(12, 20, 56, 56));

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
