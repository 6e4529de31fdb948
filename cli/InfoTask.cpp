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
    std::vector<std::string> names, texts;
    for (const Field &field : kFields)
        names.push_back(field.object);
    const Outcome read = session.ReadNamed(names, texts);
    if (!read.Ok())
        return DeviceResult::Failure(read);
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields.emplace_back(kFields[i].key, texts[i]);
    return DeviceResult::Success(fields);
}

} // namespace trb::ctl
