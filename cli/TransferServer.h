#pragma once
// The one TFTP server of a run: every device's transfer goes through it, each device admitted
// for its own file, from its own address, only while its transfer runs.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "TftpServerCore.h"

namespace trb::ctl {

class TransferServer {
public:
    struct Result {
        bool complete = false;
        bool started = false;
        std::string error; // the server's, or why the wait ended
    };
    using ProgressFunction = std::function<void(const std::string &peerHost, uint64_t bytes, uint64_t total)>;

    TransferServer();
    ~TransferServer();

    // Serves root on address:port; false with the reason when the port cannot be bound.
    bool Start(const std::string &address, int port, const std::string &root, std::string &error);
    uint16_t Port() const { return core_.BoundPort(); }
    void SetProgressFunction(ProgressFunction function);

    // Admits peerHost (dotted IPv4) for fileName until End; returns a token, 0 for a bad address.
    uint64_t Expect(const std::string &peerHost, const std::string &fileName, bool deviceWrites);
    // Waits until the token's transfer has ended, it has not started by startBy, or the whole
    // wait has gone past endBy.
    Result Wait(uint64_t token, std::chrono::steady_clock::time_point startBy,
                std::chrono::steady_clock::time_point endBy);
    void End(uint64_t token);

private:
    struct Expected {
        std::string peerHost;
        std::string fileName;
        bool deviceWrites = false;
        Result result;
        bool finished = false;
    };
    bool OnReport(const tftp::TransferReport &report);

    tftp::TftpServerCore core_;
    ProgressFunction progress_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<uint64_t, Expected> expected_;
};

} // namespace trb::ctl
