#pragma once
#include <QString>
#include <QWidget>

#include "TRB4820apRecords.h"

class QLineEdit;

namespace trb {

class DataExchange;
class IpAddressEdit;

// "Primary RADIUS Server Setting": server, port and shared secret, in the enterprise and the
// 802.1x sub-panels alike.
class RadiusBlock : public QWidget {
public:
    struct Controls {
        IpAddressEdit *server = nullptr;
        QLineEdit *port = nullptr;
        QLineEdit *secret = nullptr;
    };
    struct Values {
        QString server; // "0.0.0.0" for none
        int port = 0;
        QString secret;
    };
    // prefix: of the controls' object names ("enterprise", "dot1x").
    explicit RadiusBlock(const char *prefix, QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Load(const apEnterpriseSection &section);
    // The fields, checked in the panel's order; false once the copy has failed.
    bool Collect(DataExchange &dx, Values &values) const;
    static void Write(const Values &values, apEnterpriseSection &section);

private:
    Controls c_;
};

} // namespace trb
