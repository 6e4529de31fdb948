#pragma once
// Handle look-ups shared by the family files.
#include <memory>

#include "LibraryState.h"

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

} // namespace trb::devicelib
