#pragma once
// Option negotiation for a read or write request: blksize, tsize, timeout, windowsize.
// Options we do not know, or whose values are unusable, are left out of the answer,
// which the client then treats as refused.
#include "TftpPacket.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tftp {

inline constexpr unsigned kMaxWindowSize = 256;
// Bytes in flight per window are capped so a client cannot make us buffer without bound.
inline constexpr std::size_t kMaxWindowBytes = 8u << 20;

struct TransferParameters {
    std::size_t blockSize = kDefaultBlockSize;
    unsigned windowSize = 1;
    unsigned timeoutMs = 3000;
    int retries = 5;
    // The options to confirm in an OACK; empty means answer as plain RFC 1350.
    std::vector<Option> acknowledged;
};

// fileSize: the size of the file to send (read requests); nothing for write requests.
TransferParameters NegotiateOptions(const Packet &request, std::optional<std::uint64_t> fileSize,
                                    unsigned timeoutMs, int retries);

// Strict decimal parse: digits only, at most 10 of them.
std::optional<std::uint64_t> ParseOptionNumber(const std::string &text);

} // namespace tftp
