// Device information (record group 0) and LAN settings (record group 2): one record, whose
// first word says which of the two it carries.
#include "TRB4820apHelp.h"

#include <cstring>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"

using namespace trb::devicelib;

namespace trb::devicelib {
namespace {

using enum Conversion;
constexpr Family DI = Family::DeviceInfo;
constexpr uint32_t Dev = AP_DEVINFO_GROUP_DEVICE;
constexpr uint32_t Lan = AP_DEVINFO_GROUP_LAN;
using DevRec = apDeviceInfoRecord;
using LanRec = apLanSettingsRecord;

// Per-band rows of the device information record: band b (1 or 2) goes to index b - 1.
void addBandRows(BindingTable &table, uint32_t band)
{
    uint32_t i = band - 1;
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandSsid", {band}, TRB_SLOT_AT(DevRec, ssid, i), Text});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandChannel", {band}, TRB_SLOT_AT(DevRec, channel, i), Text});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandDataRate", {band}, TRB_SLOT_AT(DevRec, dataRate, i), Text});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandOperationMode", {band},
                    TRB_SLOT_AT(DevRec, operationMode, i), Text});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandRadioState", {band}, TRB_SLOT_AT(DevRec, radioState, i),
                    EnumLabel});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandSecurity", {band}, TRB_SLOT_AT(DevRec, security, i), Text});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandWirelessState", {band},
                    TRB_SLOT_AT(DevRec, wirelessState, i), EnumLabel});
    // MAC table: primary 1/2, multi-SSID first 3/4 and last 5/6, SSID 1..3 at 7/8, 9/10, 11/12.
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandPrimaryMac", {band}, TRB_SLOT_AT(DevRec, mac, band), MacHex});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandMultiSsidFirstMac", {band},
                    TRB_SLOT_AT(DevRec, mac, 2 + band), MacHex});
    table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbBandMultiSsidLastMac", {band},
                    TRB_SLOT_AT(DevRec, mac, 4 + band), MacHex});
    for (uint32_t ssid = 1; ssid <= 3; ++ssid)
        table.rows.push_back({DI, Dev, LayoutDeviceInfo, "trbSsidMac", {band, ssid},
                        TRB_SLOT_AT(DevRec, mac, 5 + 2 * ssid + i), MacHex});
}

} // namespace

void addDeviceInfoBindings(BindingTable &table)
{
    table.rows.insert(table.rows.end(), {
        // Device information, record group 0.
        {DI, Dev, LayoutDeviceInfo, "trbLanIpAddress", {}, TRB_SLOT(DevRec, ipAddress), IpText},
        {DI, Dev, LayoutDeviceInfo, "trbLanSubnetMask", {}, TRB_SLOT(DevRec, subnetMask), IpText},
        {DI, Dev, LayoutDeviceInfo, "trbLanGateway", {}, TRB_SLOT(DevRec, gateway), GatewayText},
        {DI, Dev, LayoutDeviceInfo, "trbFirmwareVersion", {}, TRB_SLOT(DevRec, firmwareVersion), Text},
        {DI, Dev, LayoutDeviceInfo, "trbApArrayName", {}, TRB_SLOT(DevRec, apArrayName), Text},
        {DI, Dev, LayoutDeviceInfo, "trbApArrayRole", {}, TRB_SLOT(DevRec, apArrayRole), Text},
        {DI, Dev, LayoutDeviceInfo, "trbApArrayLocation", {}, TRB_SLOT(DevRec, apArrayLocation), Text},
        {DI, Dev, LayoutDeviceInfo, "trbCpuLoad", {}, TRB_SLOT(DevRec, cpuLoad), Integer32},
        {DI, Dev, LayoutDeviceInfo, "trbMemoryLoad", {}, TRB_SLOT(DevRec, memoryLoad), Integer32},
        {DI, Dev, LayoutDeviceInfo, "trbEthernetMac", {}, TRB_SLOT_AT(DevRec, mac, 0), MacHex},
        {DI, Dev, LayoutDeviceInfo, "trbCurrentBand", {}, TRB_SLOT(DevRec, currentBand), EnumLabel},
        {DI, Dev, LayoutDeviceInfo, "trbModelName", {}, TRB_SLOT(DevRec, modelName), Text},
        {DI, Dev, LayoutDeviceInfo, "trbSystemTime", {}, TRB_SLOT(DevRec, systemTime), Text},
        {DI, Dev, LayoutDeviceInfo, "trbUpTime", {}, TRB_SLOT(DevRec, upTime), UpTimeText},
        {DI, Dev, LayoutDeviceInfo, "trbSystemName", {}, TRB_SLOT(DevRec, systemName), Text},
        {DI, Dev, LayoutDeviceInfo, "trbLocation", {}, TRB_SLOT(DevRec, location), Text},
    });
    addBandRows(table, 1);
    addBandRows(table, 2);

    // LAN settings, record group 2.
    table.rows.push_back({DI, Lan, LayoutLanSettings, "trbLanAddressMode", {}, TRB_SLOT(LanRec, addressMode), Integer32});
    table.rows.push_back({DI, Lan, LayoutLanSettings, "trbLanIpAddress", {}, TRB_SLOT(LanRec, ipAddress), IpText});
    table.rows.push_back({DI, Lan, LayoutLanSettings, "trbLanSubnetMask", {}, TRB_SLOT(LanRec, subnetMask), IpText});
    table.rows.push_back({DI, Lan, LayoutLanSettings, "trbLanGateway", {}, TRB_SLOT(LanRec, gateway), GatewayText});

    table.layout(LayoutDeviceInfo, AP_DEVICE_INFO_RECORD_SIZE);
    table.layout(LayoutLanSettings, AP_DEVICE_INFO_RECORD_SIZE);
}

} // namespace trb::devicelib

