#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kGateways = "trbArpGatewayTable";
constexpr uint32_t kMaxGateways = 8;
} // namespace

Subtree arp()
{
    return {
        {Group("trbArp", {8}, "ARP spoofing prevention: the gateways whose addresses the device guards.")},
        {Table(kGateways, "trbArpGatewayEntry", {8, 2}, {"trbArpGatewayIndex"})
             .describe("Gateway address pairs, at most eight. Rows are created with createAndGo and "
                       "removed with destroy on trbArpGatewayStatus.")
             .createdRows(kMaxGateways, "trbArpGatewayStatus")},
        {
            Enum("trbArpSpoofing", {8, 1}, "disabled(0),enabled(1)").writable().setting()
                .describe("Whether ARP spoofing prevention is on."),
            Index(kGateways, "trbArpGatewayIndex", {8, 2, 1, 1}, 1, 255).describe("Row number."),
            Column(kGateways, Ip("trbArpGatewayIp", {8, 2, 1, 2})).creatable().setting().distinctInTable()
                .describe("IPv4 address of the gateway; no two rows have the same."),
            Column(kGateways, Mac("trbArpGatewayMac", {8, 2, 1, 3})).creatable().setting().distinctInTable()
                .describe("MAC address of the gateway; no two rows have the same."),
            Column(kGateways, RowStatus("trbArpGatewayStatus", {8, 2, 1, 4})).creatable().setting()
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),
        },
    };
}

} // namespace trb::schema::subtrees
