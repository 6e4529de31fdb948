// Device commands: restart, factory defaults, save and activate, discard, clear language pack.
#include "TRB4820apHelp.h"

#include "FamilyBindings.h"
#include "FamilyCalls.h"

using namespace trb::devicelib;

namespace trb::devicelib {

// Written through apSysCommand, read back as idle.
void addCommandBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family CO = Family::Command;
    table.rows.push_back({CO, 1, LayoutNone, "trbDeviceCommand", {}, 0, 4, Integer32});
    table.rows.push_back({CO, 1, LayoutNone, "trbLanguagePack", {}, 0, 0, Text});
}

} // namespace trb::devicelib

extern "C" {

APHANDLE apSysCommandObjOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::Command, 1); }

int apSysCommand(APHANDLE handle, int command, int wait)
{
    auto state = familyHandle(handle, Family::Command);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (command < 0 || command > 4 || wait < 0)
        return AP_ERR_BAD_ARGUMENT;
    const Binding *commandBinding = bindingsOfGroups(Family::Command, 1).front();
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = command + 1; // 0 is the agent's idle
    std::lock_guard lock(state->mutex);
    state->staged = {{1, instanceOidOf(*commandBinding), value}};
    state->stagedTimeoutMs = uint32_t(wait);
    return AP_OK;
}

} // extern "C"
