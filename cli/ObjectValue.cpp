#include "ObjectValue.h"

#include <charconv>
#include <cstdio>

#include "ValueConversion.h"

namespace trb::ctl {
namespace {

using devicelib::SnmpValue;
namespace asn = devicelib::asn;

std::optional<int64_t> Number(std::string_view text)
{
    int64_t value = 0;
    const auto end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

uint8_t WireType(schema::SmiType type)
{
    switch (type) {
    case schema::SmiType::Integer:
    case schema::SmiType::RowStatus: return asn::Integer;
    case schema::SmiType::DisplayString:
    case schema::SmiType::MacAddress: return asn::OctetString;
    case schema::SmiType::IpAddress: return asn::IpAddress;
    case schema::SmiType::Gauge: return asn::Gauge;
    case schema::SmiType::Counter: return asn::Counter;
    case schema::SmiType::TimeTicks: return asn::TimeTicks;
    }
    return asn::Null;
}

constexpr const char *kRowStatusValues = "active(1),notInService(2),notReady(3),createAndGo(4),createAndWait(5),destroy(6)";

const char *EnumerationOf(const schema::ObjectDef &object)
{
    return object.type == schema::SmiType::RowStatus ? kRowStatusValues : object.enumValues;
}

// The object's labels as the schema gives them; RowStatus has the standard ones.
schema::ObjectDef Labels(const schema::ObjectDef &object)
{
    schema::ObjectDef labels;
    labels.enumValues = EnumerationOf(object);
    return labels;
}

std::optional<SnmpValue> ParseInteger(const schema::ObjectDef &object, const std::string &text, std::string &error)
{
    SnmpValue value;
    value.type = WireType(object.type);
    const char *values = EnumerationOf(object);
    const schema::ObjectDef labels = Labels(object);
    int64_t labelled = 0;
    std::optional<int64_t> number = values && schema::enumValue(labels, text, labelled) ? labelled : Number(text);
    const bool known = number && (values ? !schema::enumLabel(labels, *number).empty()
                                         : *number >= object.low && *number <= object.high);
    if (!known) {
        error = values ? std::string("takes one of ") + values
                       : "takes a whole number from " + std::to_string(object.low) + " to " + std::to_string(object.high);
        return std::nullopt;
    }
    value.integer = *number;
    return value;
}

std::optional<SnmpValue> ParseText(const schema::ObjectDef &object, const std::string &text, std::string &error)
{
    for (const unsigned char c : text)
        if (c < 0x20 || c > 0x7e) {
            error = "takes printable ASCII text only";
            return std::nullopt;
        }
    if (int64_t(text.size()) < object.low || int64_t(text.size()) > object.high) {
        error = "takes " + std::to_string(object.low) + " to " + std::to_string(object.high) + " characters";
        return std::nullopt;
    }
    SnmpValue value;
    value.type = asn::OctetString;
    value.bytes = text;
    return value;
}

std::optional<SnmpValue> ParseIp(const std::string &text, std::string &error)
{
    const std::optional<std::string> octets = devicelib::ipTextToOctets(text);
    if (!octets) {
        error = "takes a dotted IPv4 address such as 192.168.1.1";
        return std::nullopt;
    }
    SnmpValue value;
    value.type = asn::IpAddress;
    value.bytes = *octets;
    return value;
}

std::optional<SnmpValue> ParseMac(const std::string &text, std::string &error)
{
    std::string digits;
    for (const char c : text)
        if (c != ':' && c != '-')
            digits += c;
    const std::optional<std::string> octets = devicelib::macHexToOctets(digits);
    if (!octets || octets->size() != 6) {
        error = "takes a MAC address of 12 hex digits (02:1a:48:20:00:01)";
        return std::nullopt;
    }
    SnmpValue value;
    value.type = asn::OctetString;
    value.bytes = *octets;
    return value;
}

} // namespace

devicelib::Oid ObjectInstance::Oid() const { return schema::instanceOid(*object, instance); }

std::optional<ObjectInstance> ObjectValue::ParseName(const std::string &text, std::string &error)
{
    const std::size_t dot = text.find('.');
    ObjectInstance found;
    found.name = text;
    found.object = schema::findObject(text.substr(0, dot));
    if (!found.object || found.object->access == schema::Access::NotAccessible) {
        error = "no object named " + text.substr(0, dot);
        return std::nullopt;
    }
    for (std::size_t start = dot; start != std::string::npos;) {
        const std::size_t next = text.find('.', start + 1);
        const auto part = Number(std::string_view(text).substr(start + 1, next == std::string::npos ? std::string::npos
                                                                                                      : next - start - 1));
        if (!part || *part < 0 || *part > 0xffffffffLL) {
            error = text + ": an index is a whole number";
            return std::nullopt;
        }
        found.instance.push_back(uint32_t(*part));
        start = next;
    }
    const schema::TableDef *table = schema::tableOf(*found.object);
    if (!table) {
        if (found.instance.empty())
            found.instance = {0};
        if (found.instance != std::vector<uint32_t>{0}) {
            error = text + ": " + found.object->name + " is a scalar (" + found.object->name + " or " +
                    found.object->name + ".0)";
            return std::nullopt;
        }
        return found;
    }
    if (found.instance.size() != table->indexNames.size()) {
        std::string shape = found.object->name;
        for (const char *index : table->indexNames)
            shape += std::string(".<") + index + ">";
        error = text + ": needs its row, as " + shape;
        return std::nullopt;
    }
    for (std::size_t i = 0; i < found.instance.size(); ++i)
        if (const auto *index = schema::findObject(table->indexNames[i]);
            index && (found.instance[i] < index->low || found.instance[i] > index->high)) {
            error = text + ": " + index->name + " is " + std::to_string(index->low) + " to " + std::to_string(index->high);
            return std::nullopt;
        }
    return found;
}

std::optional<SnmpValue> ObjectValue::Parse(const schema::ObjectDef &object, const std::string &text,
                                            std::string &error)
{
    if (object.access != schema::Access::ReadWrite && object.access != schema::Access::ReadCreate) {
        error = "is read-only";
        return std::nullopt;
    }
    switch (object.type) {
    case schema::SmiType::Integer:
    case schema::SmiType::RowStatus:
    case schema::SmiType::Gauge:
        return ParseInteger(object, text, error);
    case schema::SmiType::DisplayString: return ParseText(object, text, error);
    case schema::SmiType::IpAddress: return ParseIp(text, error);
    case schema::SmiType::MacAddress: return ParseMac(text, error);
    default:
        error = "is not written by managers";
        return std::nullopt;
    }
}

std::string ObjectValue::Format(const schema::ObjectDef &object, const SnmpValue &value, std::string &error)
{
    if (value.type == asn::NoSuchObject || value.type == asn::NoSuchInstance || value.type == asn::EndOfMibView) {
        error = "the device has no such object";
        return {};
    }
    if (value.type != WireType(object.type) || (object.type == schema::SmiType::IpAddress && value.bytes.size() != 4)
        || (object.type == schema::SmiType::MacAddress && value.bytes.size() != 6)) {
        error = "the device answered a value of another type";
        return {};
    }
    char text[24] = {};
    switch (object.type) {
    case schema::SmiType::DisplayString: return value.bytes;
    case schema::SmiType::IpAddress:
        return devicelib::ipOctetsToText(value.bytes);
    case schema::SmiType::MacAddress: {
        const auto *b = reinterpret_cast<const unsigned char *>(value.bytes.data());
        std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", b[0], b[1], b[2], b[3], b[4], b[5]);
        return text;
    }
    case schema::SmiType::TimeTicks: return FormatTicks(value.integer);
    default: {
        const std::string_view label = schema::enumLabel(Labels(object), value.integer);
        return label.empty() ? std::to_string(value.integer) : std::string(label);
    }
    }
}

std::string ObjectValue::FormatTicks(int64_t ticks)
{
    const int64_t seconds = ticks / 100;
    char text[48];
    std::snprintf(text, sizeof text, "%lldd %02lld:%02lld:%02lld", static_cast<long long>(seconds / 86400),
                  static_cast<long long>(seconds / 3600 % 24), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

std::vector<std::string> NamesOf(const std::vector<ObjectInstance> &objects)
{
    std::vector<std::string> names;
    for (const ObjectInstance &object : objects)
        names.push_back(object.name);
    return names;
}

} // namespace trb::ctl
