#pragma once
// Decides whether one SET varbind is acceptable, with the SNMPv2 error status of the
// first failing check, in the order SNMPv2 prescribes (writable, type, length, value, creation).
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "DeviceStore.h"

namespace trb::sim {

class SetValidator {
public:
    explicit SetValidator(const DeviceStore &store) : store_(store) {}

    // SNMP_ERR_NOERROR or the error status for the varbind.
    int check(const Oid &name, const netsnmp_variable_list &var) const;
    // The same checks but for the instance's existence: for a row created in the same SET.
    static int checkValueFor(const Oid &name, const netsnmp_variable_list &var);

    // The varbind's value as stored (only for varbinds that passed check).
    static SnmpValue valueOf(const netsnmp_variable_list &var);
    static u_char asnTypeOf(schema::SmiType type);

private:
    int checkWirelessValue(const Oid &name, const netsnmp_variable_list &var) const;
    static bool isClockTime(const std::string &text);
    static int checkLength(const schema::ObjectDef &object, const netsnmp_variable_list &var);
    static int checkValue(const schema::ObjectDef &object, const netsnmp_variable_list &var);
    static bool isPrintable(const u_char *text, size_t length);
    static bool isContiguousMask(uint32_t mask);
    static bool isUsableHostAddress(uint32_t address);

    const DeviceStore &store_;
};

} // namespace trb::sim
