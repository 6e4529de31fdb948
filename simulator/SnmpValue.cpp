#include "SnmpValue.h"

#include <net-snmp/library/asn1.h>

namespace trb::sim {

bool SnmpValue::isNumeric() const
{
    return asnType == ASN_INTEGER || asnType == ASN_GAUGE || asnType == ASN_COUNTER ||
           asnType == ASN_TIMETICKS;
}

SnmpValue SnmpValue::integer(int64_t value) { return {ASN_INTEGER, value, {}}; }
SnmpValue SnmpValue::gauge(int64_t value) { return {ASN_GAUGE, value, {}}; }
SnmpValue SnmpValue::timeTicks(int64_t value) { return {ASN_TIMETICKS, value, {}}; }
SnmpValue SnmpValue::text(std::string value) { return {ASN_OCTET_STR, 0, std::move(value)}; }

SnmpValue SnmpValue::ipAddress(uint32_t hostOrder)
{
    std::string b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((hostOrder >> (24 - 8 * i)) & 0xff);
    return {ASN_IPADDRESS, 0, b};
}

SnmpValue SnmpValue::mac(const uint8_t (&address)[6])
{
    return {ASN_OCTET_STR, 0, std::string(reinterpret_cast<const char *>(address), 6)};
}

} // namespace trb::sim
