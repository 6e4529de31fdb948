#pragma once
// A loopback UDP relay between clients and one agent that counts the datagrams each side
// sends. Each client source port gets its own upstream socket, so answers find their way back.
#include <atomic>
#include <map>
#include <thread>
#include <utility>

class UdpRelay {
public:
    explicit UdpRelay(int agentPort);
    ~UdpRelay();
    int port() const { return port_; }
    long toAgent() const { return toAgent_; }
    long toClient() const { return toClient_; }
    void resetCounts();

private:
    void run();
    int upstreamFor(uint32_t address, uint16_t port);

    int listen_ = -1;
    int port_ = 0;
    int agentPort_ = 0;
    int stopPipe_[2] = {-1, -1};
    std::atomic<long> toAgent_{0};
    std::atomic<long> toClient_{0};
    std::map<std::pair<uint32_t, uint16_t>, int> upstream_; // client -> socket to the agent
    std::thread thread_;
};
