#include "ActionIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace trb {

namespace {

// Both icons are designed on a 32 x 32 grid and scaled to the size asked for.
void BeginIcon(QPixmap &icon, QPainter &painter)
{
    icon.fill(Qt::transparent);
    painter.begin(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(icon.width() / 32.0, icon.height() / 32.0);
}

void DrawNotepad(QPainter &painter)
{
    painter.setPen(QPen(QColor(90, 90, 90), 1.0));
    painter.setBrush(QColor(252, 252, 244));
    painter.drawRect(QRectF(5.5, 5.5, 19, 24));
    painter.setPen(QPen(QColor(120, 160, 215), 1.0));
    for (double y = 12.5; y < 28; y += 3.5)
        painter.drawLine(QPointF(8, y), QPointF(22, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 50, 45));
    painter.drawRect(QRectF(5, 4, 20, 4)); // binding strip
    painter.setBrush(QColor(70, 70, 70));
    for (double x = 8; x < 24; x += 4)
        painter.drawEllipse(QPointF(x, 4), 1.2, 1.2); // rings
}

void DrawPen(QPainter &painter)
{
    // Drawn along the x axis, then laid diagonally from the lower left to the upper right.
    painter.save();
    painter.translate(13, 27);
    painter.rotate(-50);
    painter.setPen(QPen(QColor(60, 50, 20), 0.8));
    painter.setBrush(QColor(245, 190, 40));
    painter.drawRect(QRectF(5, -2.5, 18, 5)); // barrel
    painter.setBrush(QColor(230, 120, 140));
    painter.drawRect(QRectF(23, -2.5, 3.5, 5)); // eraser
    QPainterPath tip;
    tip.moveTo(5, -2.5);
    tip.lineTo(0, 0);
    tip.lineTo(5, 2.5);
    tip.closeSubpath();
    painter.setBrush(QColor(235, 205, 160));
    painter.drawPath(tip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPointF(1.0, 0), 0.9, 0.9); // lead
    painter.restore();
}

} // namespace

QPixmap ActionIcons::DeleteIcon(int size)
{
    QPixmap icon(size, size);
    QPainter painter;
    BeginIcon(icon, painter);
    QRadialGradient shade(QPointF(12, 11), 18);
    shade.setColorAt(0, QColor(250, 90, 80));
    shade.setColorAt(1, QColor(190, 20, 20));
    painter.setPen(QPen(QColor(140, 10, 10), 1.0));
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    painter.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    painter.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
    painter.end();
    return icon;
}

QPixmap ActionIcons::EditIcon(int size)
{
    QPixmap icon(size, size);
    QPainter painter;
    BeginIcon(icon, painter);
    DrawNotepad(painter);
    DrawPen(painter);
    painter.end();
    return icon;
}

} // namespace trb
