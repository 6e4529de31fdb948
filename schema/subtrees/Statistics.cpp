#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kWlan = "trbWlanStatsTable";

ObjectDef Counter32(const char *name, std::vector<uint32_t> oid)
{
    return Object(name, std::move(oid), SmiType::Counter, 0, 4294967295LL);
}

ObjectDef wlanCounter(const char *name, uint32_t column, const char *text)
{
    return Column(kWlan, Counter32(name, {11, 20, 1, column})).describe(text);
}
} // namespace

Subtree statistics()
{
    return {
        {Group("trbStatistics", {11}, "Traffic counters of the wired port and of the radio's bands.")},
        {Table(kWlan, "trbWlanStatsEntry", {11, 20}, {"trbWlanStatsBand"})
             .describe("Traffic counters of each band: 1 = 2.4 GHz, 2 = 5 GHz.")},
        {
            // Not a setting: a clear happens once and is never saved.
            Enum("trbStatisticsClear", {11, 1}, "idle(0),ethernet(1),wlan(2)").writable()
                .describe("Writing ethernet or wlan sets that interface's counters to zero. Reads return idle."),
            Counter32("trbEthTxPackets", {11, 2}).describe("Packets sent on the wired port."),
            Counter32("trbEthTxBytes", {11, 3}).describe("Bytes sent on the wired port."),
            Counter32("trbEthTxDropped", {11, 4}).describe("Packets dropped before sending on the wired port."),
            Counter32("trbEthRxPackets", {11, 5}).describe("Packets received on the wired port."),
            Counter32("trbEthRxBytes", {11, 6}).describe("Bytes received on the wired port."),
            Counter32("trbEthRxDropped", {11, 7}).describe("Received packets dropped on the wired port."),
            Counter32("trbEthRxMulticast", {11, 8}).describe("Multicast packets received on the wired port."),
            Counter32("trbEthRxBroadcast", {11, 9}).describe("Broadcast packets received on the wired port."),
            Counter32("trbEthLength64", {11, 10}).describe("Packets of 64 bytes, both directions."),
            Counter32("trbEthLength65To127", {11, 11}).describe("Packets of 65 to 127 bytes."),
            Counter32("trbEthLength128To255", {11, 12}).describe("Packets of 128 to 255 bytes."),
            Counter32("trbEthLength256To511", {11, 13}).describe("Packets of 256 to 511 bytes."),
            Counter32("trbEthLength512To1023", {11, 14}).describe("Packets of 512 to 1023 bytes."),
            Counter32("trbEthLength1024To1518", {11, 15}).describe("Packets of 1024 to 1518 bytes."),
            Counter32("trbEthLength1519ToMax", {11, 16}).describe("Packets of 1519 bytes and more."),

            Index(kWlan, "trbWlanStatsBand", {11, 20, 1, 1}, 1, 2).describe("Band: 1 = 2.4 GHz, 2 = 5 GHz."),
            wlanCounter("trbWlanTxPackets", 2, "Packets sent on the band."),
            wlanCounter("trbWlanTxBytes", 3, "Bytes sent on the band."),
            wlanCounter("trbWlanTxDropped", 4, "Packets dropped before sending."),
            wlanCounter("trbWlanTxRetries", 5, "Retransmissions."),
            wlanCounter("trbWlanRxPackets", 6, "Packets received on the band."),
            wlanCounter("trbWlanRxBytes", 7, "Bytes received on the band."),
            wlanCounter("trbWlanRxDropped", 8, "Received packets dropped."),
            wlanCounter("trbWlanRxCrcErrors", 9, "Frames received with a bad CRC."),
            wlanCounter("trbWlanRxDecryptErrors", 10, "Frames that failed to decrypt."),
            wlanCounter("trbWlanRxMicErrors", 11, "Frames with a bad message integrity code."),
            wlanCounter("trbWlanRxPhyErrors", 12, "Frames lost to PHY errors."),
        },
    };
}

} // namespace trb::schema::subtrees
