#include "AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace trb {

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const double u = size / 16.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(58, 110, 165));
        painter.drawRoundedRect(QRectF(2 * u, 10 * u, 12 * u, 5 * u), u, u);
        painter.setBrush(QColor(0, 200, 0));
        painter.drawEllipse(QPointF(11.5 * u, 12.5 * u), 0.9 * u, 0.9 * u);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(58, 110, 165), 1.2 * u, Qt::SolidLine, Qt::RoundCap));
        for (int ring = 1; ring <= 2; ++ring) {
            const double r = 2.6 * ring * u;
            painter.drawArc(QRectF(8 * u - r, 8 * u - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace trb
