#pragma once
// Sends a file to the peer: lock-step, or RFC 7440 windows when windowsize was agreed.
// Block numbers roll over past 65535. A duplicate ACK never causes a resend; only the
// timer does, so a delayed network cannot double the traffic.
#include "TftpTransfer.h"

#include <sys/socket.h>
#include <vector>

namespace tftp {

class TftpReadTransfer final : public TftpTransfer {
public:
    // Takes ownership of fileFd.
    TftpReadTransfer(int socketFd, const sockaddr_in &peer, TransferParameters parameters,
                     TransferReport report, ReportFunction reportFunction, int fileFd,
                     std::uint64_t fileSize);
    ~TftpReadTransfer() override;

    void Start(Clock::time_point now) override;

protected:
    void OnPacket(const Packet &packet, Clock::time_point now) override;
    void OnDeadline(Clock::time_point now) override;
    bool OnRepeatedRequest(Clock::time_point now) override;

private:
    void OnAck(std::uint16_t block, Clock::time_point now);
    void SendWindow();
    // Loads the file bytes of blocks first..last into the cache when they are not there.
    bool Cache(std::uint64_t first, std::uint64_t last);
    std::uint64_t BytesBefore(std::uint64_t index) const;

    int fileFd_;
    std::uint64_t fileSize_;
    std::uint64_t lastBlock_;         // index of the final (short or empty) block
    std::uint64_t windowStart_ = 1;   // first block not yet acknowledged
    std::uint64_t sentUpTo_ = 0;      // highest block sent so far
    bool awaitingOackAck_ = false;
    // File bytes [cacheOffset_, cacheOffset_ + cacheSize_) kept for sending and resending.
    std::vector<std::uint8_t> cache_;
    std::uint64_t cacheOffset_ = 0;
    std::size_t cacheSize_ = 0;
    std::vector<std::uint8_t> headers_;  // 4 bytes per block of a window
    std::vector<iovec> pieces_;
    std::vector<mmsghdr> messages_;
};

} // namespace tftp
