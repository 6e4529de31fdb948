#pragma once
// The TFTP server itself: a listening socket and its transfers, served by one thread of
// its own with poll(). Plain C++ so it can run without Qt (tests, fuzzing, the daemon).
#include "ExpectedRequest.h"
#include "PendingUpload.h"
#include "TftpTransfer.h"
#include "TransferReport.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tftp {

class TftpServerCore {
public:
    TftpServerCore();
    TftpServerCore(const TftpServerCore &) = delete;
    TftpServerCore &operator=(const TftpServerCore &) = delete;
    ~TftpServerCore();

    // Binds address:port (port 0 picks a free one) and starts serving. On failure returns
    // false with a reason in error; nothing keeps running.
    bool Start(const std::string &address, std::uint16_t port, std::string &error);
    void Stop();
    bool IsRunning() const { return thread_.joinable(); }
    std::uint16_t BoundPort() const { return boundPort_; }

    // Later requests are served from this directory; an empty text serves nothing. Upload
    // temporaries that no transfer holds any more are removed from it first.
    void SetRoot(const std::string &root);
    void SetTimeout(unsigned timeoutMs, int retries);

    // What the server admits. A server never told otherwise serves its whole root (a server of
    // its own, such as trb4820-tftpd); a module's page names one request while its transfer
    // runs, and refuses everything once it is over. Each change ends the transfers taken under
    // the one before: they are told so, and an upload among them is never put in place.
    enum class Admission { WholeRoot, Expected, Several, Nothing };
    Admission CurrentAdmission() const;
    void ServeWholeRoot();
    // Only this request: a read (upload = false) or write of exactly fileName from peerAddress
    // (IPv4 text). It stays until replaced, as the peer may retry. Returns false for an address
    // that is not IPv4 text; then every request is refused.
    bool Expect(const std::string &peerAddress, const std::string &fileName, bool upload);
    // Every request refused with a TFTP error; nothing is served or written any more.
    void RefuseEverything();
    // One more admitted request beside those added before (each device of a fleet its own
    // file), leaving their transfers running. Returns its token, or 0 for an address that is not
    // IPv4 text. Any other admission change drops them all.
    std::uint64_t ExpectAlso(const std::string &peerAddress, const std::string &fileName, bool upload);
    // That request is refused from now on; its transfer, if still running, ends.
    void EndExpected(std::uint64_t token);
    // Called on the server's thread; set it before Start.
    void SetReportFunction(ReportFunction function);

    static constexpr std::size_t kMaxTransfers = 64;

private:
    void Loop();
    int PollTimeoutMs(Clock::time_point now) const;
    void ServeListener(Clock::time_point now);
    void ServeTransfer(TftpTransfer &transfer, Clock::time_point now);
    void HandleRequest(const Packet &request, const sockaddr_in &peer, const in_addr &local,
                       Clock::time_point now);
    std::unique_ptr<TftpTransfer> CreateTransfer(const Packet &request, const sockaddr_in &peer,
                                                 int socketFd, std::uint64_t admission,
                                                 std::string &errorText, std::uint16_t &errorCode);
    TftpTransfer *FindTransferFor(const sockaddr_in &peer) const;
    // Nothing when the request is admitted now; `admission` says under which admission.
    std::optional<Refusal> Admit(const Packet &request, const sockaddr_in &peer, std::uint64_t &admission) const;
    void ChangeAdmission(Admission admission, std::optional<ExpectedRequest> expected);
    // Whether transfers taken under `admission` may go on; settingsMutex_ held.
    bool StillAdmitted(std::uint64_t admission) const;
    void Wake();
    // Ends the transfers taken under an earlier admission.
    void EndTransfersNoLongerAdmitted();
    FileAccessResult Publish(PendingUpload &upload, std::uint64_t admission);
    void SendFromListener(const sockaddr_in &to, std::uint16_t code, const std::string &message);

    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::uint16_t boundPort_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    std::vector<std::unique_ptr<TftpTransfer>> transfers_;
    std::vector<std::uint8_t> receiveBuffer_;

    mutable std::mutex settingsMutex_;
    std::string root_;
    unsigned timeoutMs_ = 3000;
    int retries_ = 5;
    ReportFunction reportFunction_;
    Admission admission_ = Admission::WholeRoot;
    std::optional<ExpectedRequest> expected_;
    std::vector<std::pair<std::uint64_t, ExpectedRequest>> several_; // by token
    // Counts the changes of admission; written under settingsMutex_.
    std::atomic<std::uint64_t> admissionCount_{0};
};

} // namespace tftp
