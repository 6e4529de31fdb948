// TFTP commands: where the device fetches a file from or stores one to (the PC's TFTP server),
// the command that acts on the file, and the device's update status and firmware version.
#include "TRB4820apHelp.h"

#include <cstring>
#include <stdexcept>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace {

// What apAdvTFTPSettings stages, as one record so that it binds like any other layout. The
// fields are in the order the set request carries them: the direction, which starts a
// transfer, last.
struct TftpSettingsRecord {
    char address[20];
    char fileName[AP_TFTP_FILE_NAME_SIZE];
    int32_t direction;
};
static_assert(offsetof(TftpSettingsRecord, fileName) == 20);
static_assert(offsetof(TftpSettingsRecord, direction) == 148);
static_assert(sizeof(TftpSettingsRecord) == 152);

struct TftpStatusRecord {
    char status[AP_TFTP_STATUS_SIZE];
    char version[AP_TFTP_VERSION_SIZE];
};
static_assert(offsetof(TftpStatusRecord, version) == 24);
static_assert(sizeof(TftpStatusRecord) == 64);

constexpr const char *kCommandObject = "trbTftpCommand";
constexpr const char *kStatusObject = "trbTftpStatus";
constexpr const char *kVersionObject = "trbFirmwareVersion";

} // namespace

namespace trb::devicelib {

void addTftpCommandBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family TC = Family::TftpCommand;
    using Set = TftpSettingsRecord;
    using Status = TftpStatusRecord;
    constexpr uint32_t S = AP_TFTP_GROUP_SETTINGS;
    table.rows.push_back({TC, S, LayoutTftpSettings, "trbTftpServerAddress", {}, TRB_SLOT(Set, address), IpText});
    table.rows.push_back({TC, S, LayoutTftpSettings, "trbTftpFileName", {}, TRB_SLOT(Set, fileName), Text});
    table.rows.push_back({TC, S, LayoutTftpSettings, "trbTftpDirection", {}, TRB_SLOT(Set, direction), Integer32});
    table.rows.push_back({TC, AP_TFTP_GROUP_COMMAND, LayoutNone, kCommandObject, {}, 0, 4, Integer32});
    constexpr uint32_t U = AP_TFTP_GROUP_STATUS;
    table.rows.push_back({TC, U, LayoutTftpStatus, kStatusObject, {}, TRB_SLOT(Status, status), Text});
    table.rows.push_back({TC, U, LayoutTftpStatus, kVersionObject, {}, TRB_SLOT(Status, version), Text});
    table.layout(LayoutTftpSettings, sizeof(TftpSettingsRecord));
    table.layout(LayoutTftpStatus, sizeof(TftpStatusRecord));
}

} // namespace trb::devicelib

namespace {

const Binding &bindingOf(const char *object) { return bindingNamed(Family::TftpCommand, object); }

bool knownDirection(int direction)
{
    return direction == AP_TFTP_FROM_PC || direction == AP_TFTP_CONFIG_TO_PC || direction == AP_TFTP_ACL_TO_PC;
}

bool knownCommand(int command) { return (command >= 1 && command <= 4) || (command >= 7 && command <= 9); }

// Copies the object's text from the handle's values into the caller's buffer of `size` bytes.
void fillText(const Binding &binding, const std::map<Oid, SnmpValue> &values, char *buffer, std::size_t size)
{
    TftpStatusRecord record{};
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t *>(&record), sizeof record);
    auto it = values.find(instanceOidOf(binding));
    RecordCodec::decode(binding, it == values.end() ? nullptr : &it->second, bytes);
    const char *slot = reinterpret_cast<const char *>(&record) + binding.offset;
    copyBoundedText(slotText(slot, binding.size), buffer, size);
}

// Fills the buffer from the last read now, and again when the next get request completes.
int fillNowAndOnRead(APHANDLE handle, const char *object, char *buffer, std::size_t size)
{
    auto state = familyHandle(handle, Family::TftpCommand);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!buffer)
        return AP_ERR_BAD_ARGUMENT;
    const Binding &binding = bindingOf(object);
    std::lock_guard lock(state->mutex);
    fillText(binding, state->lastRead, buffer, size);
    state->fillsOnRead[instanceOidOf(binding)] = [&binding, buffer, size](const std::map<Oid, SnmpValue> &values) {
        fillText(binding, values, buffer, size);
    };
    return AP_OK;
}

} // namespace

extern "C" {

APHANDLE apSysCommandTftpOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::TftpCommand, AP_TFTP_GROUP_ALL);
}

int apAdvTFTPSettings(APHANDLE handle, const char *pcAddress, const char *fileName, int direction)
{
    auto state = familyHandle(handle, Family::TftpCommand);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!pcAddress || !fileName || !knownDirection(direction))
        return AP_ERR_BAD_ARGUMENT;
    TftpSettingsRecord record{};
    const std::string_view address = slotText(pcAddress, sizeof record.address);
    const std::string_view name = slotText(fileName, sizeof record.fileName);
    // A longer name would be cut to another file's name.
    if (name.size() >= sizeof record.fileName || address.size() >= sizeof record.address)
        return AP_ERR_BAD_ARGUMENT;
    copyBoundedText(address.empty() ? std::string_view("0.0.0.0") : address, record.address, sizeof record.address);
    copyBoundedText(name, record.fileName, sizeof record.fileName);
    record.direction = direction;
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t *>(&record), sizeof record);
    std::vector<StagedValue> staged;
    for (const Binding *b : bindingsOfLayout(LayoutTftpSettings)) {
        std::string reason;
        auto value = RecordCodec::encode(*b, bytes, reason);
        if (!value)
            return AP_ERR_BAD_ARGUMENT; // nothing staged
        staged.push_back({b->groupBit, instanceOidOf(*b), std::move(*value)});
    }
    stageValues(*state, std::move(staged));
    return AP_OK;
}

// The second argument is the original interface's wait hint; the set request's time-out decides.
int apAdvTFTPUpgradeCmd(APHANDLE handle, int, int command)
{
    auto state = familyHandle(handle, Family::TftpCommand);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!knownCommand(command))
        return AP_ERR_BAD_ARGUMENT;
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = command;
    const Binding &binding = bindingOf(kCommandObject);
    stageValues(*state, {{binding.groupBit, instanceOidOf(binding), value}});
    return AP_OK;
}

int apAdvTftpGetUpdStatus(APHANDLE handle, char *status)
{
    return fillNowAndOnRead(handle, kStatusObject, status, AP_TFTP_STATUS_SIZE);
}

int apAdvTftpGetFWversion(APHANDLE handle, char *version)
{
    return fillNowAndOnRead(handle, kVersionObject, version, AP_TFTP_VERSION_SIZE);
}

} // extern "C"
