// The C interface of the device library: argument checks, handle look-ups, and the hand-over
// of requests to the I/O thread.
#include "TRB4820apHelp.h"

#include <netdb.h>
#include <arpa/inet.h>

#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "ErrorText.h"
#include "HandleReads.h"
#include "LibraryState.h"
#include "RecordCodec.h"

using namespace trb::devicelib;

namespace {

LibraryState &lib() { return LibraryState::instance(); }

std::shared_ptr<HandleState> findHandle(APHANDLE handle, Family family)
{
    auto state = lib().handles.find(handle);
    return state && state->family == family ? state : nullptr;
}

APHANDLE openGroupHandle(APHANDLE session, Family family, uint32_t defaultMask)
{
    if (!lib().running() || !findHandle(session, Family::Session))
        return 0;
    auto state = std::make_shared<HandleState>(family, session);
    state->groupMask = defaultMask;
    return lib().handles.add(std::move(state));
}

// Hands a request to the I/O thread. `store` runs there when it ends (it must not block);
// `notify` calls the caller's callback: from the callback thread in mode 2, on the caller's
// own thread after the wait in modes 0 and 4 (so a blocking caller never waits on a callback).
int runRequest(std::unique_ptr<Request> request, int mode, std::function<void(RequestResult &)> store,
               std::function<void(int, const std::string &)> notify)
{
    if (mode == AP_MODE_CALLBACK) {
        request->onDone = [store, notify](RequestResult &&result) {
            store(result);
            if (notify)
                lib().completions.push([notify, code = result.code, text = std::move(result.text)] {
                    notify(code, text);
                });
        };
        return lib().engine.submit(std::move(request)) ? AP_OK : AP_ERR_NOT_INITIALISED;
    }
    struct Waiter {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        int code = 0;
        std::string text;
    };
    auto waiter = std::make_shared<Waiter>();
    request->onDone = [store, waiter](RequestResult &&result) {
        store(result);
        std::lock_guard lock(waiter->mutex);
        waiter->finished = true;
        waiter->code = result.code;
        waiter->text = std::move(result.text);
        waiter->done.notify_all();
    };
    if (!lib().engine.submit(std::move(request)))
        return AP_ERR_NOT_INITIALISED;
    std::unique_lock lock(waiter->mutex);
    waiter->done.wait(lock, [&] { return waiter->finished; });
    if (notify)
        notify(waiter->code, waiter->text);
    return waiter->code;
}

bool validMode(int mode) { return mode == AP_MODE_WAIT || mode == AP_MODE_CALLBACK || mode == AP_MODE_BLOCKING; }

std::function<void(int, const std::string &)> requestNotifier(apRequestCallback callback, void *context)
{
    if (!callback)
        return nullptr;
    return [callback, context](int code, const std::string &text) {
        callback(uint32_t(code), 0, text.c_str(), context, 0);
    };
}

void decodeLayout(HandleState &state, uint32_t layout, void *record)
{
    std::span<uint8_t> bytes(static_cast<uint8_t *>(record), layoutSize(layout));
    std::lock_guard lock(state.mutex);
    for (const Binding *b : bindingsOfLayout(layout)) {
        auto it = state.lastRead.find(instanceOidOf(*b));
        RecordCodec::decode(*b, it == state.lastRead.end() ? nullptr : &it->second, bytes);
    }
}

uint32_t recordGroup(const void *record)
{
    uint32_t group;
    std::memcpy(&group, record, sizeof group);
    return group;
}

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

// "host", "host:port" or "udp:host:port" to "udp:a.b.c.d:port"; 0 or an error code.
int resolvePeer(const char *address, int defaultPort, std::string &peer)
{
    std::string text(address);
    if (text.rfind("udp:", 0) == 0)
        text.erase(0, 4);
    std::string host = text;
    long port = defaultPort;
    if (auto colon = text.find(':'); colon != std::string::npos) {
        if (text.find(':', colon + 1) != std::string::npos)
            return AP_ERR_BAD_ARGUMENT; // IPv6 is not spoken by the device
        host = text.substr(0, colon);
        std::string digits = text.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return AP_ERR_BAD_ARGUMENT;
        port = std::stol(digits);
    }
    if (host.empty() || port < 1 || port > 65535)
        return AP_ERR_BAD_ARGUMENT;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    // Resolved here, on the caller's thread, so a slow name lookup never stalls the I/O thread.
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return AP_ERR_SEND;
    char dotted[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in *>(found->ai_addr)->sin_addr, dotted, sizeof dotted);
    freeaddrinfo(found);
    peer = std::string("udp:") + dotted + ":" + std::to_string(port);
    return AP_OK;
}

} // namespace

