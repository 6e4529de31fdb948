#include "InfoTask.h"

namespace trb::ctl {
namespace {

struct Field {
    const char *column;
    const char *key; // in --json
    const char *object;
};

const Field kFields[] = {
    {"MODEL", "model", "trbModelName"},
    {"FIRMWARE", "firmware", "trbFirmwareVersion"},
    {"MAC", "mac", "trbEthernetMac"},
    {"IP", "ip", "trbLanIpAddress"},
    {"UP TIME", "uptime", "trbUpTime"},
    {"SSID 2.4 GHZ", "ssid_2_4ghz", "trbBandSsid.1"},
    {"SSID 5 GHZ", "ssid_5ghz", "trbBandSsid.2"},
};

} // namespace

std::vector<std::string> InfoTask::Columns() const
{
    std::vector<std::string> columns;
    for (const Field &field : kFields)
        columns.push_back(field.column);
    return columns;
}

DeviceResult InfoTask::Run(const DeviceAddress &, DeviceSession &session, const StepFunction &)
{
    std::vector<std::string> objects, keys, texts;
    for (const Field &field : kFields) {
        objects.push_back(field.object);
        keys.push_back(field.key);
    }
    const Outcome read = session.ReadNamed(objects, texts);
    if (!read.Ok())
        return DeviceResult::Failure(read);
    return DeviceResult::Success(keys, texts);
}

} // namespace trb::ctl
