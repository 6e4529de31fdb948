#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {

constexpr const char *kBand = "trbBandTable";
constexpr const char *kSsid = "trbSsidTable";

ObjectDef bandColumn(ObjectDef object) { return Column(kBand, std::move(object)); }

} // namespace

Subtree bands()
{
    return {
        {},
        {
            Table(kBand, "trbBandEntry", {3}, {"trbBandIndex"})
                .describe("Per-band radio information, one row per band the device has."),
            Table(kSsid, "trbSsidEntry", {4}, {"trbBandIndex", "trbSsidIndex"})
                .describe("Per-SSID information, indexed by band and SSID number."),
        },
        {
            Index(kBand, "trbBandIndex", {3, 1, 1}, 1, 2).describe("Band number: 1 = 2.4 GHz, 2 = 5 GHz."),
            bandColumn(Mac("trbBandPrimaryMac", {3, 1, 2})).describe("MAC address of the band's primary SSID."),
            bandColumn(Text("trbBandSsid", {3, 1, 3}, 1, 32)).writable().setting()
                .describe("Network name (SSID) of the band's primary SSID."),
            bandColumn(Text("trbBandChannel", {3, 1, 4}, 0, 32)).describe("Channel in use, as text."),
            bandColumn(Text("trbBandDataRate", {3, 1, 5}, 0, 32)).describe("Data rate in use, as text."),
            bandColumn(Text("trbBandOperationMode", {3, 1, 6}, 0, 32))
                .describe("Operation mode of the band, as text."),
            bandColumn(Enum("trbBandRadioState", {3, 1, 7}, "on(1),off(2)")).writable().setting()
                .describe("Whether the band's radio is switched on."),
            bandColumn(Text("trbBandSecurity", {3, 1, 8}, 0, 32)).describe("Security of the primary SSID, as text."),
            bandColumn(Enum("trbBandWirelessState", {3, 1, 9}, "enabled(1),disabled(2)"))
                .describe("Whether the band is in service."),
            bandColumn(Mac("trbBandMultiSsidFirstMac", {3, 1, 10}))
                .describe("First MAC address of the band's additional SSIDs."),
            bandColumn(Mac("trbBandMultiSsidLastMac", {3, 1, 11}))
                .describe("Last MAC address of the band's additional SSIDs."),

            Index(kSsid, "trbSsidIndex", {4, 1, 1}, 0, 7).describe("SSID number: 0 primary, 1 to 7 additional."),
            Column(kSsid, Mac("trbSsidMac", {4, 1, 2}))
                .describe("MAC address (BSSID) of the SSID; all zeros when unused."),
        },
    };
}

} // namespace trb::schema::subtrees
