#pragma once
#include <QImage>
#include <QRect>

namespace trb {

// The access point's front panel as the status pane draws it: 488 x 148 pixels, LEDs
// labelled 5GHz, 2.4GHz, LAN and POWER. Drawn by us.
class FrontPanel {
public:
    enum class Led { FiveGHz, TwoFourGHz, Lan, Power };
    // What an LED shows: the panel's own picture, the lit image, or the dark one.
    enum class Look { Picture, Lit, Dark };

    static constexpr int kWidth = 488;
    static constexpr int kHeight = 148;

    static QRect LedRect(Led led);
    static const QImage &Picture();
    static const QImage &LitImage();
    static const QImage &DarkImage();

private:
    static QImage DrawPicture();
};

} // namespace trb
