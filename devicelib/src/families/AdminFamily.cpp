// Administration settings: the login (its password a secret: read with the write community), the
// limit-administrator VLAN, IP limit and address ranges (a table whose rows managers create and
// destroy, the row index being the range's item number), system name, traps, console and ping.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addAdminBindings(BindingTable &table)
{
    constexpr Family AD = Family::Admin;
    auto add = [&table](uint32_t group, uint32_t layout, const char *object, uint32_t offset, uint32_t size,
                        Conversion conversion) {
        table.rows.push_back({AD, group, layout, object, {}, offset, size, conversion});
    };
    add(AP_ADMIN_GROUP_LOGIN, LayoutNone, "trbLoginName", 0, AP_ADMIN_TEXT_SIZE, Conversion::Text);
    add(AP_ADMIN_GROUP_LOGIN, LayoutNone, "trbLoginPassword", 0, AP_ADMIN_TEXT_SIZE, Conversion::Text);

    add(AP_ADMIN_GROUP_LIMIT, LayoutAdminLimit, "trbAdminVlanLimit", TRB_SLOT(apAdminLimitRecord, vlanLimit),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_LIMIT, LayoutAdminLimit, "trbAdminVlanId", TRB_SLOT(apAdminLimitRecord, vlanId),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_LIMIT, LayoutAdminLimit, "trbAdminIpLimit", TRB_SLOT(apAdminLimitRecord, ipLimit),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_LIMIT, LayoutAdminRange, "trbAdminRangeFrom", TRB_SLOT(apAdminRangeEntry, from),
        Conversion::IpText);
    add(AP_ADMIN_GROUP_LIMIT, LayoutAdminRange, "trbAdminRangeTo", TRB_SLOT(apAdminRangeEntry, to), Conversion::IpText);

    add(AP_ADMIN_GROUP_NAME, LayoutAdminName, "trbSystemName", TRB_SLOT(apAdminNameRecord, systemName),
        Conversion::Text);
    add(AP_ADMIN_GROUP_NAME, LayoutAdminName, "trbLocation", TRB_SLOT(apAdminNameRecord, location), Conversion::Text);

    add(AP_ADMIN_GROUP_TRAP, LayoutAdminTrap, "trbTrapStatus", TRB_SLOT(apAdminTrapRecord, status),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_TRAP, LayoutAdminTrap, "trbTrapServer", TRB_SLOT(apAdminTrapRecord, server), Conversion::IpText);

    add(AP_ADMIN_GROUP_CONSOLE, LayoutAdminConsole, "trbConsoleStatus", TRB_SLOT(apAdminConsoleRecord, status),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_CONSOLE, LayoutAdminConsole, "trbConsoleProtocol", TRB_SLOT(apAdminConsoleRecord, protocol),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_CONSOLE, LayoutAdminConsole, "trbConsoleTimeout", TRB_SLOT(apAdminConsoleRecord, timeout),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_CONSOLE, LayoutAdminConsole, "trbPingControl", TRB_SLOT(apAdminConsoleRecord, ping),
        Conversion::Integer32);

    add(AP_ADMIN_GROUP_FUNCTIONS, LayoutAdminFunctions, "trbVlanFunction", TRB_SLOT(apAdminFunctionRecord, vlan),
        Conversion::Integer32);
    add(AP_ADMIN_GROUP_FUNCTIONS, LayoutAdminFunctions, "trbWebRedirection",
        TRB_SLOT(apAdminFunctionRecord, webRedirection), Conversion::Integer32);
    add(AP_ADMIN_GROUP_FUNCTIONS, LayoutAdminFunctions, "trbAccessProtection",
        TRB_SLOT(apAdminFunctionRecord, accessProtection), Conversion::Integer32);
    add(AP_ADMIN_GROUP_FUNCTIONS, LayoutAdminFunctions, "trbApMode", TRB_SLOT(apAdminFunctionRecord, apMode),
        Conversion::Integer32);

    table.layout(LayoutAdminLimit, sizeof(apAdminLimitRecord));
    table.layout(LayoutAdminRange, sizeof(apAdminRangeEntry));
    table.layout(LayoutAdminName, sizeof(apAdminNameRecord));
    table.layout(LayoutAdminTrap, sizeof(apAdminTrapRecord));
    table.layout(LayoutAdminConsole, sizeof(apAdminConsoleRecord));
    table.layout(LayoutAdminFunctions, sizeof(apAdminFunctionRecord));
}

} // namespace trb::devicelib

