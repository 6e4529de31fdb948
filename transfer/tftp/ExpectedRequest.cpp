#include "ExpectedRequest.h"

#include <arpa/inet.h>

namespace tftp {

ExpectedRequest::ExpectedRequest(const std::string &peerAddress, std::string fileName, bool upload)
    : fileName_(std::move(fileName)), upload_(upload)
{
    in_addr address{};
    if (::inet_pton(AF_INET, peerAddress.c_str(), &address) == 1)
        peer_ = address;
}

std::optional<Refusal> ExpectedRequest::Check(const Packet &request, const in_addr &from) const
{
    const bool upload = request.opcode == Opcode::Wrq;
    if (!peer_ || peer_->s_addr != from.s_addr || upload != upload_)
        return Refusal{kAccessViolation, "Access violation"};
    if (request.fileName != fileName_)
        return Refusal{kFileNotFound, "File not found"};
    return std::nullopt;
}

} // namespace tftp
