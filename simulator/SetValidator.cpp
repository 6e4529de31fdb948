#include "SetValidator.h"

#include <cstring>

#include "CreatedRows.h"
#include "DeviceClock.h"
#include "RadioLists.h"

namespace trb::sim {

u_char SetValidator::asnTypeOf(schema::SmiType type)
{
    using enum schema::SmiType;
    switch (type) {
    case Integer:
    case RowStatus: return ASN_INTEGER;
    case DisplayString:
    case MacAddress: return ASN_OCTET_STR;
    case IpAddress: return ASN_IPADDRESS;
    case Gauge: return ASN_GAUGE;
    case Counter: return ASN_COUNTER;
    case TimeTicks: return ASN_TIMETICKS;
    }
    return ASN_NULL;
}

int SetValidator::check(const Oid &name, const netsnmp_variable_list &var) const
{
    if (int status = checkValueFor(name, var))
        return status;
    // Rows are fixed: an instance the device does not have cannot be created.
    if (!store_.contains(name))
        return SNMP_ERR_NOCREATION;
    const schema::ObjectDef *object = DeviceStore::schemaObjectFor(name);
    if (object->distinct && CreatedRows::takenByAnotherRow(store_, *object, CreatedRows::indexOf(*object, name), valueOf(var)))
        return SNMP_ERR_INCONSISTENTVALUE; // an edited row may not take another row's value
    return checkWirelessValue(name, var);
}

// Wireless values the device takes only from its own lists, for the band in the instance.
int SetValidator::checkWirelessValue(const Oid &name, const netsnmp_variable_list &var) const
{
    const std::string_view object = DeviceStore::schemaObjectFor(name)->name;
    const auto band = static_cast<uint32_t>(name.back());
    const std::string text(reinterpret_cast<const char *>(var.val.string), var.type == ASN_OCTET_STR ? var.val_len : 0);
    auto listOf = [&](const char *list) {
        const SnmpValue *value = store_.find(DeviceStore::instanceOf(list, {band}));
        return value ? value->bytes : std::string();
    };
    bool ok = true;
    if (object == "trbRadioWirelessMode") {
        const long mode = *var.val.integer;
        ok = band == 1 ? (mode == 2 || mode == 3 || mode == 6) : (mode == 7 || mode == 8 || mode == 9);
    } else if (object == "trbRadioChannel") {
        const std::string channel = std::to_string(*var.val.integer);
        ok = *var.val.integer == 0 || RadioLists::contains(listOf("trbRadioChannelList"), channel) ||
             RadioLists::contains(listOf("trbRadioWdsChannelList"), channel);
    } else if (object == "trbRadioDataRate") {
        ok = RadioLists::contains(listOf("trbRadioRateList"), text);
    } else if (object == "trbRadioMulticastRate") {
        ok = text == "Disable" || RadioLists::contains(listOf("trbRadioMulticastList"), text);
    } else if (object == "trbServiceKeyChangeTime") {
        ok = isClockTime(text);
    } else if (object == "trbSystemTime") {
        ok = DeviceClock::parse(text).has_value();
    } else if (object == "trbDstDates") {
        ok = text.empty() || DeviceClock::validDates(text);
    }
    return ok ? SNMP_ERR_NOERROR : SNMP_ERR_WRONGVALUE;
}

// "HH:MM", 00:00 to 23:59.
bool SetValidator::isClockTime(const std::string &text)
{
    auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 5 || text[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4))
        return false;
    return std::stoi(text.substr(0, 2)) < 24 && std::stoi(text.substr(3, 2)) < 60;
}

int SetValidator::checkValueFor(const Oid &name, const netsnmp_variable_list &var)
{
    const schema::ObjectDef *object = DeviceStore::schemaObjectFor(name);
    if (!object || (object->access != schema::Access::ReadWrite &&
                    object->access != schema::Access::ReadCreate))
        return SNMP_ERR_NOTWRITABLE;
    if (var.type != asnTypeOf(object->type))
        return SNMP_ERR_WRONGTYPE;
    if (int status = checkLength(*object, var))
        return status;
    return checkValue(*object, var);
}

int SetValidator::checkLength(const schema::ObjectDef &object, const netsnmp_variable_list &var)
{
    using enum schema::SmiType;
    switch (object.type) {
    case DisplayString:
        if (static_cast<int64_t>(var.val_len) < object.low || static_cast<int64_t>(var.val_len) > object.high)
            return SNMP_ERR_WRONGLENGTH;
        break;
    case MacAddress:
        if (var.val_len != 6)
            return SNMP_ERR_WRONGLENGTH;
        break;
    case IpAddress:
        if (var.val_len != 4)
            return SNMP_ERR_WRONGLENGTH;
        break;
    default:
        break;
    }
    return SNMP_ERR_NOERROR;
}

int SetValidator::checkValue(const schema::ObjectDef &object, const netsnmp_variable_list &var)
{
    using enum schema::SmiType;
    switch (object.type) {
    case Integer:
    case RowStatus:
    case Gauge: {
        const int64_t value = *var.val.integer;
        if (value < object.low || value > object.high)
            return SNMP_ERR_WRONGVALUE;
        if (object.enumValues && schema::enumLabel(object, value).empty())
            return SNMP_ERR_WRONGVALUE;
        break;
    }
    case DisplayString:
        if (!isPrintable(var.val.string, var.val_len))
            return SNMP_ERR_WRONGVALUE;
        break;
    case IpAddress: {
        const uint32_t address = uint32_t(var.val.string[0]) << 24 | uint32_t(var.val.string[1]) << 16 |
                                 uint32_t(var.val.string[2]) << 8 | var.val.string[3];
        const std::string_view name = object.name;
        if (name == "trbLanSubnetMask" && !isContiguousMask(address))
            return SNMP_ERR_WRONGVALUE;
        if (name == "trbLanIpAddress" && !isUsableHostAddress(address))
            return SNMP_ERR_WRONGVALUE;
        if (name == "trbLanGateway" && address != 0 && !isUsableHostAddress(address))
            return SNMP_ERR_WRONGVALUE;
        break;
    }
    default:
        break;
    }
    return SNMP_ERR_NOERROR;
}

// DisplayString is NVT ASCII: printable characters only (CR and LF are not useful in these names).
bool SetValidator::isPrintable(const u_char *text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (text[i] < 0x20 || text[i] > 0x7e)
            return false;
    return true;
}

bool SetValidator::isContiguousMask(uint32_t mask)
{
    if (mask == 0)
        return false;
    const uint32_t inverted = ~mask;
    return (inverted & (inverted + 1)) == 0;
}

// Not 0.0.0.0, not loopback, not multicast or reserved, not the limited broadcast.
bool SetValidator::isUsableHostAddress(uint32_t address)
{
    const uint32_t first = address >> 24;
    return first != 0 && first != 127 && first < 224;
}

SnmpValue SetValidator::valueOf(const netsnmp_variable_list &var)
{
    SnmpValue value;
    value.asnType = var.type;
    if (var.type == ASN_OCTET_STR || var.type == ASN_IPADDRESS)
        value.bytes.assign(reinterpret_cast<const char *>(var.val.string), var.val_len);
    else if (var.type == ASN_INTEGER)
        value.number = *var.val.integer;
    else
        value.number = static_cast<uint32_t>(*var.val.integer);
    return value;
}

} // namespace trb::sim
