#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kNeighbours = "trbNeighbourTable";
constexpr const char *kWiredMacs = "trbWiredMacTable";
ObjectDef neighbourColumn(ObjectDef object) { return Column(kNeighbours, std::move(object)); }
} // namespace

Subtree survey()
{
    return {
        {Group("trbSurvey", {10}, "Site surveys: the access points the radio hears, and the stations "
                                  "the device has learnt on its wired side.")},
        {
            Table(kNeighbours, "trbNeighbourEntry", {10, 2}, {"trbNeighbourBand", "trbNeighbourIndex"})
                .describe("Access points found by the last scan of each band, indexed by band and row. "
                          "A scan of a band replaces that band's rows."),
            Table(kWiredMacs, "trbWiredMacEntry", {10, 3}, {"trbWiredMacIndex"})
                .describe("Unicast MAC addresses the device has learnt on its wired port, the "
                          "candidates for wireless MAC clone."),
        },
        {
            // Not a setting: a scan runs once and is never saved.
            Enum("trbSurveyScan", {10, 1}, "idle(0),band2dot4gHz(1),band5gHz(2)").writable()
                .describe("Writing a band scans it for access points and refreshes that band's rows of "
                          "trbNeighbourTable; refused while the band blocks site surveys. Reads return idle."),

            Index(kNeighbours, "trbNeighbourBand", {10, 2, 1, 1}, 1, 2)
                .describe("Band the access point was heard on: 1 = 2.4 GHz, 2 = 5 GHz."),
            Index(kNeighbours, "trbNeighbourIndex", {10, 2, 1, 2}, 1, 255).describe("Row number within the band."),
            neighbourColumn(Int("trbNeighbourChannel", {10, 2, 1, 3}, 1, 165)).describe("Channel of the access point."),
            neighbourColumn(Int("trbNeighbourSignal", {10, 2, 1, 4}, 0, 100)).describe("Signal strength in percent."),
            neighbourColumn(Mac("trbNeighbourBssid", {10, 2, 1, 5})).describe("BSSID of the access point."),
            neighbourColumn(Text("trbNeighbourSecurity", {10, 2, 1, 6}, 0, 64))
                .describe("Security the access point announces, e.g. None, WEP, WPA2-PSK(AES)."),
            neighbourColumn(Text("trbNeighbourSsid", {10, 2, 1, 7}, 0, 32))
                .describe("Network name (SSID) the access point announces; empty when hidden."),

            Index(kWiredMacs, "trbWiredMacIndex", {10, 3, 1, 1}, 1, 255).describe("Row number."),
            Column(kWiredMacs, Mac("trbWiredMac", {10, 3, 1, 2})).describe("MAC address learnt on the wired port."),
        },
    };
}

} // namespace trb::schema::subtrees
