#include "TransferServer.h"

namespace trb::ctl {

TransferServer::TransferServer()
{
    core_.SetReportFunction([this](const tftp::TransferReport &report) { return OnReport(report); });
}

TransferServer::~TransferServer() { core_.Stop(); }

bool TransferServer::Start(const std::string &address, int port, const std::string &root, std::string &error)
{
    core_.SetRoot(root);
    core_.RefuseEverything();
    if (port < 0 || port > 65535) {
        error = "TFTP port " + std::to_string(port) + " is not 0 to 65535";
        return false;
    }
    return core_.Start(address, uint16_t(port), error);
}

void TransferServer::SetProgressFunction(ProgressFunction function)
{
    std::lock_guard lock(mutex_);
    progress_ = std::move(function);
}

uint64_t TransferServer::Expect(const std::string &peerHost, const std::string &fileName, bool deviceWrites)
{
    std::lock_guard lock(mutex_);
    const uint64_t token = core_.ExpectAlso(peerHost, fileName, deviceWrites);
    if (token != 0)
        expected_[token] = Expected{peerHost, fileName, deviceWrites, {}, false};
    return token;
}

void TransferServer::End(uint64_t token)
{
    core_.EndExpected(token);
    std::lock_guard lock(mutex_);
    expected_.erase(token);
}

TransferServer::Result TransferServer::Wait(uint64_t token, std::chrono::steady_clock::time_point startBy,
                                            std::chrono::steady_clock::time_point endBy)
{
    std::unique_lock lock(mutex_);
    while (true) {
        const auto it = expected_.find(token);
        if (it == expected_.end())
            return {false, false, "the transfer was ended"};
        Result result = it->second.result;
        if (it->second.finished)
            return result;
        const auto deadline = result.started ? endBy : std::min(startBy, endBy);
        if (std::chrono::steady_clock::now() >= deadline) {
            result.error = result.started ? "the transfer did not end in time" : "the device did not start the transfer";
            return result;
        }
        changed_.wait_until(lock, deadline);
    }
}

// On the server's thread: the report belongs to the one expectation of its peer and file.
bool TransferServer::OnReport(const tftp::TransferReport &report)
{
    const std::string host = report.peer.substr(0, report.peer.rfind(':'));
    ProgressFunction progress;
    {
        std::lock_guard lock(mutex_);
        progress = progress_;
        for (auto &[token, expected] : expected_) {
            if (expected.peerHost != host || expected.fileName != report.fileName
                || expected.deviceWrites != report.upload || expected.finished)
                continue;
            using Stage = tftp::TransferReport::Stage;
            expected.result.started = true;
            if (report.stage == Stage::Completed || report.stage == Stage::Failed) {
                expected.finished = true;
                expected.result.complete = report.stage == Stage::Completed;
                expected.result.error = report.error;
            }
            break;
        }
    }
    changed_.notify_all();
    if (progress)
        progress(host, report.bytes, report.total);
    return true;
}

} // namespace trb::ctl