namespace {

const TableRows &ranges()
{
    static const TableRows rows("trbAdminRangeTable");
    return rows;
}

const Binding &loginBinding(const char *object) { return bindingNamed(Family::Admin, object); }

void decodeText(HandleState &state, const Binding &binding, char *buffer)
{
    auto it = state.lastRead.find(instanceOidOf(binding));
    RecordCodec::decode(binding, it == state.lastRead.end() ? nullptr : &it->second,
                        std::span(reinterpret_cast<uint8_t *>(buffer), AP_ADMIN_TEXT_SIZE));
}

std::optional<StagedValue> encodeText(const Binding &binding, const char *text)
{
    char slot[AP_ADMIN_TEXT_SIZE] = {};
    copyBoundedText(slotText(text, AP_ADMIN_TEXT_SIZE), slot, sizeof slot);
    std::string reason;
    auto value = RecordCodec::encode(binding, std::span(reinterpret_cast<const uint8_t *>(slot), sizeof slot), reason);
    if (!value)
        return std::nullopt;
    return StagedValue{binding.groupBit, instanceOidOf(binding), std::move(*value)};
}

// A layout's record as the handle's last read holds it; false for a handle of another family.
template <typename Record>
bool readRecord(APHANDLE handle, uint32_t layout, Record &record)
{
    auto state = familyHandle(handle, Family::Admin);
    if (!state)
        return false;
    record = Record{};
    decodeLayout(*state, layout, &record);
    return true;
}

int stageRecord(APHANDLE handle, uint32_t layout, const void *record)
{
    return stageLayoutRecord(handle, Family::Admin, layout, record);
}


// The ranges of the last read, in item order. The caller holds the handle's lock.
std::vector<apAdminRangeEntry> rangesOf(const HandleState &state)
{
    return ranges().recordsIn<apAdminRangeEntry>(state.lastRead, LayoutAdminRange);
}

// "from to" for items 1-4, "0.0.0.0 0.0.0.0" where there is no range.
std::string rangeText(const std::vector<apAdminRangeEntry> &entries)
{
    std::string text;
    for (int item = 1; item <= AP_ADMIN_MAX_RANGES; ++item) {
        auto found = std::find_if(entries.begin(), entries.end(), [item](const auto &e) { return e.index == item; });
        if (!text.empty())
            text += ' ';
        text += found == entries.end() ? std::string("0.0.0.0 0.0.0.0") : std::string(found->from) + ' ' + found->to;
    }
    return text;
}

// A range the device can take: two host addresses, in order, in one /24.
bool validRange(const std::string &from, const std::string &to)
{
    auto a = ipTextToOctets(from);
    auto b = ipTextToOctets(to);
    if (!a || !b || *a == std::string(4, '\0'))
        return false;
    return a->compare(0, 3, *b, 0, 3) == 0 && uint8_t((*a)[3]) <= uint8_t((*b)[3]);
}

// The range's two columns as the device takes them.
bool rangeColumns(const char *from, const char *to, TableRows::Row &columns)
{
    apAdminRangeEntry entry{};
    copyBoundedText(slotText(from, sizeof entry.from), entry.from, sizeof entry.from);
    copyBoundedText(slotText(to, sizeof entry.to), entry.to, sizeof entry.to);
    if (!validRange(entry.from, entry.to))
        return false;
    return layoutColumns(LayoutAdminRange, &entry, columns);
}

} // namespace

extern "C" {

APHANDLE apSysAdministratorOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Admin, AP_ADMIN_GROUP_LOGIN);
}

int apSysLoginGet(APHANDLE handle, char *loginName, char *password)
{
    auto state = familyHandle(handle, Family::Admin);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!loginName || !password)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    decodeText(*state, loginBinding("trbLoginName"), loginName);
    decodeText(*state, loginBinding("trbLoginPassword"), password);
    return AP_OK;
}

int apSysLoginSet(APHANDLE handle, const char *loginName, const char *password)
{
    auto state = familyHandle(handle, Family::Admin);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!loginName || !password)
        return AP_ERR_BAD_ARGUMENT;
    auto name = encodeText(loginBinding("trbLoginName"), loginName);
    auto secret = encodeText(loginBinding("trbLoginPassword"), password);
    if (!name || !secret)
        return AP_ERR_BAD_ARGUMENT; // too long: nothing staged
    stageValues(*state, {std::move(*name), std::move(*secret)});
    return AP_OK;
}

int apSysLimitAdminFunctionStatusGet(APHANDLE handle, int *vlan, int *webRedirection, int *accessProtection,
                                     int *mode)
{
    apAdminFunctionRecord record;
    if (!readRecord(handle, LayoutAdminFunctions, record))
        return AP_ERR_BAD_HANDLE;
    putOptional(vlan, record.vlan);
    putOptional(webRedirection, record.webRedirection);
    putOptional(accessProtection, record.accessProtection);
    // The device counts its modes from 1; compared first, so that no value of its overflows.
    putOptional(mode, record.apMode > 0 ? record.apMode - 1 : 0);
    return AP_OK;
}

