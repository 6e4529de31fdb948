#include "Device.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace trb::sim {

Device::Device(DeviceStore factory, std::string statePath, std::chrono::milliseconds rebootTime,
               Neighbourhood neighbourhood)
    : store_(std::move(factory)), factoryConfig_(store_.config()), savedConfig_(factoryConfig_),
      statePath_(std::move(statePath)), rebootTime_(rebootTime), bootTime_(Clock::now()),
      neighbourhood_(std::move(neighbourhood)),
      upTimeOid_(DeviceStore::instanceOf("trbUpTime")),
      systemTimeOid_(DeviceStore::instanceOf("trbSystemTime")),
      cpuOid_(DeviceStore::instanceOf("trbCpuLoad")), memoryOid_(DeviceStore::instanceOf("trbMemoryLoad")),
      commandOid_(DeviceStore::instanceOf("trbDeviceCommand")),
      languagePackOid_(DeviceStore::instanceOf("trbLanguagePack")),
      scanOid_(DeviceStore::instanceOf("trbSurveyScan"))
{
    const schema::TableDef &table = *schema::findTable("trbWiredMacTable");
    const schema::ObjectDef *column = schema::findObject("trbWiredMac");
    uint32_t index = 0;
    for (const MacBytes &mac : neighbourhood_.wiredMacs())
        store_.addRow(table, {++index}, {{column, SnmpValue::text(std::string(mac.begin(), mac.end()))}});
}

void Device::write(const Oid &name, SnmpValue value)
{
    if (name == scanOid_) {
        scan(long(value.number));
        return;
    }
    store_.set(name, std::move(value));
}

int Device::refusal(const Oid &name, long value) const
{
    return name == scanOid_ && surveyBlocked(value) ? SNMP_ERR_INCONSISTENTVALUE : SNMP_ERR_NOERROR;
}

// Replaces the band's rows with what the radio hears now. Idle (0), as an undo writes it, does nothing.
void Device::scan(long band)
{
    if (band < 1 || band > 2)
        return;
    const schema::TableDef &table = *schema::findTable("trbNeighbourTable");
    const auto row = [band](uint32_t number) { return Oid{oid(band), oid(number)}; };
    // Rows are numbered from 1 without gaps.
    for (uint32_t number = 1; !store_.removeRow(table, row(number)).empty(); ++number) {
    }
    const auto column = [](const char *name) { return schema::findObject(name); };
    uint32_t number = 0;
    for (const Neighbour &ap : neighbourhood_.scan(int(band)))
        store_.addRow(table, row(++number),
                      {{column("trbNeighbourChannel"), SnmpValue::integer(ap.channel)},
                       {column("trbNeighbourSignal"), SnmpValue::integer(ap.signal)},
                       {column("trbNeighbourBssid"), SnmpValue::text(std::string(ap.bssid.begin(), ap.bssid.end()))},
                       {column("trbNeighbourSecurity"), SnmpValue::text(ap.security)},
                       {column("trbNeighbourSsid"), SnmpValue::text(ap.ssid)}});
}

// The per-band flag lives with the radio settings; a device without it never blocks.
bool Device::surveyBlocked(long band) const
{
    const auto *flag = schema::findObject(kSurveyBlockedObject);
    if (!flag || band < 1 || band > 2)
        return false;
    const SnmpValue *value = store_.find(DeviceStore::instanceOf(kSurveyBlockedObject, {uint32_t(band)}));
    return value && value->number != 0;
}

std::string Device::loadState()
{
    // Saves cut short by a kill leave their temporaries; the saved file itself is whole.
    StateFile::removeStaleTemporaries(statePath_);
    auto result = StateFile::load(statePath_, store_);
    switch (result.status) {
    case StateFile::LoadStatus::Missing:
        return {};
    case StateFile::LoadStatus::Corrupt:
        stateFileUnusable_ = true;
        return "state file " + statePath_ + " is unusable (" + result.error +
               "); starting with factory defaults. The file is left as it is until the next save, "
               "which first moves it to " + statePath_ + ".corrupt";
    case StateFile::LoadStatus::Loaded:
        break;
    }
    savedConfig_ = result.state.config;
    store_.applyConfig(savedConfig_);
    setLanguagePack(result.state.languagePack);
    return {};
}

