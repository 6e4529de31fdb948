#pragma once
// What a transfer tells its owner as it goes. The owner's function may return false to
// cancel the transfer.
#include <cstdint>
#include <functional>
#include <string>

namespace tftp {

struct TransferReport {
    enum class Stage { Started, Progress, Completed, Failed };
    Stage stage = Stage::Started;
    bool upload = false;  // true: the peer writes a file to us
    std::string fileName;
    std::string peer;          // "address:port"
    std::uint64_t bytes = 0;   // moved so far
    std::uint64_t total = 0;   // 0 when unknown
    std::string error;         // for Failed
};

using ReportFunction = std::function<bool(const TransferReport &)>;

} // namespace tftp
