#pragma once
// Progress record handed to the transferring-message callback, valid during the call.
#include <cstdint>

struct VtTFTPMsg {
    enum Stage { Started = 0, Progress = 1, Completed = 2, Failed = 3 };
    int stage;
    bool upload;               // true: the peer is writing a file to us
    const char *fileName;
    const char *peer;          // "address:port"
    std::uint64_t bytes;       // moved so far
    std::uint64_t total;       // 0 when unknown
    const char *error;         // empty unless Failed
};
