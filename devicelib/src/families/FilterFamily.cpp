// MAC filter and WLAN partition: per band, the access-control mode and MAC list (a table whose
// rows managers create and destroy, TableRows), the partition settings and the per-SSID
// partition values. The device's current band and the SSID states are read from the objects
// the wireless pages use.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <set>
#include <string>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace schema = trb::schema;

namespace trb::devicelib {

void addFilterBindings(BindingTable &table)
{
    constexpr Family FI = Family::Filter;
    // Scalars go without a record; table columns are walked whole and read by instance.
    auto add = [&table](uint32_t group, const char *object) {
        const bool column = schema::findObject(object)->shape == schema::IndexShape::Table;
        table.rows.push_back(
            {FI, group, column ? LayoutFilterValues : LayoutNone, object, {}, 0, 4, Conversion::Integer32});
    };
    add(AP_FILTER_GROUP_CURRENT_BAND, "trbCurrentBand");
    add(AP_FILTER_GROUP_ACL, "trbFilterBand");
    add(AP_FILTER_GROUP_ACL, "trbFilterAclMode");
    table.rows.push_back({FI, AP_FILTER_GROUP_ACL, LayoutFilterAclEntry, "trbFilterAclMac", {},
                          TRB_SLOT(apFilterAclEntry, mac), Conversion::MacHex});
    add(AP_FILTER_GROUP_PARTITION, "trbFilterLinkIntegrity");
    add(AP_FILTER_GROUP_PARTITION, "trbFilterEthernetToWlan");
    add(AP_FILTER_GROUP_PARTITION, "trbFilterPartitionMode");
    add(AP_FILTER_GROUP_SSID_STATES, "trbServiceState");
    add(AP_FILTER_GROUP_SSID_PARTITION, "trbFilterSsidPartition");
    add(AP_FILTER_GROUP_SSID_PARTITION, "trbRadioMultiSsid");
    table.layout(LayoutFilterAclEntry, sizeof(apFilterAclEntry));
    table.layout(LayoutFilterValues, 4);
}

} // namespace trb::devicelib

