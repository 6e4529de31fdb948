#include "TftpServerCore.h"

#include "RootDirectory.h"
#include "TftpReadTransfer.h"
#include "TftpWriteTransfer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tftp {
namespace {

int OpenTransferSocket(const in_addr &local, std::size_t windowBytes)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr = local;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    // A whole window must fit the buffers, or windows would drop their own tail.
    const int bytes = int(std::min<std::size_t>(windowBytes * 2, 16u << 20));
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
    return fd;
}

bool IsSupportedMode(const std::string &mode)
{
    // Netascii is served byte for byte: the files here are binary images and configuration
    // files, which a line-ending conversion would only damage.
    return mode == "octet" || mode == "netascii";
}

} // namespace

TftpServerCore::TftpServerCore() : receiveBuffer_(kMaxPacketSize + 16) {}

TftpServerCore::~TftpServerCore() { Stop(); }

void TftpServerCore::SetRoot(const std::string &root)
{
    // A server killed during an upload leaves its temporary behind; nobody else will remove it.
    RootDirectory(root).RemoveStaleUploads();
    std::lock_guard lock(settingsMutex_);
    root_ = root;
}

void TftpServerCore::SetTimeout(unsigned timeoutMs, int retries)
{
    std::lock_guard lock(settingsMutex_);
    timeoutMs_ = std::max(1u, timeoutMs);
    retries_ = std::max(0, retries);
}

TftpServerCore::Admission TftpServerCore::CurrentAdmission() const
{
    std::lock_guard lock(settingsMutex_);
    return admission_;
}

void TftpServerCore::ServeWholeRoot() { ChangeAdmission(Admission::WholeRoot, std::nullopt); }

bool TftpServerCore::Expect(const std::string &peerAddress, const std::string &fileName, bool upload)
{
    ExpectedRequest expected(peerAddress, fileName, upload);
    const bool valid = expected.HasValidPeer();
    ChangeAdmission(Admission::Expected, std::move(expected));
    return valid;
}

void TftpServerCore::RefuseEverything() { ChangeAdmission(Admission::Nothing, std::nullopt); }

void TftpServerCore::ChangeAdmission(Admission admission, std::optional<ExpectedRequest> expected)
{
    {
        std::lock_guard lock(settingsMutex_);
        admission_ = admission;
        expected_ = std::move(expected);
        several_.clear();
        ++admissionCount_;
    }
    Wake();
}

std::uint64_t TftpServerCore::ExpectAlso(const std::string &peerAddress, const std::string &fileName, bool upload)
{
    ExpectedRequest expected(peerAddress, fileName, upload);
    if (!expected.HasValidPeer())
        return 0;
    std::uint64_t token = 0;
    {
        std::lock_guard lock(settingsMutex_);
        if (admission_ != Admission::Several) {
            admission_ = Admission::Several;
            expected_.reset();
            several_.clear();
        }
        token = ++admissionCount_;
        several_.emplace_back(token, std::move(expected));
    }
    Wake(); // transfers of an earlier admission end
    return token;
}

void TftpServerCore::EndExpected(std::uint64_t token)
{
    {
        std::lock_guard lock(settingsMutex_);
        std::erase_if(several_, [token](const auto &entry) { return entry.first == token; });
    }
    Wake();
}

bool TftpServerCore::StillAdmitted(std::uint64_t admission) const
{
    if (admission_ != Admission::Several)
        return admission == admissionCount_;
    return std::any_of(several_.begin(), several_.end(), [admission](const auto &e) { return e.first == admission; });
}

