// Intrusion detection: the access points the device has detected, a table whose rows the device
// adds when it detects (TableRows), and their classification, the one column a manager changes.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <set>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addIntrusionBindings(BindingTable &table)
{
    using enum Conversion;
    using Rec = apIntrusionRecord;
    constexpr Family IN = Family::Intrusion;
    constexpr uint32_t List = AP_INTRUSION_GROUP_LIST;
    table.rows.push_back({IN, List, LayoutNone, "trbCurrentBand", {}, 0, 4, Integer32});
    table.rows.push_back({IN, List, LayoutIntrusionRow, "trbIntrusionApBssid", {}, TRB_SLOT(Rec, bssid), MacHex});
    table.rows.push_back({IN, List, LayoutIntrusionRow, "trbIntrusionApSsid", {}, TRB_SLOT(Rec, ssid), Text});
    table.rows.push_back({IN, List, LayoutIntrusionRow, "trbIntrusionApLastSeen", {}, TRB_SLOT(Rec, lastSeen), Text});
    table.rows.push_back({IN, List, LayoutIntrusionValues, "trbIntrusionApChannel", {}, 0, 4, Integer32});
    table.rows.push_back({IN, List, LayoutIntrusionValues, "trbIntrusionApState", {}, 0, 4, Integer32});
    // Every reclassification bit selects the classification; the list reads it too.
    table.rows.push_back({IN, AP_INTRUSION_GROUP_ALL, LayoutIntrusionValues, "trbIntrusionApType", {}, 0, 4, Integer32});
    table.layout(LayoutIntrusionRow, sizeof(apIntrusionRecord));
}

} // namespace trb::devicelib

namespace {

const char *const kTypeTexts[] = {"New", "Valid", "Neighborhood", "Rogue"};

const TableRows &detected()
{
    static const TableRows rows("trbIntrusionApTable");
    return rows;
}

const trb::schema::ObjectDef &column(const char *name) { return *trb::schema::findObject(name); }

int64_t numberIn(const TableRows::Row &row, const char *name)
{
    auto it = row.find(&column(name));
    return it == row.end() ? 0 : it->second.integer;
}

template <std::size_t N> void putText(char (&slot)[N], std::string_view text) { copyBoundedText(text, slot, N); }

apIntrusionRecord recordOf(const Oid &index, const TableRows::Row &row)
{
    apIntrusionRecord record{};
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t *>(&record), sizeof record);
    for (const Binding *b : bindingsOfLayout(LayoutIntrusionRow)) {
        auto it = row.find(&objectOf(*b));
        RecordCodec::decode(*b, it == row.end() ? nullptr : &it->second, bytes);
    }
    record.band = index.size() == 2 ? int32_t(index[0]) : 0;
    record.index = index.size() == 2 ? int32_t(index[1]) : 0;
    putText(record.channel, std::to_string(numberIn(row, "trbIntrusionApChannel")));
    putText(record.bandText, record.band == 2 ? "5GHz" : "2.4GHz");
    const int64_t type = numberIn(row, "trbIntrusionApType");
    putText(record.type, type >= 1 && type <= 4 ? kTypeTexts[type - 1] : "");
    putText(record.status, numberIn(row, "trbIntrusionApState") == 1 ? "Online" : "Offline");
    return record;
}

// The detected access points of the last read, by band and row.
std::vector<apIntrusionRecord> recordsOf(HandleState &state)
{
    std::lock_guard lock(state.mutex);
    std::vector<apIntrusionRecord> records;
    for (const auto &[index, row] : detected().rowsIn(state.lastRead))
        records.push_back(recordOf(index, row));
    return records;
}

int currentBand(HandleState &state)
{
    for (const Binding *b : bindingsOfGroups(Family::Intrusion, AP_INTRUSION_GROUP_LIST))
        if (std::string_view(b->object) == "trbCurrentBand") {
            std::lock_guard lock(state.mutex);
            auto it = state.lastRead.find(instanceOidOf(*b));
            return it == state.lastRead.end() ? 0 : int(it->second.integer);
        }
    return 0;
}

bool validBand(int band) { return band == 1 || band == 2; }
bool validCode(int code) { return code >= AP_INTRUSION_NEW && code <= AP_INTRUSION_ROGUE; }

// The classification of each row `index` names, staged together.
std::vector<StagedValue> reclassify(int band, const std::vector<int32_t> &indexes, int code)
{
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = code;
    std::vector<StagedValue> staged;
    for (int32_t index : indexes) {
        auto edit = detected().edit(AP_INTRUSION_GROUP_CLASSES, {uint32_t(band), uint32_t(index)},
                                    {{&column("trbIntrusionApType"), value}});
        staged.insert(staged.end(), edit.begin(), edit.end());
    }
    return staged;
}

} // namespace

extern "C" {

APHANDLE apAdvInstrusionOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Intrusion, AP_INTRUSION_GROUP_ALL);
}

int apAdvInstrusionInfoGet(APHANDLE handle, int *band, apIntrusionQuery *query)
{
    auto state = familyHandle(handle, Family::Intrusion);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!query || query->count < 0)
        return AP_ERR_BAD_ARGUMENT;
    if (band)
        *band = currentBand(*state);
    const std::vector<apIntrusionRecord> records = recordsOf(*state);
    if (!query->rows) {
        query->count = int32_t(records.size());
        return AP_OK;
    }
    const auto filled = std::min<std::size_t>(std::size_t(query->count), records.size());
    std::copy_n(records.begin(), filled, query->rows);
    query->count = int32_t(filled);
    return AP_OK;
}

int apAdvInstrusionInfoAdd(APHANDLE handle, int band, const apIntrusionRequest *request, int code)
{
    auto state = familyHandle(handle, Family::Intrusion);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!request || !validBand(band) || !validCode(code) || request->count < 0 ||
        request->count > AP_INTRUSION_MAX_INDEXES || (request->count > 0 && !request->indexes))
        return AP_ERR_BAD_ARGUMENT;
    std::set<int32_t> known;
    for (const apIntrusionRecord &record : recordsOf(*state))
        if (record.band == band)
            known.insert(record.index);
    std::vector<int32_t> indexes(request->indexes, request->indexes + request->count);
    for (int32_t index : indexes)
        if (!known.count(index))
            return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, reclassify(band, indexes, code));
    return AP_OK;
}

int apAdvInstrusionInfoMarlAll(APHANDLE handle, int band, int scope, int code)
{
    auto state = familyHandle(handle, Family::Intrusion);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validBand(band) || !validCode(code) || (scope != 0 && scope != 1))
        return AP_ERR_BAD_ARGUMENT;
    std::vector<int32_t> indexes;
    for (const apIntrusionRecord &record : recordsOf(*state))
        if (record.band == band && (scope == 1 || std::string_view(record.type) == kTypeTexts[0]))
            indexes.push_back(record.index);
    stageValues(*state, reclassify(band, indexes, code));
    return AP_OK;
}

} // extern "C"
