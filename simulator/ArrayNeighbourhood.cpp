#include "ArrayNeighbourhood.h"

#include <random>

namespace trb::sim {
namespace {

MacBytes peerMac(std::mt19937 &random)
{
    MacBytes mac{0x02, 0x1a, 0x48, 0, 0, 0}; // locally administered, as the device's own
    for (std::size_t i = 3; i < mac.size(); ++i)
        mac[i] = uint8_t(std::uniform_int_distribution<int>(0, 255)(random));
    return mac;
}

uint32_t address(uint8_t third, uint8_t fourth) { return 192u << 24 | 168u << 16 | uint32_t(third) << 8 | fourth; }

} // namespace

ArrayNeighbourhood::ArrayNeighbourhood(uint32_t seed)
{
    std::mt19937 random(seed);
    auto count = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    foreign_.push_back({"Array-South", address(1, uint8_t(count(100, 149))), peerMac(random), 1, count(0, 1),
                        count(1, 6)});
    foreign_.push_back({"Warehouse", address(2, uint8_t(count(2, 99))), peerMac(random), 1, 0, count(0, 3)});
    master_ = {1, address(1, 20), peerMac(random), "Building A, floor 1"};
    backup_ = {2, address(1, 21), peerMac(random), "Building A, floor 3"};
    slave_ = {3, address(1, 22), peerMac(random), "Building B, hall"};
}

std::vector<ArrayMember> ArrayNeighbourhood::peers(int role) const
{
    return {role == 1 ? backup_ : master_, slave_};
}

FoundArray ArrayNeighbourhood::summary(const std::string &name, const std::vector<ArrayMember> &members)
{
    FoundArray array{name, 0, {}, 0, 0, 0};
    for (const ArrayMember &member : members) {
        if (member.role == 1) {
            ++array.masters;
            array.masterIp = member.ip;
            array.masterMac = member.mac;
        } else if (member.role == 2) {
            ++array.backupMasters;
        } else {
            ++array.slaves;
        }
    }
    return array;
}

} // namespace trb::sim
