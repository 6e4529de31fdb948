#pragma once
// What one library handle holds: its family, the groups selected, the last values read
// and the values staged for the next write. Shared with requests in flight, so closing
// the handle never frees what a request still writes into.
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "RecordBindings.h"
#include "SnmpValue.h"

namespace trb::devicelib {

struct SessionConfig {
    std::string peer;           // "udp:a.b.c.d:port"
    std::string readCommunity;
    std::string writeCommunity;
    uint32_t timeoutMs = 1500;  // per try
    int retries = 1;
};

struct StagedValue {
    uint32_t groupBit;
    Oid oid;
    SnmpValue value;
};

struct HandleState {
    HandleState(Family family, uint32_t session) : family(family), session(session) {}

    const Family family;
    const uint32_t session; // the session handle a group handle was opened on (0 for a session)
    int kind = 0;           // monitor: the table set

    std::mutex mutex;       // guards everything below
    uint32_t groupMask = 0;
    std::map<Oid, SnmpValue> lastRead;
    std::vector<StagedValue> staged;
    uint32_t stagedTimeoutMs = 0; // a command's wait
    // Caller buffers that the next get request fills from its values when it succeeds, one per
    // object instance (the latest asked for).
    std::map<Oid, std::function<void(const std::map<Oid, SnmpValue> &)>> fillsOnRead;
    // Set by apHandleClose: from then on no caller buffer of the handle is written, even by a
    // request still in flight (the caller may free its buffers once the close returns).
    bool closed = false;
    bool configured = false;      // session: apSnmpSetSession succeeded
    SessionConfig config;
};

} // namespace trb::devicelib
