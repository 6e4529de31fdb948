#pragma once
// Made-up interfaces and adapters, installed as the network source for one test.
#include "LocalNetworkSource.h"

namespace trb {

class FakeNetworkSource final : public LocalNetworkSource {
public:
    FakeNetworkSource() { Install(this); }
    ~FakeNetworkSource() override { Install(nullptr); }

    QList<LocalInterfaceEntry> Interfaces() const override { return interfaces; }
    QList<NetworkAdapter> Adapters() const override { return adapters; }

    void AddInterface(const QString &address, const QString &mask)
    {
        LocalInterfaceEntry entry;
        entry.name = QStringLiteral("if%1").arg(interfaces.size());
        entry.address = address;
        entry.netmask = mask;
        entry.up = true;
        interfaces.append(entry);
    }

    QList<LocalInterfaceEntry> interfaces;
    QList<NetworkAdapter> adapters;
};

} // namespace trb
