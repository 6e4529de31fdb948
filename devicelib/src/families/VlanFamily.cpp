// VLANs: the VLAN function, the VLAN mode, the VLANs (a table whose rows managers create and
// destroy), the port VIDs, and the settings the VLAN function changes elsewhere (the radio's AP
// mode, the limit-administrator type), which the VLAN page reads and writes as one record.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addVlanBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family VL = Family::Vlan;
    table.rows.push_back({VL, AP_VLAN_GROUP_STATUS, LayoutNone, "trbVlanFunction", {}, 0, 4, Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_MODE, LayoutNone, "trbVlanMode", {}, 0, 4, Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_LIMIT, LayoutNone, "trbAdminVlanLimit", {}, 0, 4, Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_LIMIT, LayoutNone, "trbAdminIpLimit", {}, 0, 4, Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_APMODE, LayoutNone, "trbApMode", {}, 0, 4, Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_PVID, LayoutNone, "trbVlanPvidAuto", {}, 0, 4, Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_PVID, LayoutVlanPvids, "trbVlanPortPvid", {},
                          TRB_SLOT_AT(apVlanPvidValues, pvids, 0), Integer32});
    table.layout(LayoutVlanPvids, sizeof(apVlanPvidValues));
    table.rows.push_back({VL, AP_VLAN_GROUP_LIST, LayoutVlanRow, "trbVlanId", {}, TRB_SLOT(apVlanRecord, vid), Integer32});
    table.rows.push_back({VL, AP_VLAN_GROUP_LIST, LayoutVlanRow, "trbVlanName", {}, TRB_SLOT(apVlanRecord, name), Text});
    table.rows.push_back({VL, AP_VLAN_GROUP_LIST, LayoutVlanRow, "trbVlanUntagged", {},
                          TRB_SLOT(apVlanRecord, untagged), Text});
    table.rows.push_back({VL, AP_VLAN_GROUP_LIST, LayoutVlanRow, "trbVlanTagged", {}, TRB_SLOT(apVlanRecord, tagged),
                          Text});
    table.layout(LayoutVlanRow, sizeof(apVlanRecord));

    // The port view (monitor kind 7).
    constexpr Family MO = Family::Monitor;
    using Port = apVlanPortEntry;
    table.rows.push_back({MO, 1, LayoutVlanPortRow, "trbVlanPortName", {}, TRB_SLOT(Port, portName), Text});
    table.rows.push_back({MO, 1, LayoutVlanPortRow, "trbVlanPortTagVids", {}, TRB_SLOT(Port, tagVids), Text});
    table.rows.push_back({MO, 1, LayoutVlanPortRow, "trbVlanPortUntagVids", {}, TRB_SLOT(Port, untagVids), Text});
    table.rows.push_back({MO, 1, LayoutVlanPortRow, "trbVlanPortPvid", {}, TRB_SLOT(Port, pvid), DecimalText});
    table.layout(LayoutVlanPortRow, sizeof(apVlanPortEntry));
}

} // namespace trb::devicelib

