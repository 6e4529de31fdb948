#pragma once
// A UDP relay between one TFTP client and the server that drops, duplicates or holds back
// packets on command, and counts what passed. (This kernel has no netem.) The client talks
// to Port(); the relay follows the server to its transfer port after the first answer.
#include "TftpPacket.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tftptest {

enum class Direction { ToServer, ToClient };
enum class ProxyAction { Forward, Drop, Duplicate, HoldUntilNext };

struct RelayedPacket {
    Direction direction;
    std::vector<std::uint8_t> bytes;
};

class LossyProxy {
public:
    // The rule sees each packet and decides; it runs on the relay's thread.
    using Rule = std::function<ProxyAction(Direction, const tftp::Packet &)>;

    LossyProxy(std::uint16_t serverPort, Rule rule);
    ~LossyProxy();

    std::uint16_t Port() const { return clientSidePort_; }
    // Packets as they arrived at the relay, before the rule.
    std::vector<RelayedPacket> Seen() const;
    // How many packets of this kind (and block, for DATA/ACK) came from that side.
    int Count(Direction direction, tftp::Opcode opcode, int block = -1) const;

private:
    void Relay();
    void Forward(Direction direction, const std::vector<std::uint8_t> &bytes);

    int clientSide_ = -1;
    int serverSide_ = -1;
    std::uint16_t clientSidePort_ = 0;
    std::uint16_t serverPort_;
    std::uint16_t clientPort_ = 0;
    Rule rule_;
    int wake_[2] = {-1, -1};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<RelayedPacket> seen_;
    std::vector<std::uint8_t> held_[2];
    bool holding_[2] = {false, false};
};

} // namespace tftptest
