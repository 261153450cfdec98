#include "gui/shell/logo.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tarvomen::gui {

QPixmap tarvomenLogo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // The tile.
    QLinearGradient tile(0, 0, s, s);
    tile.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    tile.setColorAt(1, QColor(0x0b, 0x7a, 0x75));
    p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.0, s * 0.015)));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0, 0, s, s).adjusted(s * 0.02, s * 0.02, -s * 0.02, -s * 0.02),
                      s * 0.18, s * 0.18);
    p.setPen(Qt::NoPen);

    // A page with a folded corner, standing for the generated site.
    const QRectF page(s * 0.16, s * 0.14, s * 0.46, s * 0.60);
    const qreal fold = s * 0.12;
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.bottomRight());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    p.setBrush(QColor(0xf7, 0xf4, 0xea));
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(0xc9, 0xc2, 0xae));
    p.drawPath(corner);
    // Text lines on the page.
    p.setBrush(QColor(0x9a, 0xa7, 0xb8));
    for (int i = 0; i < 4; ++i) {
        const qreal width = (i % 2 ? 0.24 : 0.30) * s;
        p.drawRoundedRect(
            QRectF(page.left() + s * 0.06, page.top() + s * (0.20 + 0.09 * i), width, s * 0.035),
            s * 0.015, s * 0.015);
    }

    // The globe, in front of the page's lower right corner.
    const QPointF centre(s * 0.64, s * 0.64);
    const qreal r = s * 0.24;
    QRadialGradient sea(centre - QPointF(r * 0.4, r * 0.4), r * 1.6);
    sea.setColorAt(0, QColor(0xff, 0xd2, 0x6a));
    sea.setColorAt(1, QColor(0xe0, 0x8a, 0x1e));
    p.setBrush(sea);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff), s * 0.025));
    p.drawEllipse(centre, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff, 0xd0), s * 0.018));
    p.drawEllipse(centre, r * 0.45, r);
    p.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
    p.drawLine(QPointF(centre.x(), centre.y() - r), QPointF(centre.x(), centre.y() + r));
    const qreal band = r * 0.5;
    const qreal half = std::sqrt(r * r - band * band);
    p.drawLine(QPointF(centre.x() - half, centre.y() - band),
               QPointF(centre.x() + half, centre.y() - band));
    p.drawLine(QPointF(centre.x() - half, centre.y() + band),
               QPointF(centre.x() + half, centre.y() + band));
    return pixmap;
}

QIcon tarvomenIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(tarvomenLogo(size));
    return icon;
}

}  // namespace tarvomen::gui
