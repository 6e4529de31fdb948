// Device tables read through a monitor handle: so far the wireless clients (kind 0).
#include "TRB4820apHelp.h"

#include <algorithm>
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

// Client table rows from the walked values, ordered by row index.
std::vector<apClientRecord> clientRows(HandleState &state)
{
    auto columns = bindingsOfLayout(LayoutClientRow);
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
    std::vector<apClientRecord> records(rows.size());
    std::size_t i = 0;
    for (const auto &[index, values] : rows) {
        apClientRecord &record = records[i++];
        std::memset(&record, 0, sizeof record);
        record.index = index.size() == 1 ? index[0] : 0;
        std::span<uint8_t> bytes(reinterpret_cast<uint8_t *>(&record), sizeof record);
        for (const Binding *column : columns) {
            auto it = values.find(column);
            RecordCodec::decode(*column, it == values.end() ? nullptr : it->second, bytes);
        }
    }
    return records;
}

} // namespace

extern "C" {

APHANDLE apSysMonitorOpen(APHANDLE session, int kind, int)
{
    if (kind != 0) // only the client table set exists on this model's agent so far
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
    if (!validMode(mode) || selector != 1)
        return AP_ERR_BAD_ARGUMENT;
    auto request = std::make_unique<Request>();
    request->kind = Request::Kind::Walk;
    request->session = state->session;
    std::vector<std::pair<Oid, const Binding *>> columns;
    for (const Binding *column : bindingsOfLayout(LayoutClientRow)) {
        columns.emplace_back(instanceOidOf(*column), column);
        request->oids.push_back(columns.back().first);
    }
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
    auto *list = static_cast<apMonitorQuery1 *>(query);
    std::vector<apClientRecord> rows = clientRows(*state);
    if (!list->rows) {
        list->count = uint32_t(rows.size());
        return AP_OK;
    }
    uint32_t filled = std::min<uint32_t>(list->count, uint32_t(rows.size()));
    std::copy_n(rows.begin(), filled, static_cast<apClientRecord *>(list->rows)); // nothing from an empty table
    list->count = filled;
    return AP_OK;
}

} // extern "C"
