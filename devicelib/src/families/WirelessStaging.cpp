#include "WirelessStaging.h"

#include "FamilyCalls.h"
#include "ValueConversion.h"
#include "WirelessValues.h"

namespace trb::devicelib {
namespace {

// What an agent takes as a DisplayString.
bool printable(std::string_view text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

} // namespace

void WirelessStaging::add(const char *object, const Oid &index, SnmpValue value)
{
    const Binding &binding = WirelessValues::bindingOf(object, index);
    values_.push_back({binding.groupBit, instanceOidOf(binding), std::move(value)});
}

void WirelessStaging::number(const char *object, const Oid &index, int64_t value)
{
    const schema::ObjectDef &def = objectOf(WirelessValues::bindingOf(object, index));
    const bool inRange = value >= def.low && value <= def.high;
    if (!inRange || (def.enumValues && schema::enumLabel(def, value).empty())) {
        ok_ = false;
        return;
    }
    SnmpValue snmp;
    snmp.type = def.type == schema::SmiType::Gauge ? asn::Gauge : asn::Integer;
    snmp.integer = value;
    add(object, index, std::move(snmp));
}

void WirelessStaging::text(const char *object, const Oid &index, std::string_view value)
{
    const schema::ObjectDef &def = objectOf(WirelessValues::bindingOf(object, index));
    const auto length = int64_t(value.size());
    if (length < def.low || length > def.high || !printable(value)) {
        ok_ = false;
        return;
    }
    SnmpValue snmp;
    snmp.type = asn::OctetString;
    snmp.bytes = std::string(value);
    add(object, index, std::move(snmp));
}

void WirelessStaging::ip(const char *object, const Oid &index, std::string_view value)
{
    auto octets = value.empty() ? std::optional<std::string>(std::string(4, '\0')) : ipTextToOctets(value);
    if (!octets) {
        ok_ = false;
        return;
    }
    SnmpValue snmp;
    snmp.type = asn::IpAddress;
    snmp.bytes = *octets;
    add(object, index, std::move(snmp));
}

void WirelessStaging::mac(const char *object, const Oid &index, std::string_view value)
{
    auto octets = macHexToOctets(value);
    if (!octets) {
        ok_ = false;
        return;
    }
    SnmpValue snmp;
    snmp.type = asn::OctetString;
    snmp.bytes = *octets;
    add(object, index, std::move(snmp));
}

int WirelessStaging::stageInto(HandleState &state)
{
    if (!ok_)
        return AP_ERR_BAD_ARGUMENT;
    stageValues(state, std::move(values_));
    values_.clear();
    return AP_OK;
}

} // namespace trb::devicelib
