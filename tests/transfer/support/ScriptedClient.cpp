#include "ScriptedClient.h"

#include "TftpOptions.h"

namespace tftptest {

using namespace tftp;

void ScriptedClient::SendRequest(Opcode opcode, const std::string &name, const std::vector<Option> &options)
{
    endpoint_.SendTo(serverPort_, BuildRequest(opcode, name, "octet", options));
}

std::optional<Packet> ScriptedClient::Next(std::chrono::milliseconds timeout)
{
    auto datagram = endpoint_.Receive(timeout);
    if (!datagram)
        return std::nullopt;
    if (transferPort_ == 0)
        transferPort_ = datagram->fromPort;
    lastRaw_ = std::move(datagram->bytes);
    return ParsePacket(lastRaw_.data(), lastRaw_.size());
}

FetchResult ScriptedClient::Fetch(const std::string &name, const std::vector<Option> &options)
{
    FetchResult result;
    std::size_t blockSize = 512;
    unsigned window = 1;
    SendRequest(Opcode::Rrq, name, options);
    std::uint16_t expected = 1;
    unsigned inWindow = 0;
    while (auto packet = Next()) {
        if (packet->opcode == Opcode::Error) {
            result.errorCode = packet->errorCode;
            result.errorMessage = packet->errorMessage;
            return result;
        }
        if (packet->opcode == Opcode::Oack) {
            if (auto *value = packet->FindOption("blksize"))
                blockSize = std::stoul(*value);
            if (auto *value = packet->FindOption("windowsize"))
                window = unsigned(std::stoul(*value));
            Send(BuildAck(0));
            continue;
        }
        if (packet->opcode != Opcode::Data || packet->block != expected)
            continue;
        ++result.dataPackets;
        result.bytes.insert(result.bytes.end(), packet->data, packet->data + packet->dataSize);
        const bool last = packet->dataSize < blockSize;
        if (last || ++inWindow == window) {
            Send(BuildAck(expected));
            inWindow = 0;
        }
        ++expected;
        if (last)
            return result;
    }
    result.errorCode = 1000;
    result.errorMessage = "client timed out";
    return result;
}

int ScriptedClient::Put(const std::string &name, const std::vector<std::uint8_t> &bytes,
                        const std::vector<Option> &options)
{
    SendRequest(Opcode::Wrq, name, options);
    std::size_t blockSize = 512;
    auto packet = Next();
    if (!packet)
        return 1000;
    if (packet->opcode == Opcode::Error)
        return packet->errorCode;
    if (packet->opcode == Opcode::Oack)
        if (auto *value = packet->FindOption("blksize"))
            blockSize = std::stoul(*value);
    std::size_t offset = 0;
    for (std::uint16_t block = 1;; ++block) {
        const std::size_t size = std::min(blockSize, bytes.size() - offset);
        Send(BuildData(block, bytes.data() + offset, size));
        packet = Next();
        if (!packet)
            return 1000;
        if (packet->opcode == Opcode::Error)
            return packet->errorCode;
        if (packet->opcode != Opcode::Ack || packet->block != block)
            return 1001;
        offset += size;
        if (size < blockSize)
            return -1;
    }
}

} // namespace tftptest
