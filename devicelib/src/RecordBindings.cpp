#include "RecordBindings.h"

#include <cstddef>
#include <stdexcept>

#include "TRB4820apRecords.h"
#include "families/FamilyBindings.h"

namespace trb::devicelib {
namespace {

using enum Conversion;
constexpr Family DI = Family::DeviceInfo;
constexpr uint32_t Dev = AP_DEVINFO_GROUP_DEVICE;
constexpr uint32_t Lan = AP_DEVINFO_GROUP_LAN;

#define SLOT(type, field) uint32_t(offsetof(type, field)), uint32_t(sizeof(type::field))
#define SLOT_AT(type, field, i) \
    uint32_t(offsetof(type, field) + (i) * sizeof(type::field[0])), uint32_t(sizeof(type::field[0]))

using DevRec = apDeviceInfoRecord;
using LanRec = apLanSettingsRecord;
using PaneRec = apPaneStatusRecord;
using ClientRec = apClientRecord;

// Per-band rows of the device information record: band b (1 or 2) goes to index b - 1.
void addBandRows(std::vector<Binding> &list, uint32_t band)
{
    uint32_t i = band - 1;
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandSsid", {band}, SLOT_AT(DevRec, ssid, i), Text});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandChannel", {band}, SLOT_AT(DevRec, channel, i), Text});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandDataRate", {band}, SLOT_AT(DevRec, dataRate, i), Text});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandOperationMode", {band},
                    SLOT_AT(DevRec, operationMode, i), Text});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandRadioState", {band}, SLOT_AT(DevRec, radioState, i),
                    EnumLabel});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandSecurity", {band}, SLOT_AT(DevRec, security, i), Text});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandWirelessState", {band},
                    SLOT_AT(DevRec, wirelessState, i), EnumLabel});
    // MAC table: primary 1/2, multi-SSID first 3/4 and last 5/6, SSID 1..3 at 7/8, 9/10, 11/12.
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandPrimaryMac", {band}, SLOT_AT(DevRec, mac, band), MacHex});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandMultiSsidFirstMac", {band},
                    SLOT_AT(DevRec, mac, 2 + band), MacHex});
    list.push_back({DI, Dev, LayoutDeviceInfo, "trbBandMultiSsidLastMac", {band},
                    SLOT_AT(DevRec, mac, 4 + band), MacHex});
    for (uint32_t ssid = 1; ssid <= 3; ++ssid)
        list.push_back({DI, Dev, LayoutDeviceInfo, "trbSsidMac", {band, ssid},
                        SLOT_AT(DevRec, mac, 5 + 2 * ssid + i), MacHex});
}

