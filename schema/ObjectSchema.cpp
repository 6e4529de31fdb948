#include "ObjectSchema.h"

#include <algorithm>
#include <charconv>

namespace trb::schema {
namespace {

using enum SmiType;
using enum Access;
using enum IndexShape;

constexpr bool kConfig = true;
constexpr bool kState = false;

// Subtrees below the base:
//   1 trbSystem      device-wide scalars
//   2 trbLan         the wired interface's address settings
//   3 trbBandTable   one row per radio band (1 = 2.4 GHz, 2 = 5 GHz)
//   4 trbSsidTable   one row per band and SSID (0 primary, 1..7 additional)
//   5 trbCommands    device commands
//   6 trbClientTable associated wireless stations
const std::vector<GroupDef> kGroups = {
    {"trbSystem", {1}, "Device-wide information and settings."},
    {"trbLan", {2}, "Address settings of the wired interface."},
    {"trbCommands", {5}, "Device commands and what they act on."},
};

const std::vector<TableDef> kTables = {
    {"trbBandTable", "trbBandEntry", {3}, {"trbBandIndex"},
     "Per-band radio information, one row per band the device has."},
    {"trbSsidTable", "trbSsidEntry", {4}, {"trbBandIndex", "trbSsidIndex"},
     "Per-SSID information, indexed by band and SSID number."},
    {"trbClientTable", "trbClientEntry", {6}, {"trbClientIndex"},
     "Wireless stations associated with the access point."},
};

const std::vector<ObjectDef> kObjects = {
    // trbSystem
    {"trbModelName", {1, 1}, DisplayString, 0, 63, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Model name of the device."},
    {"trbFirmwareVersion", {1, 2}, DisplayString, 0, 63, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Version of the running firmware."},
    {"trbSystemName", {1, 3}, DisplayString, 0, 32, ReadWrite, Scalar, nullptr, nullptr, kConfig,
     "Administrative name of the device."},
    {"trbLocation", {1, 4}, DisplayString, 0, 32, ReadWrite, Scalar, nullptr, nullptr, kConfig,
     "Where the device is installed."},
    {"trbSystemTime", {1, 5}, DisplayString, 0, 63, ReadOnly, Scalar, nullptr, nullptr, kState,
     "The device's local date and time as text."},
    {"trbUpTime", {1, 6}, TimeTicks, 0, 4294967295LL, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Time since the device last started."},
    {"trbCpuLoad", {1, 7}, Gauge, 0, 100, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Processor utilisation in percent."},
    {"trbMemoryLoad", {1, 8}, Gauge, 0, 100, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Memory utilisation in percent."},
    {"trbEthernetMac", {1, 9}, MacAddress, 6, 6, ReadOnly, Scalar, nullptr, nullptr, kState,
     "MAC address of the Ethernet port."},
    {"trbCurrentBand", {1, 10}, Integer, 1, 2, ReadWrite, Scalar, nullptr,
     "band2dot4gHz(1),band5gHz(2)", kConfig, "The band the radio serves."},
    {"trbLanLink", {1, 11}, Integer, 1, 2, ReadOnly, Scalar, nullptr, "up(1),down(2)", kState,
     "Link state of the Ethernet port."},
    {"trbApMode", {1, 12}, Integer, 1, 5, ReadWrite, Scalar, nullptr,
     "accessPoint(1),wdsWithAp(2),wds(3),wirelessClient(4),apRepeater(5)", kConfig,
     "Operating mode of the radio."},
    {"trbApArrayName", {1, 13}, DisplayString, 0, 32, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Name of the AP array the device belongs to."},
    {"trbApArrayRole", {1, 14}, DisplayString, 0, 32, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Role of the device in its AP array."},
    {"trbApArrayLocation", {1, 15}, DisplayString, 0, 32, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Location reported for the AP array."},

    // trbLan
    {"trbLanAddressMode", {2, 1}, Integer, 0, 1, ReadWrite, Scalar, nullptr, "static(0),dhcp(1)",
     kConfig, "How the device gets its address: set by hand, or from a DHCP server."},
    {"trbLanIpAddress", {2, 2}, IpAddress, 0, 0, ReadWrite, Scalar, nullptr, nullptr, kConfig,
     "IPv4 address of the device."},
    {"trbLanSubnetMask", {2, 3}, IpAddress, 0, 0, ReadWrite, Scalar, nullptr, nullptr, kConfig,
     "Subnet mask of the device."},
    {"trbLanGateway", {2, 4}, IpAddress, 0, 0, ReadWrite, Scalar, nullptr, nullptr, kConfig,
     "Default gateway; 0.0.0.0 when there is none."},

    // trbBandTable
    {"trbBandIndex", {3, 1, 1}, Integer, 1, 2, NotAccessible, Table, "trbBandTable", nullptr, kState,
     "Band number: 1 = 2.4 GHz, 2 = 5 GHz."},
    {"trbBandPrimaryMac", {3, 1, 2}, MacAddress, 6, 6, ReadOnly, Table, "trbBandTable", nullptr,
     kState, "MAC address of the band's primary SSID."},
    {"trbBandSsid", {3, 1, 3}, DisplayString, 0, 32, ReadWrite, Table, "trbBandTable", nullptr,
     kConfig, "Network name (SSID) of the band's primary SSID."},
    {"trbBandChannel", {3, 1, 4}, DisplayString, 0, 32, ReadOnly, Table, "trbBandTable", nullptr,
     kState, "Channel in use, as text."},
    {"trbBandDataRate", {3, 1, 5}, DisplayString, 0, 32, ReadOnly, Table, "trbBandTable", nullptr,
     kState, "Data rate in use, as text."},
    {"trbBandOperationMode", {3, 1, 6}, DisplayString, 0, 32, ReadOnly, Table, "trbBandTable",
     nullptr, kState, "Operation mode of the band, as text."},
    {"trbBandRadioState", {3, 1, 7}, Integer, 1, 2, ReadWrite, Table, "trbBandTable", "on(1),off(2)",
     kConfig, "Whether the band's radio is switched on."},
    {"trbBandSecurity", {3, 1, 8}, DisplayString, 0, 32, ReadOnly, Table, "trbBandTable", nullptr,
     kState, "Security of the primary SSID, as text."},
    {"trbBandWirelessState", {3, 1, 9}, Integer, 1, 2, ReadOnly, Table, "trbBandTable",
     "enabled(1),disabled(2)", kState, "Whether the band is in service."},
    {"trbBandMultiSsidFirstMac", {3, 1, 10}, MacAddress, 6, 6, ReadOnly, Table, "trbBandTable",
     nullptr, kState, "First MAC address of the band's additional SSIDs."},
    {"trbBandMultiSsidLastMac", {3, 1, 11}, MacAddress, 6, 6, ReadOnly, Table, "trbBandTable",
     nullptr, kState, "Last MAC address of the band's additional SSIDs."},

    // trbSsidTable
    {"trbSsidIndex", {4, 1, 1}, Integer, 0, 7, NotAccessible, Table, "trbSsidTable", nullptr, kState,
     "SSID number: 0 primary, 1 to 7 additional."},
    {"trbSsidMac", {4, 1, 2}, MacAddress, 6, 6, ReadOnly, Table, "trbSsidTable", nullptr, kState,
     "MAC address (BSSID) of the SSID; all zeros when unused."},

    // trbCommands
    {"trbDeviceCommand", {5, 1}, Integer, 0, 5, ReadWrite, Scalar, nullptr,
     "idle(0),restart(1),restoreDefaults(2),saveAndActivate(3),discardChanges(4),clearLanguagePack(5)",
     kState, "Writing a value runs the command; reads return idle."},
    {"trbLanguagePack", {5, 2}, DisplayString, 0, 63, ReadOnly, Scalar, nullptr, nullptr, kState,
     "Name of the installed language pack; empty when none."},

    // trbClientTable
    {"trbClientIndex", {6, 1, 1}, Integer, 1, 65535, NotAccessible, Table, "trbClientTable", nullptr,
     kState, "Row number."},
    {"trbClientBand", {6, 1, 2}, Integer, 1, 2, ReadOnly, Table, "trbClientTable", nullptr, kState,
     "Band the station is associated on."},
    {"trbClientMac", {6, 1, 3}, MacAddress, 6, 6, ReadOnly, Table, "trbClientTable", nullptr, kState,
     "MAC address of the station."},
    {"trbClientPhyMode", {6, 1, 4}, DisplayString, 0, 32, ReadOnly, Table, "trbClientTable", nullptr,
     kState, "PHY mode: dot11a, dot11b, dot11g or dot11n."},
    {"trbClientAuthentication", {6, 1, 5}, DisplayString, 0, 64, ReadOnly, Table, "trbClientTable",
     nullptr, kState, "Authentication of the station."},
    {"trbClientSignal", {6, 1, 6}, Integer, 0, 100, ReadOnly, Table, "trbClientTable", nullptr,
     kState, "Signal strength in percent."},
    {"trbClientPowerSave", {6, 1, 7}, DisplayString, 0, 32, ReadOnly, Table, "trbClientTable",
     nullptr, kState, "Power-saving mode of the station."},
    {"trbClientSsid", {6, 1, 8}, DisplayString, 0, 32, ReadOnly, Table, "trbClientTable", nullptr,
     kState, "SSID the station is associated with."},
};

} // namespace

std::span<const ObjectDef> objects() { return kObjects; }
std::span<const TableDef> tables() { return kTables; }
std::span<const GroupDef> groups() { return kGroups; }

const ObjectDef *findObject(std::string_view name)
{
    auto it = std::find_if(kObjects.begin(), kObjects.end(),
                           [&](const ObjectDef &o) { return name == o.name; });
    return it == kObjects.end() ? nullptr : &*it;
}

const TableDef *findTable(std::string_view name)
{
    auto it = std::find_if(kTables.begin(), kTables.end(),
                           [&](const TableDef &t) { return name == t.name; });
    return it == kTables.end() ? nullptr : &*it;
}

std::vector<uint32_t> instanceOid(const ObjectDef &object, std::span<const uint32_t> instance)
{
    std::vector<uint32_t> oid(std::begin(kBaseOid), std::end(kBaseOid));
    oid.insert(oid.end(), object.oid.begin(), object.oid.end());
    if (object.shape == IndexShape::Scalar)
        oid.push_back(0);
    else
        oid.insert(oid.end(), instance.begin(), instance.end());
    return oid;
}

namespace {
// Calls visit(label, value) for each "label(value)" of an enumeration; stops when it returns true.
template <typename Visit> bool forEachEnum(const char *values, Visit visit)
{
    if (!values)
        return false;
    std::string_view rest(values);
    while (!rest.empty()) {
        auto open = rest.find('(');
        auto close = rest.find(')');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open)
            return false;
        int64_t value = 0;
        std::from_chars(rest.data() + open + 1, rest.data() + close, value);
        if (visit(rest.substr(0, open), value))
            return true;
        rest.remove_prefix(close + 1);
        if (!rest.empty() && rest.front() == ',')
            rest.remove_prefix(1);
    }
    return false;
}
} // namespace

std::string_view enumLabel(const ObjectDef &object, int64_t value)
{
    std::string_view found;
    forEachEnum(object.enumValues, [&](std::string_view label, int64_t v) {
        if (v != value)
            return false;
        found = label;
        return true;
    });
    return found;
}

bool enumValue(const ObjectDef &object, std::string_view label, int64_t &value)
{
    return forEachEnum(object.enumValues, [&](std::string_view l, int64_t v) {
        if (l != label)
            return false;
        value = v;
        return true;
    });
}

} // namespace trb::schema
