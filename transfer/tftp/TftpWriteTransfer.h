#pragma once
// Receives a file from the peer into a pending upload, lock-step or in RFC 7440 windows,
// and commits it only when the final block has arrived.
#include "PendingUpload.h"
#include "TftpTransfer.h"

#include <functional>
#include <vector>

namespace tftp {

// Puts a complete upload in place, or discards it when its transfer is no longer admitted.
using PublishFunction = std::function<FileAccessResult(PendingUpload &)>;

class TftpWriteTransfer final : public TftpTransfer {
public:
    TftpWriteTransfer(int socketFd, const sockaddr_in &peer, TransferParameters parameters,
                      TransferReport report, ReportFunction reportFunction, PendingUpload upload,
                      PublishFunction publish);

    void Start(Clock::time_point now) override;

protected:
    void OnPacket(const Packet &packet, Clock::time_point now) override;
    void OnDeadline(Clock::time_point now) override;
    bool OnRepeatedRequest(Clock::time_point now) override;
    bool Lingering() const override { return complete_; }

private:
    void OnData(const Packet &packet, Clock::time_point now);
    void AcceptBlock(const Packet &packet, Clock::time_point now);
    void SendFirstAnswer();
    void SendAck(std::uint64_t index);
    bool Append(const std::uint8_t *data, std::size_t size);
    bool Flush();

    PendingUpload upload_;
    PublishFunction publish_;
    std::uint64_t expected_ = 1;      // next block index wanted
    std::uint64_t received_ = 0;      // bytes accepted so far
    std::uint64_t lastAcknowledged_ = 0;
    unsigned blocksSinceAck_ = 0;
    bool gapAcknowledged_ = false;
    bool complete_ = false;           // committed; lingering to re-acknowledge a lost final ACK
    std::vector<std::uint8_t> buffer_;
};

} // namespace tftp