std::vector<Binding> makeBindings()
{
    std::vector<Binding> list = {
        // Device information, record group 0.
        {DI, Dev, LayoutDeviceInfo, "trbLanIpAddress", {}, SLOT(DevRec, ipAddress), IpText},
        {DI, Dev, LayoutDeviceInfo, "trbLanSubnetMask", {}, SLOT(DevRec, subnetMask), IpText},
        {DI, Dev, LayoutDeviceInfo, "trbLanGateway", {}, SLOT(DevRec, gateway), GatewayText},
        {DI, Dev, LayoutDeviceInfo, "trbFirmwareVersion", {}, SLOT(DevRec, firmwareVersion), Text},
        {DI, Dev, LayoutDeviceInfo, "trbApArrayName", {}, SLOT(DevRec, apArrayName), Text},
        {DI, Dev, LayoutDeviceInfo, "trbApArrayRole", {}, SLOT(DevRec, apArrayRole), Text},
        {DI, Dev, LayoutDeviceInfo, "trbApArrayLocation", {}, SLOT(DevRec, apArrayLocation), Text},
        {DI, Dev, LayoutDeviceInfo, "trbCpuLoad", {}, SLOT(DevRec, cpuLoad), Integer32},
        {DI, Dev, LayoutDeviceInfo, "trbMemoryLoad", {}, SLOT(DevRec, memoryLoad), Integer32},
        {DI, Dev, LayoutDeviceInfo, "trbEthernetMac", {}, SLOT_AT(DevRec, mac, 0), MacHex},
        {DI, Dev, LayoutDeviceInfo, "trbCurrentBand", {}, SLOT(DevRec, currentBand), EnumLabel},
        {DI, Dev, LayoutDeviceInfo, "trbModelName", {}, SLOT(DevRec, modelName), Text},
        {DI, Dev, LayoutDeviceInfo, "trbSystemTime", {}, SLOT(DevRec, systemTime), Text},
        {DI, Dev, LayoutDeviceInfo, "trbUpTime", {}, SLOT(DevRec, upTime), UpTimeText},
        {DI, Dev, LayoutDeviceInfo, "trbSystemName", {}, SLOT(DevRec, systemName), Text},
        {DI, Dev, LayoutDeviceInfo, "trbLocation", {}, SLOT(DevRec, location), Text},
    };
    addBandRows(list, 1);
    addBandRows(list, 2);

    // LAN settings, record group 2.
    list.push_back({DI, Lan, LayoutLanSettings, "trbLanAddressMode", {}, SLOT(LanRec, addressMode), Integer32});
    list.push_back({DI, Lan, LayoutLanSettings, "trbLanIpAddress", {}, SLOT(LanRec, ipAddress), IpText});
    list.push_back({DI, Lan, LayoutLanSettings, "trbLanSubnetMask", {}, SLOT(LanRec, subnetMask), IpText});
    list.push_back({DI, Lan, LayoutLanSettings, "trbLanGateway", {}, SLOT(LanRec, gateway), GatewayText});

    // Front-panel status.
    constexpr Family PS = Family::PaneStatus;
    list.push_back({PS, 1, LayoutPaneStatus, "trbLanIpAddress", {}, SLOT(PaneRec, ipAddress), IpText});
    list.push_back({PS, 1, LayoutPaneStatus, "trbLanSubnetMask", {}, SLOT(PaneRec, subnetMask), IpText});
    list.push_back({PS, 1, LayoutPaneStatus, "trbBandRadioState", {1}, SLOT(PaneRec, radio24On), OneMeansTrue});
    list.push_back({PS, 1, LayoutPaneStatus, "trbBandRadioState", {2}, SLOT(PaneRec, radio5On), OneMeansTrue});
    list.push_back({PS, 1, LayoutPaneStatus, "trbCurrentBand", {}, SLOT(PaneRec, activeBand), BandFromZero});
    list.push_back({PS, 1, LayoutPaneStatus, "trbApMode", {}, SLOT(PaneRec, apMode), Integer32});
    list.push_back({PS, 1, LayoutPaneStatus, "trbLanLink", {}, SLOT(PaneRec, lanLink), OneMeansTrue});

    // Client table columns (walked; the row index comes from the OID).
    constexpr Family MO = Family::Monitor;
    list.push_back({MO, 1, LayoutClientRow, "trbClientBand", {}, SLOT(ClientRec, band), Integer32});
    list.push_back({MO, 1, LayoutClientRow, "trbClientMac", {}, SLOT(ClientRec, mac), MacHex});
    list.push_back({MO, 1, LayoutClientRow, "trbClientPhyMode", {}, SLOT(ClientRec, phyMode), Text});
    list.push_back({MO, 1, LayoutClientRow, "trbClientAuthentication", {}, SLOT(ClientRec, authentication), Text});
    list.push_back({MO, 1, LayoutClientRow, "trbClientSignal", {}, SLOT(ClientRec, signal), Integer32});
    list.push_back({MO, 1, LayoutClientRow, "trbClientPowerSave", {}, SLOT(ClientRec, powerSave), Text});
    list.push_back({MO, 1, LayoutClientRow, "trbClientSsid", {}, SLOT(ClientRec, ssid), Text});

    // Device commands: written through apSysCommand, read back as idle.
    constexpr Family CO = Family::Command;
    list.push_back({CO, 1, LayoutNone, "trbDeviceCommand", {}, 0, 4, Integer32});
    list.push_back({CO, 1, LayoutNone, "trbLanguagePack", {}, 0, 0, Text});

    addArpBindings(list);
    addAdminBindings(list);

    for (Binding &b : list) {
        b.objectDef = schema::findObject(b.object);
        if (!b.objectDef)
            throw std::logic_error(std::string("binding names an unknown object: ") + b.object);
        b.oid = schema::instanceOid(*b.objectDef, b.instance);
    }
    return list;
}

#undef SLOT
#undef SLOT_AT

const std::vector<Binding> &bindingList()
{
    static const std::vector<Binding> list = makeBindings();
    return list;
}

} // namespace

std::span<const Binding> allBindings() { return bindingList(); }

std::vector<const Binding *> bindingsOfLayout(uint32_t layout)
{
    std::vector<const Binding *> found;
    for (const Binding &b : bindingList())
        if (b.layout == layout)
            found.push_back(&b);
    return found;
}

std::vector<const Binding *> bindingsOfGroups(Family family, uint32_t mask)
{
    std::vector<const Binding *> found;
    for (const Binding &b : bindingList())
        if (b.family == family && (b.groupBit & mask))
            found.push_back(&b);
    return found;
}

uint32_t knownGroups(Family family)
{
    uint32_t bits = 0;
    for (const Binding &b : bindingList())
        if (b.family == family)
            bits |= b.groupBit;
    return bits;
}

uint32_t layoutSize(uint32_t layout)
{
    switch (layout) {
    case LayoutDeviceInfo:
    case LayoutLanSettings:
        return AP_DEVICE_INFO_RECORD_SIZE;
    case LayoutPaneStatus:
        return sizeof(apPaneStatusRecord);
    case LayoutClientRow:
        return sizeof(apClientRecord);
    case LayoutArpEntry:
        return sizeof(apArpEntry);
    default:
        return 0;
    }
}

const schema::ObjectDef &objectOf(const Binding &binding) { return *binding.objectDef; }

const Oid &instanceOidOf(const Binding &binding) { return binding.oid; }

} // namespace trb::devicelib
