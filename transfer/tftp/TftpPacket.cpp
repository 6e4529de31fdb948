#include "TftpPacket.h"

#include <algorithm>
#include <cctype>

namespace tftp {
namespace {

std::uint16_t ReadU16(const std::uint8_t *p) { return std::uint16_t(p[0] << 8 | p[1]); }

void AppendU16(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value & 0xFF));
}

void AppendText(std::vector<std::uint8_t> &out, const std::string &text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Splits a run of NUL-terminated strings. Fails if the run does not end with a NUL.
bool SplitStrings(const std::uint8_t *p, std::size_t size, std::vector<std::string> &out)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (p[i] == 0) {
            out.emplace_back(reinterpret_cast<const char *>(p + start), i - start);
            start = i + 1;
        }
    }
    return start == size;
}

// Options come in name/value pairs; an unpaired trailing name is ignored, as are empty
// names and repeats of a name already seen.
std::vector<Option> PairOptions(const std::vector<std::string> &strings, std::size_t first)
{
    std::vector<Option> options;
    for (std::size_t i = first; i + 1 < strings.size(); i += 2) {
        Option option{Lower(strings[i]), strings[i + 1]};
        if (option.name.empty())
            continue;
        const bool seen = std::any_of(options.begin(), options.end(),
                                      [&](const Option &o) { return o.name == option.name; });
        if (!seen)
            options.push_back(std::move(option));
    }
    return options;
}

std::optional<Packet> ParseRequest(Opcode opcode, const std::uint8_t *body, std::size_t size)
{
    std::vector<std::string> strings;
    // Some clients pad requests with extra NULs; those show up as empty strings at the end.
    if (!SplitStrings(body, size, strings) || strings.size() < 2)
        return std::nullopt;
    Packet packet;
    packet.opcode = opcode;
    packet.fileName = strings[0];
    packet.mode = Lower(strings[1]);
    if (packet.fileName.empty() || packet.fileName.size() > kMaxFileNameLength || packet.mode.empty())
        return std::nullopt;
    packet.options = PairOptions(strings, 2);
    return packet;
}

} // namespace

const std::string *Packet::FindOption(const std::string &name) const
{
    for (const Option &option : options)
        if (option.name == name)
            return &option.value;
    return nullptr;
}

std::optional<Packet> ParsePacket(const std::uint8_t *bytes, std::size_t size)
{
    if (bytes == nullptr || size < 2)
        return std::nullopt;
    const std::uint16_t code = ReadU16(bytes);
    const std::uint8_t *body = bytes + 2;
    const std::size_t bodySize = size - 2;
    switch (code) {
    case std::uint16_t(Opcode::Rrq):
    case std::uint16_t(Opcode::Wrq):
        return ParseRequest(Opcode(code), body, bodySize);
    case std::uint16_t(Opcode::Data):
    case std::uint16_t(Opcode::Ack): {
        if (bodySize < 2 || bodySize - 2 > kMaxBlockSize)
            return std::nullopt;
        Packet packet;
        packet.opcode = Opcode(code);
        packet.block = ReadU16(body);
        if (packet.opcode == Opcode::Data) {
            packet.data = body + 2;
            packet.dataSize = bodySize - 2;
        }
        return packet;
    }
    case std::uint16_t(Opcode::Error): {
        if (bodySize < 2)
            return std::nullopt;
        Packet packet;
        packet.opcode = Opcode::Error;
        packet.errorCode = ReadU16(body);
        // The message is read up to its NUL, or to the end when a peer forgot the NUL.
        const char *text = reinterpret_cast<const char *>(body + 2);
        const std::size_t room = bodySize - 2;
        packet.errorMessage.assign(text, std::find(text, text + room, '\0'));
        return packet;
    }
    case std::uint16_t(Opcode::Oack): {
        std::vector<std::string> strings;
        if (!SplitStrings(body, bodySize, strings))
            return std::nullopt;
        Packet packet;
        packet.opcode = Opcode::Oack;
        packet.options = PairOptions(strings, 0);
        return packet;
    }
    default:
        return std::nullopt;
    }
}

void WriteDataHeader(std::uint8_t *buffer, std::uint16_t block)
{
    buffer[0] = 0;
    buffer[1] = std::uint8_t(Opcode::Data);
    buffer[2] = std::uint8_t(block >> 8);
    buffer[3] = std::uint8_t(block & 0xFF);
}

std::vector<std::uint8_t> BuildAck(std::uint16_t block)
{
    std::vector<std::uint8_t> out;
    AppendU16(out, std::uint16_t(Opcode::Ack));
    AppendU16(out, block);
    return out;
}

std::vector<std::uint8_t> BuildData(std::uint16_t block, const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> out(kHeaderSize + size);
    WriteDataHeader(out.data(), block);
    if (size > 0)
        std::copy(data, data + size, out.begin() + kHeaderSize);
    return out;
}

std::vector<std::uint8_t> BuildError(std::uint16_t code, const std::string &message)
{
    std::vector<std::uint8_t> out;
    AppendU16(out, std::uint16_t(Opcode::Error));
    AppendU16(out, code);
    AppendText(out, message);
    return out;
}

std::vector<std::uint8_t> BuildOack(const std::vector<Option> &options)
{
    std::vector<std::uint8_t> out;
    AppendU16(out, std::uint16_t(Opcode::Oack));
    for (const Option &option : options) {
        AppendText(out, option.name);
        AppendText(out, option.value);
    }
    return out;
}

std::vector<std::uint8_t> BuildRequest(Opcode opcode, const std::string &fileName,
                                       const std::string &mode, const std::vector<Option> &options)
{
    std::vector<std::uint8_t> out;
    AppendU16(out, std::uint16_t(opcode));
    AppendText(out, fileName);
    AppendText(out, mode);
    for (const Option &option : options) {
        AppendText(out, option.name);
        AppendText(out, option.value);
    }
    return out;
}

} // namespace tftp
