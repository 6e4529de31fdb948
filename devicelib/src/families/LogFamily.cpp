// Device log: the remote log server and log types, the e-mail notification (its password a
// secret: read with the write community), and two actions, sending the log to the PC by TFTP
// and clearing it.
#include "TRB4820apHelp.h"

#include <cstring>
#include <string>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace {

// The values of apSysLogSettingsGetLog gathered in one record, so they bind like any other layout.
struct LogRequestRecord {
    char pcAddress[AP_LOG_ADDRESS_SIZE];
    char fileName[64];
    int32_t action;
};

constexpr int32_t kSendLog = 1;
constexpr int32_t kClearLog = 1;
constexpr const char *kNoAddress = "0.0.0.0";

} // namespace

namespace trb::devicelib {

void addLogBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family LG = Family::Log;
    auto add = [&table](uint32_t group, uint32_t layout, const char *object, uint32_t offset, uint32_t size,
                        Conversion conversion) {
        table.rows.push_back({LG, group, layout, object, {}, offset, size, conversion});
    };
    using S = apLogSettingsRecord;
    constexpr uint32_t GS = AP_LOG_GROUP_SETTINGS;
    add(GS, LayoutLogSettings, "trbLogServer", TRB_SLOT(S, serverAddress), IpText);
    add(GS, LayoutLogSettings, "trbLogSystemActivity", TRB_SLOT(S, systemActivity), Integer32);
    add(GS, LayoutLogSettings, "trbLogWirelessActivity", TRB_SLOT(S, wirelessActivity), Integer32);
    add(GS, LayoutLogSettings, "trbLogNotice", TRB_SLOT(S, notice), Integer32);
    add(GS, LayoutLogSettings, "trbRemoteLogEnable", TRB_SLOT(S, remoteLogEnable), Integer32);

    using E = apEmailNtfRecord;
    constexpr uint32_t GE = AP_LOG_GROUP_EMAIL;
    add(GE, LayoutEmailNtf, "trbEmailServer", TRB_SLOT(E, serverAddress), IpText);
    add(GE, LayoutEmailNtf, "trbEmailAuthentication", TRB_SLOT(E, authentication), Integer32);
    add(GE, LayoutEmailNtf, "trbEmailUserName", TRB_SLOT(E, userName), Text);
    add(GE, LayoutEmailNtf, "trbEmailPassword", TRB_SLOT(E, password), Text);
    add(GE, LayoutEmailNtf, "trbEmailSchedule", TRB_SLOT(E, schedule), Text);
    add(GE, LayoutEmailNtf, "trbEmailSmtpPort", TRB_SLOT(E, smtpPort), Integer32);
    add(GE, LayoutEmailNtf, "trbEmailSslTls", TRB_SLOT(E, sslTls), Integer32);
    add(GE, LayoutEmailNtf, "trbEmailServerType", TRB_SLOT(E, serverType), Integer32);
    add(GE, LayoutEmailNtf, "trbEmailNotification", TRB_SLOT(E, enable), Integer32);
    add(GE, LayoutEmailNtf, "trbEmailFrom", TRB_SLOT(E, fromAddress), Text);
    add(GE, LayoutEmailNtf, "trbEmailTo", TRB_SLOT(E, toAddress), Text);

    // In this order: the device sends the log once it has the address and the name.
    using R = LogRequestRecord;
    constexpr uint32_t GR = AP_LOG_GROUP_REQUEST;
    add(GR, LayoutLogRequest, "trbLogRequestAddress", TRB_SLOT(R, pcAddress), IpText);
    add(GR, LayoutLogRequest, "trbLogRequestFile", TRB_SLOT(R, fileName), Text);
    add(GR, LayoutLogRequest, "trbLogRequestAction", TRB_SLOT(R, action), Integer32);
    add(GR, LayoutNone, "trbLogClear", 0, 4, Integer32);

    table.layout(LayoutLogSettings, sizeof(apLogSettingsRecord));
    table.layout(LayoutEmailNtf, sizeof(apEmailNtfRecord));
    table.layout(LayoutLogRequest, sizeof(LogRequestRecord));
}

} // namespace trb::devicelib

