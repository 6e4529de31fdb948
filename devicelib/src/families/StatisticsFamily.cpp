// Traffic statistics: the Ethernet counters (group 1), the per-band WLAN counters (group 4) and
// their clears (groups 2 and 8, written).
#include "TRB4820apHelp.h"

#include "FamilyBindings.h"
#include "FamilyCalls.h"

using namespace trb::devicelib;

namespace trb::devicelib {
namespace {

using enum Conversion;
constexpr Family ST = Family::Statistics;
using EthRec = apStatEthernetRecord;
using WlanRec = apStatWlanRecord;

// Agent values of trbStatisticsClear per tab (0 is its idle).
constexpr int64_t kClearValue[] = {1, 2};
constexpr uint32_t kClearGroup[] = {AP_STAT_GROUP_ETHERNET_CLEAR, AP_STAT_GROUP_WLAN_CLEAR};

void addWlanRows(BindingTable &table, uint32_t band)
{
    const uint32_t i = band - 1;
    const uint32_t W = AP_STAT_GROUP_WLAN;
    auto row = [&](const char *object, uint32_t offset, uint32_t size) {
        table.rows.push_back({ST, W, LayoutStatWlan, object, {band}, offset, size, Integer32});
    };
    row("trbWlanTxPackets", TRB_SLOT_AT(WlanRec, txPackets, i));
    row("trbWlanTxBytes", TRB_SLOT_AT(WlanRec, txBytes, i));
    row("trbWlanTxDropped", TRB_SLOT_AT(WlanRec, txDropped, i));
    row("trbWlanTxRetries", TRB_SLOT_AT(WlanRec, txRetries, i));
    row("trbWlanRxPackets", TRB_SLOT_AT(WlanRec, rxPackets, i));
    row("trbWlanRxBytes", TRB_SLOT_AT(WlanRec, rxBytes, i));
    row("trbWlanRxDropped", TRB_SLOT_AT(WlanRec, rxDropped, i));
    row("trbWlanRxCrcErrors", TRB_SLOT_AT(WlanRec, rxCrcErrors, i));
    row("trbWlanRxDecryptErrors", TRB_SLOT_AT(WlanRec, rxDecryptErrors, i));
    row("trbWlanRxMicErrors", TRB_SLOT_AT(WlanRec, rxMicErrors, i));
    row("trbWlanRxPhyErrors", TRB_SLOT_AT(WlanRec, rxPhyErrors, i));
}

} // namespace

void addStatisticsBindings(BindingTable &table)
{
    const uint32_t E = AP_STAT_GROUP_ETHERNET;
    table.rows.insert(table.rows.end(), {
        {ST, E, LayoutStatEthernet, "trbEthTxPackets", {}, TRB_SLOT(EthRec, txPackets), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthTxBytes", {}, TRB_SLOT(EthRec, txBytes), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthTxDropped", {}, TRB_SLOT(EthRec, txDropped), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthRxPackets", {}, TRB_SLOT(EthRec, rxPackets), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthRxBytes", {}, TRB_SLOT(EthRec, rxBytes), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthRxDropped", {}, TRB_SLOT(EthRec, rxDropped), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthRxMulticast", {}, TRB_SLOT(EthRec, rxMulticast), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthRxBroadcast", {}, TRB_SLOT(EthRec, rxBroadcast), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength64", {}, TRB_SLOT(EthRec, length64), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength65To127", {}, TRB_SLOT(EthRec, length65To127), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength128To255", {}, TRB_SLOT(EthRec, length128To255), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength256To511", {}, TRB_SLOT(EthRec, length256To511), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength512To1023", {}, TRB_SLOT(EthRec, length512To1023), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength1024To1518", {}, TRB_SLOT(EthRec, length1024To1518), Integer32},
        {ST, E, LayoutStatEthernet, "trbEthLength1519ToMax", {}, TRB_SLOT(EthRec, length1519ToMax), Integer32},
    });
    addWlanRows(table, 1);
    addWlanRows(table, 2);
    for (uint32_t group : kClearGroup) // written only; read back as idle
        table.rows.push_back({ST, group, LayoutNone, "trbStatisticsClear", {}, 0, 4, Integer32});
    table.layout(LayoutStatEthernet, sizeof(EthRec));
    table.layout(LayoutStatWlan, sizeof(WlanRec));
}

} // namespace trb::devicelib

extern "C" {

APHANDLE apStatisticOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Statistics, AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN);
}

// The flag word is outside the bound slots: the caller's value comes back unchanged.
int apStatisticInfor(APHANDLE handle, apStatWlanRecord *wlan, apStatEthernetRecord *ethernet)
{
    auto state = familyHandle(handle, Family::Statistics);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!wlan && !ethernet)
        return AP_ERR_BAD_ARGUMENT;
    if (ethernet)
        decodeLayout(*state, LayoutStatEthernet, ethernet);
    if (wlan)
        decodeLayout(*state, LayoutStatWlan, wlan);
    return AP_OK;
}

int apStatisticInforClear(APHANDLE handle, int tab)
{
    auto state = familyHandle(handle, Family::Statistics);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (tab != 0 && tab != 1)
        return AP_ERR_BAD_ARGUMENT;
    const Binding *clear = bindingsOfGroups(Family::Statistics, kClearGroup[tab]).front();
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = kClearValue[tab];
    stageValues(*state, {{kClearGroup[tab], instanceOidOf(*clear), value}});
    return AP_OK;
}

} // extern "C"
