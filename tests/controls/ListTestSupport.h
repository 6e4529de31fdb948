#pragma once
// Mouse events and pixel reading for the list tests.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

namespace listtest {

inline void SendMouse(QWidget *target, QEvent::Type type, QPoint position, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(position), QPointF(target->mapToGlobal(position)), button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget *target, QPoint position)
{
    SendMouse(target, QEvent::MouseButtonPress, position, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, position, Qt::LeftButton, Qt::NoButton);
}

inline void MoveTo(QWidget *target, QPoint position)
{
    SendMouse(target, QEvent::MouseMove, position, Qt::NoButton, Qt::NoButton);
}

// A left-button drag from one point to another.
inline void Drag(QWidget *target, QPoint from, QPoint to)
{
    SendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

inline QImage Render(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor PixelAt(const QImage &image, QPoint point)
{
    return image.pixelColor(point);
}

// The box around the dark (text) pixels inside an area; null when there are none.
inline QRect InkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace listtest
