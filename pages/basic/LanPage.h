#pragma once
#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QComboBox;
class QPushButton;

namespace trb {

class DataExchange;
class IpAddressEdit;

// Basic > LAN: how the access point gets its own address (static or by DHCP).
class LanPage : public PopupPage {
    Q_OBJECT
public:
    explicit LanPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Basic \\ LAN";
    static constexpr int kStaticIndex = 0;

    struct Controls {
        QComboBox *mode = nullptr;
        IpAddressEdit *ip = nullptr;
        IpAddressEdit *mask = nullptr;
        IpAddressEdit *gateway = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // What the page shows, apart from the widgets. mode is the combo index (-1: none).
    struct Values {
        int mode = -1;
        QString ip, mask, gateway;
    };
    static Values FromRecord(const apLanSettingsRecord &record);
    static void ToRecord(const Values &values, apLanSettingsRecord &record);

    // Checks the fields and, when they pass, sends them to the device.
    void Save();

    int ReadOnShow() override;
    void OnReadDone() override;
    void UpdateEnabling() override;

private:
    void BuildControls();
    // Both directions: loading fills the controls, saving reads them back with the checks.
    void Exchange(DataExchange &dx, Values &values);

    Controls c_;
};

} // namespace trb
