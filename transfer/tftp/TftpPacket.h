#pragma once
// TFTP wire format: parsing and building of the six packet kinds (RRQ, WRQ, DATA, ACK,
// ERROR, OACK). Plain C++, no Qt, so it can be fuzzed and tested on its own.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tftp {

enum class Opcode : std::uint16_t { Rrq = 1, Wrq = 2, Data = 3, Ack = 4, Error = 5, Oack = 6 };

enum ErrorCode : std::uint16_t {
    kNotDefined = 0,
    kFileNotFound = 1,
    kAccessViolation = 2,
    kDiskFull = 3,
    kIllegalOperation = 4,
    kUnknownTransferId = 5,
    kFileExists = 6,
    kNoSuchUser = 7,
    kOptionRefused = 8,
};

inline constexpr std::size_t kHeaderSize = 4;
inline constexpr std::size_t kDefaultBlockSize = 512;
inline constexpr std::size_t kMaxBlockSize = 65464;
inline constexpr std::size_t kMaxPacketSize = kHeaderSize + kMaxBlockSize;
// Longest file name accepted in a request; longer ones are treated as malformed.
inline constexpr std::size_t kMaxFileNameLength = 1024;

struct Option {
    std::string name;  // lower case
    std::string value;
};

struct Packet {
    Opcode opcode = Opcode::Error;
    // RRQ / WRQ
    std::string fileName;
    std::string mode;  // lower case
    // RRQ / WRQ / OACK; a repeated option keeps its first value
    std::vector<Option> options;
    // DATA / ACK
    std::uint16_t block = 0;
    // DATA payload: points into the parsed buffer, valid while it lives
    const std::uint8_t *data = nullptr;
    std::size_t dataSize = 0;
    // ERROR
    std::uint16_t errorCode = 0;
    std::string errorMessage;

    const std::string *FindOption(const std::string &name) const;
};

// Returns nothing for a packet that is malformed or of an unknown kind.
std::optional<Packet> ParsePacket(const std::uint8_t *bytes, std::size_t size);

// Writes the 4-byte DATA header; the payload follows at buffer + kHeaderSize.
void WriteDataHeader(std::uint8_t *buffer, std::uint16_t block);

std::vector<std::uint8_t> BuildAck(std::uint16_t block);
std::vector<std::uint8_t> BuildData(std::uint16_t block, const std::uint8_t *data, std::size_t size);
std::vector<std::uint8_t> BuildError(std::uint16_t code, const std::string &message);
std::vector<std::uint8_t> BuildOack(const std::vector<Option> &options);
std::vector<std::uint8_t> BuildRequest(Opcode opcode, const std::string &fileName,
                                       const std::string &mode,
                                       const std::vector<Option> &options = {});

} // namespace tftp
