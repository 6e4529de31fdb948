#include "FamilyCalls.h"

#include <cstring>
#include <mutex>

#include "RecordCodec.h"

namespace trb::devicelib {

bool validMode(int mode) { return mode == AP_MODE_WAIT || mode == AP_MODE_CALLBACK || mode == AP_MODE_BLOCKING; }

std::function<void(int, const std::string &)> requestNotifier(apRequestCallback callback, void *context)
{
    if (!callback)
        return nullptr;
    return [callback, context](int code, const std::string &text) {
        callback(uint32_t(code), 0, text.c_str(), context, 0);
    };
}

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
    // onDone runs before runHere returns, on whichever thread ends the request, under the
    // engine's lock: the locals are safe to fill.
    int code = AP_ERR_SHUTDOWN;
    std::string text;
    request->onDone = [&store, &code, &text](RequestResult &&result) {
        store(result);
        code = result.code;
        text = std::move(result.text);
    };
    if (!lib().engine.runHere(std::move(request)))
        return AP_ERR_NOT_INITIALISED;
    if (notify)
        notify(code, text);
    return code;
}


int stageLayoutRecord(uint32_t handle, Family family, uint32_t layout, const void *record)
{
    auto state = familyHandle(handle, family);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    std::span<const uint8_t> bytes(static_cast<const uint8_t *>(record), layoutSize(layout));
    std::vector<StagedValue> staged;
    for (const Binding *b : bindingsOfLayout(layout)) {
        std::string reason;
        auto value = RecordCodec::encode(*b, bytes, reason);
        if (!value)
            return AP_ERR_BAD_ARGUMENT;
        staged.push_back({b->groupBit, instanceOidOf(*b), std::move(*value)});
    }
    stageValues(*state, std::move(staged));
    return AP_OK;
}

bool layoutColumns(uint32_t layout, const void *record, TableRows::Row &columns)
{
    const std::span<const uint8_t> bytes(static_cast<const uint8_t *>(record), layoutSize(layout));
    for (const Binding *b : bindingsOfLayout(layout)) {
        std::string reason;
        auto value = RecordCodec::encode(*b, bytes, reason);
        if (!value)
            return false;
        columns[&objectOf(*b)] = std::move(*value);
    }
    return true;
}

void decodeLayout(HandleState &state, uint32_t layout, void *record)
{
    std::span<uint8_t> bytes(static_cast<uint8_t *>(record), layoutSize(layout));
    std::lock_guard lock(state.mutex);
    // Both in OID order: one pass over the handle's values.
    const auto &bindings = bindingsOfLayoutByOid(layout);
    auto it = bindings.empty() ? state.lastRead.end() : state.lastRead.lower_bound(instanceOidOf(*bindings.front()));
    for (const Binding *b : bindings) {
        const Oid &oid = instanceOidOf(*b);
        bool held = false;
        for (; it != state.lastRead.end(); ++it) {
            const auto order = it->first <=> oid; // one comparison of the two OIDs, not two
            if (order >= 0) {
                held = order == 0;
                break;
            }
        }
        RecordCodec::decode(*b, held ? &it->second : nullptr, bytes);
    }
}

uint32_t recordGroup(const void *record)
{
    uint32_t group;
    std::memcpy(&group, record, sizeof group);
    return group;
}

int checkGroupRequest(uint32_t handle, int mode, std::shared_ptr<HandleState> &state)
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

} // namespace trb::devicelib
