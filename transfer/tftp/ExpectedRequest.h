#pragma once
// The one request the server is waiting for: a peer address, a file name and a direction.
// Any other request is refused with the TFTP error that says why.
#include "TftpPacket.h"

#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <string>

namespace tftp {

struct Refusal {
    std::uint16_t code = kNotDefined;
    std::string message;
};

class ExpectedRequest {
public:
    // An address that is not dotted IPv4 text matches no peer, so everything is refused.
    ExpectedRequest(const std::string &peerAddress, std::string fileName, bool upload);

    bool HasValidPeer() const { return peer_.has_value(); }
    // Nothing when the request is the expected one.
    std::optional<Refusal> Check(const Packet &request, const in_addr &from) const;

private:
    std::optional<in_addr> peer_;
    std::string fileName_;
    bool upload_;
};

} // namespace tftp
