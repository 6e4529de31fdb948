#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kStatic = "trbDhcpStaticTable";
constexpr const char *kLeases = "trbDhcpLeaseTable";
constexpr const char *kStaticLeases = "trbDhcpStaticLeaseTable";
constexpr uint32_t kMaxStaticEntries = 32;
constexpr int64_t kDomainLength = 30;
constexpr int64_t kHostLength = 20;
} // namespace

Subtree dhcp()
{
    return {
        {Group("trbDhcp", {16}, "DHCP server: its state, the dynamic pool, the MAC-bound addresses and the leases.")},
        {
            Table(kStatic, "trbDhcpStaticEntry", {16, 12}, {"trbDhcpStaticIndex"})
                .describe("Addresses bound to a MAC address. Rows are created with createAndGo and removed "
                          "with destroy on trbDhcpStaticStatus.")
                .createdRows(kMaxStaticEntries, "trbDhcpStaticStatus"),
            Table(kLeases, "trbDhcpLeaseEntry", {16, 13}, {"trbDhcpLeaseIndex"})
                .describe("Addresses the server has leased from the dynamic pool."),
            Table(kStaticLeases, "trbDhcpStaticLeaseEntry", {16, 14}, {"trbDhcpStaticLeaseIndex"})
                .describe("MAC-bound addresses the server has handed to their stations."),
        },
        {
            Enum("trbDhcpServerState", {16, 1}, "disabled(0),enabled(1)").writable().setting()
                .describe("Whether the DHCP server runs."),
            Enum("trbDhcpPoolType", {16, 2}, "none(0),dynamic(1),static(2)").writable().setting()
                .describe("The pool the server was first set up with."),
            Int("trbDhcpServerLock", {16, 3}, 0, 15)
                .describe("Below 4 the server may be switched on and off; 4 while the device takes its own "
                          "address from a DHCP server."),
            Ip("trbDhcpPoolStart", {16, 4}).writable().setting().describe("First address of the dynamic pool."),
            Int("trbDhcpPoolSize", {16, 5}, 1, 254).writable().setting()
                .describe("Number of addresses in the dynamic pool."),
            Ip("trbDhcpPoolMask", {16, 6}).writable().setting().describe("Subnet mask handed out."),
            Ip("trbDhcpPoolGateway", {16, 7}).writable().setting().describe("Gateway handed out; 0.0.0.0 for none."),
            Ip("trbDhcpPoolWins", {16, 8}).writable().setting().describe("WINS server handed out; 0.0.0.0 for none."),
            Ip("trbDhcpPoolDns", {16, 9}).writable().setting().describe("DNS server handed out; 0.0.0.0 for none."),
            Text("trbDhcpDomainName", {16, 10}, 0, kDomainLength).writable().setting()
                .describe("Domain name handed out with the dynamic pool."),
            Int("trbDhcpLeaseTime", {16, 11}, 60, 31536000).writable().setting()
                .describe("Lease time in seconds."),

            Index(kStatic, "trbDhcpStaticIndex", {16, 12, 1, 1}, 1, 255).describe("Row number."),
            Column(kStatic, Text("trbDhcpStaticHostName", {16, 12, 1, 2}, 1, kHostLength)).creatable().setting()
                .describe("Host name of the station."),
            Column(kStatic, Mac("trbDhcpStaticMac", {16, 12, 1, 3})).creatable().setting().distinctInTable()
                .describe("MAC address of the station; no two rows have the same."),
            Column(kStatic, Ip("trbDhcpStaticIp", {16, 12, 1, 4})).creatable().setting().distinctInTable()
                .describe("Address bound to the MAC address; no two rows have the same."),
            Column(kStatic, Ip("trbDhcpStaticMask", {16, 12, 1, 5})).creatable().setting().describe("Subnet mask."),
            Column(kStatic, Ip("trbDhcpStaticGateway", {16, 12, 1, 6})).creatable().setting()
                .describe("Gateway; 0.0.0.0 for none."),
            Column(kStatic, Ip("trbDhcpStaticWins", {16, 12, 1, 7})).creatable().setting()
                .describe("WINS server; 0.0.0.0 for none."),
            Column(kStatic, Ip("trbDhcpStaticDns", {16, 12, 1, 8})).creatable().setting()
                .describe("DNS server; 0.0.0.0 for none."),
            Column(kStatic, Text("trbDhcpStaticDomainName", {16, 12, 1, 9}, 0, kDomainLength)).creatable().setting()
                .describe("Domain name."),
            Column(kStatic, RowStatus("trbDhcpStaticStatus", {16, 12, 1, 10})).creatable().setting()
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),

            Index(kLeases, "trbDhcpLeaseIndex", {16, 13, 1, 1}, 1, 65535).describe("Row number."),
            Column(kLeases, Text("trbDhcpLeaseHostName", {16, 13, 1, 2}, 0, 64)).describe("Host name of the station."),
            Column(kLeases, Mac("trbDhcpLeaseMac", {16, 13, 1, 3})).describe("MAC address of the station."),
            Column(kLeases, Ip("trbDhcpLeaseIp", {16, 13, 1, 4})).describe("Leased address."),
            Column(kLeases, Ticks("trbDhcpLeaseRemaining", {16, 13, 1, 5})).describe("Time until the lease ends."),

            Index(kStaticLeases, "trbDhcpStaticLeaseIndex", {16, 14, 1, 1}, 1, 65535).describe("Row number."),
            Column(kStaticLeases, Text("trbDhcpStaticLeaseHostName", {16, 14, 1, 2}, 0, 64))
                .describe("Host name of the static entry."),
            Column(kStaticLeases, Mac("trbDhcpStaticLeaseMac", {16, 14, 1, 3})).describe("MAC address of the station."),
            Column(kStaticLeases, Ip("trbDhcpStaticLeaseIp", {16, 14, 1, 4})).describe("Address handed out."),
        },
    };
}

} // namespace trb::schema::subtrees
