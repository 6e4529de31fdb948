// DHCP server: the server control, the dynamic pool, the static entries (a table whose rows
// managers create and destroy) and, through a monitor handle of kind 5, the leases.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <string>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

// The library's own layout behind the server control.
struct apDhcpControlRecord {
    int32_t serverState;
    int32_t poolType;
};

void addDhcpBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family DH = Family::Dhcp;
    auto add = [&table](Family family, uint32_t group, uint32_t layout, const char *object, uint32_t offset,
                        uint32_t size, Conversion conversion) {
        table.rows.push_back({family, group, layout, object, {}, offset, size, conversion});
    };
    using Control = apDhcpControlRecord;
    add(DH, AP_DHCP_GROUP_CONTROL, LayoutDhcpControl, "trbDhcpServerState", TRB_SLOT(Control, serverState), Integer32);
    add(DH, AP_DHCP_GROUP_CONTROL, LayoutDhcpControl, "trbDhcpPoolType", TRB_SLOT(Control, poolType), Integer32);
    add(DH, AP_DHCP_GROUP_STATUS, LayoutNone, "trbDhcpServerLock", 0, 4, Integer32);

    using Pool = apDhcpDynamicRecord;
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpPoolStart", TRB_SLOT(Pool, poolStart), IpText);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpPoolSize", TRB_SLOT(Pool, poolSize), Integer32);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpPoolMask", TRB_SLOT(Pool, subnetMask), IpText);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpPoolGateway", TRB_SLOT(Pool, gateway), IpText);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpPoolWins", TRB_SLOT(Pool, wins), IpText);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpPoolDns", TRB_SLOT(Pool, dns), IpText);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpDomainName", TRB_SLOT(Pool, domainName), Text);
    add(DH, AP_DHCP_GROUP_DYNAMIC, LayoutDhcpDynamic, "trbDhcpLeaseTime", TRB_SLOT(Pool, leaseTime), Integer32);

    using Entry = apDhcpStaticEntry;
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticHostName", TRB_SLOT(Entry, hostName), Text);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticMac", TRB_SLOT(Entry, mac), MacHex);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticIp", TRB_SLOT(Entry, ipAddress), IpText);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticMask", TRB_SLOT(Entry, subnetMask), IpText);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticGateway", TRB_SLOT(Entry, gateway), IpText);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticWins", TRB_SLOT(Entry, wins), IpText);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticDns", TRB_SLOT(Entry, dns), IpText);
    add(DH, AP_DHCP_GROUP_STATIC, LayoutDhcpStatic, "trbDhcpStaticDomainName", TRB_SLOT(Entry, domainName), Text);

    // The lease tables, walked by a monitor handle (MonitorFamily.cpp, kind 5).
    constexpr Family MO = Family::Monitor;
    using Lease = apDhcpLeaseEntry;
    add(MO, 1, LayoutDhcpLeaseRow, "trbDhcpLeaseHostName", TRB_SLOT(Lease, hostName), Text);
    add(MO, 1, LayoutDhcpLeaseRow, "trbDhcpLeaseMac", TRB_SLOT(Lease, mac), MacHex);
    add(MO, 1, LayoutDhcpLeaseRow, "trbDhcpLeaseIp", TRB_SLOT(Lease, ipAddress), IpText);
    add(MO, 1, LayoutDhcpLeaseRow, "trbDhcpLeaseRemaining", TRB_SLOT(Lease, leaseTime), UpTimeText);
    using StaticLease = apDhcpStaticLeaseEntry;
    add(MO, 1, LayoutDhcpStaticLeaseRow, "trbDhcpStaticLeaseHostName", TRB_SLOT(StaticLease, hostName), Text);
    add(MO, 1, LayoutDhcpStaticLeaseRow, "trbDhcpStaticLeaseMac", TRB_SLOT(StaticLease, mac), MacHex);
    add(MO, 1, LayoutDhcpStaticLeaseRow, "trbDhcpStaticLeaseIp", TRB_SLOT(StaticLease, ipAddress), IpText);

    table.layout(LayoutDhcpControl, sizeof(apDhcpControlRecord));
    table.layout(LayoutDhcpDynamic, sizeof(apDhcpDynamicRecord));
    table.layout(LayoutDhcpStatic, sizeof(apDhcpStaticEntry));
    table.layout(LayoutDhcpLeaseRow, sizeof(apDhcpLeaseEntry));
    table.layout(LayoutDhcpStaticLeaseRow, sizeof(apDhcpStaticLeaseEntry));
}

} // namespace trb::devicelib

