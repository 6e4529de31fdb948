#pragma once
// Where the PC's interfaces, adapters and gateways come from. The system's own source is
// the default; tests install one with made-up interfaces.
#include <QList>
#include <QString>

namespace trb {

struct LocalInterfaceEntry {
    QString name;
    QString address;  // dotted IPv4
    QString netmask;  // dotted IPv4
    bool up = false;
    bool broadcast = false;
    bool loopback = false;
    bool pointToPoint = false;
    bool multicast = false;
};

struct AddressAndMask {
    QString address;
    QString mask;
};

struct NetworkAdapter {
    QString name;
    bool ethernet = false;       // wired Ethernet; wireless and others are not
    QList<AddressAndMask> addresses;  // IPv4, primary first
    QString gateway;             // first default gateway, empty when none
};

class LocalNetworkSource {
public:
    virtual ~LocalNetworkSource() = default;
    // Every IPv4 address of every interface, in the system's order.
    virtual QList<LocalInterfaceEntry> Interfaces() const = 0;
    virtual QList<NetworkAdapter> Adapters() const = 0;

    // The source in use: the installed one, else the system's.
    static const LocalNetworkSource &Current();
    // Installs a replacement (not owned); nullptr goes back to the system's.
    static void Install(const LocalNetworkSource *source);
};

} // namespace trb
