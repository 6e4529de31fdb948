#include "RecordCodec.h"

#include <cstring>

#include "ValueConversion.h"

namespace trb::devicelib {
namespace {

// Conversions that write through copyBoundedText, which zero-fills the rest of the slot.
bool writesText(Conversion conversion)
{
    switch (conversion) {
    case Conversion::Integer32:
    case Conversion::BandFromZero:
    case Conversion::OneMeansTrue:
        return false;
    default:
        return true;
    }
}

} // namespace

using schema::SmiType;

bool RecordCodec::typeFits(const schema::ObjectDef &object, const SnmpValue &value)
{
    switch (object.type) {
    case SmiType::Integer:
    case SmiType::RowStatus:
        return value.type == asn::Integer;
    case SmiType::DisplayString:
        return value.type == asn::OctetString;
    case SmiType::MacAddress:
        return value.type == asn::OctetString && value.bytes.size() == 6;
    case SmiType::IpAddress:
        return value.type == asn::IpAddress && value.bytes.size() == 4;
    case SmiType::Gauge:
        return value.type == asn::Gauge;
    case SmiType::Counter:
        return value.type == asn::Counter;
    case SmiType::TimeTicks:
        return value.type == asn::TimeTicks;
    }
    return false;
}

bool RecordCodec::wrongType(const schema::ObjectDef &object, const SnmpValue &value)
{
    const bool exception = value.type == asn::Null || value.type == asn::NoSuchObject
        || value.type == asn::NoSuchInstance || value.type == asn::EndOfMibView;
    return !exception && !typeFits(object, value);
}

void RecordCodec::putWord(std::span<uint8_t> slot, uint32_t word)
{
    if (slot.size() < 4)
        return;
    for (int i = 0; i < 4; ++i)
        slot[i] = uint8_t(word >> (8 * i)); // little-endian, whatever the host
}

uint32_t RecordCodec::getWord(std::span<const uint8_t> slot)
{
    if (slot.size() < 4)
        return 0;
    return uint32_t(slot[0]) | uint32_t(slot[1]) << 8 | uint32_t(slot[2]) << 16 | uint32_t(slot[3]) << 24;
}

void RecordCodec::decode(const Binding &binding, const SnmpValue *value, std::span<uint8_t> record)
{
    if (binding.size == 0 || std::size_t(binding.offset) + binding.size > record.size())
        return;
    std::span<uint8_t> slot = record.subspan(binding.offset, binding.size);
    if (!value || !typeFits(objectOf(binding), *value)) {
        std::memset(slot.data(), 0, slot.size());
        return;
    }
    char *text = reinterpret_cast<char *>(slot.data());
    // A text fills its slot up to the end; a word only its first bytes.
    if (!writesText(binding.conversion))
        std::memset(slot.data(), 0, slot.size());
    switch (binding.conversion) {
    case Conversion::Text:
        copyBoundedText(value->bytes, text, slot.size());
        break;
    case Conversion::EnumLabel:
        copyBoundedText(schema::enumLabel(objectOf(binding), value->integer), text, slot.size());
        break;
    case Conversion::Integer32:
        putWord(slot, uint32_t(value->integer));
        break;
    case Conversion::IpText:
        copyBoundedText(ipOctetsToText(value->bytes), text, slot.size());
        break;
    case Conversion::GatewayText: {
        std::string dotted = ipOctetsToText(value->bytes);
        copyBoundedText(dotted == "0.0.0.0" ? "N/A" : dotted, text, slot.size());
        break;
    }
    case Conversion::MacHex:
        copyBoundedText(macToHex(value->bytes), text, slot.size());
        break;
    case Conversion::UpTimeText:
        copyBoundedText(upTimeText(uint32_t(value->integer)), text, slot.size());
        break;
    case Conversion::BandFromZero:
        putWord(slot, value->integer == 2 ? 1 : 0);
        break;
    case Conversion::OneMeansTrue:
        putWord(slot, value->integer == 1 ? 1 : 0);
        break;
    case Conversion::DecimalText:
        copyBoundedText(std::to_string(value->integer), text, slot.size());
        break;
    }
}

std::optional<SnmpValue> RecordCodec::encode(const Binding &binding, std::span<const uint8_t> record,
                                             std::string &reason)
{
    const schema::ObjectDef &object = objectOf(binding);
    if (binding.size == 0 || std::size_t(binding.offset) + binding.size > record.size()) {
        reason = "no slot";
        return std::nullopt;
    }
    std::span<const uint8_t> slot = record.subspan(binding.offset, binding.size);
    std::string_view text = slotText(reinterpret_cast<const char *>(slot.data()), slot.size());
    SnmpValue value;
    switch (binding.conversion) {
    case Conversion::Text:
        if (int64_t(text.size()) < object.low || int64_t(text.size()) > object.high) {
            reason = std::string(object.name) + ": text length out of range";
            return std::nullopt;
        }
        value.type = asn::OctetString;
        value.bytes = std::string(text);
        return value;
    case Conversion::EnumLabel:
        value.type = asn::Integer;
        if (!schema::enumValue(object, text, value.integer)) {
            reason = std::string(object.name) + ": unknown value \"" + std::string(text) + "\"";
            return std::nullopt;
        }
        return value;
    case Conversion::Integer32:
        value.type = object.type == SmiType::Gauge ? asn::Gauge : asn::Integer;
        value.integer = int32_t(getWord(slot));
        if (value.integer < object.low || value.integer > object.high) {
            reason = std::string(object.name) + ": value out of range";
            return std::nullopt;
        }
        return value;
    case Conversion::IpText:
    case Conversion::GatewayText: {
        bool none = binding.conversion == Conversion::GatewayText && (text.empty() || text == "N/A");
        auto octets = none ? std::optional<std::string>(std::string(4, '\0')) : ipTextToOctets(text);
        if (!octets) {
            reason = std::string(object.name) + ": not a dotted IPv4 address";
            return std::nullopt;
        }
        value.type = asn::IpAddress;
        value.bytes = *octets;
        return value;
    }
    case Conversion::MacHex: {
        auto octets = macHexToOctets(text);
        if (!octets) {
            reason = std::string(object.name) + ": not 12 hex digits";
            return std::nullopt;
        }
        value.type = asn::OctetString;
        value.bytes = *octets;
        return value;
    }
    default:
        reason = std::string(object.name) + ": not writable";
        return std::nullopt;
    }
}

} // namespace trb::devicelib
