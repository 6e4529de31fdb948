#include "TftpClient.h"

#include "TftpOptions.h"

#include <algorithm>
#include <thread>

namespace trb::sim {
namespace {

using namespace tftp;
using Clock = UdpSocket::Clock;

std::string serverError(const Packet &error)
{
    return error.errorMessage.empty() ? "TFTP error " + std::to_string(error.errorCode) : error.errorMessage;
}

std::string sizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t mebibyte = 1u << 20;
    return bytes % mebibyte == 0 ? std::to_string(bytes / mebibyte) + " MiB" : std::to_string(bytes) + " bytes";
}

bool sameEndpoint(const sockaddr_in &a, const sockaddr_in &b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

// How far `block` reaches past `base`, modulo 65536: > 0 ahead, 0 equal, < 0 behind.
int blockDistance(std::uint16_t block, std::uint64_t base)
{
    return std::int16_t(std::uint16_t(block - std::uint16_t(base)));
}

} // namespace

TftpClient::TftpClient(Settings settings) : settings_(settings)
{
    settings_.blockSize = std::clamp<std::size_t>(settings_.blockSize, 8, kMaxBlockSize);
    settings_.windowSize = std::clamp(settings_.windowSize, 1u, 65535u);
    settings_.timeoutMs = std::max(1u, settings_.timeoutMs);
    settings_.retries = std::max(0, settings_.retries);
}

TftpClient::Result TftpClient::read(const std::string &host, std::uint16_t port, const std::string &name,
                                    std::vector<std::uint8_t> &data)
{
    data.clear();
    Packet answer;
    if (Result result = request(Opcode::Rrq, host, port, name, 0, answer); !result.ok)
        return result;
    if (answer.opcode != Opcode::Oack && answer.opcode != Opcode::Data)
        return fail(kIllegalOperation, "Unexpected answer to a read request");
    Result result = receiveFile(answer, data);
    if (!result.ok)
        data.clear();
    return result;
}

TftpClient::Result TftpClient::write(const std::string &host, std::uint16_t port, const std::string &name,
                                     const std::vector<std::uint8_t> &data)
{
    Packet answer;
    if (Result result = request(Opcode::Wrq, host, port, name, data.size(), answer); !result.ok)
        return result;
    if (answer.opcode == Opcode::Ack && answer.block != 0)
        return fail(kIllegalOperation, "Unexpected answer to a write request");
    if (answer.opcode != Opcode::Oack && answer.opcode != Opcode::Ack)
        return fail(kIllegalOperation, "Unexpected answer to a write request");
    return sendFile(data);
}

TftpClient::Result TftpClient::request(Opcode opcode, const std::string &host, std::uint16_t port,
                                       const std::string &name, std::uint64_t size, Packet &answer)
{
    if (name.empty() || name.size() > kMaxFileNameLength || name.find('\0') != std::string::npos)
        return {false, "Invalid file name for TFTP"};
    if (!resolveIpv4(host, port, server_))
        return {false, "Unknown TFTP server address " + host};
    std::vector<Option> options = settings_.lockStep ? std::vector<Option>{} : offeredOptions(size);
    Result result = sendRequest(opcode, name, options, answer);
    // A server that refuses the options is asked again in plain TFTP.
    if (result.ok && answer.opcode == Opcode::Error && answer.errorCode == kOptionRefused && !options.empty()) {
        options.clear();
        result = sendRequest(opcode, name, options, answer);
    }
    if (!result.ok)
        return result;
    if (answer.opcode == Opcode::Error)
        return {false, serverError(answer)};
    if (answer.opcode == Opcode::Oack) {
        if (options.empty())
            return fail(kOptionRefused, "Options acknowledged that were not requested");
        return acceptOack(answer, opcode == Opcode::Rrq);
    }
    return result;
}

std::vector<Option> TftpClient::offeredOptions(std::uint64_t size) const
{
    const unsigned seconds = std::clamp((settings_.timeoutMs + 999) / 1000, 1u, 255u);
    return {{"blksize", std::to_string(settings_.blockSize)},
            {"windowsize", std::to_string(settings_.windowSize)},
            {"tsize", std::to_string(size)},
            {"timeout", std::to_string(seconds)}};
}

TftpClient::Result TftpClient::sendRequest(Opcode opcode, const std::string &name,
                                           const std::vector<Option> &options, Packet &answer)
{
    negotiated_ = {};
    // A fresh transfer ID for every request: the server may still hold the refused one.
    socket_ = std::make_unique<UdpSocket>(settings_.blockSize * settings_.windowSize, settings_.localAddress);
    if (!socket_->isOpen())
        return {false, socket_->openError()};
    const auto bytes = BuildRequest(opcode, name, "octet", options);
    for (int attempt = 0; attempt <= settings_.retries; ++attempt) {
        socket_->send(server_, bytes);
        const Clock::time_point deadline = nextDeadline();
        while (auto datagram = socket_->receive(deadline)) {
            // The answer comes from the server's host on a port of its choosing: its transfer ID.
            if (datagram->from.sin_addr.s_addr != server_.sin_addr.s_addr)
                continue;
            auto packet = ParsePacket(datagram->bytes, datagram->size);
            if (!packet)
                continue;
            peer_ = datagram->from;
            answer = std::move(*packet);
            return {true, {}};
        }
    }
    return {false, "TFTP server " + endpointText(server_) + " did not answer"};
}

TftpClient::Result TftpClient::acceptOack(const Packet &oack, bool reading)
{
    for (const Option &option : oack.options) {
        const auto number = ParseOptionNumber(option.value);
        if (option.name == "blksize" && number && *number >= 8 && *number <= settings_.blockSize) {
            negotiated_.blockSize = std::size_t(*number);
        } else if (option.name == "windowsize" && number && *number >= 1 && *number <= settings_.windowSize) {
            negotiated_.windowSize = unsigned(*number);
        } else if (option.name == "tsize" && number) {
            negotiated_.size = reading ? *number : 0;
        } else if (option.name != "timeout" || !number) {
            return fail(kOptionRefused, "Unacceptable option in the server's answer: " + option.name);
        }
    }
    if (negotiated_.size > settings_.maxFetchBytes)
        return fail(kDiskFull, "File larger than " + sizeText(settings_.maxFetchBytes));
    return {true, {}};
}

TftpClient::Result TftpClient::receiveFile(const Packet &first, std::vector<std::uint8_t> &data)
{
    std::uint64_t next = 1;   // the block we wait for, counted past 65535
    unsigned inWindow = 0;    // in-order blocks since our last ACK
    bool gapAcknowledged = false, repeatAcknowledged = false;
    int retriesLeft = settings_.retries;
    Clock::time_point deadline = nextDeadline();
    std::optional<Packet> packet;
    if (first.opcode == Opcode::Oack)
        sendAck(0);
    else
        packet = first;  // a plain server answered with block 1 at once
    for (;;) {
        if (!packet)
            packet = receiveFromServer(deadline);
        if (!packet) {
            if (retriesLeft-- <= 0)
                return fail(kNotDefined, "Transfer timed out");
            sendAck(next - 1);
            inWindow = 0;
            gapAcknowledged = repeatAcknowledged = false;
            deadline = nextDeadline();
            continue;
        }
        const Packet current = std::move(*packet);
        packet.reset();
        if (current.opcode == Opcode::Error)
            return {false, serverError(current)};
        if (current.opcode == Opcode::Oack && next == 1)
            sendAck(0);  // our ACK of the options was lost
        if (current.opcode != Opcode::Data)
            continue;
        const int distance = blockDistance(current.block, next);
        if (distance == 0) {
            if (current.dataSize > negotiated_.blockSize)
                return fail(kIllegalOperation, "Block larger than the agreed block size");
            if (data.size() + current.dataSize > settings_.maxFetchBytes)
                return fail(kDiskFull, "File larger than " + sizeText(settings_.maxFetchBytes));
            data.insert(data.end(), current.data, current.data + current.dataSize);
            ++next;
            ++inWindow;
            gapAcknowledged = repeatAcknowledged = false;
            retriesLeft = settings_.retries;
            deadline = nextDeadline();
            if (current.dataSize < negotiated_.blockSize) {
                sendAck(next - 1);
                linger(current.block);
                return {true, {}};
            }
            if (inWindow >= negotiated_.windowSize) {
                sendAck(next - 1);
                inWindow = 0;
            }
        } else {
            // Ahead: a block was lost, the server starts again after the last good one.
            // Behind: our ACK was lost and the server repeats. Either way, say once where we are.
            bool &answered = distance > 0 ? gapAcknowledged : repeatAcknowledged;
            if (!answered) {
                sendAck(next - 1);
                inWindow = 0;
                answered = true;
            }
        }
    }
}

TftpClient::Result TftpClient::sendFile(const std::vector<std::uint8_t> &data)
{
    const std::uint64_t lastBlock = data.size() / negotiated_.blockSize + 1;
    std::uint64_t base = 1;  // first block not yet acknowledged
    std::uint64_t sentUpTo = std::min(lastBlock, base + negotiated_.windowSize - 1);
    int retriesLeft = settings_.retries;
    sendWindow(data, base, sentUpTo);
    Clock::time_point deadline = nextDeadline();
    for (;;) {
        const auto packet = receiveFromServer(deadline);
        if (!packet) {
            if (retriesLeft-- <= 0)
                return fail(kNotDefined, "Transfer timed out");
            sendWindow(data, base, sentUpTo);
            deadline = nextDeadline();
            continue;
        }
        if (packet->opcode == Opcode::Error)
            return {false, serverError(*packet)};
        if (packet->opcode != Opcode::Ack)
            continue;
        const int reach = blockDistance(packet->block, base - 1);
        if (reach <= 0)
            continue;  // a duplicate ACK is never a reason to resend
        const std::uint64_t acknowledged = base - 1 + std::uint64_t(reach);
        if (acknowledged > sentUpTo)
            continue;  // a block we never sent
        if (acknowledged == lastBlock)
            return {true, {}};
        base = acknowledged + 1;
        sentUpTo = std::min(lastBlock, base + negotiated_.windowSize - 1);
        retriesLeft = settings_.retries;
        sendWindow(data, base, sentUpTo);
        deadline = nextDeadline();
    }
}

void TftpClient::sendWindow(const std::vector<std::uint8_t> &data, std::uint64_t first, std::uint64_t last)
{
    std::uint8_t header[kHeaderSize];
    pace();
    for (std::uint64_t block = first; block <= last; ++block) {
        const std::uint64_t offset = std::min<std::uint64_t>(data.size(), (block - 1) * negotiated_.blockSize);
        const std::size_t length = std::size_t(std::min<std::uint64_t>(negotiated_.blockSize, data.size() - offset));
        WriteDataHeader(header, std::uint16_t(block));
        socket_->send(peer_, header, data.data() + offset, length);
    }
}

void TftpClient::linger(std::uint16_t lastBlock)
{
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(settings_.lingerMs);
    while (const auto packet = receiveFromServer(until))
        if (packet->opcode == Opcode::Data && packet->block == lastBlock)
            sendAck(lastBlock);
}

std::optional<Packet> TftpClient::receiveFromServer(Clock::time_point deadline)
{
    while (const auto datagram = socket_->receive(deadline)) {
        if (!sameEndpoint(datagram->from, peer_)) {
            socket_->send(datagram->from, BuildError(kUnknownTransferId, "Unknown transfer ID"));
            continue;
        }
        if (auto packet = ParsePacket(datagram->bytes, datagram->size))
            return packet;
    }
    return std::nullopt;
}

Clock::time_point TftpClient::nextDeadline() const
{
    return Clock::now() + std::chrono::milliseconds(settings_.timeoutMs);
}

void TftpClient::pace() const
{
    if (settings_.paceMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(settings_.paceMs));
}

void TftpClient::sendAck(std::uint64_t block)
{
    pace();
    socket_->send(peer_, BuildAck(std::uint16_t(block)));
}

TftpClient::Result TftpClient::fail(std::uint16_t code, const std::string &message)
{
    socket_->send(peer_, BuildError(code, message));
    return {false, message};
}

} // namespace trb::sim
