#pragma once
// A loopback UDP socket for tests: send to a port, receive with a time limit.
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace tftptest {

struct Datagram {
    std::vector<std::uint8_t> bytes;
    std::uint16_t fromPort = 0;
};

class UdpEndpoint {
public:
    // Binds an ephemeral port on a loopback address (127.0.0.2 plays a stranger).
    explicit UdpEndpoint(const char *address = "127.0.0.1");
    UdpEndpoint(const UdpEndpoint &) = delete;
    UdpEndpoint &operator=(const UdpEndpoint &) = delete;
    ~UdpEndpoint();

    std::uint16_t Port() const { return port_; }
    int Fd() const { return fd_; }
    void SendTo(std::uint16_t port, const std::vector<std::uint8_t> &bytes) const;
    std::optional<Datagram> Receive(std::chrono::milliseconds timeout) const;

private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};

} // namespace tftptest
