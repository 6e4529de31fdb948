#pragma once
// The per-port view of the VLANs: which VLANs each port is a tagged or untagged member of, and
// the port VIDs automatic assignment gives.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceStore.h"

namespace trb::sim {

class VlanPorts {
public:
    // The ports in row order of trbVlanPortTable (row = position + 1).
    static const std::vector<std::string> &names();

    explicit VlanPorts(const DeviceStore &store) : store_(store) {}

    // The value of a trbVlanPortTagVids or trbVlanPortUntagVids instance; nothing for another object.
    std::optional<SnmpValue> read(std::string_view object, const Oid &instance) const;
    // Each port's PVID under automatic assignment: the lowest VID of the VLANs the port is an
    // untagged member of, else 1.
    std::map<Oid, SnmpValue> assignedPvids() const;

private:
    struct Vlan {
        long vid = 0;
        std::string untagged, tagged;
    };
    std::vector<Vlan> vlans() const; // in VID order
    std::string vidsOf(const std::string &port, bool tagged) const;

    const DeviceStore &store_;
};

} // namespace trb::sim
