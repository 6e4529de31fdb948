#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kClient = "trbClientTable";
ObjectDef clientColumn(ObjectDef object) { return Column(kClient, std::move(object)); }
} // namespace

Subtree clients()
{
    return {
        {},
        {Table(kClient, "trbClientEntry", {6}, {"trbClientIndex"})
             .describe("Wireless stations associated with the access point.")},
        {
            Index(kClient, "trbClientIndex", {6, 1, 1}, 1, 65535).describe("Row number."),
            clientColumn(Int("trbClientBand", {6, 1, 2}, 1, 2)).describe("Band the station is associated on."),
            clientColumn(Mac("trbClientMac", {6, 1, 3})).describe("MAC address of the station."),
            clientColumn(Text("trbClientPhyMode", {6, 1, 4}, 0, 32))
                .describe("PHY mode: dot11a, dot11b, dot11g or dot11n."),
            clientColumn(Text("trbClientAuthentication", {6, 1, 5}, 0, 64))
                .describe("Authentication of the station."),
            clientColumn(Int("trbClientSignal", {6, 1, 6}, 0, 100)).describe("Signal strength in percent."),
            clientColumn(Text("trbClientPowerSave", {6, 1, 7}, 0, 32)).describe("Power-saving mode of the station."),
            clientColumn(Text("trbClientSsid", {6, 1, 8}, 0, 32)).describe("SSID the station is associated with."),
        },
    };
}

} // namespace trb::schema::subtrees
