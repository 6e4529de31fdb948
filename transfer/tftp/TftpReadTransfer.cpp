#include "TftpReadTransfer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace tftp {
namespace {

constexpr std::size_t kMinCacheBytes = 256 * 1024;

} // namespace

TftpReadTransfer::TftpReadTransfer(int socketFd, const sockaddr_in &peer,
                                   TransferParameters parameters, TransferReport report,
                                   ReportFunction reportFunction, int fileFd, std::uint64_t fileSize)
    : TftpTransfer(socketFd, peer, std::move(parameters), std::move(report), std::move(reportFunction)),
      fileFd_(fileFd), fileSize_(fileSize)
{
    const std::size_t blockSize = Parameters().blockSize;
    lastBlock_ = fileSize_ / blockSize + 1;
    const std::size_t windowBytes = blockSize * Parameters().windowSize;
    // Whole blocks only, so a block never straddles the end of the cache.
    const std::size_t cacheBytes = std::max(kMinCacheBytes, windowBytes * 2);
    cache_.resize(cacheBytes / blockSize * blockSize);
    headers_.resize(kHeaderSize * Parameters().windowSize);
    pieces_.resize(2 * Parameters().windowSize);
    messages_.resize(Parameters().windowSize);
    report_.total = fileSize_;
}

TftpReadTransfer::~TftpReadTransfer() { ::close(fileFd_); }

void TftpReadTransfer::Start(Clock::time_point now)
{
    if (!Report(TransferReport::Stage::Started)) {
        Fail(kAccessViolation, "Transfer refused");
        return;
    }
    ArmTimer(now);
    if (!Parameters().acknowledged.empty()) {
        awaitingOackAck_ = true;
        SendOack();
        return;
    }
    SendWindow();
}

void TftpReadTransfer::OnPacket(const Packet &packet, Clock::time_point now)
{
    if (packet.opcode == Opcode::Ack)
        OnAck(packet.block, now);
}

void TftpReadTransfer::OnAck(std::uint16_t block, Clock::time_point now)
{
    if (awaitingOackAck_) {
        if (block != 0)
            return;
        awaitingOackAck_ = false;
        Progressed(now, 0);
        SendWindow();
        return;
    }
    // How far past the last acknowledged block this ACK reaches, modulo 65536.
    const auto reach = std::int16_t(std::uint16_t(block - std::uint16_t(windowStart_ - 1)));
    if (reach <= 0)
        return;  // duplicate or stale: never a reason to resend
    const std::uint64_t acknowledged = windowStart_ - 1 + std::uint64_t(reach);
    if (acknowledged > sentUpTo_)
        return;  // a block we never sent
    if (acknowledged == lastBlock_) {
        Complete(fileSize_);
        Finish();
        return;
    }
    windowStart_ = acknowledged + 1;
    Progressed(now, BytesBefore(windowStart_));
    if (!Finished())
        SendWindow();
}

void TftpReadTransfer::OnDeadline(Clock::time_point now)
{
    if (!ConsumeRetry()) {
        Fail(kNotDefined, "Transfer timed out");
        return;
    }
    ArmTimer(now);
    if (awaitingOackAck_)
        SendOack();
    else
        SendWindow();
}

bool TftpReadTransfer::OnRepeatedRequest(Clock::time_point now)
{
    // Only the first answer can have been missed; later the peer has moved on.
    if (awaitingOackAck_) {
        ArmTimer(now);
        SendOack();
    } else if (windowStart_ == 1) {
        ArmTimer(now);
        SendWindow();
    }
    return true;
}

void TftpReadTransfer::SendWindow()
{
    const std::uint64_t last = std::min(lastBlock_, windowStart_ + Parameters().windowSize - 1);
    if (!Cache(windowStart_, last))
        return;
    // One system call for the whole window: header and payload go out as two pieces each,
    // the payload straight from the cache.
    const std::size_t count = std::size_t(last - windowStart_ + 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t index = windowStart_ + i;
        const std::uint64_t offset = BytesBefore(index);
        const std::size_t length = std::size_t(std::min<std::uint64_t>(Parameters().blockSize, fileSize_ - offset));
        WriteDataHeader(&headers_[i * kHeaderSize], std::uint16_t(index));
        pieces_[i * 2] = {&headers_[i * kHeaderSize], kHeaderSize};
        pieces_[i * 2 + 1] = {cache_.data() + (offset - cacheOffset_), length};
        messages_[i].msg_hdr = {};
        messages_[i].msg_hdr.msg_iov = &pieces_[i * 2];
        messages_[i].msg_hdr.msg_iovlen = length > 0 ? 2 : 1;
    }
    SendBatch(messages_.data(), count);
    sentUpTo_ = std::max(sentUpTo_, last);
}

bool TftpReadTransfer::Cache(std::uint64_t first, std::uint64_t last)
{
    const std::uint64_t begin = BytesBefore(first);
    const std::uint64_t end = std::min(fileSize_, last * Parameters().blockSize);
    if (begin >= cacheOffset_ && end <= cacheOffset_ + cacheSize_)
        return true;
    cacheOffset_ = begin;
    cacheSize_ = 0;
    const std::size_t wanted = std::size_t(std::min<std::uint64_t>(cache_.size(), fileSize_ - begin));
    while (cacheSize_ < wanted) {
        const ssize_t got = ::pread(fileFd_, cache_.data() + cacheSize_, wanted - cacheSize_,
                                    off_t(begin + cacheSize_));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // The file shrank or failed under us: end rather than send wrong data.
            Fail(kNotDefined, got < 0 ? std::strerror(errno) : "File changed during transfer");
            return false;
        }
        cacheSize_ += std::size_t(got);
    }
    return true;
}

std::uint64_t TftpReadTransfer::BytesBefore(std::uint64_t index) const
{
    return std::min(fileSize_, (index - 1) * Parameters().blockSize);
}

} // namespace tftp
