// AP array: membership (on or off, role, array name and password), the synchronization flags and
// the AP mode that decides whether the device may join an array at all.
#include "TRB4820apHelp.h"

#include <cstring>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {
namespace {

// The rows of an array scan (monitor kind 6), walked columns whose row number is the index.
void addArrayScanBindings(BindingTable &table)
{
    using enum Conversion;
    using Found = apArrayEntry;
    using Member = apArrayMember;
    constexpr Family MO = Family::Monitor;
    table.rows.push_back({MO, 1, LayoutArrayFoundRow, "trbApArrayFoundName", {}, TRB_SLOT(Found, name), Text});
    table.rows.push_back({MO, 1, LayoutArrayFoundRow, "trbApArrayFoundMasterIp", {}, TRB_SLOT(Found, masterIp), IpText});
    table.rows.push_back({MO, 1, LayoutArrayFoundRow, "trbApArrayFoundMac", {}, TRB_SLOT(Found, mac), MacHex});
    table.rows.push_back({MO, 1, LayoutArrayFoundRow, "trbApArrayFoundMasters", {}, TRB_SLOT(Found, masters), Integer32});
    table.rows.push_back(
        {MO, 1, LayoutArrayFoundRow, "trbApArrayFoundBackups", {}, TRB_SLOT(Found, backupMasters), Integer32});
    table.rows.push_back({MO, 1, LayoutArrayFoundRow, "trbApArrayFoundSlaves", {}, TRB_SLOT(Found, slaves), Integer32});
    table.rows.push_back({MO, 1, LayoutArrayFoundRow, "trbApArrayFoundTotal", {}, TRB_SLOT(Found, total), Integer32});
    table.rows.push_back({MO, 1, LayoutArrayMemberRow, "trbApArrayMemberRank", {}, TRB_SLOT(Member, role), Integer32});
    table.rows.push_back({MO, 1, LayoutArrayMemberRow, "trbApArrayMemberIp", {}, TRB_SLOT(Member, ipAddress), IpText});
    table.rows.push_back({MO, 1, LayoutArrayMemberRow, "trbApArrayMemberMac", {}, TRB_SLOT(Member, mac), MacHex});
    table.rows.push_back(
        {MO, 1, LayoutArrayMemberRow, "trbApArrayMemberLocation", {}, TRB_SLOT(Member, location), Text});
    table.layout(LayoutArrayFoundRow, sizeof(apArrayEntry));
    table.layout(LayoutArrayMemberRow, sizeof(apArrayMember));
}

} // namespace

void addApArrayBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family AA = Family::ApArray;
    constexpr uint32_t Member = AP_ARRAY_GROUP_MEMBERSHIP;
    table.rows.push_back({AA, Member, LayoutApArray, "trbApArrayFunction", {}, 0, 4, Integer32});
    table.rows.push_back({AA, Member, LayoutApArray, "trbApArrayMemberRole", {}, 0, 4, Integer32});
    table.rows.push_back({AA, Member, LayoutApArray, "trbApArrayScanAllowed", {}, 0, 4, Integer32});
    table.rows.push_back({AA, Member, LayoutApArray, "trbApArrayName", {}, 0, AP_ARRAY_TEXT_SIZE, Text});
    table.rows.push_back({AA, Member, LayoutApArray, "trbApArrayPassword", {}, 0, AP_ARRAY_TEXT_SIZE, Text});
    for (uint32_t item = 1; item <= AP_ARRAY_SYNC_COUNT; ++item)
        table.rows.push_back({AA, AP_ARRAY_GROUP_SYNC, LayoutApArray, "trbApArraySync", {item}, 0, 4, Integer32});
    table.rows.push_back({AA, AP_ARRAY_GROUP_MODE, LayoutApArray, "trbApMode", {}, 0, 4, Integer32});
    addArrayScanBindings(table);
}

} // namespace trb::devicelib

