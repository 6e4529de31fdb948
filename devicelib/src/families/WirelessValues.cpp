#include "WirelessValues.h"

#include <map>
#include <stdexcept>

#include "TRB4820apHelp.h"
#include "ValueConversion.h"

namespace trb::devicelib {

const Binding &WirelessValues::bindingOf(const char *object, const Oid &index)
{
    static const std::map<Oid, const Binding *> byOid = [] {
        std::map<Oid, const Binding *> bindings;
        for (const Binding *b : bindingsOfGroups(Family::Wireless, AP_WL_GROUP_ALL))
            bindings.emplace(instanceOidOf(*b), b);
        return bindings;
    }();
    const schema::ObjectDef *def = schema::findObject(object);
    auto it = def ? byOid.find(schema::instanceOid(*def, index)) : byOid.end();
    if (it == byOid.end())
        throw std::logic_error(std::string("no wireless binding for ") + object);
    return *it->second;
}

const SnmpValue *WirelessValues::find(const char *object, const Oid &index) const
{
    auto it = state_.lastRead.find(instanceOidOf(bindingOf(object, index)));
    return it == state_.lastRead.end() ? nullptr : &it->second;
}

int64_t WirelessValues::number(const char *object, const Oid &index) const
{
    const SnmpValue *value = find(object, index);
    const bool numeric = value && (value->type == asn::Integer || value->type == asn::Gauge);
    return numeric ? value->integer : 0;
}

std::string WirelessValues::text(const char *object, const Oid &index) const
{
    const SnmpValue *value = find(object, index);
    if (!value)
        return {};
    switch (value->type) {
    case asn::OctetString:
        return schema::findObject(object)->type == schema::SmiType::MacAddress ? macToHex(value->bytes)
                                                                                : value->bytes;
    case asn::IpAddress:
        return ipOctetsToText(value->bytes);
    default:
        return {};
    }
}

void WirelessValues::copyText(const char *object, const Oid &index, char *slot, std::size_t size) const
{
    copyBoundedText(text(object, index), slot, size);
}

} // namespace trb::devicelib
