#pragma once
// The device's DHCP server: while it runs, every associated station holds a lease, from its
// static binding when one names its MAC address, else from the dynamic pool. The lease tables
// are the device's view of that; a station keeps its address and renews it when the lease
// time is up, so the remaining time counts down and starts again.
#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "DeviceStore.h"

namespace trb::sim {

class DhcpServer {
public:
    using Clock = std::chrono::steady_clock;

    // Rebuilds the lease tables of `store` from its server settings, static entries and stations.
    void refresh(DeviceStore &store, Clock::time_point now);
    // The remaining time of a dynamic lease, for a trbDhcpLeaseRemaining instance; else none.
    std::optional<SnmpValue> read(const DeviceStore &store, const Oid &name, Clock::time_point now) const;

private:
    struct Lease {
        uint32_t ip = 0; // host order
        Clock::time_point granted;
    };
    struct StaticEntry {
        std::string hostName;
        uint32_t ip = 0;
    };

    static std::map<std::string, StaticEntry> staticEntries(const DeviceStore &store);
    static std::vector<std::string> stations(const DeviceStore &store);
    static void clearTable(DeviceStore &store, const char *table);
    // The pool's addresses in order, without those bound to a MAC address.
    static std::vector<uint32_t> poolAddresses(const DeviceStore &store,
                                               const std::map<std::string, StaticEntry> &bound);
    void leaseDynamic(const std::vector<std::string> &macs, const std::vector<uint32_t> &pool,
                      Clock::time_point now);

    std::map<std::string, Lease> leases_;     // station MAC (6 bytes) -> its dynamic lease
    std::map<uint32_t, std::string> rowMacs_; // dynamic lease row -> the station's MAC
};

} // namespace trb::sim
