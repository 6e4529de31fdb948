#pragma once
// The library's process-wide state: the handle table, the Net-SNMP engine and the thread that
// runs the callers' callbacks.
#include <mutex>

#include "CompletionQueue.h"
#include "HandleTable.h"
#include "SnmpEngine.h"

namespace trb::devicelib {

class LibraryState {
public:
    static LibraryState &instance();

    ~LibraryState() { uninit(); }
    int init();
    int uninit();
    bool running() const;

    HandleTable handles;
    SnmpEngine engine;
    CompletionQueue completions;

private:
    mutable std::mutex lifecycle_;
    bool running_ = false;
};

} // namespace trb::devicelib
