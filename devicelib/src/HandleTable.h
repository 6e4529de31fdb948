#pragma once
// 32-bit handles (0 = none) to shared handle states. Numbers are not reused while the
// library runs, so a stale handle is refused instead of reaching another page's state.
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "HandleState.h"

namespace trb::devicelib {

class HandleTable {
public:
    uint32_t add(std::shared_ptr<HandleState> state);
    std::shared_ptr<HandleState> find(uint32_t handle) const;
    std::shared_ptr<HandleState> remove(uint32_t handle);
    void clear();

private:
    mutable std::mutex mutex_;
    uint32_t next_ = 1;
    std::unordered_map<uint32_t, std::shared_ptr<HandleState>> handles_;
};

} // namespace trb::devicelib
