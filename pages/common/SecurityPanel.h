#pragma once
// The security of one SSID: the authentication method and, for it, the WEP keys, the WPA
// pass-phrase with its periodical key change, or the RADIUS server. Embedded by the basic
// wireless page (primary SSID) and the multi-SSID page (additional SSIDs).
#include <QString>
#include <QWidget>

#include "RadiusBlock.h"
#include "TRB4820apRecords.h"
#include "WpaBlock.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace trb {

class Dot1xPanel;
class WepKeyPanel;
class WpaEnterprisePanel;
class WpaPersonalPanel;

class SecurityPanel : public QWidget {
    Q_OBJECT
public:
    // MultiSsid: the method comes from the host's own drop-down, there is no shared key and no
    // Network Access Protection, and the channel width is not the panel's concern.
    enum class Variant { Primary, MultiSsid };
    explicit SecurityPanel(Variant variant, QWidget *parent = nullptr);

    using WpaControls = WpaBlock::Controls;
    using RadiusControls = RadiusBlock::Controls;
    // Every control of every sub-panel, for the host and for tests.
    struct Controls {
        QLabel *authenticationLabel = nullptr;
        QComboBox *authentication = nullptr;
        QGroupBox *group = nullptr;
        // WEP
        QWidget *wepPanel = nullptr;
        QRadioButton *wepDisable = nullptr, *wepEnable = nullptr;
        QComboBox *keyType = nullptr, *keySize = nullptr, *keyIndex = nullptr;
        QLineEdit *networkKey = nullptr, *confirmKey = nullptr;
        // WPA-Personal
        QWidget *personalPanel = nullptr;
        WpaControls personalWpa;
        QWidget *periodicalPanel = nullptr;
        QRadioButton *manual = nullptr, *periodical = nullptr;
        QComboBox *day = nullptr, *hour = nullptr, *minute = nullptr;
        QLineEdit *timeInterval = nullptr;
        QLineEdit *passphrase = nullptr, *confirmPassphrase = nullptr;
        QLabel *confirmPassphraseLabel = nullptr;
        // WPA-Enterprise
        QWidget *enterprisePanel = nullptr;
        RadiusControls enterpriseRadius;
        WpaControls enterpriseWpa;
        QWidget *napPanel = nullptr;
        QRadioButton *napDisable = nullptr, *napEnable = nullptr;
        // 802.1x
        QWidget *dot1xPanel = nullptr;
        QLineEdit *keyUpdateInterval = nullptr;
        RadiusControls dot1xRadius;
    };
    const Controls &controls() const { return c_; }

    // Fills every section from a read block and selects the method of `type`.
    void Load(int type, const apSecurityBlock &block);
    // The security type of the chosen method (0 for none).
    int Type() const;
    // Checks the section of `type` and writes it into `block` (a copy of the block read, so what
    // the page does not edit keeps the device's values). False after the failing check's message.
    bool Collect(int type, apSecurityBlock &block);

    // The host's AP mode; the lists the mode allows (nOnly: the radio is 802.11n only). What
    // the user chose stays chosen wherever the new lists still hold it.
    void SetApMode(int mode);
    void RebuildLists(int mode, bool nOnly, bool multiSsidEnabled);
    // MultiSsid: the method chosen in the host's drop-down.
    void SelectMethod(const QString &method);

    bool wepEncryptionEnabled() const;
    // WPA-Personal or WPA-Enterprise with TKIP.
    bool tkipChosen() const;
    bool periodicalKeyChangeOn() const;
    // The WEP key index chosen (1-4) and whether the key differs from the one loaded or last collected.
    int wepKeyIndex() const;
    bool wepKeyChanged() const;

signals:
    // The method, the WEP switch or a cipher changed: the host's channel width may follow.
    void widthRuleNeeded();
    // A sub-panel was shown or hidden: the host restacks.
    void sizeChanged();

private:
    void GatherControls();
    void SelectType(int type);
    void MethodChanged();
    void ShowSubPanel(int type);
    void ReplaceMethods(const QStringList &methods);

    Variant variant_;
    Controls c_;
    WepKeyPanel *wep_ = nullptr;
    WpaPersonalPanel *personal_ = nullptr;
    WpaEnterprisePanel *enterprise_ = nullptr;
    Dot1xPanel *dot1x_ = nullptr;
    int apMode_ = 0;
    bool loading_ = false;
    int shownType_ = -1; // the method whose sub-panel is shown
};

} // namespace trb
