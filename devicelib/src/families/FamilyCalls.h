#pragma once
// What every family's entry points share: handle look-ups, requests run by the engine,
// records decoded from and staged into a handle. A family file holds its bindings and its calls.
#include <functional>
#include <memory>
#include <string>

#include "LibraryState.h"
#include "TRB4820apHelp.h"
#include "TableRows.h"

namespace trb::devicelib {

// The handle's state when it belongs to `family`, else null.
inline std::shared_ptr<HandleState> familyHandle(uint32_t handle, Family family)
{
    auto state = LibraryState::instance().handles.find(handle);
    return state && state->family == family ? state : nullptr;
}

// A new group handle on an open session, its groups preset to `mask`; 0 when refused.
inline uint32_t openFamilyHandle(uint32_t session, Family family, uint32_t mask)
{
    auto &lib = LibraryState::instance();
    if (!lib.running() || !familyHandle(session, Family::Session))
        return 0;
    auto state = std::make_shared<HandleState>(family, session);
    state->groupMask = mask;
    return lib.handles.add(std::move(state));
}

// Replaces what is staged for the same instances, keeps the rest: several calls may stage
// parts of one set request.
inline void stageValues(HandleState &state, std::vector<StagedValue> values)
{
    std::lock_guard lock(state.mutex);
    for (StagedValue &value : values) {
        std::erase_if(state.staged, [&](const StagedValue &s) { return s.oid == value.oid; });
        state.staged.push_back(std::move(value));
    }
    state.stagedTimeoutMs = 0;
}

inline LibraryState &lib() { return LibraryState::instance(); }

bool validMode(int mode);

// Runs a request: mode 2 hands it to the I/O thread; modes 0 and 4 drive it on the caller's own
// thread. `store` runs, under the engine's lock, on whichever thread ends it (it must not block;
// it may turn the result into a failure); `notify` calls the caller's callback: from the callback
// thread in mode 2, on the caller's own thread after the wait in modes 0 and 4 (so a blocking
// caller never waits on a callback).
int runRequest(std::unique_ptr<Request> request, int mode, std::function<void(RequestResult &)> store,
               std::function<void(int, const std::string &)> notify);

// The caller's request callback as runRequest's notify; none without a callback.
std::function<void(int, const std::string &)> requestNotifier(apRequestCallback callback, void *context);

// Stages every bound slot of a layout's record on a handle of `family`; one bad value and
// nothing is staged (AP_ERR_BAD_ARGUMENT).
int stageLayoutRecord(uint32_t handle, Family family, uint32_t layout, const void *record);

// The bound slots of a layout's record as the columns of a table row; false when one does not
// encode (the device would refuse the row).
bool layoutColumns(uint32_t layout, const void *record, TableRows::Row &columns);

// Writes a value to the caller's optional out-parameter.
inline void putOptional(int *out, int32_t value)
{
    if (out)
        *out = value;
}

// Fills the record's bound slots of `layout` from the handle's last values.
void decodeLayout(HandleState &state, uint32_t layout, void *record);

// The first word of a record: the group of information it carries.
uint32_t recordGroup(const void *record);

// A get or set goes to a group handle in a known mode; 0 when it may, else the code.
int checkGroupRequest(uint32_t handle, int mode, std::shared_ptr<HandleState> &state);

} // namespace trb::devicelib