namespace {

// The ports in the device's order; their row numbers in trbVlanPortTable are 1-18.
constexpr std::array<const char *, AP_VLAN_PORT_COUNT> kPorts = {
    "Mgmt", "LAN", "Primary", "S-1", "S-2", "S-3", "S-4", "S-5", "S-6",
    "S-7",  "W-1", "W-2",     "W-3", "W-4", "W-5", "W-6", "W-7", "W-8"};
constexpr int kFirstSsid = 2, kFirstWds = 10, kPerBand = 4;

// The device's labels of trbApMode 1-5, as its status pages show them.
constexpr const char *kApModes[] = {"Access Point", "WDS with AP", "WDS", "Wireless Client", "AP Repeater"};

// Limit-administrator types, indexed by vlanLimit + 2 * ipLimit.
constexpr const char *kLimitTypes[] = {"disable", "vlanID", "ipaddress", "both"};

const TableRows &vlans()
{
    static const TableRows rows("trbVlanTable");
    return rows;
}

const Binding &vlanBinding(const char *object) { return bindingNamed(Family::Vlan, object); }

Oid portInstance(int port)
{
    return trb::schema::instanceOid(objectOf(vlanBinding("trbVlanPortPvid")), std::array{uint32_t(port + 1)});
}

// A number the last read holds; `fallback` when it holds none.
int32_t numberAt(const HandleState &state, const Oid &oid, int32_t fallback = 0)
{
    auto it = state.lastRead.find(oid);
    return it != state.lastRead.end() && it->second.type == asn::Integer ? int32_t(it->second.integer) : fallback;
}

int32_t scalarOf(const HandleState &state, const char *object)
{
    return numberAt(state, instanceOidOf(vlanBinding(object)));
}

StagedValue integerValue(const char *object, const Oid &oid, int64_t number)
{
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = number;
    return {vlanBinding(object).groupBit, oid, value};
}

StagedValue scalarValue(const char *object, int64_t number)
{
    return integerValue(object, instanceOidOf(vlanBinding(object)), number);
}

std::span<uint8_t> bytesOf(apVlanRecord &record) { return {reinterpret_cast<uint8_t *>(&record), sizeof record}; }

// The VLANs of the last read, in row order, with their row indexes. The caller holds the lock.
std::vector<std::pair<uint32_t, apVlanRecord>> vlansOf(const HandleState &state)
{
    std::vector<std::pair<uint32_t, apVlanRecord>> rows;
    for (const auto &[index, columns] : vlans().rowsIn(state.lastRead)) {
        apVlanRecord record{};
        for (const Binding *b : bindingsOfLayout(LayoutVlanRow)) {
            auto it = columns.find(&objectOf(*b));
            RecordCodec::decode(*b, it == columns.end() ? nullptr : &it->second, bytesOf(record));
        }
        rows.emplace_back(index.size() == 1 ? index[0] : 0, record);
    }
    return rows;
}

// The names of a member list ("A, B"); none for an empty list.
std::vector<std::string> memberNames(std::string_view text)
{
    std::vector<std::string> names;
    while (!text.empty()) {
        const auto comma = text.find(',');
        std::string_view name = text.substr(0, comma);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        names.emplace_back(name);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return names;
}

int portNumber(const std::string &name)
{
    auto it = std::find(kPorts.begin(), kPorts.end(), name);
    return it == kPorts.end() ? -1 : int(it - kPorts.begin());
}

bool isSsid(int port) { return port >= kFirstSsid && port < kFirstWds; }

// Members the device can take: known ports, each in one list at most, SSIDs never tagged.
bool validMembers(const apVlanRecord &record)
{
    std::set<int> seen;
    for (int list = 0; list < 2; ++list) {
        const char *text = list == 0 ? record.untagged : record.tagged;
        for (const std::string &name : memberNames(slotText(text, AP_VLAN_TEXT_SIZE))) {
            const int port = portNumber(name);
            if (port < 0 || !seen.insert(port).second || (list == 1 && isSsid(port)))
                return false;
        }
    }
    return true;
}

bool vlanColumns(const apVlanRecord &record, TableRows::Row &columns)
{
    if (!validMembers(record))
        return false;
    return layoutColumns(LayoutVlanRow, &record, columns);
}

// The ports a band's PVID record carries: Mgmt and LAN, then its SSIDs, then its WDS links.
struct PvidSlots {
    int first;
    int count;
    int32_t *values;
};

std::array<PvidSlots, 3> slotsOf(int band, const apVlanPvidRecord &record)
{
    const int offset = band == 2 ? kPerBand : 0;
    return {{{0, std::min(record.portCount, 2), record.ports},
             {kFirstSsid + offset, std::min(record.ssidCount, kPerBand), record.ssids},
             {kFirstWds + offset, std::min(record.wdsCount, kPerBand), record.wds}}};
}

template <typename Put> void put(Put *out, int32_t value)
{
    if (out)
        *out = value;
}

int stageVlanRecord(APHANDLE handle, const apVlanRecord &record)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    TableRows::Row columns;
    if (!vlanColumns(record, columns))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    if (record.index == AP_VLAN_NEW_ROW) {
        auto index = vlans().freeIndex(state->lastRead, state->staged);
        if (!index)
            return AP_ERR_BAD_ARGUMENT;
        for (StagedValue &value : vlans().add(AP_VLAN_GROUP_LIST, {*index}, columns))
            state->staged.push_back(std::move(value));
    } else {
        const auto rows = vlansOf(*state);
        if (record.index < 0 || std::size_t(record.index) >= rows.size())
            return AP_ERR_BAD_ARGUMENT;
        for (StagedValue &value : vlans().edit(AP_VLAN_GROUP_LIST, {rows[record.index].first}, columns)) {
            std::erase_if(state->staged, [&](const StagedValue &s) { return s.oid == value.oid; });
            state->staged.push_back(std::move(value));
        }
    }
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

} // namespace

extern "C" {

APHANDLE apAdvVlanOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::Vlan, AP_VLAN_GROUP_ALL); }

int apAdvVlanVlanGetParameter(APHANDLE handle, int *status, int *mode)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    std::lock_guard lock(state->mutex);
    put(status, scalarOf(*state, "trbVlanFunction"));
    put(mode, scalarOf(*state, "trbVlanMode"));
    return AP_OK;
}