namespace {

const Binding &bindingOf(const char *object, uint32_t item = 0)
{
    return bindingNamed(Family::ApArray, object, item);
}

// The caller holds the handle's lock.
void decodeInto(HandleState &state, const Binding &binding, void *slot)
{
    auto it = state.lastRead.find(instanceOidOf(binding));
    RecordCodec::decode(binding, it == state.lastRead.end() ? nullptr : &it->second,
                        std::span(static_cast<uint8_t *>(slot), binding.size));
}

int32_t numberOf(HandleState &state, const Binding &binding)
{
    int32_t word = 0;
    decodeInto(state, binding, &word);
    return word;
}

std::optional<StagedValue> encodeNumber(const Binding &binding, int32_t number)
{
    std::string reason;
    auto value = RecordCodec::encode(binding, std::span(reinterpret_cast<const uint8_t *>(&number), sizeof number),
                                     reason);
    if (!value)
        return std::nullopt;
    return StagedValue{binding.groupBit, instanceOidOf(binding), std::move(*value)};
}

std::optional<StagedValue> encodeText(const Binding &binding, const char *text)
{
    char slot[AP_ARRAY_TEXT_SIZE] = {};
    if (std::strlen(text) >= sizeof slot)
        return std::nullopt;
    copyBoundedText(text, slot, sizeof slot);
    std::string reason;
    auto value = RecordCodec::encode(binding, std::span(reinterpret_cast<const uint8_t *>(slot), sizeof slot), reason);
    if (!value)
        return std::nullopt;
    return StagedValue{binding.groupBit, instanceOidOf(binding), std::move(*value)};
}

// Stages every value, or none when one of them is not valid.
int stageAll(HandleState &state, std::vector<std::optional<StagedValue>> values)
{
    std::vector<StagedValue> staged;
    for (auto &value : values) {
        if (!value)
            return AP_ERR_BAD_ARGUMENT;
        staged.push_back(std::move(*value));
    }
    stageValues(state, std::move(staged));
    return AP_OK;
}

} // namespace

extern "C" {

APHANDLE apAdvAPArrayOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::ApArray, AP_ARRAY_GROUP_ALL);
}

int apAdvAPArrayGet(APHANDLE handle, int *enable, int *role, int *scanAllowed, char *name, char *password)
{
    auto state = familyHandle(handle, Family::ApArray);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!enable || !role || !scanAllowed || !name || !password)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    *enable = numberOf(*state, bindingOf("trbApArrayFunction"));
    *role = numberOf(*state, bindingOf("trbApArrayMemberRole"));
    *scanAllowed = numberOf(*state, bindingOf("trbApArrayScanAllowed"));
    decodeInto(*state, bindingOf("trbApArrayName"), name);
    decodeInto(*state, bindingOf("trbApArrayPassword"), password);
    return AP_OK;
}

int apAdvAPArraySet(APHANDLE handle, int enable, int role, const char *name, const char *password)
{
    auto state = familyHandle(handle, Family::ApArray);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!name || !password || (enable != 0 && enable != 1))
        return AP_ERR_BAD_ARGUMENT;
    return stageAll(*state, {encodeNumber(bindingOf("trbApArrayFunction"), enable),
                             encodeNumber(bindingOf("trbApArrayMemberRole"), role),
                             encodeText(bindingOf("trbApArrayName"), name),
                             encodeText(bindingOf("trbApArrayPassword"), password)});
}

int apAdvAPArrayParamatersGet(APHANDLE handle, int *flags)
{
    auto state = familyHandle(handle, Family::ApArray);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!flags)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    for (uint32_t item = 1; item <= AP_ARRAY_SYNC_COUNT; ++item)
        flags[item - 1] = numberOf(*state, bindingOf("trbApArraySync", item));
    return AP_OK;
}

int apAdvAPArrayParamatersSet(APHANDLE handle, const int *flags)
{
    auto state = familyHandle(handle, Family::ApArray);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!flags)
        return AP_ERR_BAD_ARGUMENT;
    std::vector<std::optional<StagedValue>> values;
    for (uint32_t item = 1; item <= AP_ARRAY_SYNC_COUNT; ++item)
        values.push_back(encodeNumber(bindingOf("trbApArraySync", item), flags[item - 1]));
    return stageAll(*state, std::move(values));
}

// The radio serves one band at a time in one mode: both bands report it.
int apAdvAPArrayApModeGet(APHANDLE handle, int band, int *mode)
{
    auto state = familyHandle(handle, Family::ApArray);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!mode || (band != 1 && band != 2))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const int32_t stored = numberOf(*state, bindingOf("trbApMode"));
    *mode = stored > 0 ? stored - 1 : 0;
    return AP_OK;
}

} // extern "C"
