#pragma once
// The PC's interfaces from getifaddrs; adapters typed from /sys/class/net and gateways from
// /proc/net/route. Both folders can be pointed elsewhere to test the parsing.
#include "LocalNetworkSource.h"

namespace trb {

class SystemNetworkSource final : public LocalNetworkSource {
public:
    explicit SystemNetworkSource(QString sysClassNet = QStringLiteral("/sys/class/net"),
                                 QString procNetRoute = QStringLiteral("/proc/net/route"));

    QList<LocalInterfaceEntry> Interfaces() const override;
    QList<NetworkAdapter> Adapters() const override;

    // First default gateway per interface name, from the text of /proc/net/route.
    static QList<QPair<QString, QString>> DefaultGateways(const QString &routeTable);

private:
    bool IsEthernet(const QString &name) const;

    QString sysClassNet_;
    QString procNetRoute_;
};

} // namespace trb