int apAdvVlanVlanSetParameter(APHANDLE handle, int status, int)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (status != 0 && status != 1)
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {scalarValue("trbVlanFunction", status)});
    return AP_OK;
}

int apAdvVlanGetRelationParam(APHANDLE handle, apVlanRelationRecord *relation)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!relation)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    *relation = apVlanRelationRecord{};
    // One radio serves either band: both texts are its mode.
    const int32_t mode = scalarOf(*state, "trbApMode");
    const char *modeText = mode >= 1 && mode <= int32_t(std::size(kApModes)) ? kApModes[mode - 1] : "";
    copyBoundedText(modeText, relation->apMode24, sizeof relation->apMode24);
    copyBoundedText(modeText, relation->apMode5, sizeof relation->apMode5);
    const int type = (scalarOf(*state, "trbAdminVlanLimit") == 1) + 2 * (scalarOf(*state, "trbAdminIpLimit") == 1);
    copyBoundedText(kLimitTypes[type], relation->limitType, sizeof relation->limitType);
    return AP_OK;
}

int apAdvVlanSetRelationParam(APHANDLE handle, const apVlanRelationRecord *relation)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!relation)
        return AP_ERR_BAD_ARGUMENT;
    const std::string_view type = slotText(relation->limitType, sizeof relation->limitType);
    auto found = std::find(std::begin(kLimitTypes), std::end(kLimitTypes), type);
    if (found == std::end(kLimitTypes))
        return AP_ERR_BAD_ARGUMENT;
    const auto code = found - std::begin(kLimitTypes);
    stageValues(*state, {scalarValue("trbAdminVlanLimit", code & 1), scalarValue("trbAdminIpLimit", code >> 1)});
    return AP_OK;
}

int apAdvVlanGetVlanList(APHANDLE handle, apVlanList *list)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!list || list->count < 0)
        return AP_ERR_BAD_ARGUMENT;
    std::vector<std::pair<uint32_t, apVlanRecord>> rows;
    {
        std::lock_guard lock(state->mutex);
        rows = vlansOf(*state);
    }
    if (!list->entries) {
        list->count = int32_t(rows.size());
        return AP_OK;
    }
    const auto filled = std::min<std::size_t>(std::size_t(list->count), rows.size());
    for (std::size_t i = 0; i < filled; ++i) {
        list->entries[i] = rows[i].second;
        list->entries[i].index = int32_t(i);
    }
    list->count = int32_t(filled);
    return AP_OK;
}

int apAdvVlanAddVlan(APHANDLE handle, apVlanRecord record) { return stageVlanRecord(handle, record); }

int apAdvVlanDelVlan(APHANDLE handle, int row)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    std::lock_guard lock(state->mutex);
    const auto rows = vlansOf(*state);
    if (row < 0 || std::size_t(row) >= rows.size())
        return AP_ERR_BAD_ARGUMENT;
    state->staged.push_back(vlans().remove(AP_VLAN_GROUP_LIST, {rows[row].first}));
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apAdvVlanGetPVID(APHANDLE handle, int band, apVlanPvidRecord *record)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!record || (band != 1 && band != 2))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    record->autoAssign = scalarOf(*state, "trbVlanPvidAuto");
    for (const PvidSlots &slots : slotsOf(band, *record))
        for (int i = 0; slots.values && i < slots.count; ++i)
            slots.values[i] = numberAt(*state, portInstance(slots.first + i), 1);
    return AP_OK;
}

int apAdvVlanSetPVID(APHANDLE handle, int band, apVlanPvidRecord record)
{
    auto state = familyHandle(handle, Family::Vlan);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (band == 0) { // the device assigns them
        if (record.autoAssign != 1)
            return AP_ERR_BAD_ARGUMENT;
        stageValues(*state, {scalarValue("trbVlanPvidAuto", 1)});
        return AP_OK;
    }
    if (band != 1 && band != 2)
        return AP_ERR_BAD_ARGUMENT;
    std::vector<StagedValue> staged{scalarValue("trbVlanPvidAuto", 0)};
    for (const PvidSlots &slots : slotsOf(band, record))
        for (int i = 0; slots.values && i < slots.count; ++i) {
            if (slots.values[i] < 1 || slots.values[i] > 4094)
                return AP_ERR_BAD_ARGUMENT; // nothing staged
            staged.push_back(integerValue("trbVlanPortPvid", portInstance(slots.first + i), slots.values[i]));
        }
    stageValues(*state, std::move(staged));
    return AP_OK;
}

} // extern "C"
