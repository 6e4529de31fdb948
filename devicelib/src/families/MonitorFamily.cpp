// Device tables read through a monitor handle: the wireless clients (kind 0), the WDS peers (1),
// intrusion detection (2, detecting on a band), the site surveys (kinds 3 and 4, whose refresh
// first asks the device to scan a band), the DHCP leases (5), the AP array scan (6, arrays and
// members), the VLAN port view (7) and the client MAC list (8).
#include "TRB4820apHelp.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "HandleReads.h"
#include "RecordCodec.h"

using namespace trb::devicelib;

namespace trb::devicelib {

// Walked columns; the row index comes from the OID.
void addMonitorBindings(BindingTable &table)
{
    using enum Conversion;
    using ClientRec = apClientRecord;
    constexpr Family MO = Family::Monitor;
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientBand", {}, TRB_SLOT(ClientRec, band), Integer32});
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientMac", {}, TRB_SLOT(ClientRec, mac), MacHex});
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientPhyMode", {}, TRB_SLOT(ClientRec, phyMode), Text});
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientAuthentication", {}, TRB_SLOT(ClientRec, authentication), Text});
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientSignal", {}, TRB_SLOT(ClientRec, signal), Integer32});
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientPowerSave", {}, TRB_SLOT(ClientRec, powerSave), Text});
    table.rows.push_back({MO, 1, LayoutClientRow, "trbClientSsid", {}, TRB_SLOT(ClientRec, ssid), Text});

    table.layout(LayoutClientRow, sizeof(apClientRecord));
}

} // namespace trb::devicelib