namespace {

constexpr int64_t kCreateAndGo = 4;

const TableRows &aclRows()
{
    static const TableRows rows("trbFilterAclTable");
    return rows;
}

const schema::ObjectDef &object(const char *name) { return *schema::findObject(name); }

bool validBand(int band) { return band == 1 || band == 2; }

SnmpValue integer(int64_t number)
{
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = number;
    return value;
}

// An integer of the last read; 0 when the read did not carry it. The caller holds the lock.
int32_t numberAt(const HandleState &state, const char *name, std::vector<uint32_t> instance = {})
{
    auto it = state.lastRead.find(schema::instanceOid(object(name), instance));
    return it != state.lastRead.end() && it->second.type == asn::Integer ? int32_t(it->second.integer) : 0;
}

StagedValue staged(uint32_t group, const char *name, std::vector<uint32_t> instance, int64_t number)
{
    return {group, schema::instanceOid(object(name), instance), integer(number)};
}

// The band's entries of the last read, in entry order. The caller holds the lock.
std::vector<apFilterAclEntry> entriesOf(const HandleState &state, int band)
{
    std::vector<apFilterAclEntry> entries;
    const auto bindings = bindingsOfLayout(LayoutFilterAclEntry);
    for (const auto &[index, columns] : aclRows().rowsIn(state.lastRead)) {
        if (index.size() != 2 || int(index[0]) != band)
            continue;
        apFilterAclEntry entry{};
        entry.band = band;
        entry.index = int32_t(index[1]);
        std::span<uint8_t> bytes(reinterpret_cast<uint8_t *>(&entry), sizeof entry);
        for (const Binding *b : bindings) {
            auto it = columns.find(&objectOf(*b));
            RecordCodec::decode(*b, it == columns.end() ? nullptr : &it->second, bytes);
        }
        entries.push_back(entry);
    }
    return entries;
}

// Six octets of a station's MAC from 12 hex digits, with or without ':' or '-' between pairs.
std::optional<std::string> stationOctets(const apFilterAclEntry *entry)
{
    if (!entry)
        return std::nullopt;
    std::string hex(slotText(entry->mac, sizeof entry->mac));
    if (hex.size() == 17)
        std::erase_if(hex, [](char c) { return c == ':' || c == '-'; });
    auto octets = macHexToOctets(hex);
    if (!octets)
        return std::nullopt;
    const bool multicast = uint8_t((*octets)[0]) & 0x01;
    const bool zero = *octets == std::string(6, '\0');
    return multicast || zero ? std::nullopt : octets;
}

bool sameMac(const apFilterAclEntry &entry, const std::string &octets)
{
    return macHexToOctets(slotText(entry.mac, sizeof entry.mac)) == octets;
}

// Entry numbers of the band that the last read or a staged creation uses. The caller holds the lock.
std::set<uint32_t> takenNumbers(const HandleState &state, int band)
{
    std::set<uint32_t> taken;
    for (const apFilterAclEntry &entry : entriesOf(state, band))
        taken.insert(uint32_t(entry.index));
    const Oid status = schema::instanceOid(object("trbFilterAclStatus"));
    for (const StagedValue &s : state.staged)
        if (isPrefixOf(status, s.oid) && s.value.integer == kCreateAndGo && s.oid.size() == status.size() + 2 &&
            int(s.oid[status.size()]) == band)
            taken.insert(s.oid.back());
    return taken;
}

// Whether a staged creation on the band carries these octets. The caller holds the lock.
bool stagedOnBand(const HandleState &state, int band, const std::string &octets)
{
    const Oid column = schema::instanceOid(object("trbFilterAclMac"));
    return std::any_of(state.staged.begin(), state.staged.end(), [&](const StagedValue &s) {
        return isPrefixOf(column, s.oid) && s.oid.size() == column.size() + 2 && int(s.oid[column.size()]) == band &&
               s.value.bytes == octets;
    });
}

int fillList(const std::vector<int32_t> &values, apFilterIntList *list)
{
    if (!list)
        return AP_OK;
    if (!list->values || list->count < 0)
        return AP_ERR_BAD_ARGUMENT;
    const auto filled = std::min<std::size_t>(std::size_t(list->count), values.size());
    std::copy_n(values.begin(), filled, list->values);
    list->count = int32_t(filled);
    return AP_OK;
}

// One value per SSID of the band, from a column of the last read. The caller holds the lock.
std::vector<int32_t> perSsid(const HandleState &state, const char *name, int band)
{
    std::vector<int32_t> values;
    for (uint32_t ssid = 0; ssid < AP_FILTER_SSIDS; ++ssid)
        values.push_back(numberAt(state, name, {uint32_t(band), ssid}));
    return values;
}

} // namespace

extern "C" {

APHANDLE apAdvFilterOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Filter, AP_FILTER_GROUP_ALL);
}

int apFilterBandGet(APHANDLE handle, int *band)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!band)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    *band = numberAt(*state, "trbCurrentBand");
    return AP_OK;
}

int apFilterBandSet(APHANDLE handle, int band)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validBand(band))
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {staged(AP_FILTER_GROUP_ACL, "trbFilterBand", {}, band)});
    return AP_OK;
}

int apAdvFilterACLGet(APHANDLE handle, int band, int *mode, apFilterAclList *list)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validBand(band) || (list && list->count < 0))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    if (mode)
        *mode = numberAt(*state, "trbFilterAclMode", {uint32_t(band)});
    if (!list)
        return AP_OK;
    const std::vector<apFilterAclEntry> entries = entriesOf(*state, band);
    if (!list->entries) {
        list->count = int32_t(entries.size());
        return AP_OK;
    }
    const auto filled = std::min<std::size_t>(std::size_t(list->count), entries.size());
    std::copy_n(entries.begin(), filled, list->entries);
    list->count = int32_t(filled);
    return AP_OK;
}

int apAdvFilterACLSet(APHANDLE handle, int band, int mode)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validBand(band) || mode < AP_FILTER_ACL_ACCEPT || mode > AP_FILTER_ACL_DISABLE)
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {staged(AP_FILTER_GROUP_ACL, "trbFilterAclMode", {uint32_t(band)}, mode)});
    return AP_OK;
}

