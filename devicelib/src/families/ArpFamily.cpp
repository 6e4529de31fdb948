// ARP spoofing prevention: the state and the gateway pairs, a table whose rows the device lets
// managers create and destroy (TableRows).
#include "TRB4820apHelp.h"

#include <algorithm>
#include <cstring>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addArpBindings(BindingTable &table)
{
    constexpr Family AR = Family::Arp;
    table.rows.push_back({AR, AP_ARP_GROUP_ALL, LayoutNone, "trbArpSpoofing", {}, 0, 4, Conversion::Integer32});
    table.rows.push_back({AR, AP_ARP_GROUP_ALL, LayoutArpEntry, "trbArpGatewayIp", {}, TRB_SLOT(apArpEntry, ipAddress),
                    Conversion::IpText});
    table.rows.push_back({AR, AP_ARP_GROUP_ALL, LayoutArpEntry, "trbArpGatewayMac", {}, TRB_SLOT(apArpEntry, macAddress),
                    Conversion::MacHex});
    table.layout(LayoutArpEntry, sizeof(apArpEntry));
}

} // namespace trb::devicelib

namespace {

const TableRows &gateways()
{
    static const TableRows rows("trbArpGatewayTable");
    return rows;
}

const Binding &arpBinding(const char *object) { return bindingNamed(Family::Arp, object); }

std::span<uint8_t> bytesOf(apArpEntry &entry) { return {reinterpret_cast<uint8_t *>(&entry), sizeof entry}; }

// The gateway list of the last read, in index order.
std::vector<apArpEntry> entriesOf(const HandleState &state)
{
    return gateways().recordsIn<apArpEntry>(state.lastRead, LayoutArpEntry);
}

// The two columns of a pair as the device takes them; false for a bad address or MAC.
bool pairColumns(const char *ipAddress, const char *macAddress, TableRows::Row &columns)
{
    if (!ipAddress || !macAddress)
        return false;
    apArpEntry entry{};
    copyBoundedText(slotText(ipAddress, sizeof entry.ipAddress), entry.ipAddress, sizeof entry.ipAddress);
    copyBoundedText(slotText(macAddress, sizeof entry.macAddress), entry.macAddress, sizeof entry.macAddress);
    return layoutColumns(LayoutArpEntry, &entry, columns);
}

// The start of a call that stages a pair: the handle's state and the pair's columns; 0 when the
// call may go on, else the code.
// The pairs as last read, taken under the handle's lock.
std::vector<apArpEntry> lockedEntries(HandleState &state)
{
    std::lock_guard lock(state.mutex);
    return entriesOf(state);
}

int pairCall(APHANDLE handle, const char *ipAddress, const char *macAddress, std::shared_ptr<HandleState> &state,
             TableRows::Row &columns)
{
    state = familyHandle(handle, Family::Arp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    return pairColumns(ipAddress, macAddress, columns) ? AP_OK : AP_ERR_BAD_ARGUMENT;
}

bool samePair(const apArpEntry &entry, const TableRows::Row &columns)
{
    apArpEntry wanted{};
    for (const Binding *b : bindingsOfLayout(LayoutArpEntry))
        RecordCodec::decode(*b, &columns.at(&objectOf(*b)), bytesOf(wanted));
    return std::strcmp(entry.ipAddress, wanted.ipAddress) == 0 && std::strcmp(entry.macAddress, wanted.macAddress) == 0;
}

} // namespace

extern "C" {

APHANDLE apAdvARPOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::Arp, AP_ARP_GROUP_ALL); }

int apAdvARPGetParam(APHANDLE handle, int *state)
{
    auto handleState = familyHandle(handle, Family::Arp);
    if (!handleState)
        return AP_ERR_BAD_HANDLE;
    if (!state)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(handleState->mutex);
    auto it = handleState->lastRead.find(instanceOidOf(arpBinding("trbArpSpoofing")));
    *state = it != handleState->lastRead.end() && it->second.type == asn::Integer ? int(it->second.integer) : 0;
    return AP_OK;
}

int apAdvARPSetParam(APHANDLE handle, int state)
{
    auto handleState = familyHandle(handle, Family::Arp);
    if (!handleState)
        return AP_ERR_BAD_HANDLE;
    if (state != 0 && state != 1)
        return AP_ERR_BAD_ARGUMENT;
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = state;
    const Binding &binding = arpBinding("trbArpSpoofing");
    stageValues(*handleState, {{binding.groupBit, instanceOidOf(binding), value}});
    return AP_OK;
}

int apAdvARPGetList(APHANDLE handle, apArpList *list)
{
    auto state = familyHandle(handle, Family::Arp);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!list || list->count < 0)
        return AP_ERR_BAD_ARGUMENT;
    const std::vector<apArpEntry> entries = lockedEntries(*state);
    if (!list->entries) {
        list->count = int32_t(entries.size());
        return AP_OK;
    }
    const auto filled = std::min<std::size_t>(std::size_t(list->count), entries.size());
    std::copy_n(entries.begin(), filled, list->entries); // nothing to copy from an empty table
    list->count = int32_t(filled);
    return AP_OK;
}

int apAdvARPAdd(APHANDLE handle, const char *ipAddress, const char *macAddress)
{
    std::shared_ptr<HandleState> state;
    TableRows::Row columns;
    if (const int refused = pairCall(handle, ipAddress, macAddress, state, columns))
        return refused;
    std::lock_guard lock(state->mutex);
    auto index = gateways().freeIndex(state->lastRead, state->staged);
    if (!index)
        return AP_ERR_BAD_ARGUMENT;
    for (StagedValue &value : gateways().add(AP_ARP_GROUP_ALL, {*index}, columns))
        state->staged.push_back(std::move(value));
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apAdvARPEdit(APHANDLE handle, int row, const char *ipAddress, const char *macAddress)
{
    std::shared_ptr<HandleState> state;
    TableRows::Row columns;
    if (const int refused = pairCall(handle, ipAddress, macAddress, state, columns))
        return refused;
    const std::vector<apArpEntry> entries = lockedEntries(*state);
    if (row < 0 || std::size_t(row) >= entries.size())
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, gateways().edit(AP_ARP_GROUP_ALL, {uint32_t(entries[row].index)}, columns));
    return AP_OK;
}

int apAdvARPDel(APHANDLE handle, const char *ipAddress, const char *macAddress)
{
    std::shared_ptr<HandleState> state;
    TableRows::Row columns;
    if (const int refused = pairCall(handle, ipAddress, macAddress, state, columns))
        return refused;
    const std::vector<apArpEntry> entries = lockedEntries(*state);
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const apArpEntry &entry) { return samePair(entry, columns); });
    if (found == entries.end())
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {gateways().remove(AP_ARP_GROUP_ALL, {uint32_t(found->index)})});
    return AP_OK;
}

} // extern "C"