extern "C" {

int apInitSnmpLibrary(void) { return lib().init(); }

int apUninitSnmpLibrary(void) { return lib().uninit(); }

APHANDLE apSnmpOpenSession(int, const char *)
{
    if (!lib().running())
        return 0;
    return lib().handles.add(std::make_shared<HandleState>(Family::Session, 0));
}

int apSnmpSetSession(APHANDLE session, int port, const char *readCommunity, const char *writeCommunity,
                     int timeout, const char *address, int retries)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    auto state = findHandle(session, Family::Session);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!readCommunity || !writeCommunity || !address || !*address || timeout <= 0 || retries < 0 ||
        retries > 10)
        return AP_ERR_BAD_ARGUMENT;
    SessionConfig config;
    if (int code = resolvePeer(address, port, config.peer))
        return code;
    config.readCommunity = readCommunity;
    config.writeCommunity = writeCommunity;
    config.timeoutMs = uint32_t(timeout) * 10;
    config.retries = retries;
    int code = lib().engine.configure(session, config);
    std::lock_guard lock(state->mutex);
    state->configured = code == AP_OK;
    if (code == AP_OK)
        state->config = config;
    return code;
}

int apHandleClose(APHANDLE handle)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    auto state = lib().handles.remove(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (state->family == Family::Session)
        lib().engine.closeSession(handle);
    return AP_OK;
}

int apStyleModify(APHANDLE handle, uint32_t groupMask, int)
{
    auto state = lib().handles.find(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    uint32_t known = knownGroups(state->family);
    if (groupMask == 0 || (groupMask & ~known))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    state->groupMask = groupMask;
    return AP_OK;
}

namespace {
// A get or set goes to a group handle in a known mode; 0 when it may, else the code.
int checkGroupRequest(APHANDLE handle, int mode, std::shared_ptr<HandleState> &state)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    state = lib().handles.find(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validMode(mode) || state->family == Family::Session || state->family == Family::Monitor)
        return AP_ERR_BAD_ARGUMENT;
    return AP_OK;
}
} // namespace

int apSnmpSendGetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs)
{
    std::shared_ptr<HandleState> state;
    if (const int refused = checkGroupRequest(handle, mode, state))
        return refused;
    auto request = std::make_unique<Request>();
    request->session = state->session;
    request->timeoutMs = timeoutMs;
    std::shared_ptr<const ReadPlan> plan;
    {
        std::lock_guard lock(state->mutex);
        plan = HandleReads::prepare(state->family, state->groupMask, *request);
    }
    auto store = [state, plan](RequestResult &result) { HandleReads::store(*state, *plan, result); };
    return runRequest(std::move(request), mode, store, requestNotifier(callback, context));
}

int apSnmpSendSetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs)
{
    std::shared_ptr<HandleState> state;
    if (const int refused = checkGroupRequest(handle, mode, state))
        return refused;
    auto request = std::make_unique<Request>();
    request->kind = Request::Kind::Set;
    request->session = state->session;
    {
        std::lock_guard lock(state->mutex);
        for (const StagedValue &staged : state->staged)
            if (staged.groupBit & state->groupMask)
                request->varbinds.push_back({staged.oid, staged.value});
        if (request->varbinds.empty())
            return AP_ERR_NOT_WRITABLE;
        state->staged.clear(); // a staged command must never run twice
        request->timeoutMs = timeoutMs ? timeoutMs : state->stagedTimeoutMs;
    }
    auto store = [state](RequestResult &result) { HandleReads::storeWritten(*state, result); };
    return runRequest(std::move(request), mode, store, requestNotifier(callback, context));
}

