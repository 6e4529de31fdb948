#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

Subtree system()
{
    return {
        {Group("trbSystem", {1}, "Device-wide information and settings.")},
        {},
        {
            Text("trbModelName", {1, 1}, 0, 63).describe("Model name of the device."),
            Text("trbFirmwareVersion", {1, 2}, 0, 63).describe("Version of the running firmware."),
            Text("trbSystemName", {1, 3}, 0, 32).writable().setting()
                .describe("Administrative name of the device."),
            Text("trbLocation", {1, 4}, 0, 32).writable().setting().describe("Where the device is installed."),
            // Writable but not a setting: writing sets the clock, which is never saved.
            Text("trbSystemTime", {1, 5}, 0, 63).writable()
                .describe("The device's local date and time, \"YYYY-MM-DD HH:MM:SS\". Writing it sets the "
                          "clock; a device that takes its time from a server keeps following the server."),
            Ticks("trbUpTime", {1, 6}).describe("Time since the device last started."),
            Gauge("trbCpuLoad", {1, 7}, 0, 100).describe("Processor utilisation in percent."),
            Gauge("trbMemoryLoad", {1, 8}, 0, 100).describe("Memory utilisation in percent."),
            Mac("trbEthernetMac", {1, 9}).describe("MAC address of the Ethernet port."),
            Enum("trbCurrentBand", {1, 10}, "band2dot4gHz(1),band5gHz(2)").writable().setting()
                .describe("The band the radio serves."),
            Enum("trbLanLink", {1, 11}, "up(1),down(2)").describe("Link state of the Ethernet port."),
            Enum("trbApMode", {1, 12}, "accessPoint(1),wdsWithAp(2),wds(3),wirelessClient(4),apRepeater(5)")
                .writable().setting().describe("Operating mode of the radio."),
            Text("trbApArrayName", {1, 13}, 0, 32).writable().setting().describe("Name of the AP array the device belongs to."),
            Text("trbApArrayRole", {1, 14}, 0, 32)
                .describe("Role of the device in its AP array, as text; follows trbApArrayMemberRole."),
            Text("trbApArrayLocation", {1, 15}, 0, 32).describe("Location reported for the AP array."),
        },
    };
}

} // namespace trb::schema::subtrees