// The loop ends the transfers no longer admitted as soon as it wakes.
void TftpServerCore::Wake()
{
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

std::optional<Refusal> TftpServerCore::Admit(const Packet &request, const sockaddr_in &peer,
                                             std::uint64_t &admission) const
{
    std::lock_guard lock(settingsMutex_);
    admission = admissionCount_;
    switch (admission_) {
    case Admission::WholeRoot:
        return std::nullopt;
    case Admission::Expected:
        return expected_->Check(request, peer.sin_addr);
    case Admission::Several: {
        // The peer's own request, if it has one; else why not (its file, or not its turn).
        Refusal refusal{kAccessViolation, several_.empty() ? "No transfer in progress" : "Access violation"};
        for (const auto &[token, expected] : several_) {
            auto reason = expected.Check(request, peer.sin_addr);
            if (!reason) {
                admission = token;
                return std::nullopt;
            }
            if (reason->code == kFileNotFound)
                refusal = *reason;
        }
        return refusal;
    }
    case Admission::Nothing:
        break;
    }
    return Refusal{kAccessViolation, "No transfer in progress"};
}

// Under the lock, so that once the admission has changed no upload of the earlier one lands,
// however far it had got.
FileAccessResult TftpServerCore::Publish(PendingUpload &upload, std::uint64_t admission)
{
    std::lock_guard lock(settingsMutex_);
    if (!StillAdmitted(admission)) {
        upload.Discard();
        return {-1, kAccessViolation, "The transfer is over"};
    }
    return upload.Commit();
}

void TftpServerCore::EndTransfersNoLongerAdmitted()
{
    std::vector<TftpTransfer *> ended;
    {
        std::lock_guard lock(settingsMutex_);
        for (const auto &transfer : transfers_)
            if (!transfer->Finished() && !StillAdmitted(transfer->Admission()))
                ended.push_back(transfer.get());
    }
    // Outside the lock: the report function may change the admission again.
    for (TftpTransfer *transfer : ended)
        transfer->Abort("The transfer is over");
}

void TftpServerCore::SetReportFunction(ReportFunction function)
{
    std::lock_guard lock(settingsMutex_);
    reportFunction_ = std::move(function);
}

bool TftpServerCore::Start(const std::string &address, std::uint16_t port, std::string &error)
{
    Stop();
    sockaddr_in bindAddress{};
    bindAddress.sin_family = AF_INET;
    bindAddress.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &bindAddress.sin_addr) != 1) {
        error = "Invalid listening address " + address;
        return false;
    }
    listenFd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (listenFd_ < 0 || ::setsockopt(listenFd_, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0
        || ::bind(listenFd_, reinterpret_cast<sockaddr *>(&bindAddress), sizeof bindAddress) != 0) {
        error = "Cannot listen on UDP " + address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        if (listenFd_ >= 0)
            ::close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&bound), &length);
    boundPort_ = ntohs(bound.sin_port);
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    stopping_ = false;
    thread_ = std::thread(&TftpServerCore::Loop, this);
    return true;
}

void TftpServerCore::Stop()
{
    if (thread_.joinable()) {
        stopping_ = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
        thread_.join();
    }
    transfers_.clear();  // unfinished uploads are discarded by their destructors
    if (listenFd_ >= 0)
        ::close(listenFd_);
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    listenFd_ = -1;
    wakeFd_ = -1;
    boundPort_ = 0;
}

int TftpServerCore::PollTimeoutMs(Clock::time_point now) const
{
    if (transfers_.empty())
        return -1;
    Clock::time_point earliest = transfers_.front()->Deadline();
    for (const auto &transfer : transfers_)
        earliest = std::min(earliest, transfer->Deadline());
    if (earliest <= now)
        return 0;
    // Round up so we never wake just before a deadline and spin.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(earliest - now);
    return int(std::min<std::int64_t>(wait.count(), 60000));
}

void TftpServerCore::Loop()
{
    std::vector<pollfd> fds;
    while (!stopping_) {
        fds.clear();
        fds.push_back({wakeFd_, POLLIN, 0});
        fds.push_back({listenFd_, POLLIN, 0});
        for (const auto &transfer : transfers_)
            fds.push_back({transfer->Socket(), POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), PollTimeoutMs(Clock::now()));
        if (ready < 0 && errno != EINTR)
            break;
        const Clock::time_point now = Clock::now();
        if (stopping_)
            break;
        if (fds[0].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        EndTransfersNoLongerAdmitted();
        // Transfers first: the list may grow while the listener is served.
        const std::size_t count = transfers_.size();
        for (std::size_t i = 0; i < count; ++i)
            if (fds[i + 2].revents & POLLIN)
                ServeTransfer(*transfers_[i], now);
        if (fds[1].revents & POLLIN)
            ServeListener(now);
        for (const auto &transfer : transfers_)
            if (!transfer->Finished() && transfer->Deadline() <= now)
                transfer->HandleDeadline(now);
        std::erase_if(transfers_, [](const auto &transfer) { return transfer->Finished(); });
    }
}

void TftpServerCore::ServeTransfer(TftpTransfer &transfer, Clock::time_point now)
{
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t size = ::recvfrom(transfer.Socket(), receiveBuffer_.data(), receiveBuffer_.size(),
                                    MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&from), &fromLength);
    if (size >= 0 && from.sin_family == AF_INET)
        transfer.HandleDatagram(receiveBuffer_.data(), std::size_t(size), from, now);
}