int apSnmpGetErrorMsg(int code, char *buffer)
{
    if (!buffer)
        return AP_ERR_BAD_ARGUMENT;
    std::string text = ErrorText::of(code);
    std::size_t length = std::min<std::size_t>(text.size(), 255);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return AP_OK;
}

APHANDLE apSysMonitorOpen(APHANDLE session, int kind, int)
{
    if (kind != 0) // only the client table set exists on this model's agent so far
        return 0;
    APHANDLE handle = openGroupHandle(session, Family::Monitor, 1);
    if (auto state = lib().handles.find(handle))
        state->kind = kind;
    return handle;
}

int apSysMonitorRefresh(APHANDLE monitor, int selector, apMonitorCallback callback, void *context, int mode)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    auto state = findHandle(monitor, Family::Monitor);
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
    auto state = findHandle(monitor, Family::Monitor);
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
    if (filled) // an empty table has no rows to copy from
        std::memcpy(list->rows, rows.data(), filled * sizeof(apClientRecord));
    list->count = filled;
    return AP_OK;
}

APHANDLE apSysDeviceInforOpen(APHANDLE session, int)
{
    return openGroupHandle(session, Family::DeviceInfo, AP_DEVINFO_GROUP_DEVICE);
}

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
} // namespace

int apSysDeviceGetInfor(APHANDLE handle, void *record)
{
    auto state = findHandle(handle, Family::DeviceInfo);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    uint32_t group = recordGroup(record);
    if (group != AP_DEVINFO_RECORD_GROUP_DEVICE && group != AP_DEVINFO_RECORD_GROUP_LAN)
        return AP_ERR_BAD_ARGUMENT;
    decodeLayout(*state, group, record);
    if (group == AP_DEVINFO_RECORD_GROUP_DEVICE)
        putServingBandSsidsFirst(*static_cast<apDeviceInfoRecord *>(record));
    return AP_OK;
}

int apSysDeviceSetInfor(APHANDLE handle, const void *record)
{
    auto state = findHandle(handle, Family::DeviceInfo);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    uint32_t group = recordGroup(record);
    if (group != AP_DEVINFO_RECORD_GROUP_DEVICE && group != AP_DEVINFO_RECORD_GROUP_LAN)
        return AP_ERR_BAD_ARGUMENT;
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

APHANDLE apSysCommandObjOpen(APHANDLE session, int) { return openGroupHandle(session, Family::Command, 1); }

int apSysCommand(APHANDLE handle, int command, int wait)
{
    auto state = findHandle(handle, Family::Command);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (command < 0 || command > 4 || wait < 0)
        return AP_ERR_BAD_ARGUMENT;
    const Binding *commandBinding = bindingsOfGroups(Family::Command, 1).front();
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = command + 1; // 0 is the agent's idle
    std::lock_guard lock(state->mutex);
    state->staged = {{1, instanceOidOf(*commandBinding), value}};
    state->stagedTimeoutMs = uint32_t(wait);
    return AP_OK;
}

APHANDLE apDeviceStatusOpen(APHANDLE session, int) { return openGroupHandle(session, Family::PaneStatus, 1); }

int apAdvPaneStatusGet(APHANDLE handle, void *record)
{
    auto state = findHandle(handle, Family::PaneStatus);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    decodeLayout(*state, LayoutPaneStatus, record);
    // No client count object on the agent: walking the client table every 2 s is not cheap.
    static_cast<apPaneStatusRecord *>(record)->clientCount = 0;
    return AP_OK;
}

} // extern "C"
