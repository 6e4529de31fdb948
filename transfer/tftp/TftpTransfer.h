#pragma once
// One transfer on its own UDP socket (its own transfer ID). The server's loop feeds it
// datagrams and deadlines; the subclasses hold the read and write state machines.
#include "TftpOptions.h"
#include "TftpPacket.h"
#include "TransferReport.h"

#include <chrono>
#include <cstdint>
#include <netinet/in.h>
#include <string>

namespace tftp {

using Clock = std::chrono::steady_clock;

class TftpTransfer {
public:
    TftpTransfer(int socketFd, const sockaddr_in &peer, TransferParameters parameters,
                 TransferReport report, ReportFunction reportFunction);
    TftpTransfer(const TftpTransfer &) = delete;
    TftpTransfer &operator=(const TftpTransfer &) = delete;
    virtual ~TftpTransfer();

    int Socket() const { return socket_; }
    const sockaddr_in &Peer() const { return peer_; }
    bool Finished() const { return finished_; }
    Clock::time_point Deadline() const { return deadline_; }

    virtual void Start(Clock::time_point now) = 0;
    void HandleDatagram(const std::uint8_t *bytes, std::size_t size, const sockaddr_in &from,
                        Clock::time_point now);
    void HandleDeadline(Clock::time_point now) { OnDeadline(now); }
    // The peer sent its request again: our first answer may have been lost. Returns false
    // when this transfer is done with the peer and the request should start a new one.
    bool HandleRepeatedRequest(Clock::time_point now) { return OnRepeatedRequest(now); }
    // The server no longer admits this transfer: the peer is told, and an upload not yet
    // complete is discarded (its temporary goes with the transfer).
    void Abort(const std::string &message);

    // The server's admission this transfer was taken under (see TftpServerCore).
    std::uint64_t Admission() const { return admission_; }
    void SetAdmission(std::uint64_t admission) { admission_ = admission; }

protected:
    virtual void OnPacket(const Packet &packet, Clock::time_point now) = 0;
    virtual void OnDeadline(Clock::time_point now) = 0;
    virtual bool OnRepeatedRequest(Clock::time_point now) = 0;
    // True once the whole file has crossed and the transfer only stays to answer repeats.
    virtual bool Lingering() const { return false; }

    const TransferParameters &Parameters() const { return parameters_; }
    void Send(const std::uint8_t *bytes, std::size_t size);
    // Sends prepared messages to the peer (their addresses are filled in here).
    void SendBatch(struct mmsghdr *messages, std::size_t count);
    void SendOack();
    // The transfer moved forward: retries start again and the timer is re-armed.
    void Progressed(Clock::time_point now, std::uint64_t bytes);
    void ArmTimer(Clock::time_point now);
    void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
    // Uses up one retry; false when none is left.
    bool ConsumeRetry();
    void Fail(std::uint16_t code, const std::string &message, bool tellPeer = true);
    void Complete(std::uint64_t bytes);
    void Finish() { finished_ = true; }
    bool Report(TransferReport::Stage stage);

    TransferReport report_;

private:
    int socket_;
    sockaddr_in peer_;
    TransferParameters parameters_;
    ReportFunction reportFunction_;
    Clock::time_point deadline_;
    int retriesLeft_;
    std::uint64_t lastReportedBytes_ = 0;
    std::uint64_t admission_ = 0;
    bool finished_ = false;
};

std::string EndpointText(const sockaddr_in &address);

} // namespace tftp
