#pragma once
// The AP arrays around the simulated device: a few arrays of other sites, and the access points
// that take part in the device's own array when it has joined one. Made once from a seed.
#include <cstdint>
#include <string>
#include <vector>

#include "Neighbourhood.h"

namespace trb::sim {

struct ArrayMember {
    int role = 3; // 1 Master, 2 Backup Master, 3 Slave
    uint32_t ip = 0;
    MacBytes mac{};
    std::string location;
};

struct FoundArray {
    std::string name;
    uint32_t masterIp = 0;
    MacBytes masterMac{};
    int masters = 0, backupMasters = 0, slaves = 0;
};

class ArrayNeighbourhood {
public:
    explicit ArrayNeighbourhood(uint32_t seed);

    // Arrays of other sites, heard on every scan.
    const std::vector<FoundArray> &foreignArrays() const { return foreign_; }
    // The other members of the device's array when the device takes `role` in it: a master
    // unless the device is the master, and a slave.
    std::vector<ArrayMember> peers(int role) const;
    // The device's own array as a scan reports it: its members, the device included.
    static FoundArray summary(const std::string &name, const std::vector<ArrayMember> &members);

private:
    std::vector<FoundArray> foreign_;
    ArrayMember master_, backup_, slave_;
};

} // namespace trb::sim
