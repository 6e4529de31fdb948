#pragma once
#include <QString>
#include <QWidget>

#include "TRB4820apRecords.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace trb {

// The "Key Settings" of "Open System" and "Shared key": encryption on or off, key type, size and
// index, and the key typed twice.
class WepKeyPanel : public QWidget {
    Q_OBJECT
public:
    struct Controls {
        QRadioButton *disable = nullptr, *enable = nullptr;
        QComboBox *keyType = nullptr, *keySize = nullptr, *keyIndex = nullptr;
        QLineEdit *networkKey = nullptr, *confirmKey = nullptr;
    };
    explicit WepKeyPanel(QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Load(const apWepSection &section);
    // Checks the key (when encryption is on) and writes the section; false after the failing
    // check's message.
    bool Collect(apWepSection &section);

    // "Shared key" needs a key: encryption is forced on and "Disable" cannot be chosen.
    void RequireKey(bool required);
    // An 802.11n-only radio takes no WEP: "Enable " cannot be chosen.
    void AllowEncryption(bool allowed);

    bool encryptionEnabled() const;
    int keyIndex() const; // 1-4
    // Whether the key differs from the one loaded or last collected.
    bool keyChanged() const { return keyChanged_; }

signals:
    // Encryption was switched on or off: the host's channel width may follow.
    void encryptionToggled();

private:
    void UpdateEnabling();
    void ApplyKeyLength();

    Controls c_;
    bool keyChanged_ = false;
    QString lastKey_;
};

} // namespace trb
