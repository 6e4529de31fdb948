#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kVlans = "trbVlanTable";
constexpr const char *kPorts = "trbVlanPortTable";
constexpr uint32_t kMaxVlans = 18;
constexpr uint32_t kPortCount = 18;
// "Mgmt, LAN, Primary, S-1, ..., W-8": every port name once fits with room to spare.
constexpr int64_t kMemberTextSize = 160;
} // namespace

Subtree vlan()
{
    return {
        {Group("trbVlan", {17}, "802.1Q VLANs: the VLANs with their member ports and the port VIDs. "
                                "Whether VLANs are in use is trbVlanFunction.")},
        {Table(kVlans, "trbVlanEntry", {17, 3}, {"trbVlanIndex"})
             .describe("The VLANs, at most eighteen. Rows are created with createAndGo and removed with "
                       "destroy on trbVlanRowStatus.")
             .createdRows(kMaxVlans, "trbVlanRowStatus"),
         Table(kPorts, "trbVlanPortEntry", {17, 4}, {"trbVlanPortIndex"})
             .describe("One row per port: Mgmt, LAN, Primary, S-1 to S-7, W-1 to W-8.")},
        {
            Enum("trbVlanMode", {17, 1}, "static(0),dynamic(1),dynamic24Static5(2),dynamic24Dynamic5(3)")
                .writable().setting()
                .describe("How VLAN membership is decided; VLANs are edited only in static mode."),
            Enum("trbVlanPvidAuto", {17, 2}, "disabled(0),enabled(1)").writable().setting()
                .describe("Whether the device assigns the port VIDs itself (each port: the lowest VID of the "
                          "VLANs it is an untagged member of, else 1)."),
            Index(kVlans, "trbVlanIndex", {17, 3, 1, 1}, 1, kMaxVlans).describe("Row number."),
            Column(kVlans, Int("trbVlanId", {17, 3, 1, 2}, 1, 4094)).creatable().setting().distinctInTable()
                .describe("VLAN ID; no two rows have the same."),
            Column(kVlans, Text("trbVlanName", {17, 3, 1, 3}, 1, 32)).creatable().setting()
                .describe("Name of the VLAN."),
            Column(kVlans, Text("trbVlanUntagged", {17, 3, 1, 4}, 0, kMemberTextSize)).creatable().setting()
                .describe("Untagged member ports, names separated by \", \"."),
            Column(kVlans, Text("trbVlanTagged", {17, 3, 1, 5}, 0, kMemberTextSize)).creatable().setting()
                .describe("Tagged member ports, names separated by \", \"; SSID ports are never tagged."),
            Column(kVlans, RowStatus("trbVlanRowStatus", {17, 3, 1, 6})).creatable().setting()
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),
            Index(kPorts, "trbVlanPortIndex", {17, 4, 1, 1}, 1, kPortCount).describe("Port number."),
            Column(kPorts, Text("trbVlanPortName", {17, 4, 1, 2}, 1, 16)).describe("Name of the port."),
            Column(kPorts, Int("trbVlanPortPvid", {17, 4, 1, 3}, 1, 4094)).writable().setting()
                .describe("Port VID: the VLAN untagged traffic arriving on the port joins."),
            Column(kPorts, Text("trbVlanPortTagVids", {17, 4, 1, 4}, 0, 255))
                .describe("VIDs of the VLANs the port is a tagged member of, comma-separated."),
            Column(kPorts, Text("trbVlanPortUntagVids", {17, 4, 1, 5}, 0, 255))
                .describe("VIDs of the VLANs the port is an untagged member of, comma-separated."),
        },
    };
}

} // namespace trb::schema::subtrees
