#pragma once
// Moves one file between the device and a TFTP server on the PC. Calls block until the file
// has crossed or the transfer failed; the device runs them on a worker thread.
#include <cstdint>
#include <string>
#include <vector>

namespace trb::sim {

class FileMover {
public:
    struct Result {
        bool ok = false;
        std::string error; // why it failed, for the device log
    };

    virtual ~FileMover() = default;
    // Reads `name` from host:port into data.
    virtual Result fetch(const std::string &host, uint16_t port, const std::string &name,
                         std::vector<uint8_t> &data) = 0;
    // Writes data to host:port under `name`.
    virtual Result store(const std::string &host, uint16_t port, const std::string &name,
                         const std::vector<uint8_t> &data) = 0;
};

} // namespace trb::sim
