#pragma once
// The device's MAC access-control lists, one per band, and the filter values that follow the
// AP mode: a mode without stations to filter (WDS bridge, wireless client) reads the ACL mode
// as unavailable (4) and the partition mode as not available (4 client, 5 bridge).
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "AclFile.h"
#include "DeviceStore.h"

namespace trb::sim {

class AclLists {
public:
    static constexpr int64_t kUnavailable = 4;

    explicit AclLists(DeviceStore &store) : store_(store) {}

    // The band the ACL file commands act on (trbFilterBand), 1 or 2.
    uint32_t selectedBand() const;
    // The band's MACs in entry order.
    std::vector<AclFile::Mac> macsOf(uint32_t band) const;
    // Makes the band's list exactly `macs`, numbered from 1; returns the entries it replaced.
    ConfigValues replace(uint32_t band, const std::vector<AclFile::Mac> &macs);

    // The value the device answers for a filter object in its present AP mode, when it differs
    // from the stored one.
    std::optional<SnmpValue> read(std::string_view object) const;
    // Writing "unavailable" as a mode is refused.
    static bool refused(std::string_view object, long value);
    // A row of `table` the device may hold: an ACL row names a station (not multicast, not zero),
    // as the ACL file must; rows of other tables are not its business.
    static bool acceptableRow(const schema::TableDef &table,
                              const std::map<const schema::ObjectDef *, SnmpValue> &row);

private:
    int64_t apMode() const;

    DeviceStore &store_;
};

} // namespace trb::sim
