#include "HandleTable.h"

namespace trb::devicelib {

uint32_t HandleTable::add(std::shared_ptr<HandleState> state)
{
    std::lock_guard lock(mutex_);
    while (next_ == 0 || handles_.count(next_))
        ++next_;
    uint32_t handle = next_++;
    handles_.emplace(handle, std::move(state));
    return handle;
}

std::shared_ptr<HandleState> HandleTable::find(uint32_t handle) const
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second;
}

std::shared_ptr<HandleState> HandleTable::remove(uint32_t handle)
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return nullptr;
    auto state = std::move(it->second);
    handles_.erase(it);
    return state;
}

void HandleTable::clear()
{
    std::lock_guard lock(mutex_);
    handles_.clear();
}

} // namespace trb::devicelib
