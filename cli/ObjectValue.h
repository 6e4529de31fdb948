#pragma once
// Managed objects by their MIB names ("trbLanGateway", "trbBandSsid.1") and their values as
// text, both ways, checked against the object schema before anything is sent.
#include <optional>
#include <string>
#include <vector>

#include "ObjectSchema.h"
#include "SnmpValue.h"

namespace trb::ctl {

struct ObjectInstance {
    const schema::ObjectDef *object = nullptr;
    std::vector<uint32_t> instance; // {0} for a scalar
    std::string name;                // as the user wrote it

    devicelib::Oid Oid() const;
};

// The names as the user wrote them, in order.
std::vector<std::string> NamesOf(const std::vector<ObjectInstance> &objects);

class ObjectValue {
public:
    // Nothing, with the reason, for an unknown name or an index the object does not have.
    static std::optional<ObjectInstance> ParseName(const std::string &text, std::string &error);
    // The value to write, or nothing with the reason: a read-only object, a number out of the
    // range, a label the enumeration lacks, text of the wrong length or not printable ASCII, an
    // address that is not dotted IPv4, a MAC that is not 12 hex digits.
    static std::optional<devicelib::SnmpValue> Parse(const schema::ObjectDef &object, const std::string &text,
                                                     std::string &error);
    // The value as text: labels for enumerations, dotted addresses, colon-separated MACs.
    // Error set, and "" returned, when the device answered no such object or another type.
    static std::string Format(const schema::ObjectDef &object, const devicelib::SnmpValue &value,
                              std::string &error);
    // Up time as "3d 04:05:06".
    static std::string FormatTicks(int64_t ticks);
};

} // namespace trb::ctl
