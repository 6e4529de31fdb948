#pragma once
#include <QWidget>

#include "TRB4820apRecords.h"

class QRadioButton;

namespace trb {

class RadiusBlock;
class WpaBlock;

// "Radius Server Settings" of WPA-Enterprise: the RADIUS server, the WPA choices and, where the
// host offers it, Network Access Protection.
class WpaEnterprisePanel : public QWidget {
    Q_OBJECT
public:
    struct Controls {
        RadiusBlock *radius = nullptr;
        WpaBlock *wpa = nullptr;
        QWidget *napPanel = nullptr;
        QRadioButton *napDisable = nullptr, *napEnable = nullptr;
    };
    // Without `accessProtection` the panel hides the choice and a write keeps the device's.
    explicit WpaEnterprisePanel(bool accessProtection, QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Load(const apEnterpriseSection &section);
    // Checks and writes the section; false after the failing check's message.
    bool Collect(apEnterpriseSection &section);

private:
    Controls c_;
    bool accessProtection_;
};

} // namespace trb