namespace {

// What a monitor kind reads. Word `indexOffset` of each row is the first part of the row's
// index (the client's row number, the band of a survey row, the MAC list's row number).
constexpr uint32_t kNoSlot = ~0u;

struct MonitorKind {
    int kind;
    uint32_t layout;
    std::size_t indexParts;
    uint32_t indexOffset;
    const char *scanObject; // set to the band before the walk (a device scans when asked); or null
    bool selectorIsBand;    // the selector names a band (1, 2); else it must be 1
    bool bandRows;          // the table's first index is the band: only that band's rows are walked
    uint32_t secondIndexOffset = kNoSlot; // where the index's second part goes, when it has one
    uint32_t queryLayout = LayoutNone;    // bindings that fill the query beyond its count and rows
    // A second table read by the same refresh (apMonitorQuery2), or LayoutNone.
    uint32_t secondLayout = LayoutNone;
    uint32_t secondTableIndexOffset = 0;
    int selector = 1; // the one selector a kind without bands takes
};

constexpr MonitorKind kKinds[] = {
    {0, LayoutClientRow, 1, offsetof(apClientRecord, index), nullptr, false, false},
    {1, LayoutWdsPeerRow, 2, offsetof(apWdsPeerRecord, band), nullptr, false, false, offsetof(apWdsPeerRecord, index),
     LayoutWdsQueryBands},
    {3, LayoutClientSurveyRow, 2, offsetof(apClientSurveyRecord, band), "trbSurveyScan", true, true},
    {4, LayoutWdsSurveyRow, 2, offsetof(apWdsSurveyRecord, band), "trbSurveyScan", true, true},
    // The page passes its band here too; the wired side has no bands.
    {8, LayoutClientMacRow, 1, offsetof(apClientMacRecord, index), nullptr, true, false},
    // The detection's rows land in the intrusion table; the intrusion handle reads them.
    {2, LayoutIntrusionRow, 2, offsetof(apIntrusionRecord, band), "trbIntrusionScan", true, true},
    {6, LayoutArrayFoundRow, 1, offsetof(apArrayEntry, index), "trbApArrayScan", false, false, kNoSlot, LayoutNone,
     LayoutArrayMemberRow, offsetof(apArrayMember, index)},
    // DHCP leases: dynamic first, static second (apDhcpLeaseView); refreshed with selector 3.
    {5, LayoutDhcpLeaseRow, 1, offsetof(apDhcpLeaseEntry, index), nullptr, false, false, kNoSlot, LayoutNone,
     LayoutDhcpStaticLeaseRow, offsetof(apDhcpStaticLeaseEntry, index), 3},
    {7, LayoutVlanPortRow, 1, offsetof(apVlanPortEntry, index), nullptr, false, false, kNoSlot, LayoutNone,
     LayoutNone, 0, 3},
};

// The layouts a kind's refresh walks.
std::vector<uint32_t> layoutsOf(const MonitorKind &kind)
{
    if (kind.secondLayout == LayoutNone)
        return {kind.layout};
    return {kind.layout, kind.secondLayout};
}

std::vector<const Binding *> columnsOf(const MonitorKind &kind)
{
    std::vector<const Binding *> columns;
    for (uint32_t layout : layoutsOf(kind))
        for (const Binding *column : bindingsOfLayout(layout))
            columns.push_back(column);
    return columns;
}

const MonitorKind *monitorKind(int kind)
{
    for (const MonitorKind &k : kKinds)
        if (k.kind == kind)
            return &k;
    return nullptr;
}

void putWord(std::vector<uint8_t> &record, uint32_t offset, uint32_t word)
{
    for (uint32_t i = 0; i < 4; ++i)
        record[offset + i] = uint8_t(word >> (8 * i)); // little-endian, whatever the host
}

bool validSelector(const MonitorKind &kind, int selector)
{
    return kind.selectorIsBand ? selector == 1 || selector == 2 : selector == kind.selector;
}

// The rows of the last refresh as records of `layout`, ordered by row index.
std::vector<std::vector<uint8_t>> rowsOf(HandleState &state, uint32_t layout, std::size_t indexParts,
                                         uint32_t indexOffset, uint32_t secondIndexOffset = kNoSlot)
{
    auto columns = bindingsOfLayout(layout);
    std::map<Oid, std::map<const Binding *, const SnmpValue *>> rows;
    std::lock_guard lock(state.mutex);
    for (const auto &[oid, value] : state.lastRead)
        for (const Binding *column : columns) {
            Oid prefix = instanceOidOf(*column);
            if (isPrefixOf(prefix, oid)) {
                rows[Oid(oid.begin() + prefix.size(), oid.end())][column] = &value;
                break;
            }
        }
    std::vector<std::vector<uint8_t>> records;
    for (const auto &[index, values] : rows) {
        std::vector<uint8_t> &record = records.emplace_back(layoutSize(layout), 0);
        if (index.size() == indexParts)
            putWord(record, indexOffset, index[0]);
        if (index.size() == indexParts && index.size() > 1 && secondIndexOffset != kNoSlot)
            putWord(record, secondIndexOffset, index[1]);
        for (const Binding *column : columns) {
            auto it = values.find(column);
            RecordCodec::decode(*column, it == values.end() ? nullptr : it->second, record);
        }
    }
    return records;
}

// The walk of the kind's columns, after the scan when the kind scans.
std::unique_ptr<Request> refreshRequest(const HandleState &state, const MonitorKind &kind, int selector)
{
    auto request = std::make_unique<Request>();
    request->kind = Request::Kind::Walk;
    request->session = state.session;
    for (const Binding *column : columnsOf(kind)) {
        request->oids.push_back(instanceOidOf(*column));
        if (kind.bandRows)
            request->oids.back().push_back(uint32_t(selector));
    }
    // The query's own fields come from table columns walked along with the rows.
    const auto fields = kind.queryLayout == LayoutNone ? std::vector<const Binding *>{} : bindingsOfLayout(kind.queryLayout);
    for (const Binding *field : fields) {
        Oid column = trb::schema::instanceOid(objectOf(*field));
        if (std::find(request->oids.begin(), request->oids.end(), column) == request->oids.end())
            request->oids.push_back(std::move(column));
    }
    if (kind.scanObject) {
        SnmpValue band{asn::Integer, selector, {}};
        request->varbinds.push_back({trb::schema::instanceOid(*trb::schema::findObject(kind.scanObject)), band});
    }
    return request;
}

// Null `out`: the count; else at most `count` rows, and the count of rows written.
void fillRows(const std::vector<std::vector<uint8_t>> &rows, uint32_t &count, void *out)
{
    if (!out) {
        count = uint32_t(rows.size());
        return;
    }
    const uint32_t filled = std::min<uint32_t>(count, uint32_t(rows.size()));
    auto *bytes = static_cast<uint8_t *>(out);
    for (uint32_t i = 0; i < filled; ++i) // nothing from an empty table
        bytes = std::copy(rows[i].begin(), rows[i].end(), bytes);
    count = filled;
}

} // namespace

