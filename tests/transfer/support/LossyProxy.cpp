#include "LossyProxy.h"

#include <arpa/inet.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tftptest {
namespace {

int BindLoopback(std::uint16_t &port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        throw std::runtime_error("proxy cannot bind");
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    port = ntohs(address.sin_port);
    const int bytes = 4 << 20;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    return fd;
}

void SendTo(int fd, std::uint16_t port, const std::vector<std::uint8_t> &bytes)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
}

} // namespace

LossyProxy::LossyProxy(std::uint16_t serverPort, Rule rule)
    : serverPort_(serverPort), rule_(std::move(rule))
{
    clientSide_ = BindLoopback(clientSidePort_);
    std::uint16_t unused = 0;
    serverSide_ = BindLoopback(unused);
    if (::pipe(wake_) != 0)
        throw std::runtime_error("proxy cannot make a pipe");
    thread_ = std::thread(&LossyProxy::Relay, this);
}

LossyProxy::~LossyProxy()
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_[1], &byte, 1);
    thread_.join();
    ::close(clientSide_);
    ::close(serverSide_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::vector<RelayedPacket> LossyProxy::Seen() const
{
    std::lock_guard lock(mutex_);
    return seen_;
}

int LossyProxy::Count(Direction direction, tftp::Opcode opcode, int block) const
{
    int count = 0;
    for (const RelayedPacket &packet : Seen()) {
        const auto parsed = tftp::ParsePacket(packet.bytes.data(), packet.bytes.size());
        if (packet.direction == direction && parsed && parsed->opcode == opcode
            && (block < 0 || parsed->block == block))
            ++count;
    }
    return count;
}

void LossyProxy::Relay()
{
    std::vector<std::uint8_t> buffer(70000);
    while (true) {
        pollfd fds[3] = {{wake_[0], POLLIN, 0}, {clientSide_, POLLIN, 0}, {serverSide_, POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0 || (fds[0].revents & POLLIN))
            return;
        for (int side = 1; side <= 2; ++side) {
            if (!(fds[side].revents & POLLIN))
                continue;
            sockaddr_in from{};
            socklen_t length = sizeof from;
            const ssize_t size = ::recvfrom(fds[side].fd, buffer.data(), buffer.size(), 0,
                                            reinterpret_cast<sockaddr *>(&from), &length);
            if (size < 0)
                continue;
            const Direction direction = side == 1 ? Direction::ToServer : Direction::ToClient;
            if (direction == Direction::ToServer)
                clientPort_ = ntohs(from.sin_port);
            else
                serverPort_ = ntohs(from.sin_port);  // follow the transfer ID
            Forward(direction, std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + size));
        }
    }
}

void LossyProxy::Forward(Direction direction, const std::vector<std::uint8_t> &bytes)
{
    {
        std::lock_guard lock(mutex_);
        seen_.push_back({direction, bytes});
    }
    const auto packet = tftp::ParsePacket(bytes.data(), bytes.size());
    const ProxyAction action = packet ? rule_(direction, *packet) : ProxyAction::Forward;
    const int fd = direction == Direction::ToServer ? serverSide_ : clientSide_;
    const std::uint16_t port = direction == Direction::ToServer ? serverPort_ : clientPort_;
    const int slot = int(direction);
    if (action == ProxyAction::Drop)
        return;
    if (action == ProxyAction::HoldUntilNext) {
        held_[slot] = bytes;
        holding_[slot] = true;
        return;
    }
    SendTo(fd, port, bytes);
    if (action == ProxyAction::Duplicate)
        SendTo(fd, port, bytes);
    if (holding_[slot]) {
        SendTo(fd, port, held_[slot]);  // the held packet now arrives after a later one
        holding_[slot] = false;
    }
}

} // namespace tftptest
