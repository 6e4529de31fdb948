#pragma once
// A UDP socket for one TFTP client transfer: an ephemeral port (the client's transfer ID),
// datagrams out to any address, datagrams in with a deadline.
#include <chrono>
#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <vector>

namespace trb::sim {

class UdpSocket {
public:
    using Clock = std::chrono::steady_clock;

    struct Datagram {
        const std::uint8_t *bytes = nullptr; // valid until the next receive
        std::size_t size = 0;
        sockaddr_in from{};
    };

    // bufferBytes: socket buffer wanted for a whole window of blocks. localAddress: the
    // address to send from (an IPv4 address or host name); empty or unresolvable: any.
    UdpSocket(std::size_t bufferBytes, const std::string &localAddress);
    UdpSocket(const UdpSocket &) = delete;
    UdpSocket &operator=(const UdpSocket &) = delete;
    ~UdpSocket();

    bool isOpen() const { return fd_ >= 0; }
    const std::string &openError() const { return openError_; }

    void send(const sockaddr_in &to, const std::vector<std::uint8_t> &bytes) const;
    // One datagram made of a 4-byte header and a payload, without copying the payload.
    void send(const sockaddr_in &to, const std::uint8_t *header, const std::uint8_t *payload,
              std::size_t payloadSize) const;
    // Waits until a datagram arrives or the deadline passes. Truncated datagrams are dropped.
    std::optional<Datagram> receive(Clock::time_point deadline);

private:
    int fd_ = -1;
    std::string openError_;
    std::vector<std::uint8_t> buffer_;
};

// Resolves an IPv4 host name or dotted address; false when it names no IPv4 host.
bool resolveIpv4(const std::string &host, std::uint16_t port, sockaddr_in &address);
std::string endpointText(const sockaddr_in &address);

} // namespace trb::sim
