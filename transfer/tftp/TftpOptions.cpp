#include "TftpOptions.h"

#include <algorithm>

namespace tftp {

std::optional<std::uint64_t> ParseOptionNumber(const std::string &text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return value;
}

TransferParameters NegotiateOptions(const Packet &request, std::optional<std::uint64_t> fileSize,
                                    unsigned timeoutMs, int retries)
{
    TransferParameters result;
    result.timeoutMs = timeoutMs;
    result.retries = retries;

    // Windowsize is checked after blksize: its cap depends on the block size.
    for (const Option &option : request.options) {
        const auto number = ParseOptionNumber(option.value);
        if (!number)
            continue;
        if (option.name == "blksize" && *number >= 8) {
            result.blockSize = std::size_t(std::min<std::uint64_t>(*number, kMaxBlockSize));
            result.acknowledged.push_back({"blksize", std::to_string(result.blockSize)});
        } else if (option.name == "timeout" && *number >= 1 && *number <= 255) {
            result.timeoutMs = unsigned(*number) * 1000;
            result.acknowledged.push_back(option);
        } else if (option.name == "tsize") {
            // A reader asks with 0 and learns the size; a writer announces it and we echo it.
            const std::uint64_t size = fileSize ? *fileSize : *number;
            result.acknowledged.push_back({"tsize", std::to_string(size)});
        }
    }
    if (const std::string *value = request.FindOption("windowsize")) {
        const auto number = ParseOptionNumber(*value);
        if (number && *number >= 1 && *number <= 65535) {
            const std::uint64_t byBytes = std::max<std::uint64_t>(1, kMaxWindowBytes / result.blockSize);
            result.windowSize = unsigned(std::min<std::uint64_t>({*number, kMaxWindowSize, byBytes}));
            result.acknowledged.push_back({"windowsize", std::to_string(result.windowSize)});
        }
    }
    return result;
}

} // namespace tftp
