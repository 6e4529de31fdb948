#pragma once
#include <QWidget>

#include "TRB4820apRecords.h"

class QLineEdit;

namespace trb {

class RadiusBlock;

// "Radius Server Settings" of 802.1x: the key update interval and the RADIUS server.
class Dot1xPanel : public QWidget {
public:
    struct Controls {
        QLineEdit *keyUpdateInterval = nullptr;
        RadiusBlock *radius = nullptr;
    };
    explicit Dot1xPanel(QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Load(const apEnterpriseSection &section);
    // Checks and writes the interval and the RADIUS fields; false after the failing check's message.
    bool Collect(apEnterpriseSection &section);

private:
    Controls c_;
};

} // namespace trb
