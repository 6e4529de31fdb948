#pragma once
// One value as the agent stores and answers it: an ASN.1 type tag and either a number or bytes.
#include <cstdint>
#include <string>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/types.h>

namespace trb::sim {

using Oid = std::vector<oid>;

struct SnmpValue {
    u_char asnType = 0;   // ASN_INTEGER, ASN_OCTET_STR, ASN_IPADDRESS, ASN_GAUGE, ...
    int64_t number = 0;   // integers, gauges, counters, time ticks
    std::string bytes;    // octet strings and IP addresses (4 bytes, network order)

    bool isNumeric() const;
    bool operator==(const SnmpValue &other) const = default;

    static SnmpValue integer(int64_t value);
    static SnmpValue gauge(int64_t value);
    static SnmpValue timeTicks(int64_t value);
    static SnmpValue text(std::string value);
    static SnmpValue ipAddress(uint32_t hostOrder);
    static SnmpValue mac(const uint8_t (&address)[6]);
};

} // namespace trb::sim
