// libFuzzer target for the TFTP packet parser and option negotiation: any datagram must
// parse or be refused without a crash, and whatever parses must survive a rebuild.
#include "RootDirectory.h"
#include "TftpOptions.h"
#include "TftpPacket.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto packet = tftp::ParsePacket(data, size);
    if (!packet)
        return 0;
    switch (packet->opcode) {
    case tftp::Opcode::Rrq:
    case tftp::Opcode::Wrq: {
        const auto parameters = tftp::NegotiateOptions(*packet, size, 3000, 3);
        if (parameters.blockSize < 8 || parameters.blockSize > tftp::kMaxBlockSize
            || parameters.windowSize < 1 || parameters.windowSize > tftp::kMaxWindowSize)
            std::abort();
        (void)tftp::RootDirectory::IsAcceptableName(packet->fileName);
        const auto rebuilt = tftp::BuildRequest(packet->opcode, packet->fileName, packet->mode, packet->options);
        const auto again = tftp::ParsePacket(rebuilt.data(), rebuilt.size());
        if (!again || again->fileName != packet->fileName || again->options.size() != packet->options.size())
            std::abort();
        break;
    }
    case tftp::Opcode::Data: {
        const auto rebuilt = tftp::BuildData(packet->block, packet->data, packet->dataSize);
        if (rebuilt.size() != size)
            std::abort();
        break;
    }
    case tftp::Opcode::Oack: {
        const auto rebuilt = tftp::BuildOack(packet->options);
        if (!tftp::ParsePacket(rebuilt.data(), rebuilt.size()))
            std::abort();
        break;
    }
    default:
        break;
    }
    return 0;
}