int apSysLimitAdministratorGet(APHANDLE handle, int *vlanLimit, int *vlanId, int *ipLimit, char *rangeList,
                               int *rangeCount)
{
    apAdminLimitRecord record;
    if (!readRecord(handle, LayoutAdminLimit, record))
        return AP_ERR_BAD_HANDLE;
    putOptional(vlanLimit, record.vlanLimit);
    putOptional(vlanId, record.vlanId);
    putOptional(ipLimit, record.ipLimit);
    auto state = familyHandle(handle, Family::Admin);
    std::lock_guard lock(state->mutex);
    const std::vector<apAdminRangeEntry> entries = rangesOf(*state);
    if (rangeList)
        copyBoundedText(rangeText(entries), rangeList, AP_ADMIN_RANGE_TEXT_SIZE);
    putOptional(rangeCount, int32_t(entries.size()));
    return AP_OK;
}

int apSysLimitAdministratorSet(APHANDLE handle, int vlanLimit, int vlanId, int ipLimit, int)
{
    const apAdminLimitRecord record{vlanLimit, vlanId, ipLimit};
    return stageRecord(handle, LayoutAdminLimit, &record);
}

int apSysLimitAdministratorAdd(APHANDLE handle, const char *from, const char *to)
{
    auto state = familyHandle(handle, Family::Admin);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    TableRows::Row columns;
    if (!from || !to || !rangeColumns(from, to, columns))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    auto index = ranges().freeIndex(state->lastRead, state->staged);
    if (!index)
        return AP_ERR_BAD_ARGUMENT;
    for (StagedValue &value : ranges().add(AP_ADMIN_GROUP_LIMIT, {*index}, columns))
        state->staged.push_back(std::move(value));
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apSysLimitAdministratorDelete(APHANDLE handle, int item)
{
    auto state = familyHandle(handle, Family::Admin);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    bool known = false;
    {
        std::lock_guard lock(state->mutex);
        const std::vector<apAdminRangeEntry> entries = rangesOf(*state);
        known = std::any_of(entries.begin(), entries.end(), [item](const auto &e) { return e.index == item; });
    }
    if (!known)
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {ranges().remove(AP_ADMIN_GROUP_LIMIT, {uint32_t(item)})});
    return AP_OK;
}

int apSysNameSettingGet(APHANDLE handle, char *name, char *location)
{
    apAdminNameRecord record;
    if (!readRecord(handle, LayoutAdminName, record))
        return AP_ERR_BAD_HANDLE;
    if (!name || !location)
        return AP_ERR_BAD_ARGUMENT;
    std::memcpy(name, record.systemName, sizeof record.systemName);
    std::memcpy(location, record.location, sizeof record.location);
    return AP_OK;
}

int apSysNameSettingSet(APHANDLE handle, const char *name, const char *location)
{
    if (!name || !location)
        return familyHandle(handle, Family::Admin) ? AP_ERR_BAD_ARGUMENT : AP_ERR_BAD_HANDLE;
    apAdminNameRecord record{};
    copyBoundedText(slotText(name, AP_ADMIN_TEXT_SIZE), record.systemName, sizeof record.systemName);
    copyBoundedText(slotText(location, AP_ADMIN_TEXT_SIZE), record.location, sizeof record.location);
    return stageRecord(handle, LayoutAdminName, &record);
}

int apSysTrapSettingGet(APHANDLE handle, int *status, char *server)
{
    apAdminTrapRecord record;
    if (!readRecord(handle, LayoutAdminTrap, record))
        return AP_ERR_BAD_HANDLE;
    putOptional(status, record.status);
    if (server)
        copyBoundedText(slotText(record.server, sizeof record.server), server, AP_ADMIN_TRAP_TEXT_SIZE);
    return AP_OK;
}

int apSysTrapSettingSet(APHANDLE handle, int status, const char *server)
{
    if (!server)
        return familyHandle(handle, Family::Admin) ? AP_ERR_BAD_ARGUMENT : AP_ERR_BAD_HANDLE;
    apAdminTrapRecord record{status, {}};
    copyBoundedText(slotText(server, AP_ADMIN_TRAP_TEXT_SIZE), record.server, sizeof record.server);
    return stageRecord(handle, LayoutAdminTrap, &record);
}

int apSysConsolSettingGet(APHANDLE handle, int *status, int *protocol, int *timeout, int *ping)
{
    apAdminConsoleRecord record;
    if (!readRecord(handle, LayoutAdminConsole, record))
        return AP_ERR_BAD_HANDLE;
    putOptional(status, record.status);
    putOptional(protocol, record.protocol);
    putOptional(timeout, record.timeout);
    putOptional(ping, record.ping);
    return AP_OK;
}

int apSysConsolSettingSet(APHANDLE handle, int status, int protocol, int timeout, int ping)
{
    const apAdminConsoleRecord record{status, protocol, timeout, ping};
    return stageRecord(handle, LayoutAdminConsole, &record);
}

} // extern "C"
