#pragma once
#include <QStringList>
#include <QWidget>

#include <cstdint>

class QComboBox;
class QLineEdit;

namespace trb {

class DataExchange;

// "WPA Mode", "Cipher Type" and "Group Key Update Interval": the WPA choices that the personal
// and the enterprise sub-panels both hold.
class WpaBlock : public QWidget {
    Q_OBJECT
public:
    struct Controls {
        QComboBox *mode = nullptr;
        QComboBox *cipher = nullptr;
        QLineEdit *interval = nullptr;
    };
    // prefix: of the controls' object names ("personal", "enterprise").
    explicit WpaBlock(const char *prefix, QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    static const QStringList kModes;   // "AUTO(WPA or WPA2)", "WPA2 only", "WPA only"
    static const QStringList kCiphers; // "Auto", "AES", "TKIP"

    // Codes as the security block holds them: mode 0-2, cipher 1-3.
    void Load(uint32_t mode, uint32_t cipher, uint32_t interval);
    uint32_t ModeCode() const;
    uint32_t CipherCode() const;
    bool TkipChosen() const;
    // The other block's interval, and with `choices` its mode and cipher, each where this block's
    // lists hold it.
    void TakeFrom(const WpaBlock &other, bool choices);
    // The group key update interval in seconds, checked.
    bool ExchangeInterval(DataExchange &dx, int &interval) const;

signals:
    void cipherChosen();

private:
    Controls c_;
};

} // namespace trb
