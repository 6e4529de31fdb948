#pragma once
// The device's TFTP client: reads a file from (RRQ) or writes a file to (WRQ) a server, and
// blocks until the file has crossed or the transfer failed. Offers blksize, windowsize, tsize
// and timeout, and falls back to plain lock-step TFTP when the server declines them.
#include "FileMover.h"
#include "TftpPacket.h"
#include "UdpSocket.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trb::sim {

class TftpClient {
public:
    struct Settings {
        std::size_t blockSize = 1428; // fits a 1500-byte MTU with the IP and UDP headers
        unsigned windowSize = 16;
        unsigned timeoutMs = 1000;    // before a packet is sent again
        int retries = 5;
        bool lockStep = false;        // offer no options at all: plain 512-byte lock-step
        unsigned paceMs = 0;          // a slow link: a pause before each ACK or window sent
        std::uint64_t maxFetchBytes = 64u << 20;
        // After the last ACK of a read, answer a repeated last block for this long (our ACK
        // may have been lost and the server would otherwise report a failure). Short: the
        // device acts on the file only afterwards, and its next transfer waits for this one.
        unsigned lingerMs = 300;
        // The device's own address: servers that serve only the device check where requests
        // come from. Empty: whatever the route gives.
        std::string localAddress;
    };
    using Result = FileMover::Result;

    explicit TftpClient(Settings settings);

    Result read(const std::string &host, std::uint16_t port, const std::string &name,
                std::vector<std::uint8_t> &data);
    Result write(const std::string &host, std::uint16_t port, const std::string &name,
                 const std::vector<std::uint8_t> &data);

private:
    struct Negotiated {
        std::size_t blockSize = tftp::kDefaultBlockSize;
        unsigned windowSize = 1;
        std::uint64_t size = 0; // tsize the server announced, 0 when unknown
    };

    Result request(tftp::Opcode opcode, const std::string &host, std::uint16_t port,
                   const std::string &name, std::uint64_t size, tftp::Packet &answer);
    Result sendRequest(tftp::Opcode opcode, const std::string &name, const std::vector<tftp::Option> &options,
                       tftp::Packet &answer);
    std::vector<tftp::Option> offeredOptions(std::uint64_t size) const;
    Result acceptOack(const tftp::Packet &oack, bool reading);
    Result receiveFile(const tftp::Packet &first, std::vector<std::uint8_t> &data);
    Result sendFile(const std::vector<std::uint8_t> &data);
    void sendWindow(const std::vector<std::uint8_t> &data, std::uint64_t first, std::uint64_t last);
    void linger(std::uint16_t lastBlock);
    // Next packet from the server's transfer ID; strangers get error 5 and are otherwise ignored.
    std::optional<tftp::Packet> receiveFromServer(UdpSocket::Clock::time_point deadline);
    UdpSocket::Clock::time_point nextDeadline() const;
    void pace() const;
    void sendAck(std::uint64_t block);
    Result fail(std::uint16_t code, const std::string &message);

    Settings settings_;
    Negotiated negotiated_;
    std::unique_ptr<UdpSocket> socket_;
    sockaddr_in server_{}; // where requests go
    sockaddr_in peer_{};   // the server's transfer ID, once it answered
};

} // namespace trb::sim
