#pragma once
// Just enough BER for the fake agent: reads the library's requests and writes SNMPv2c answers
// with any tag and content the fuzzer picks, so that Net-SNMP's own parser judges them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trb::fuzz {

using Oid = std::vector<uint32_t>;

struct WireVarbind {
    Oid oid;
    uint8_t tag = 0x05;
    std::string content; // the value's content octets, as encoded
};

struct WireMessage {
    int64_t version = 1; // SNMPv2c
    std::string community;
    uint8_t pduTag = 0;
    int64_t requestId = 0;
    int64_t field2 = 0; // error-status, or non-repeaters
    int64_t field3 = 0; // error-index, or max-repetitions
    std::vector<WireVarbind> varbinds;
};

class SnmpWire {
public:
    static constexpr uint8_t kGet = 0xA0, kGetNext = 0xA1, kResponse = 0xA2, kSet = 0xA3, kGetBulk = 0xA5;

    // A request as the library sends it; nullopt for anything it would not send.
    static std::optional<WireMessage> parse(const std::string &datagram);
    static std::string encode(const WireMessage &message);
    // The message's envelope and request-id, then `rest` as the remainder of the PDU.
    static std::string encodeWithRest(const WireMessage &message, const std::string &rest);

    static std::string tlv(uint8_t tag, const std::string &content);
    static std::string signedContent(int64_t value);
    static std::string unsignedContent(uint64_t value);
    static std::string oidContent(const Oid &oid);

private:
    static std::string varbindList(const std::vector<WireVarbind> &varbinds);
};

} // namespace trb::fuzz
