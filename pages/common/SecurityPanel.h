#pragma once
// The security of one SSID: the authentication method and, for it, the WEP keys, the WPA
// pass-phrase with its periodical key change, or the RADIUS server. Embedded by the basic
// wireless page (primary SSID) and the multi-SSID page (additional SSIDs).
#include <QString>
#include <QWidget>

#include "TRB4820apRecords.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace trb {

class DataExchange;
class IpAddressEdit;

class SecurityPanel : public QWidget {
    Q_OBJECT
public:
    // MultiSsid: the method comes from the host's own drop-down, there is no shared key and no
    // Network Access Protection, and the channel width is not the panel's concern.
    enum class Variant { Primary, MultiSsid };
    explicit SecurityPanel(Variant variant, QWidget *parent = nullptr);

    struct WpaControls {
        QComboBox *mode = nullptr;
        QComboBox *cipher = nullptr;
        QLineEdit *interval = nullptr;
    };
    struct RadiusControls {
        IpAddressEdit *server = nullptr;
        QLineEdit *port = nullptr;
        QLineEdit *secret = nullptr;
    };
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

    // The host's AP mode; the lists the mode allows (nOnly: the radio is 802.11n only).
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
    bool wepKeyChanged() const { return keyChanged_; }

signals:
    // The method, the WEP switch or a cipher changed: the host's channel width may follow.
    void widthRuleNeeded();
    // A sub-panel was shown or hidden: the host restacks.
    void sizeChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildWepPanel();
    QWidget *BuildPersonalPanel();
    QWidget *BuildEnterprisePanel();
    QWidget *BuildDot1xPanel();
    QWidget *BuildWpaBlock(WpaControls &wpa, const char *prefix);
    QWidget *BuildRadiusBlock(RadiusControls &radius, const char *prefix);
    void ClearOnFocus(QLineEdit *edit);

    void LoadPersonal(const apWpaPersonalSection &section);
    void LoadEnterprise(const apEnterpriseSection &section);
    void LoadWep(const apWepSection &section);
    void SelectType(int type);
    void MethodChanged();
    void UpdateWepEnabling();
    void ApplyKeyLength();
    void UpdatePeriodicalDisplay();

    bool CollectWep(apWepSection &section);
    bool CollectPersonal(apWpaPersonalSection &section);
    bool CollectRadius(DataExchange &dx, const RadiusControls &radius, QString &server, int &port, QString &secret);
    bool CollectEnterprise(apEnterpriseSection &section);
    bool CollectDot1x(apEnterpriseSection &section);

    Variant variant_;
    Controls c_;
    int apMode_ = 0;
    bool loading_ = false;
    bool keyChanged_ = false;
    QString lastKey_;
    QString loadedPassphrase_;
    QString currentKey_;
};

} // namespace trb