int apAdvFilterACLAdd(APHANDLE handle, int band, int, const apFilterAclEntry *entry)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const auto octets = stationOctets(entry);
    if (!validBand(band) || !octets)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const auto entries = entriesOf(*state, band);
    if (stagedOnBand(*state, band, *octets) ||
        std::any_of(entries.begin(), entries.end(), [&](const auto &e) { return sameMac(e, *octets); }))
        return AP_ERR_BAD_ARGUMENT;
    const std::set<uint32_t> taken = takenNumbers(*state, band);
    uint32_t number = 1;
    while (taken.count(number))
        ++number;
    if (number > AP_FILTER_MAX_ACL)
        return AP_ERR_BAD_ARGUMENT;
    SnmpValue mac;
    mac.type = asn::OctetString;
    mac.bytes = *octets;
    for (StagedValue &value : aclRows().add(AP_FILTER_GROUP_ACL, {uint32_t(band), number},
                                            {{&object("trbFilterAclMac"), mac}}))
        state->staged.push_back(std::move(value));
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apAdvFilterACLDetete(APHANDLE handle, int band, const apFilterAclEntry *entry)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const auto octets = stationOctets(entry);
    if (!validBand(band) || !octets)
        return AP_ERR_BAD_ARGUMENT;
    std::vector<apFilterAclEntry> entries;
    {
        std::lock_guard lock(state->mutex);
        entries = entriesOf(*state, band);
    }
    auto found = std::find_if(entries.begin(), entries.end(), [&](const auto &e) { return sameMac(e, *octets); });
    if (found == entries.end())
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {aclRows().remove(AP_FILTER_GROUP_ACL, {uint32_t(band), uint32_t(found->index)})});
    return AP_OK;
}

int apAdvFilterWLANPartitionGet(APHANDLE handle, int band, int *linkIntegrity, int *ethernetToWlan, int *mode,
                                int *multiSsidState, apFilterIntList *partition)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validBand(band))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const std::vector<uint32_t> row = {uint32_t(band)};
    if (linkIntegrity)
        *linkIntegrity = numberAt(*state, "trbFilterLinkIntegrity", row);
    if (ethernetToWlan)
        *ethernetToWlan = numberAt(*state, "trbFilterEthernetToWlan", row);
    if (mode)
        *mode = numberAt(*state, "trbFilterPartitionMode", row);
    if (multiSsidState)
        *multiSsidState = numberAt(*state, "trbRadioMultiSsid", row);
    return fillList(perSsid(*state, "trbFilterSsidPartition", band), partition);
}

int apAdvFilterWLANSssidStateGet(APHANDLE handle, int band, apFilterIntList *states)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validBand(band) || !states)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    return fillList(perSsid(*state, "trbServiceState", band), states);
}

int apAdvFilterWLANPartitionSet(APHANDLE handle, int band, int linkIntegrity, int ethernetToWlan,
                                const apFilterIntList *partition)
{
    auto state = familyHandle(handle, Family::Filter);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const auto onOff = [](int value) { return value == 0 || value == 1; };
    if (!validBand(band) || !onOff(linkIntegrity) || !onOff(ethernetToWlan) || !partition || !partition->values ||
        partition->count != AP_FILTER_SSIDS)
        return AP_ERR_BAD_ARGUMENT;
    if (std::any_of(partition->values, partition->values + AP_FILTER_SSIDS, [](int32_t v) { return v < 0 || v > 2; }))
        return AP_ERR_BAD_ARGUMENT;
    const uint32_t b = uint32_t(band);
    std::vector<StagedValue> values = {
        staged(AP_FILTER_GROUP_PARTITION, "trbFilterLinkIntegrity", {b}, linkIntegrity),
        staged(AP_FILTER_GROUP_PARTITION, "trbFilterEthernetToWlan", {b}, ethernetToWlan),
    };
    for (uint32_t ssid = 0; ssid < AP_FILTER_SSIDS; ++ssid)
        values.push_back(staged(AP_FILTER_GROUP_SSID_PARTITION, "trbFilterSsidPartition", {b, ssid},
                                partition->values[ssid]));
    stageValues(*state, std::move(values));
    return AP_OK;
}

} // extern "C"
