#include "TftpTransfer.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tftp {
namespace {

// Progress reports are throttled to one per this many bytes.
constexpr std::uint64_t kProgressStep = 64u << 10; // often enough for a progress bar, cheap

bool SameEndpoint(const sockaddr_in &a, const sockaddr_in &b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

} // namespace

std::string EndpointText(const sockaddr_in &address)
{
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

TftpTransfer::TftpTransfer(int socketFd, const sockaddr_in &peer, TransferParameters parameters,
                           TransferReport report, ReportFunction reportFunction)
    : report_(std::move(report)), socket_(socketFd), peer_(peer),
      parameters_(std::move(parameters)), reportFunction_(std::move(reportFunction)),
      retriesLeft_(parameters_.retries)
{
    report_.peer = EndpointText(peer);
}

TftpTransfer::~TftpTransfer() { ::close(socket_); }

void TftpTransfer::HandleDatagram(const std::uint8_t *bytes, std::size_t size,
                                  const sockaddr_in &from, Clock::time_point now)
{
    if (finished_)
        return;
    if (!SameEndpoint(from, peer_)) {
        // Someone else's packet: tell them, and leave our transfer alone.
        const auto error = BuildError(kUnknownTransferId, "Unknown transfer ID");
        ::sendto(socket_, error.data(), error.size(), MSG_DONTWAIT,
                 reinterpret_cast<const sockaddr *>(&from), sizeof from);
        return;
    }
    const auto packet = ParsePacket(bytes, size);
    if (!packet)
        return;  // garbage from the peer is dropped; a retransmission will follow
    if (packet->opcode == Opcode::Error) {
        report_.error = "Peer error " + std::to_string(packet->errorCode) + ": " + packet->errorMessage;
        Report(TransferReport::Stage::Failed);
        finished_ = true;
        return;
    }
    OnPacket(*packet, now);
}

void TftpTransfer::Send(const std::uint8_t *bytes, std::size_t size)
{
    // A failed send is a lost packet: the timer brings it back.
    ::sendto(socket_, bytes, size, 0, reinterpret_cast<const sockaddr *>(&peer_), sizeof peer_);
}

void TftpTransfer::SendBatch(mmsghdr *messages, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        messages[i].msg_hdr.msg_name = &peer_;
        messages[i].msg_hdr.msg_namelen = sizeof peer_;
    }
    std::size_t sent = 0;
    while (sent < count) {
        const int n = ::sendmmsg(socket_, messages + sent, unsigned(count - sent), 0);
        if (n <= 0)
            return;  // the rest counts as lost; the timer resends the window
        sent += std::size_t(n);
    }
}

void TftpTransfer::SendOack()
{
    const auto oack = BuildOack(parameters_.acknowledged);
    Send(oack.data(), oack.size());
}

void TftpTransfer::Progressed(Clock::time_point now, std::uint64_t bytes)
{
    retriesLeft_ = parameters_.retries;
    ArmTimer(now);
    report_.bytes = bytes;
    if (bytes - lastReportedBytes_ >= kProgressStep) {
        lastReportedBytes_ = bytes;
        if (!Report(TransferReport::Stage::Progress))
            Fail(kNotDefined, "Transfer cancelled");
    }
}

void TftpTransfer::ArmTimer(Clock::time_point now)
{
    deadline_ = now + std::chrono::milliseconds(parameters_.timeoutMs);
}

bool TftpTransfer::ConsumeRetry()
{
    if (retriesLeft_ <= 0)
        return false;
    --retriesLeft_;
    return true;
}

void TftpTransfer::Fail(std::uint16_t code, const std::string &message, bool tellPeer)
{
    if (finished_)
        return;
    if (tellPeer) {
        const auto error = BuildError(code, message);
        Send(error.data(), error.size());
    }
    report_.error = message;
    Report(TransferReport::Stage::Failed);
    finished_ = true;
}

void TftpTransfer::Abort(const std::string &message)
{
    if (Lingering())
        Finish();  // the file is already in place: nothing to take back
    else
        Fail(kAccessViolation, message);
}

void TftpTransfer::Complete(std::uint64_t bytes)
{
    report_.bytes = bytes;
    Report(TransferReport::Stage::Completed);
}

bool TftpTransfer::Report(TransferReport::Stage stage)
{
    report_.stage = stage;
    return reportFunction_ ? reportFunction_(report_) : true;
}

} // namespace tftp
