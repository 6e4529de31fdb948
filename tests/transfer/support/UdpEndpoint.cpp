#include "UdpEndpoint.h"

#include <arpa/inet.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tftptest {

UdpEndpoint::UdpEndpoint(const char *bindAddress)
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, bindAddress, &address.sin_addr);
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind a loopback UDP socket");
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr *>(&address), &length);
    port_ = ntohs(address.sin_port);
    const int bytes = 4 << 20;
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

UdpEndpoint::~UdpEndpoint() { ::close(fd_); }

void UdpEndpoint::SendTo(std::uint16_t port, const std::vector<std::uint8_t> &bytes) const
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    ::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
}

std::optional<Datagram> UdpEndpoint::Receive(std::chrono::milliseconds timeout) const
{
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, int(timeout.count())) <= 0)
        return std::nullopt;
    Datagram datagram;
    datagram.bytes.resize(70000);
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t size = ::recvfrom(fd_, datagram.bytes.data(), datagram.bytes.size(), 0,
                                    reinterpret_cast<sockaddr *>(&from), &length);
    if (size < 0)
        return std::nullopt;
    datagram.bytes.resize(std::size_t(size));
    datagram.fromPort = ntohs(from.sin_port);
    return datagram;
}

} // namespace tftptest