namespace {
// Slots 7, 9 and 11 carry SSID 1 to 3 of the band the radio serves (readers of the record
// look only there); 8, 10 and 12 those of the other band.
void putServingBandSsidsFirst(apDeviceInfoRecord &record)
{
    if (std::strcmp(record.currentBand, "band5gHz") != 0)
        return;
    for (int k = 7; k <= 11; k += 2)
        std::swap(record.mac[k], record.mac[k + 1]);
}
// The start of a Get or Set: the handle's state and the record's group (device information
// or LAN settings); 0 when the call may go on, else the code.
int recordCall(APHANDLE handle, const void *record, std::shared_ptr<HandleState> &state, uint32_t &group)
{
    state = familyHandle(handle, Family::DeviceInfo);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    group = recordGroup(record);
    const bool known = group == AP_DEVINFO_RECORD_GROUP_DEVICE || group == AP_DEVINFO_RECORD_GROUP_LAN;
    return known ? AP_OK : AP_ERR_BAD_ARGUMENT;
}
} // namespace

extern "C" {

APHANDLE apSysDeviceInforOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::DeviceInfo, AP_DEVINFO_GROUP_DEVICE);
}

int apSysDeviceGetInfor(APHANDLE handle, void *record)
{
    std::shared_ptr<HandleState> state;
    uint32_t group = 0;
    if (const int refused = recordCall(handle, record, state, group))
        return refused;
    decodeLayout(*state, group, record);
    if (group == AP_DEVINFO_RECORD_GROUP_DEVICE)
        putServingBandSsidsFirst(*static_cast<apDeviceInfoRecord *>(record));
    return AP_OK;
}

int apSysDeviceSetInfor(APHANDLE handle, const void *record)
{
    std::shared_ptr<HandleState> state;
    uint32_t group = 0;
    if (const int refused = recordCall(handle, record, state, group))
        return refused;
    std::span<const uint8_t> bytes(static_cast<const uint8_t *>(record), AP_DEVICE_INFO_RECORD_SIZE);
    std::vector<StagedValue> staged;
    for (const Binding *b : bindingsOfLayout(group)) {
        if (objectOf(*b).access != trb::schema::Access::ReadWrite)
            continue;
        std::string reason;
        auto value = RecordCodec::encode(*b, bytes, reason);
        if (!value)
            return AP_ERR_BAD_ARGUMENT; // nothing staged
        staged.push_back({b->groupBit, instanceOidOf(*b), std::move(*value)});
    }
    std::lock_guard lock(state->mutex);
    state->staged = std::move(staged);
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

} // extern "C"
