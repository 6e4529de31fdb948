#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kRanges = "trbAdminRangeTable";
constexpr uint32_t kMaxRanges = 4;
constexpr const char *kOnOff = "disabled(0),enabled(1)";
} // namespace

Subtree admin()
{
    return {
        {Group("trbAdmin", {7}, "Administrative access to the device.")},
        {Table(kRanges, "trbAdminRangeEntry", {7, 6}, {"trbAdminRangeIndex"})
             .describe("Address ranges an administrator may come from, at most four. The index is the "
                       "range's item number, so numbers can have gaps. Rows are created with createAndGo "
                       "and removed with destroy on trbAdminRangeStatus.")
             .createdRows(kMaxRanges, "trbAdminRangeStatus")},
        {
            Text("trbLoginName", {7, 1}, 0, 32).writable().setting()
                .describe("Name the administrator logs in with."),
            Text("trbLoginPassword", {7, 2}, 0, 64).writable().setting().confidential()
                .describe("Password of the administrator. Served to the write community only."),
            Enum("trbAdminVlanLimit", {7, 3}, kOnOff).writable().setting()
                .describe("Whether administration is limited to one VLAN."),
            Int("trbAdminVlanId", {7, 4}, 1, 4094).writable().setting()
                .describe("The VLAN administration is limited to."),
            Enum("trbAdminIpLimit", {7, 5}, kOnOff).writable().setting()
                .describe("Whether administration is limited to the address ranges of trbAdminRangeTable."),
            Index(kRanges, "trbAdminRangeIndex", {7, 6, 1, 1}, 1, kMaxRanges).describe("Item number of the range."),
            Column(kRanges, Ip("trbAdminRangeFrom", {7, 6, 1, 2})).creatable().setting()
                .describe("First address of the range."),
            Column(kRanges, Ip("trbAdminRangeTo", {7, 6, 1, 3})).creatable().setting()
                .describe("Last address of the range, in the same /24 as the first."),
            Column(kRanges, RowStatus("trbAdminRangeStatus", {7, 6, 1, 4})).creatable().setting()
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),
            Enum("trbTrapStatus", {7, 7}, kOnOff).writable().setting().describe("Whether the device sends SNMP traps."),
            Ip("trbTrapServer", {7, 8}).writable().setting().describe("Where traps go; 0.0.0.0 for nowhere."),
            Enum("trbConsoleStatus", {7, 9}, kOnOff).writable().setting()
                .describe("Whether the command console is reachable."),
            Enum("trbConsoleProtocol", {7, 10}, "telnet(0),ssh(1)").writable().setting()
                .describe("Protocol of the command console."),
            Enum("trbConsoleTimeout", {7, 11},
                 "oneMinute(0),threeMinutes(1),fiveMinutes(2),tenMinutes(3),fifteenMinutes(4),never(5)")
                .writable().setting().describe("Idle time after which the console closes a session."),
            Enum("trbPingControl", {7, 12}, kOnOff).writable().setting()
                .describe("Whether the device answers ping."),
            Enum("trbAccessProtection", {7, 13}, kOnOff).writable().setting()
                .describe("Whether network access protection is in use."),
        },
    };
}

} // namespace trb::schema::subtrees