void TftpServerCore::ServeListener(Clock::time_point now)
{
    sockaddr_in from{};
    iovec vector{receiveBuffer_.data(), receiveBuffer_.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
    msghdr message{};
    message.msg_name = &from;
    message.msg_namelen = sizeof from;
    message.msg_iov = &vector;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = ::recvmsg(listenFd_, &message, MSG_DONTWAIT);
    if (size < 0 || from.sin_family != AF_INET || (message.msg_flags & MSG_TRUNC))
        return;
    in_addr local{htonl(INADDR_ANY)};
    for (cmsghdr *c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c))
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO)
            local = reinterpret_cast<in_pktinfo *>(CMSG_DATA(c))->ipi_addr;
    const auto packet = ParsePacket(receiveBuffer_.data(), std::size_t(size));
    // Anything but a request on this port is dropped unanswered: answering garbage would
    // make us a reflector.
    if (!packet || (packet->opcode != Opcode::Rrq && packet->opcode != Opcode::Wrq))
        return;
    HandleRequest(*packet, from, local, now);
}

TftpTransfer *TftpServerCore::FindTransferFor(const sockaddr_in &peer) const
{
    for (const auto &transfer : transfers_)
        if (transfer->Peer().sin_addr.s_addr == peer.sin_addr.s_addr
            && transfer->Peer().sin_port == peer.sin_port && !transfer->Finished())
            return transfer.get();
    return nullptr;
}

void TftpServerCore::SendFromListener(const sockaddr_in &to, std::uint16_t code, const std::string &message)
{
    const auto error = BuildError(code, message);
    ::sendto(listenFd_, error.data(), error.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
}

void TftpServerCore::HandleRequest(const Packet &request, const sockaddr_in &peer,
                                   const in_addr &local, Clock::time_point now)
{
    if (TftpTransfer *existing = FindTransferFor(peer); existing && existing->HandleRepeatedRequest(now))
        return;
    std::uint64_t admission = 0;
    if (const auto refusal = Admit(request, peer, admission)) {
        SendFromListener(peer, refusal->code, refusal->message);
        return;
    }
    if (!IsSupportedMode(request.mode)) {
        SendFromListener(peer, kIllegalOperation, "Unsupported transfer mode");
        return;
    }
    if (transfers_.size() >= kMaxTransfers) {
        SendFromListener(peer, kNotDefined, "Server busy, try again later");
        return;
    }
    const int socketFd = OpenTransferSocket(local, kMaxWindowBytes);
    if (socketFd < 0) {
        SendFromListener(peer, kNotDefined, std::strerror(errno));
        return;
    }
    std::string errorText;
    std::uint16_t errorCode = kNotDefined;
    auto transfer = CreateTransfer(request, peer, socketFd, admission, errorText, errorCode);
    if (!transfer) {
        // The error comes from the new transfer ID, as any answer to a request does.
        const auto error = BuildError(errorCode, errorText);
        ::sendto(socketFd, error.data(), error.size(), 0, reinterpret_cast<const sockaddr *>(&peer), sizeof peer);
        ::close(socketFd);
        return;
    }
    transfer->SetAdmission(admission);
    transfer->Start(now);
    transfers_.push_back(std::move(transfer));
}

std::unique_ptr<TftpTransfer> TftpServerCore::CreateTransfer(const Packet &request, const sockaddr_in &peer,
                                                            int socketFd, std::uint64_t admission,
                                                            std::string &errorText, std::uint16_t &errorCode)
{
    std::string root;
    unsigned timeoutMs;
    int retries;
    ReportFunction reportFunction;
    {
        std::lock_guard lock(settingsMutex_);
        root = root_;
        timeoutMs = timeoutMs_;
        retries = retries_;
        reportFunction = reportFunction_;
    }
    const RootDirectory directory(root);
    TransferReport report;
    report.fileName = request.fileName;
    report.upload = request.opcode == Opcode::Wrq;
    if (request.opcode == Opcode::Rrq) {
        std::uint64_t fileSize = 0;
        const FileAccessResult file = directory.OpenForReading(request.fileName, fileSize);
        if (!file.Ok()) {
            errorCode = file.errorCode;
            errorText = file.errorMessage;
            return nullptr;
        }
        return std::make_unique<TftpReadTransfer>(socketFd, peer,
                                                  NegotiateOptions(request, fileSize, timeoutMs, retries),
                                                  std::move(report), std::move(reportFunction), file.fd, fileSize);
    }
    PendingUpload upload;
    const FileAccessResult file = directory.CreateUpload(request.fileName, upload);
    if (!file.Ok()) {
        errorCode = file.errorCode;
        errorText = file.errorMessage;
        return nullptr;
    }
    return std::make_unique<TftpWriteTransfer>(socketFd, peer,
                                               NegotiateOptions(request, std::nullopt, timeoutMs, retries),
                                               std::move(report), std::move(reportFunction), std::move(upload),
                                               [this, admission](PendingUpload &finished) {
                                                   return Publish(finished, admission);
                                               });
}

} // namespace tftp