namespace {

const TableRows &staticRows()
{
    static const TableRows rows("trbDhcpStaticTable");
    return rows;
}

std::span<uint8_t> bytesOf(apDhcpStaticEntry &entry) { return {reinterpret_cast<uint8_t *>(&entry), sizeof entry}; }

// The static entries of the last read, in index order. The caller holds the handle's lock.
std::vector<apDhcpStaticEntry> entriesOf(const HandleState &state)
{
    std::vector<apDhcpStaticEntry> entries;
    for (const auto &[index, columns] : staticRows().rowsIn(state.lastRead)) {
        apDhcpStaticEntry entry{};
        entry.index = index.size() == 1 ? int32_t(index[0]) : 0;
        for (const Binding *b : bindingsOfLayout(LayoutDhcpStatic)) {
            auto it = columns.find(&objectOf(*b));
            RecordCodec::decode(*b, it == columns.end() ? nullptr : &it->second, bytesOf(entry));
        }
        entries.push_back(entry);
    }
    return entries;
}

std::vector<apDhcpStaticEntry> lockedEntries(HandleState &state)
{
    std::lock_guard lock(state.mutex);
    return entriesOf(state);
}

// Stages every slot of a layout's scalar record; one bad value and nothing is staged.
int stageRecord(HandleState &state, uint32_t layout, const void *record)
{
    TableRows::Row values;
    if (!layoutColumns(layout, record, values))
        return AP_ERR_BAD_ARGUMENT;
    std::vector<StagedValue> staged;
    for (const Binding *b : bindingsOfLayout(layout))
        staged.push_back({b->groupBit, instanceOidOf(*b), values.at(&objectOf(*b))});
    stageValues(state, std::move(staged));
    return AP_OK;
}

int32_t leadingStatus(HandleState &state)
{
    for (const Binding *b : bindingsOfGroups(Family::Dhcp, AP_DHCP_GROUP_STATUS)) {
        std::lock_guard lock(state.mutex);
        auto it = state.lastRead.find(instanceOidOf(*b));
        if (it != state.lastRead.end() && it->second.type == asn::Integer)
            return int32_t(it->second.integer);
    }
    return 0;
}

int fillStaticList(HandleState &state, apDhcpStaticList &list)
{
    if (list.count < 0)
        return AP_ERR_BAD_ARGUMENT;
    const std::vector<apDhcpStaticEntry> entries = lockedEntries(state);
    if (!list.entries) {
        list.count = int32_t(entries.size());
        return AP_OK;
    }
    const auto filled = std::min<std::size_t>(std::size_t(list.count), entries.size());
    std::copy_n(entries.begin(), filled, list.entries);
    list.count = int32_t(filled);
    return AP_OK;
}

} // namespace

extern "C" {

APHANDLE apAdvDHCPOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::Dhcp, AP_DHCP_GROUP_ALL); }

int apAdvDHCPGetSetting(APHANDLE handle, int *status, int *serverState, int *poolType, apDhcpDynamicRecord *dynamicPool,
                        apDhcpStaticList *staticList)
{
    auto state = familyHandle(handle, Family::Dhcp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    putOptional(status, leadingStatus(*state));
    if (serverState || poolType) {
        apDhcpControlRecord control{};
        decodeLayout(*state, LayoutDhcpControl, &control);
        putOptional(serverState, control.serverState);
        putOptional(poolType, control.poolType);
    }
    if (dynamicPool) {
        *dynamicPool = apDhcpDynamicRecord{};
        decodeLayout(*state, LayoutDhcpDynamic, dynamicPool);
    }
    return staticList ? fillStaticList(*state, *staticList) : AP_OK;
}

int apAdvDHCPServerControl(APHANDLE handle, int serverState, int poolType)
{
    auto state = familyHandle(handle, Family::Dhcp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (serverState < 0 || serverState > 1 || poolType < 0 || poolType > 2)
        return AP_ERR_BAD_ARGUMENT;
    const apDhcpControlRecord control{serverState, poolType};
    return stageRecord(*state, LayoutDhcpControl, &control);
}

int apAdvDHCPDynamicSet(APHANDLE handle, const apDhcpDynamicRecord *dynamicPool)
{
    auto state = familyHandle(handle, Family::Dhcp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!dynamicPool)
        return AP_ERR_BAD_ARGUMENT;
    apDhcpDynamicRecord record = *dynamicPool; // texts bounded by their slots
    for (char *text : {record.poolStart, record.subnetMask, record.gateway, record.wins, record.dns})
        text[sizeof record.poolStart - 1] = '\0';
    record.domainName[sizeof record.domainName - 1] = '\0';
    return stageRecord(*state, LayoutDhcpDynamic, &record);
}

int apAdvDHCPStaticPoolAdd(APHANDLE handle, const apDhcpStaticEntry *entry)
{
    auto state = familyHandle(handle, Family::Dhcp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!entry)
        return AP_ERR_BAD_ARGUMENT;
    apDhcpStaticEntry record = *entry;
    for (char *text : {record.mac, record.ipAddress, record.subnetMask, record.gateway, record.wins, record.dns})
        text[sizeof record.mac - 1] = '\0';
    record.hostName[sizeof record.hostName - 1] = '\0';
    record.domainName[sizeof record.domainName - 1] = '\0';
    TableRows::Row columns;
    if (!layoutColumns(LayoutDhcpStatic, &record, columns))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    if (record.index == AP_DHCP_NEW_ENTRY) {
        auto index = staticRows().freeIndex(state->lastRead, state->staged);
        if (!index)
            return AP_ERR_BAD_ARGUMENT;
        for (StagedValue &value : staticRows().add(AP_DHCP_GROUP_STATIC, {*index}, columns))
            state->staged.push_back(std::move(value));
        state->stagedTimeoutMs = 0;
        return AP_OK;
    }
    const std::vector<apDhcpStaticEntry> entries = entriesOf(*state);
    if (record.index < 0 || std::size_t(record.index) >= entries.size())
        return AP_ERR_BAD_ARGUMENT;
    for (StagedValue &value : staticRows().edit(AP_DHCP_GROUP_STATIC, {uint32_t(entries[record.index].index)}, columns)) {
        std::erase_if(state->staged, [&](const StagedValue &s) { return s.oid == value.oid; });
        state->staged.push_back(std::move(value));
    }
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apAdvDHCPStaticPoolDelete(APHANDLE handle, int row)
{
    auto state = familyHandle(handle, Family::Dhcp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const std::vector<apDhcpStaticEntry> entries = lockedEntries(*state);
    if (row < 0 || std::size_t(row) >= entries.size())
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {staticRows().remove(AP_DHCP_GROUP_STATIC, {uint32_t(entries[row].index)})});
    return AP_OK;
}

} // extern "C"