namespace {

int stageRecord(APHANDLE handle, uint32_t layout, const void *record)
{
    return stageLayoutRecord(handle, Family::Log, layout, record);
}

// A layout's record as the handle's last read holds it; false for a handle of another family.
template <typename Record>
bool readRecord(APHANDLE handle, uint32_t layout, Record &record)
{
    auto state = familyHandle(handle, Family::Log);
    if (!state)
        return false;
    record = Record{};
    decodeLayout(*state, layout, &record);
    return true;
}

// An address slot from the caller's text: "" means none (0.0.0.0); false when it cannot fit.
bool addressSlot(const char *text, char (&slot)[AP_LOG_ADDRESS_SIZE])
{
    const std::string_view address = slotText(text, AP_LOG_ADDRESS_SIZE);
    if (address.size() >= AP_LOG_ADDRESS_SIZE)
        return false;
    copyBoundedText(address.empty() ? std::string_view(kNoAddress) : address, slot, sizeof slot);
    return true;
}

// A text slot of the caller's record that holds its NUL (a slot without one is no text).
bool terminated(const char *slot, std::size_t size) { return std::memchr(slot, '\0', size) != nullptr; }

} // namespace

extern "C" {

APHANDLE apSysLogSettingsOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Log, AP_LOG_GROUP_ALL);
}

int apSysLogSettingsGetLog(APHANDLE handle, const char *pcAddress, const char *fileName)
{
    if (!familyHandle(handle, Family::Log))
        return AP_ERR_BAD_HANDLE;
    if (!pcAddress || !fileName)
        return AP_ERR_BAD_ARGUMENT;
    LogRequestRecord record{};
    const std::string_view name = slotText(fileName, sizeof record.fileName);
    if (!addressSlot(pcAddress, record.pcAddress) || name.empty() || name.size() >= sizeof record.fileName)
        return AP_ERR_BAD_ARGUMENT;
    copyBoundedText(name, record.fileName, sizeof record.fileName);
    record.action = kSendLog;
    return stageRecord(handle, LayoutLogRequest, &record);
}

int apSysLogSettingsClearLog(APHANDLE handle)
{
    auto state = familyHandle(handle, Family::Log);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    for (const Binding *b : bindingsOfGroups(Family::Log, AP_LOG_GROUP_REQUEST))
        if (std::string_view(b->object) == "trbLogClear") {
            SnmpValue value;
            value.type = asn::Integer;
            value.integer = kClearLog;
            stageValues(*state, {{b->groupBit, instanceOidOf(*b), value}});
            return AP_OK;
        }
    return AP_ERR_BAD_HANDLE; // no binding: cannot happen with the schema built in
}

int apSysLogSettingsParaGet(APHANDLE handle, char *serverAddress, int *systemActivity, int *wirelessActivity,
                            int *notice)
{
    apLogSettingsRecord record;
    if (!readRecord(handle, LayoutLogSettings, record))
        return AP_ERR_BAD_HANDLE;
    if (serverAddress)
        copyBoundedText(slotText(record.serverAddress, sizeof record.serverAddress), serverAddress,
                        AP_LOG_ADDRESS_SIZE);
    putOptional(systemActivity, record.systemActivity);
    putOptional(wirelessActivity, record.wirelessActivity);
    putOptional(notice, record.notice);
    return AP_OK;
}

int apSysLogSettingsParaSet(APHANDLE handle, const char *serverAddress, int systemActivity, int wirelessActivity,
                            int notice, int remoteLogEnable)
{
    if (!familyHandle(handle, Family::Log))
        return AP_ERR_BAD_HANDLE;
    apLogSettingsRecord record{{}, systemActivity, wirelessActivity, notice, remoteLogEnable};
    if (!serverAddress || !addressSlot(serverAddress, record.serverAddress))
        return AP_ERR_BAD_ARGUMENT;
    return stageRecord(handle, LayoutLogSettings, &record);
}

int apSysLogSettingsEmailNtfGet(APHANDLE handle, char *reserved, apEmailNtfRecord *record)
{
    apEmailNtfRecord read;
    if (!readRecord(handle, LayoutEmailNtf, read))
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    *record = read;
    if (reserved)
        reserved[0] = '\0';
    return AP_OK;
}

int apSysLogSettingsEmailNtfSet(APHANDLE handle, int serverType, const apEmailNtfRecord *record)
{
    if (!familyHandle(handle, Family::Log))
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    for (const char *slot : {record->userName, record->password, record->fromAddress, record->toAddress})
        if (!terminated(slot, AP_LOG_TEXT_SIZE))
            return AP_ERR_BAD_ARGUMENT;
    if (!terminated(record->schedule, sizeof record->schedule))
        return AP_ERR_BAD_ARGUMENT;
    apEmailNtfRecord staged = *record;
    staged.serverType = serverType;
    if (!addressSlot(record->serverAddress, staged.serverAddress))
        return AP_ERR_BAD_ARGUMENT;
    return stageRecord(handle, LayoutEmailNtf, &staged);
}

} // extern "C"
