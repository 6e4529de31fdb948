#pragma once
// Outcome of opening a requested file: a descriptor, or the TFTP error to answer with.
#include <cstdint>
#include <string>

namespace tftp {

struct FileAccessResult {
    int fd = -1;
    std::uint16_t errorCode = 0;
    std::string errorMessage;

    bool Ok() const { return fd >= 0; }
};

} // namespace tftp
