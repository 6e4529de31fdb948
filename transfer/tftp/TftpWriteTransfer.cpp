#include "TftpWriteTransfer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tftp {
namespace {

constexpr std::size_t kWriteBufferBytes = 256 * 1024;
// After the final ACK we stay a while to answer a repeated final block (our ACK was lost).
constexpr unsigned kMaxLingerMs = 5000;

} // namespace

TftpWriteTransfer::TftpWriteTransfer(int socketFd, const sockaddr_in &peer,
                                     TransferParameters parameters, TransferReport report,
                                     ReportFunction reportFunction, PendingUpload upload,
                                     PublishFunction publish)
    : TftpTransfer(socketFd, peer, std::move(parameters), std::move(report), std::move(reportFunction)),
      upload_(std::move(upload)), publish_(std::move(publish))
{
    buffer_.reserve(kWriteBufferBytes);
}

void TftpWriteTransfer::Start(Clock::time_point now)
{
    if (!Report(TransferReport::Stage::Started)) {
        Fail(kAccessViolation, "Transfer refused");
        return;
    }
    ArmTimer(now);
    SendFirstAnswer();
}

void TftpWriteTransfer::SendFirstAnswer()
{
    if (Parameters().acknowledged.empty())
        SendAck(0);
    else
        SendOack();
    blocksSinceAck_ = 0;
}

void TftpWriteTransfer::SendAck(std::uint64_t index)
{
    const auto ack = BuildAck(std::uint16_t(index));
    Send(ack.data(), ack.size());
    blocksSinceAck_ = 0;
    lastAcknowledged_ = index;
}

void TftpWriteTransfer::OnPacket(const Packet &packet, Clock::time_point now)
{
    if (packet.opcode == Opcode::Data)
        OnData(packet, now);
}

void TftpWriteTransfer::OnData(const Packet &packet, Clock::time_point now)
{
    const auto offset = std::int16_t(std::uint16_t(packet.block - std::uint16_t(expected_)));
    if (offset == 0 && !complete_) {
        AcceptBlock(packet, now);
    } else if (offset < 0 && expected_ + std::uint64_t(offset) == lastAcknowledged_ && lastAcknowledged_ > 0) {
        // The block we acknowledged last came again: our ACK was lost. Other repeats (a
        // window resent after a reorder) need no answer.
        SendAck(lastAcknowledged_);
    } else if (offset > 0 && !complete_ && !gapAcknowledged_) {
        // A block was lost inside the window: say once where to start again.
        SendAck(expected_ - 1);
        gapAcknowledged_ = true;
    }
}

void TftpWriteTransfer::AcceptBlock(const Packet &packet, Clock::time_point now)
{
    const std::size_t blockSize = Parameters().blockSize;
    if (packet.dataSize > blockSize) {
        Fail(kIllegalOperation, "Block larger than the agreed block size");
        return;
    }
    if (!Append(packet.data, packet.dataSize))
        return;
    ++expected_;
    ++blocksSinceAck_;
    received_ += packet.dataSize;
    gapAcknowledged_ = false;
    if (packet.dataSize < blockSize) {
        if (!Flush())
            return;
        const FileAccessResult committed = publish_ ? publish_(upload_) : upload_.Commit();
        if (!committed.Ok()) {
            Fail(committed.errorCode, committed.errorMessage);
            return;
        }
        SendAck(expected_ - 1);
        complete_ = true;
        Complete(received_);
        SetDeadline(now + std::chrono::milliseconds(std::min(Parameters().timeoutMs, kMaxLingerMs)));
        return;
    }
    if (blocksSinceAck_ >= Parameters().windowSize)
        SendAck(expected_ - 1);
    Progressed(now, received_);
}

void TftpWriteTransfer::OnDeadline(Clock::time_point now)
{
    if (complete_) {
        Finish();
        return;
    }
    if (!ConsumeRetry()) {
        upload_.Discard();
        Fail(kNotDefined, "Transfer timed out");
        return;
    }
    ArmTimer(now);
    if (expected_ == 1)
        SendFirstAnswer();
    else
        SendAck(expected_ - 1);
}

bool TftpWriteTransfer::OnRepeatedRequest(Clock::time_point now)
{
    if (complete_) {
        Finish();  // a new upload from the same port, after the last one ended
        return false;
    }
    if (expected_ == 1) {
        ArmTimer(now);
        SendFirstAnswer();
    }
    return true;
}

bool TftpWriteTransfer::Append(const std::uint8_t *data, std::size_t size)
{
    if (buffer_.size() + size > kWriteBufferBytes && !Flush())
        return false;
    buffer_.insert(buffer_.end(), data, data + size);
    return true;
}

bool TftpWriteTransfer::Flush()
{
    std::size_t written = 0;
    while (written < buffer_.size()) {
        const ssize_t n = ::write(upload_.Fd(), buffer_.data() + written, buffer_.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const bool full = n == 0 || errno == ENOSPC || errno == EDQUOT;
            const std::string reason = full ? "Disk full" : std::strerror(errno);
            upload_.Discard();
            Fail(full ? kDiskFull : kNotDefined, reason);
            return false;
        }
        written += std::size_t(n);
    }
    buffer_.clear();
    return true;
}

} // namespace tftp
