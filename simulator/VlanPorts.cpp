#include "VlanPorts.h"

#include <algorithm>

namespace trb::sim {
namespace {

bool isMember(std::string_view list, std::string_view port)
{
    while (!list.empty()) {
        const auto comma = list.find(',');
        std::string_view name = list.substr(0, comma);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        if (name == port)
            return true;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return false;
}

} // namespace

const std::vector<std::string> &VlanPorts::names()
{
    static const std::vector<std::string> ports = {"Mgmt", "LAN", "Primary", "S-1", "S-2", "S-3", "S-4", "S-5", "S-6",
                                                   "S-7",  "W-1", "W-2",     "W-3", "W-4", "W-5", "W-6", "W-7", "W-8"};
    return ports;
}

std::vector<VlanPorts::Vlan> VlanPorts::vlans() const
{
    std::map<uint32_t, Vlan> rows;
    store_.forEach([&](const Oid &oid, const schema::ObjectDef &object, const SnmpValue &value) {
        const std::string_view name = object.name;
        if (name == "trbVlanId")
            rows[uint32_t(oid.back())].vid = long(value.number);
        else if (name == "trbVlanUntagged")
            rows[uint32_t(oid.back())].untagged = value.bytes;
        else if (name == "trbVlanTagged")
            rows[uint32_t(oid.back())].tagged = value.bytes;
    });
    std::vector<Vlan> list;
    for (auto &[index, vlan] : rows)
        if (vlan.vid > 0)
            list.push_back(std::move(vlan));
    std::sort(list.begin(), list.end(), [](const Vlan &a, const Vlan &b) { return a.vid < b.vid; });
    return list;
}

std::string VlanPorts::vidsOf(const std::string &port, bool tagged) const
{
    std::string text;
    for (const Vlan &vlan : vlans())
        if (isMember(tagged ? vlan.tagged : vlan.untagged, port))
            text += (text.empty() ? "" : ",") + std::to_string(vlan.vid);
    return text;
}

std::optional<SnmpValue> VlanPorts::read(std::string_view object, const Oid &instance) const
{
    const bool tagged = object == "trbVlanPortTagVids";
    if ((!tagged && object != "trbVlanPortUntagVids") || instance.size() != 1 || instance[0] < 1 ||
        instance[0] > names().size())
        return std::nullopt;
    return SnmpValue::text(vidsOf(names()[instance[0] - 1], tagged));
}

std::map<Oid, SnmpValue> VlanPorts::assignedPvids() const
{
    const std::vector<Vlan> list = vlans();
    std::map<Oid, SnmpValue> pvids;
    for (uint32_t row = 1; row <= names().size(); ++row) {
        auto found = std::find_if(list.begin(), list.end(),
                                  [&](const Vlan &vlan) { return isMember(vlan.untagged, names()[row - 1]); });
        pvids.emplace(DeviceStore::instanceOf("trbVlanPortPvid", {row}),
                      SnmpValue::integer(found == list.end() ? 1 : found->vid));
    }
    return pvids;
}

} // namespace trb::sim
