#include "FrontPanel.h"

#include <QLinearGradient>
#include <QPainter>

namespace trb {
namespace {

QImage SolidLed(const QColor &colour)
{
    QImage image(16, 19, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Labels sit under the LED strip, in two rows so the close LEDs' labels do not collide.
void DrawLabel(QPainter &painter, const QRect &led, const QString &text, int row)
{
    const QRect label(led.center().x() - 30, 66 + row * 12, 60, 12);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, text);
    painter.drawLine(led.center().x(), 58, led.center().x(), label.top() - 1);
}

// Right and bottom edges are outside the rectangle.
QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

QRect FrontPanel::LedRect(Led led)
{
    // Left, top, right, bottom as the panel's artwork places them.
    switch (led) {
    case Led::Power: return Edges(295, 45, 300, 50);
    case Led::Lan: return Edges(227, 46, 235, 50);
    case Led::TwoFourGHz: return Edges(204, 46, 220, 50);
    case Led::FiveGHz: return Edges(181, 46, 185, 50);
    }
    return {};
}

const QImage &FrontPanel::Picture()
{
    static const QImage picture = DrawPicture();
    return picture;
}

const QImage &FrontPanel::LitImage()
{
    static const QImage lit = SolidLed(QColor(0, 200, 0));
    return lit;
}

const QImage &FrontPanel::DarkImage()
{
    static const QImage dark = SolidLed(Qt::black);
    return dark;
}

QImage FrontPanel::DrawPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The housing: a flat box seen from the front.
    QLinearGradient body(0, 20, 0, 110);
    body.setColorAt(0, QColor(250, 250, 252));
    body.setColorAt(1, QColor(196, 200, 208));
    painter.setPen(QPen(QColor(120, 124, 132), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(14, 22, 460, 92), 14, 14);
    painter.setBrush(QColor(70, 74, 82));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(166, 38, 150, 18), 5, 5); // the LED strip

    // Unlit LED windows, so an LED without an image still shows where it is.
    painter.setBrush(QColor(40, 44, 48));
    for (Led led : {Led::FiveGHz, Led::TwoFourGHz, Led::Lan, Led::Power})
        painter.drawRect(LedRect(led).adjusted(-1, -1, 1, 1));

    painter.setPen(QColor(40, 44, 52));
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawLabel(painter, LedRect(Led::FiveGHz), QStringLiteral("5GHz"), 0);
    DrawLabel(painter, LedRect(Led::TwoFourGHz), QStringLiteral("2.4GHz"), 1);
    DrawLabel(painter, LedRect(Led::Lan), QStringLiteral("LAN"), 0);
    DrawLabel(painter, LedRect(Led::Power), QStringLiteral("POWER"), 1);
    painter.setRenderHint(QPainter::Antialiasing);

    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(30, 36, 120, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TRB-4820"));
    font.setPixelSize(10);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(30, 60, 130, 16), Qt::AlignLeft, QStringLiteral("Wireless Access Point"));
    return image;
}

} // namespace trb
