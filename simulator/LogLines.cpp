#include "LogLines.h"

#include <cstdio>

namespace trb::sim::LogLines {
namespace {

std::string macText(const std::string &octets)
{
    std::string text;
    for (unsigned char octet : octets) {
        char part[4];
        std::snprintf(part, sizeof part, text.empty() ? "%02X" : ":%02X", octet);
        text += part;
    }
    return text;
}

std::string ipText(const std::string &octets)
{
    std::string text;
    for (unsigned char octet : octets)
        text += (text.empty() ? "" : ".") + std::to_string(octet);
    return text;
}

std::string valueText(const schema::ObjectDef &object, const SnmpValue &value)
{
    switch (object.type) {
    case schema::SmiType::DisplayString: return "\"" + value.bytes + "\"";
    case schema::SmiType::IpAddress: return ipText(value.bytes);
    case schema::SmiType::MacAddress: return macText(value.bytes);
    default: break;
    }
    if (object.enumValues) {
        const std::string_view label = schema::enumLabel(object, value.number);
        if (!label.empty())
            return std::string(label);
    }
    return std::to_string(value.number);
}

// ".1.2" for a row index; "" for a scalar.
std::string indexText(const Oid &index)
{
    std::string text;
    for (oid part : index)
        text += "." + std::to_string(part);
    return text;
}

} // namespace

std::string settingChanged(const schema::ObjectDef &object, const Oid &name, const SnmpValue &value)
{
    std::string setting = object.name;
    const std::size_t prefix = schema::kBaseOidLength + object.oid.size();
    if (object.shape == schema::IndexShape::Table && name.size() > prefix)
        setting += indexText(Oid(name.begin() + long(prefix), name.end()));
    if (object.secret)
        return "Setting " + setting + " changed";
    return "Setting " + setting + " changed to " + valueText(object, value);
}

std::string rowAdded(const schema::TableDef &table, const Oid &index)
{
    return std::string("Entry ") + table.name + indexText(index) + " added";
}

std::string rowRemoved(const schema::TableDef &table, const Oid &index)
{
    return std::string("Entry ") + table.name + indexText(index) + " removed";
}

std::string command(long code)
{
    switch (code) {
    case 1: return "Restart requested";
    case 2: return "Factory defaults restored, restarting";
    case 3: return "Configuration saved and activated";
    case 4: return "Unsaved changes discarded, restarting";
    case 5: return "Language pack removed";
    default: return {};
    }
}

std::string stationAssociated(const std::string &macOctets, int64_t band)
{
    return "Station " + macText(macOctets) + " associated on band " + std::to_string(band);
}

} // namespace trb::sim::LogLines
