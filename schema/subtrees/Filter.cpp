#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kBands = "trbFilterBandTable";
constexpr const char *kAcl = "trbFilterAclTable";
constexpr const char *kSsids = "trbFilterSsidTable";
constexpr uint32_t kAclPerBand = 256;
constexpr const char *kOnOff = "disabled(0),enabled(1)";

ObjectDef bandSetting(ObjectDef object) { return Column(kBands, std::move(object)).writable().setting(); }
} // namespace

Subtree filter()
{
    return {
        {Group("trbFilter", {21}, "Wireless MAC access control and WLAN partition, per band.")},
        {
            Table(kBands, "trbFilterBandEntry", {21, 2}, {"trbBandIndex"})
                .describe("Access-control mode and partition settings of each band."),
            Table(kAcl, "trbFilterAclEntry", {21, 3}, {"trbFilterAclBand", "trbFilterAclIndex"})
                .describe("MAC addresses of each band's access-control list, at most 256 a band. Rows are "
                          "created with createAndGo and removed with destroy on trbFilterAclStatus.")
                .createdRows(2 * kAclPerBand, "trbFilterAclStatus"),
            Table(kSsids, "trbFilterSsidEntry", {21, 4}, {"trbBandIndex", "trbSsidIndex"})
                .describe("Partition of each SSID, indexed by band and SSID number."),
        },
        {
            // Not a setting: it only says which band the next ACL file transfer acts on.
            Enum("trbFilterBand", {21, 1}, "band2dot4gHz(1),band5gHz(2)").writable()
                .describe("Band whose access-control list the ACL file commands upload and download."),
            bandSetting(Enum("trbFilterAclMode", {21, 2, 1, 1}, "accept(1),reject(2),disabled(3),unavailable(4)"))
                .describe("accept: only listed stations associate; reject: listed stations are refused. "
                          "Reads unavailable while the AP mode (WDS bridge, wireless client) serves no "
                          "stations; unavailable cannot be written."),
            bandSetting(Enum("trbFilterLinkIntegrity", {21, 2, 1, 2}, kOnOff))
                .describe("Whether the band's stations are dropped when the Ethernet link goes down."),
            bandSetting(Enum("trbFilterEthernetToWlan", {21, 2, 1, 3}, kOnOff))
                .describe("Whether multicast and broadcast traffic from Ethernet reaches the band's stations "
                          "(DHCP always does)."),
            Column(kBands, Enum("trbFilterPartitionMode", {21, 2, 1, 4}, "available(1),clientMode(4),bridgeMode(5)"))
                .describe("Whether the partition settings apply: not in wireless-client mode (clientMode) "
                          "nor in WDS bridge mode (bridgeMode)."),
            Index(kAcl, "trbFilterAclBand", {21, 3, 1, 1}, 1, 2).describe("Band of the list: 1 = 2.4 GHz, 2 = 5 GHz."),
            Index(kAcl, "trbFilterAclIndex", {21, 3, 1, 2}, 1, kAclPerBand).describe("Entry number within the band."),
            Column(kAcl, Mac("trbFilterAclMac", {21, 3, 1, 3})).creatable().setting().distinctInBand()
                .describe("Station MAC address, neither multicast nor all zeros; a band lists each address once."),
            Column(kAcl, RowStatus("trbFilterAclStatus", {21, 3, 1, 4})).creatable().setting()
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),
            Column(kSsids, Enum("trbFilterSsidPartition", {21, 4, 1, 1}, "enable(0),disable(1),guestMode(2)"))
                .writable().setting()
                .describe("enable: stations of the SSID reach each other; disable: they do not; guestMode: "
                          "they reach only the gateway."),
        },
    };
}

} // namespace trb::schema::subtrees
