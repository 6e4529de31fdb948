#include "UdpRelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {
sockaddr_in loopback(int port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    return addr;
}
} // namespace

UdpRelay::UdpRelay(int agentPort) : agentPort_(agentPort)
{
    listen_ = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr = loopback(0);
    bind(listen_, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(listen_, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    (void)!pipe(stopPipe_);
    thread_ = std::thread([this] { run(); });
}

UdpRelay::~UdpRelay()
{
    char byte = 0;
    (void)!write(stopPipe_[1], &byte, 1);
    thread_.join();
    for (auto &[client, fd] : upstream_)
        close(fd);
    close(listen_);
    close(stopPipe_[0]);
    close(stopPipe_[1]);
}

void UdpRelay::resetCounts()
{
    toAgent_ = 0;
    toClient_ = 0;
}

int UdpRelay::upstreamFor(uint32_t address, uint16_t port)
{
    auto key = std::make_pair(address, port);
    auto it = upstream_.find(key);
    if (it != upstream_.end())
        return it->second;
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in agent = loopback(agentPort_);
    connect(fd, reinterpret_cast<sockaddr *>(&agent), sizeof agent);
    upstream_[key] = fd;
    return fd;
}

void UdpRelay::run()
{
    std::vector<char> buffer(65536);
    for (;;) {
        std::vector<pollfd> fds = {{stopPipe_[0], POLLIN, 0}, {listen_, POLLIN, 0}};
        std::vector<std::pair<uint32_t, uint16_t>> clients;
        for (auto &[client, fd] : upstream_) {
            fds.push_back({fd, POLLIN, 0});
            clients.push_back(client);
        }
        if (poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents)
            return;
        if (fds[1].revents & POLLIN) {
            sockaddr_in from{};
            socklen_t len = sizeof from;
            ssize_t n = recvfrom(listen_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr *>(&from), &len);
            if (n > 0) {
                ++toAgent_;
                send(upstreamFor(from.sin_addr.s_addr, from.sin_port), buffer.data(), size_t(n), 0);
            }
        }
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            ssize_t n = recv(fds[i].fd, buffer.data(), buffer.size(), 0);
            if (n <= 0)
                continue;
            ++toClient_;
            sockaddr_in client{};
            client.sin_family = AF_INET;
            client.sin_addr.s_addr = clients[i - 2].first;
            client.sin_port = clients[i - 2].second;
            sendto(listen_, buffer.data(), size_t(n), 0, reinterpret_cast<sockaddr *>(&client), sizeof client);
        }
    }
}