extern "C" {

APHANDLE apSysMonitorOpen(APHANDLE session, int kind, int)
{
    if (!monitorKind(kind)) // table sets this model's agent does not have
        return 0;
    APHANDLE handle = openFamilyHandle(session, Family::Monitor, 1);
    if (auto state = lib().handles.find(handle))
        state->kind = kind;
    return handle;
}

int apSysMonitorRefresh(APHANDLE monitor, int selector, apMonitorCallback callback, void *context, int mode)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    auto state = familyHandle(monitor, Family::Monitor);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const MonitorKind &kind = *monitorKind(state->kind);
    if (!validMode(mode) || !validSelector(kind, selector))
        return AP_ERR_BAD_ARGUMENT;
    auto request = refreshRequest(*state, kind, selector);
    // Every walked column is type-checked: the rows' and those of the query's own fields.
    std::vector<std::pair<Oid, const Binding *>> columns;
    for (const Binding *column : columnsOf(kind))
        columns.emplace_back(instanceOidOf(*column), column);
    const auto fields = kind.queryLayout == LayoutNone ? std::vector<const Binding *>{} : bindingsOfLayout(kind.queryLayout);
    for (const Binding *field : fields)
        columns.emplace_back(trb::schema::instanceOid(objectOf(*field)), field);
    auto store = [state, columns = std::move(columns)](RequestResult &result) {
        for (const auto &[oid, value] : result.values)
            for (const auto &[column, binding] : columns)
                if (result.code == AP_OK && isPrefixOf(column, oid) && RecordCodec::wrongType(objectOf(*binding), value))
                    HandleReads::failOnWrongType(result, objectOf(*binding));
        std::lock_guard lock(state->mutex);
        // A failed refresh leaves an empty table.
        state->lastRead = result.code == AP_OK ? result.values : std::map<Oid, SnmpValue>{};
    };
    std::function<void(int, const std::string &)> notify;
    if (callback)
        notify = [callback, context, monitor](int code, const std::string &) {
            callback(monitor, 0, uint32_t(code), context, 0);
        };
    return runRequest(std::move(request), mode, store, notify);
}

int apSysMonitorQueryInfor(APHANDLE monitor, void *query)
{
    auto state = familyHandle(monitor, Family::Monitor);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!query)
        return AP_ERR_BAD_ARGUMENT;
    const MonitorKind &kind = *monitorKind(state->kind);
    if (kind.secondLayout == LayoutNone) {
        auto *list = static_cast<apMonitorQuery1 *>(query);
        if (kind.queryLayout != LayoutNone)
            decodeLayout(*state, kind.queryLayout, query);
        fillRows(rowsOf(*state, kind.layout, kind.indexParts, kind.indexOffset, kind.secondIndexOffset), list->count,
                 list->rows);
        return AP_OK;
    }
    auto *lists = static_cast<apMonitorQuery2 *>(query);
    fillRows(rowsOf(*state, kind.layout, kind.indexParts, kind.indexOffset), lists->count[0], lists->rows[0]);
    fillRows(rowsOf(*state, kind.secondLayout, 1, kind.secondTableIndexOffset), lists->count[1], lists->rows[1]);
    return AP_OK;
}

} // extern "C"
