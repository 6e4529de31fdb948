#pragma once
// Plain copies of SNMP values, so that everything past the I/O thread is free of Net-SNMP memory.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace trb::devicelib {

using Oid = std::vector<uint32_t>;

// ASN.1 tags as they appear on the wire.
namespace asn {
inline constexpr uint8_t Integer = 0x02;
inline constexpr uint8_t OctetString = 0x04;
inline constexpr uint8_t Null = 0x05;
inline constexpr uint8_t IpAddress = 0x40;
inline constexpr uint8_t Counter = 0x41;
inline constexpr uint8_t Gauge = 0x42;
inline constexpr uint8_t TimeTicks = 0x43;
inline constexpr uint8_t NoSuchObject = 0x80;
inline constexpr uint8_t NoSuchInstance = 0x81;
inline constexpr uint8_t EndOfMibView = 0x82;
} // namespace asn

struct SnmpValue {
    uint8_t type = asn::Null;
    int64_t integer = 0; // INTEGER, Gauge, Counter, TimeTicks
    std::string bytes;   // OCTET STRING, IpAddress (4 bytes)
};

struct Varbind {
    Oid oid;
    SnmpValue value;
};

inline bool isPrefixOf(const Oid &prefix, const Oid &oid)
{
    return oid.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

} // namespace trb::devicelib