std::optional<SnmpValue> Device::read(const Oid &name) const
{
    const SnmpValue *stored = store_.find(name);
    if (!stored)
        return std::nullopt;
    if (name == upTimeOid_) {
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - bootTime_);
        return SnmpValue::timeTicks((elapsed.count() / 10) & 0xffffffffLL);
    }
    if (name == systemTimeOid_)
        return systemTime();
    if (name == cpuOid_)
        return cpuLoad();
    if (name == memoryOid_)
        return memoryLoad();
    if (name == commandOid_)
        return SnmpValue::integer(Idle);
    if (const auto *object = store_.objectOf(name); std::string_view(object->name) == "trbBandWirelessState")
        return wirelessState(name.back());
    return *stored;
}

std::string Device::persist(const SavedState &state)
{
    if (stateFileUnusable_) {
        const std::string aside = statePath_ + ".corrupt";
        if (std::rename(statePath_.c_str(), aside.c_str()) == 0)
            std::fprintf(stderr, "trb4820-sim: moved the unusable state file to %s\n", aside.c_str());
        stateFileUnusable_ = false;
    }
    return StateFile::save(statePath_, state);
}

int Device::runCommand(long command)
{
    SavedState next{savedConfig_, languagePack()};
    switch (command) {
    case Idle:
        return SNMP_ERR_NOERROR;
    case Restart:
        rebootPending_ = true;
        return SNMP_ERR_NOERROR;
    case DiscardChanges:
        store_.applyConfig(savedConfig_);
        rebootPending_ = true;
        return SNMP_ERR_NOERROR;
    case SaveAndActivate:
        next.config = store_.config();
        break;
    case RestoreDefaults:
        next.config = factoryConfig_;
        break;
    case ClearLanguagePack:
        next.languagePack.clear();
        break;
    default:
        return SNMP_ERR_WRONGVALUE;
    }
    lastError_ = persist(next);
    if (!lastError_.empty()) {
        std::fprintf(stderr, "trb4820-sim: %s\n", lastError_.c_str());
        return SNMP_ERR_COMMITFAILED;
    }
    savedConfig_ = next.config;
    store_.applyConfig(savedConfig_);
    setLanguagePack(next.languagePack);
    if (command == RestoreDefaults)
        rebootPending_ = true;
    return SNMP_ERR_NOERROR;
}

void Device::startPendingReboot()
{
    if (!rebootPending_)
        return;
    rebootPending_ = false;
    rebootUntil_ = Clock::now() + rebootTime_;
}

bool Device::rebooting()
{
    if (!rebootUntil_)
        return false;
    if (Clock::now() < *rebootUntil_)
        return true;
    // Coming back up: the saved configuration runs, the up time starts again.
    rebootUntil_.reset();
    store_.applyConfig(savedConfig_);
    bootTime_ = Clock::now();
    return false;
}

// A band is in service exactly when its radio is switched on.
SnmpValue Device::wirelessState(oid band) const
{
    const SnmpValue *radio = store_.find(DeviceStore::instanceOf("trbBandRadioState", {static_cast<uint32_t>(band)}));
    const bool on = radio && radio->number == 1;
    return SnmpValue::integer(on ? 1 : 2);
}

void Device::setLanguagePack(const std::string &name)
{
    if (store_.contains(languagePackOid_))
        store_.set(languagePackOid_, SnmpValue::text(name));
}

std::string Device::languagePack() const
{
    const SnmpValue *value = store_.find(languagePackOid_);
    return value ? value->bytes : std::string();
}

// Load drifts slowly with time, with a little jitter, like a lightly used access point.
SnmpValue Device::cpuLoad() const
{
    const double t = std::chrono::duration<double>(Clock::now() - bootTime_).count();
    const int jitter = std::rand() % 5;
    return SnmpValue::gauge(std::lround(12 + 8 * std::sin(t / 20.0)) + jitter);
}

SnmpValue Device::memoryLoad() const
{
    const double t = std::chrono::duration<double>(Clock::now() - bootTime_).count();
    return SnmpValue::gauge(std::lround(38 + 4 * std::sin(t / 90.0)) + std::rand() % 2);
}

SnmpValue Device::systemTime() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return SnmpValue::text(text);
}

} // namespace trb::sim
