#pragma once
// Moves single values between SNMP form and a record slot, as a binding says.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "RecordBindings.h"
#include "SnmpValue.h"

namespace trb::devicelib {

class RecordCodec {
public:
    // Zeroes the binding's slot, then fills it from value. A missing value, an exception
    // (noSuchObject ...) or a value of the wrong type leaves the slot zero.
    static void decode(const Binding &binding, const SnmpValue *value, std::span<uint8_t> record);

    // The value to write for the binding's slot; nullopt with a reason when the slot's content
    // is not a valid value for the object (bad address, unknown label, out of range, too long).
    static std::optional<SnmpValue> encode(const Binding &binding, std::span<const uint8_t> record,
                                           std::string &reason);

    // A value, not an exception (noSuchObject ...), that the object's type does not allow.
    static bool wrongType(const schema::ObjectDef &object, const SnmpValue &value);

private:
    static bool typeFits(const schema::ObjectDef &object, const SnmpValue &value);
    static void putWord(std::span<uint8_t> slot, uint32_t word);
    static uint32_t getWord(std::span<const uint8_t> slot);
};

} // namespace trb::devicelib
