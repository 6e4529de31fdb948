#include "UdpSocket.h"

#include "TftpPacket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace trb::sim {

UdpSocket::UdpSocket(std::size_t bufferBytes, const std::string &localAddress)
    : buffer_(tftp::kMaxPacketSize + 16)
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    if (localAddress.empty() || !resolveIpv4(localAddress, 0, local)) {
        local = {};
        local.sin_family = AF_INET;
    }
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
        openError_ = "cannot open a UDP socket on " + endpointText(local) + ": " + std::strerror(errno);
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        return;
    }
    // A whole window must fit, or the tail of every window would be dropped here.
    const int bytes = int(std::clamp<std::size_t>(bufferBytes * 2, 256u << 10, 16u << 20));
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    ::setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

UdpSocket::~UdpSocket()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void UdpSocket::send(const sockaddr_in &to, const std::vector<std::uint8_t> &bytes) const
{
    ::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
}

void UdpSocket::send(const sockaddr_in &to, const std::uint8_t *header, const std::uint8_t *payload,
                     std::size_t payloadSize) const
{
    iovec pieces[2] = {{const_cast<std::uint8_t *>(header), tftp::kHeaderSize},
                       {const_cast<std::uint8_t *>(payload), payloadSize}};
    msghdr message{};
    message.msg_name = const_cast<sockaddr_in *>(&to);
    message.msg_namelen = sizeof to;
    message.msg_iov = pieces;
    message.msg_iovlen = payloadSize > 0 ? 2 : 1;
    // A block lost here is sent again on the time-out, like one lost on the wire.
    while (::sendmsg(fd_, &message, 0) < 0 && errno == EINTR) {
    }
}

std::optional<UdpSocket::Datagram> UdpSocket::receive(Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(std::max<std::int64_t>(0, left.count())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        Datagram datagram;
        socklen_t length = sizeof datagram.from;
        const ssize_t size = ::recvfrom(fd_, buffer_.data(), buffer_.size(), MSG_DONTWAIT | MSG_TRUNC,
                                        reinterpret_cast<sockaddr *>(&datagram.from), &length);
        if (size < 0 || std::size_t(size) > buffer_.size() || datagram.from.sin_family != AF_INET)
            continue;
        datagram.bytes = buffer_.data();
        datagram.size = std::size_t(size);
        return datagram;
    }
}

bool resolveIpv4(const std::string &host, std::uint16_t port, sockaddr_in &address)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    address = *reinterpret_cast<const sockaddr_in *>(found->ai_addr);
    address.sin_port = htons(port);
    ::freeaddrinfo(found);
    return true;
}

std::string endpointText(const sockaddr_in &address)
{
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

} // namespace trb::sim
