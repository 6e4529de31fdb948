#include "DeviceTransfers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <thread>

namespace trb::ctl {
namespace {

using Clock = std::chrono::steady_clock;
// A device starts its transfer within moments of being told; the server ends a stalled one.
constexpr auto kStartWithin = std::chrono::seconds(20);
constexpr auto kTransferWithin = std::chrono::minutes(30);
// A device applies what it fetched within this, asked about every half second.
constexpr auto kVerdictWithin = std::chrono::seconds(90);
constexpr auto kVerdictPoll = std::chrono::milliseconds(500);

} // namespace

DeviceTransfers::DeviceTransfers(const CtlOptions &options) : options_(options) {}

bool DeviceTransfers::Start(const std::string &root, std::string &error)
{
    if (!server_.Start(options_.tftpListen, options_.tftpPort, root, error)) {
        error = "this computer's TFTP server cannot start: " + error;
        return false;
    }
    return true;
}

void DeviceTransfers::SetProgressFunction(TransferServer::ProgressFunction function)
{
    server_.SetProgressFunction([this, function](const std::string &host, uint64_t bytes, uint64_t total) {
        std::string device;
        {
            std::lock_guard lock(mutex_);
            const auto it = deviceOfHost_.find(host);
            device = it == deviceOfHost_.end() ? host : it->second;
        }
        function(device, bytes, total);
    });
}

// The source address the system would use toward the device: the one the device can reach.
std::string DeviceTransfers::PcAddressFor(const std::string &deviceIp, std::string &error) const
{
    if (!options_.pcAddress.empty())
        return options_.pcAddress;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in device{};
    device.sin_family = AF_INET;
    device.sin_port = htons(161);
    ::inet_pton(AF_INET, deviceIp.c_str(), &device.sin_addr);
    sockaddr_in local{};
    socklen_t length = sizeof local;
    const bool found = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&device), sizeof device) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &length) == 0;
    if (!found)
        error = std::string("no route to the device: ") + std::strerror(errno);
    if (fd >= 0)
        ::close(fd);
    char text[INET_ADDRSTRLEN] = {};
    return found ? ::inet_ntop(AF_INET, &local.sin_addr, text, sizeof text) : std::string();
}

Outcome DeviceTransfers::MoveFile(const DeviceAddress &device, DeviceSession &session, const std::string &fileName,
                                  bool deviceWrites, int direction, int command, const StepFunction &step)
{
    std::string error;
    const std::string deviceIp = device.Ipv4(error);
    const std::string pcAddress = deviceIp.empty() ? std::string() : PcAddressFor(deviceIp, error);
    if (pcAddress.empty())
        return Outcome::Failed(kTransferFailed, error);
    {
        std::lock_guard lock(mutex_);
        deviceOfHost_[deviceIp] = device.text;
    }
    const uint64_t token = server_.Expect(deviceIp, fileName, deviceWrites);
    const Outcome told = session.StartTransfer(pcAddress, fileName, direction, command);
    if (!told.Ok()) {
        server_.End(token);
        return told;
    }
    step(deviceWrites ? "receiving " + fileName : "sending " + fileName);
    const auto now = Clock::now();
    const TransferServer::Result moved = server_.Wait(token, now + kStartWithin, now + kTransferWithin);
    server_.End(token);
    if (!moved.complete)
        return Outcome::Failed(kTransferFailed, "TFTP transfer of " + fileName + " failed: " + moved.error);
    return {};
}

Outcome DeviceTransfers::AwaitVerdict(DeviceSession &session, std::string &status)
{
    const auto until = Clock::now() + kVerdictWithin;
    Outcome last;
    while (Clock::now() < until) {
        std::vector<std::string> texts;
        last = session.ReadNamed({"trbTftpStatus"}, texts);
        // No answer may only mean the device is busy with the file: ask again.
        if (last.Ok() && texts[0] != "fetching") {
            status = texts[0];
            return {};
        }
        std::this_thread::sleep_for(kVerdictPoll);
    }
    return last.Ok() ? Outcome::Failed(kTransferFailed, "the device gave no verdict on the file") : last;
}

} // namespace trb::ctl
