#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kSync = "trbApArraySyncTable";
constexpr const char *kFound = "trbApArrayFoundTable";
constexpr const char *kMembers = "trbApArrayMemberTable";
constexpr const char *kRoles = "master(1),backupMaster(2),slave(3)";
constexpr uint32_t kSyncItems = 33;
} // namespace

// Membership itself is trbApArrayFunction (on or off) and trbApArrayName; the role's text in
// trbSystem follows trbApArrayMemberRole.
Subtree apArray()
{
    return {
        {Group("trbApArrayConfig", {14}, "AP array: the role and password the device joins its array with, "
                                         "the settings the array keeps in step, and array scans.")},
        {
            Table(kSync, "trbApArraySyncEntry", {14, 5}, {"trbApArraySyncItem"})
                .describe("One row for each group of settings the array may keep synchronized."),
            Table(kFound, "trbApArrayFoundEntry", {14, 6}, {"trbApArrayFoundIndex"})
                .describe("Arrays found by the last scan."),
            Table(kMembers, "trbApArrayMemberEntry", {14, 7}, {"trbApArrayMemberIndex"})
                .describe("Members of the device's own array found by the last scan."),
        },
        {
            Text("trbApArrayPassword", {14, 1}, 0, 32).writable().setting().confidential()
                .describe("Password of the array. Served to the write community only."),
            Enum("trbApArrayMemberRole", {14, 2}, kRoles).writable().setting()
                .describe("Role the device takes in its array."),
            Enum("trbApArrayScanAllowed", {14, 3}, "no(0),yes(1)")
                .describe("yes while the device can scan for arrays (its radio is on)."),
            // Not a setting: a scan runs once and is never saved.
            Enum("trbApArrayScan", {14, 4}, "idle(0),scan(1)").writable()
                .describe("Writing scan refreshes trbApArrayFoundTable and trbApArrayMemberTable; refused "
                          "while trbApArrayScanAllowed is no. Reads return idle."),

            Index(kSync, "trbApArraySyncItem", {14, 5, 1, 1}, 1, kSyncItems).describe("Group of settings."),
            Column(kSync, Enum("trbApArraySync", {14, 5, 1, 2}, "off(0),on(1)")).writable().setting()
                .describe("Whether the array keeps this group of settings synchronized."),

            Index(kFound, "trbApArrayFoundIndex", {14, 6, 1, 1}, 1, 255).describe("Row number."),
            Column(kFound, Text("trbApArrayFoundName", {14, 6, 1, 2}, 0, 32)).describe("Name of the array."),
            Column(kFound, Ip("trbApArrayFoundMasterIp", {14, 6, 1, 3})).describe("Address of its master."),
            Column(kFound, Mac("trbApArrayFoundMac", {14, 6, 1, 4})).describe("MAC address of its master."),
            Column(kFound, Gauge("trbApArrayFoundMasters", {14, 6, 1, 5}, 0, 255)).describe("Masters."),
            Column(kFound, Gauge("trbApArrayFoundBackups", {14, 6, 1, 6}, 0, 255)).describe("Backup masters."),
            Column(kFound, Gauge("trbApArrayFoundSlaves", {14, 6, 1, 7}, 0, 255)).describe("Slaves."),
            Column(kFound, Gauge("trbApArrayFoundTotal", {14, 6, 1, 8}, 0, 255)).describe("All members."),

            Index(kMembers, "trbApArrayMemberIndex", {14, 7, 1, 1}, 1, 255).describe("Row number."),
            Column(kMembers, Enum("trbApArrayMemberRank", {14, 7, 1, 2}, kRoles)).describe("Role of the member."),
            Column(kMembers, Ip("trbApArrayMemberIp", {14, 7, 1, 3})).describe("Address of the member."),
            Column(kMembers, Mac("trbApArrayMemberMac", {14, 7, 1, 4})).describe("MAC address of the member."),
            Column(kMembers, Text("trbApArrayMemberLocation", {14, 7, 1, 5}, 0, 32))
                .describe("Location the member reports."),
        },
    };
}

} // namespace trb::schema::subtrees
