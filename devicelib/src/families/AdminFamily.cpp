// Administration settings: the login name and password (a secret: read with the write community).
#include "TRB4820apHelp.h"

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addAdminBindings(BindingTable &table)
{
    constexpr Family AD = Family::Admin;
    table.rows.push_back({AD, AP_ADMIN_GROUP_LOGIN, LayoutNone, "trbLoginName", {}, 0, AP_ADMIN_TEXT_SIZE, Conversion::Text});
    table.rows.push_back(
        {AD, AP_ADMIN_GROUP_LOGIN, LayoutNone, "trbLoginPassword", {}, 0, AP_ADMIN_TEXT_SIZE, Conversion::Text});
}

} // namespace trb::devicelib

namespace {

const Binding &loginBinding(const char *object)
{
    for (const Binding *b : bindingsOfGroups(Family::Admin, AP_ADMIN_GROUP_LOGIN))
        if (std::string_view(b->object) == object)
            return *b;
    throw std::logic_error(std::string("no binding for ") + object);
}

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

} // extern "C"
