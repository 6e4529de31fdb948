#pragma once
// A look at the SNMP request waiting on a socket before the agent reads it: its kind, request id
// and the names it carries, so that a fault can drop it before Net-SNMP ever sees it.
#include <optional>
#include <string>
#include <vector>

#include "FaultPlan.h"

namespace trb::sim {

struct PeekedRequest {
    RequestKind kind = RequestKind::Get;
    long requestId = 0;
    std::vector<Oid> names;

    // "set request 1234 (1.3.6.1...., ...)" for the log.
    std::string describe() const;
};

// The request at the head of the socket's queue, left in place; none when the socket holds no
// SNMPv1/v2c request (nothing queued, not a socket, or a datagram that does not parse).
std::optional<PeekedRequest> peekRequest(int fd);
// Parses one datagram.
std::optional<PeekedRequest> parseRequest(const unsigned char *data, size_t length);

} // namespace trb::sim
