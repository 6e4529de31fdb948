#include "Device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "IntrusionDetector.h"

namespace trb::sim {

Device::Device(DeviceStore factory, std::string statePath, std::chrono::milliseconds rebootTime,
               Neighbourhood neighbourhood, uint32_t counterStart)
    : store_(std::move(factory)), factoryConfig_(store_.config()), savedConfig_(factoryConfig_),
      statePath_(std::move(statePath)), rebootTime_(rebootTime), bootTime_(Clock::now()),
      neighbourhood_(std::move(neighbourhood)), counters_(counterStart, stationsOn(1), stationsOn(2)),
      upTimeOid_(DeviceStore::instanceOf("trbUpTime")),
      systemTimeOid_(DeviceStore::instanceOf("trbSystemTime")),
      cpuOid_(DeviceStore::instanceOf("trbCpuLoad")), memoryOid_(DeviceStore::instanceOf("trbMemoryLoad")),
      commandOid_(DeviceStore::instanceOf("trbDeviceCommand")),
      languagePackOid_(DeviceStore::instanceOf("trbLanguagePack")), apModeOid_(DeviceStore::instanceOf("trbApMode")),
      scanOid_(DeviceStore::instanceOf("trbSurveyScan")), clearOid_(DeviceStore::instanceOf("trbStatisticsClear")),
      intrusionScanOid_(DeviceStore::instanceOf("trbIntrusionScan")),
      arrayScanOid_(DeviceStore::instanceOf("trbApArrayScan")),
      ntpOid_(DeviceStore::instanceOf("trbNtpEnable"))
{
    const schema::TableDef &table = *schema::findTable("trbWiredMacTable");
    const schema::ObjectDef *column = schema::findObject("trbWiredMac");
    uint32_t index = 0;
    for (const MacBytes &mac : neighbourhood_.wiredMacs())
        store_.addRow(table, {++index}, {{column, SnmpValue::text(std::string(mac.begin(), mac.end()))}});
    refreshLeases();
}

void Device::addRow(const schema::TableDef &table, const Oid &index,
                    const std::map<const schema::ObjectDef *, SnmpValue> &values)
{
    store_.addRow(table, index, values);
    refreshLeases();
    followVlans();
}

ConfigValues Device::removeRow(const schema::TableDef &table, const Oid &index)
{
    ConfigValues removed = store_.removeRow(table, index);
    refreshLeases();
    followVlans();
    return removed;
}

void Device::restoreEntries(const ConfigValues &entries)
{
    store_.restoreEntries(entries);
    refreshLeases();
}

// A locked server keeps its state; writing the same state again is no change.
bool Device::dhcpStateLocked(const Oid &name, long value) const
{
    if (dhcpServerLock() < 4 || store_.objectOf(name) == nullptr ||
        std::string_view(store_.objectOf(name)->name) != "trbDhcpServerState")
        return false;
    const SnmpValue *state = store_.find(name);
    return state && state->number != value;
}

int64_t Device::dhcpServerLock() const
{
    const SnmpValue *mode = store_.find(DeviceStore::instanceOf("trbLanAddressMode"));
    return mode && mode->number == 1 ? 4 : 0;
}

void Device::write(const Oid &name, SnmpValue value)
{
    if (files_.handles(name)) // an undo: what the command started stays started
        return;
    if (name == systemTimeOid_) {
        setClock(value);
        return;
    }
    if (!runScan(name, value))
        store_.set(name, std::move(value));
}

int Device::refusal(const Oid &name, long value) const
{
    const bool refused = (name == scanOid_ && surveyBlocked(value)) || (name == arrayScanOid_ && value != 0 && !radioOn()) ||
                         dhcpStateLocked(name, value);
    return refused ? SNMP_ERR_INCONSISTENTVALUE : SNMP_ERR_NOERROR;
}

// Idle (0), as an undo writes it, does nothing.
bool Device::runScan(const Oid &name, const SnmpValue &value)
{
    if (name == scanOid_) {
        scan(long(value.number));
    } else if (name == intrusionScanOid_) {
        if (value.number == 1 || value.number == 2)
            IntrusionDetector::detect(store_, int(value.number), neighbourhood_.scan(int(value.number)),
                                      systemTime().bytes);
    } else if (name == arrayScanOid_) {
        if (value.number == 1)
            scanArrays();
    } else if (name == clearOid_) {
        counters_.clear(long(value.number));
    } else {
        return false;
    }
    return true;
}

// Replaces the rows of both array tables with what the scan finds now.
void Device::scanArrays()
{
    const schema::TableDef &foundTable = *schema::findTable("trbApArrayFoundTable");
    const schema::TableDef &memberTable = *schema::findTable("trbApArrayMemberTable");
    for (uint32_t row = 1; !store_.removeRow(foundTable, {row}).empty(); ++row) {
    }
    for (uint32_t row = 1; !store_.removeRow(memberTable, {row}).empty(); ++row) {
    }
    const auto column = [](const char *name) { return schema::findObject(name); };
    const auto mac = [](const MacBytes &bytes) { return SnmpValue::text(std::string(bytes.begin(), bytes.end())); };
    std::vector<FoundArray> arrays = arrays_.foreignArrays();
    const std::vector<ArrayMember> members = ownArrayMembers();
    if (!members.empty())
        arrays.push_back(ArrayNeighbourhood::summary(store_.find(DeviceStore::instanceOf("trbApArrayName"))->bytes,
                                                     members));
    uint32_t row = 0;
    for (const FoundArray &array : arrays) {
        const int total = array.masters + array.backupMasters + array.slaves;
        store_.addRow(foundTable, {++row},
                      {{column("trbApArrayFoundName"), SnmpValue::text(array.name)},
                       {column("trbApArrayFoundMasterIp"), SnmpValue::ipAddress(array.masterIp)},
                       {column("trbApArrayFoundMac"), mac(array.masterMac)},
                       {column("trbApArrayFoundMasters"), SnmpValue::gauge(array.masters)},
                       {column("trbApArrayFoundBackups"), SnmpValue::gauge(array.backupMasters)},
                       {column("trbApArrayFoundSlaves"), SnmpValue::gauge(array.slaves)},
                       {column("trbApArrayFoundTotal"), SnmpValue::gauge(total)}});
    }
    row = 0;
    for (const ArrayMember &member : members)
        store_.addRow(memberTable, {++row},
                      {{column("trbApArrayMemberRank"), SnmpValue::integer(member.role)},
                       {column("trbApArrayMemberIp"), SnmpValue::ipAddress(member.ip)},
                       {column("trbApArrayMemberMac"), mac(member.mac)},
                       {column("trbApArrayMemberLocation"), SnmpValue::text(member.location)}});
}

// The device and its peers while it takes part in an array; none otherwise.
std::vector<ArrayMember> Device::ownArrayMembers() const
{
    const auto value = [this](const char *name) { return store_.find(DeviceStore::instanceOf(name)); };
    if (value("trbApArrayFunction")->number != 1)
        return {};
    ArrayMember self;
    self.role = int(value("trbApArrayMemberRole")->number);
    const std::string &ip = value("trbLanIpAddress")->bytes;
    for (unsigned char octet : ip)
        self.ip = self.ip << 8 | octet;
    const std::string &mac = value("trbEthernetMac")->bytes;
    std::copy_n(mac.begin(), std::min(mac.size(), self.mac.size()), self.mac.begin());
    self.location = value("trbLocation")->bytes;
    std::vector<ArrayMember> members = {self};
    for (const ArrayMember &peer : arrays_.peers(self.role))
        members.push_back(peer);
    return members;
}

bool Device::radioOn() const
{
    const SnmpValue *band = store_.find(DeviceStore::instanceOf("trbCurrentBand"));
    const SnmpValue *radio =
        store_.find(DeviceStore::instanceOf("trbBandRadioState", {band ? uint32_t(band->number) : 1}));
    return radio && radio->number == 1;
}

// The role's text follows the role; an array scan needs the radio.
std::optional<SnmpValue> Device::apArrayValue(std::string_view object) const
{
    static const char *const kRoles[] = {"Master", "Backup Master", "Slave"};
    if (object == "trbApArrayScanAllowed")
        return SnmpValue::integer(radioOn() ? 1 : 0);
    if (object == "trbApArrayRole") {
        const SnmpValue *role = store_.find(DeviceStore::instanceOf("trbApArrayMemberRole"));
        if (role && role->number >= 1 && role->number <= 3)
            return SnmpValue::text(kRoles[role->number - 1]);
    }
    return std::nullopt;
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
    restoreDeviceFiles(result.state);
    refreshLeases();
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
    if (name == commandOid_ || name == clearOid_)
        return SnmpValue::integer(Idle);
    if (auto live = liveValue(name))
        return live;
    if (auto lease = dhcp_.read(store_, name, Clock::now()))
        return lease;
    const std::string_view object = store_.objectOf(name)->name;
    if (object == "trbDhcpServerLock")
        return SnmpValue::integer(dhcpServerLock());
    if (object == "trbBandWirelessState")
        return wirelessState(name.back());
    if (auto value = apArrayValue(object))
        return value;
    if (auto text = bandStatusText(object, static_cast<uint32_t>(name.back())))
        return SnmpValue::text(*text);
    return *stored;
}

// Counters and WDS links are worked out when asked.
std::optional<SnmpValue> Device::liveValue(const Oid &name) const
{
    const schema::ObjectDef &object = *store_.objectOf(name);
    const Oid instance(name.begin() + long(schema::kBaseOidLength + object.oid.size()), name.end());
    if (object.type == schema::SmiType::Counter)
        return counters_.read(object.name, object.shape == schema::IndexShape::Table ? uint32_t(instance.at(0)) : 0);
    if (auto vlan = vlanPorts_.read(object.name, instance))
        return vlan;
    return wdsLinks_.read(object.name, instance);
}

int Device::stationsOn(uint32_t band) const
{
    int stations = 0;
    store_.forEach([&](const Oid &, const schema::ObjectDef &object, const SnmpValue &value) {
        stations += std::string_view(object.name) == "trbClientBand" && value.number == band;
    });
    return stations;
}

// The status texts of a band follow its settings.
std::optional<std::string> Device::bandStatusText(std::string_view object, uint32_t band) const
{
    static const char *const kModes[] = {"Access Point", "WDS with AP", "WDS", "Wireless Client", "AP Repeater"};
    static const char *const kSecurity[] = {"Open System", "Shared Key", "Open System/Shared Key",
                                            "WPA-Personal", "WPA-Enterprise", "802.1x"};
    auto value = [&](const char *name, std::initializer_list<uint32_t> instance) {
        return store_.find(DeviceStore::instanceOf(name, instance));
    };
    auto label = [](const SnmpValue *code, const auto &labels) -> std::optional<std::string> {
        const auto count = static_cast<int64_t>(std::size(labels));
        if (!code || code->number < 1 || code->number > count)
            return std::nullopt;
        return labels[code->number - 1];
    };
    const SnmpValue *setting = nullptr;
    if (object == "trbBandChannel" && (setting = value("trbRadioChannel", {band})))
        return std::to_string(setting->number);
    if (object == "trbBandDataRate" && (setting = value("trbRadioDataRate", {band})))
        return setting->bytes;
    if (object == "trbBandOperationMode")
        return label(value("trbApMode", {}), kModes);
    if (object == "trbBandSecurity")
        return label(value("trbServiceAuthentication", {band, 0}), kSecurity);
    return std::nullopt;
}

ConfigValues Device::apply(const Oid &name, SnmpValue value)
{
    ConfigValues previous;
    if (runScan(name, value)) // a scan is an action, not a setting: nothing to undo
        return previous;
    if (files_.handles(name)) { // a transfer or a command starts: nothing to undo
        files_.write(name, value);
        return previous;
    }
    if (name == systemTimeOid_) { // the clock is not stored: it runs
        previous.emplace(name, systemTime());
        setClock(value);
        return previous;
    }
    if (name == ntpOid_ && value.number == 1)
        clock_.synchronise();
    auto change = [&](const Oid &oid, SnmpValue next) {
        const SnmpValue *old = store_.find(oid);
        if (!old)
            return;
        previous.emplace(oid, *old); // the first old value is the one to go back to
        store_.set(oid, std::move(next));
    };
    const bool apMode = name == apModeOid_;
    const bool limitsAdministration = name == DeviceStore::instanceOf("trbAdminVlanLimit") && value.number == 1;
    const bool vlanOn = name == DeviceStore::instanceOf("trbVlanFunction") && value.number == 1;
    const bool autoPvids = name == DeviceStore::instanceOf("trbVlanPvidAuto") && value.number == 1;
    change(name, std::move(value));
    if (vlanOn)
        applyVlanEffects(change);
    if (autoPvids)
        for (auto &[oid, pvid] : vlanPorts_.assignedPvids())
            change(oid, pvid);
    if (apMode)
        applyApModeEffects(change);
    if (limitsAdministration) // administration on one VLAN excludes these functions
        for (const char *function : {"trbVlanFunction", "trbWebRedirection", "trbAccessProtection"})
            change(DeviceStore::instanceOf(function), SnmpValue::integer(0));
    refreshLeases();
    return previous;
}

// Functions a mode cannot serve are switched off by the device itself (mode = value - 1).
template <typename Change> void Device::applyApModeEffects(Change &change)
{
    const int64_t mode = store_.find(apModeOid_)->number - 1;
    const SnmpValue off = SnmpValue::integer(0);
    if (mode > 0)
        change(DeviceStore::instanceOf("trbApArrayFunction"), off);
    if (mode > 1) {
        change(DeviceStore::instanceOf("trbWebRedirection"), off);
        const SnmpValue *band = store_.find(DeviceStore::instanceOf("trbCurrentBand"));
        change(DeviceStore::instanceOf("trbRadioMultiSsid", {band ? static_cast<uint32_t>(band->number) : 1}), off);
    }
    if (mode == 3 || mode == 4)
        change(DeviceStore::instanceOf("trbVlanFunction"), off);
}

// VLANs exclude limiting administration to one VLAN, and a radio in WDS or client mode: the
// device turns those off and serves as an access point.
template <typename Change> void Device::applyVlanEffects(Change &change)
{
    change(DeviceStore::instanceOf("trbAdminVlanLimit"), SnmpValue::integer(0));
    const SnmpValue *mode = store_.find(apModeOid_);
    if (mode && (mode->number == 3 || mode->number == 4))
        change(apModeOid_, SnmpValue::integer(1));
}

void Device::followVlans()
{
    const SnmpValue *automatic = store_.find(DeviceStore::instanceOf("trbVlanPvidAuto"));
    if (!automatic || automatic->number != 1)
        return;
    for (auto &[oid, pvid] : vlanPorts_.assignedPvids())
        if (store_.contains(oid))
            store_.set(oid, pvid);
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
    SavedState next = savedState();
    switch (command) {
    case Idle:
        return SNMP_ERR_NOERROR;
    case Restart:
        rebootPending_ = true;
        return SNMP_ERR_NOERROR;
    case DiscardChanges:
        store_.applyConfig(savedConfig_);
        refreshLeases();
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
    refreshLeases();
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
    refreshLeases();
    bootTime_ = Clock::now();
    counters_.clearAll();
    return false;
}

// A band is in service exactly when its radio is switched on.
SnmpValue Device::wirelessState(oid band) const
{
    const SnmpValue *radio = store_.find(DeviceStore::instanceOf("trbBandRadioState", {static_cast<uint32_t>(band)}));
    const bool on = radio && radio->number == 1;
    return SnmpValue::integer(on ? 1 : 2);
}

SavedState Device::savedState() const
{
    SavedState state;
    state.config = savedConfig_;
    for (const DeviceFileLine &file : StateFile::deviceFiles())
        if (const SnmpValue *value = store_.find(DeviceStore::instanceOf(file.object)))
            state.*file.field = value->bytes;
    return state;
}

void Device::restoreDeviceFiles(const SavedState &state)
{
    for (const DeviceFileLine &file : StateFile::deviceFiles()) {
        const Oid name = DeviceStore::instanceOf(file.object);
        if (store_.contains(name))
            store_.set(name, SnmpValue::text(state.*file.field));
    }
}

void Device::setLanguagePack(const std::string &name)
{
    if (store_.contains(languagePackOid_))
        store_.set(languagePackOid_, SnmpValue::text(name));
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
    return SnmpValue::text(clock_.text(clockSettings(), std::time(nullptr)));
}

void Device::setClock(const SnmpValue &value)
{
    clock_.set(value.bytes, std::time(nullptr));
}

DeviceClock::Settings Device::clockSettings() const
{
    auto number = [this](const char *name, int64_t otherwise) {
        const SnmpValue *value = schema::findObject(name) ? store_.find(DeviceStore::instanceOf(name)) : nullptr;
        return value ? value->number : otherwise;
    };
    DeviceClock::Settings settings;
    settings.ntp = number("trbNtpEnable", 0) == 1;
    settings.zone = int(number("trbTimeZone", settings.zone));
    settings.dst = number("trbDstEnable", 0) == 1;
    settings.dstOffsetIndex = int(number("trbDstOffset", settings.dstOffsetIndex));
    const SnmpValue *dates = store_.find(DeviceStore::instanceOf("trbDstDates"));
    settings.dstDates = dates ? dates->bytes : std::string();
    return settings;
}

} // namespace trb::sim
