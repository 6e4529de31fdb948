#pragma once
// The simulated access point: running and saved configuration, the state file, the values
// that change by themselves (up time, clock, load) and the device commands with their reboots.
#include <chrono>
#include <optional>
#include <string>

#include "ArrayNeighbourhood.h"
#include "DeviceClock.h"
#include "DeviceStore.h"
#include "DhcpServer.h"
#include "FileCommands.h"
#include "Neighbourhood.h"
#include "StateFile.h"
#include "TrafficCounters.h"
#include "VlanPorts.h"
#include "WdsLinks.h"
#include "transfer/DeviceTransfers.h"

namespace trb::sim {

class Device {
public:
    using Clock = std::chrono::steady_clock;

    enum Command { Idle = 0, Restart = 1, RestoreDefaults = 2, SaveAndActivate = 3, DiscardChanges = 4,
                   ClearLanguagePack = 5 };

    static constexpr uint32_t kDefaultSurveySeed = 4820;
    // The per-band flag (a column of the band table) under which the radio refuses site surveys.
    static constexpr const char *kSurveyBlockedObject = "trbRadioSurveyBlocked";

    Device(DeviceStore factory, std::string statePath, std::chrono::milliseconds rebootTime,
           Neighbourhood neighbourhood = Neighbourhood(Neighbourhood::kDefaultCount, kDefaultSurveySeed),
           uint32_t counterStart = 0);

    // Loads the state file; returns a message for stderr when it could not be used.
    std::string loadState();

    const DeviceStore &store() const { return store_; }
    // The value to answer for an instance, with the live values filled in.
    std::optional<SnmpValue> read(const Oid &name) const;
    // A write of an action object (site survey, intrusion detection, array scan, statistics
    // clear) runs the action instead of storing the value.
    void write(const Oid &name, SnmpValue value);
    // SNMP_ERR_NOERROR when the device takes a valid `value` for `name` in its present state;
    // a band that blocks site surveys refuses a scan, and a device whose radio is off an array
    // scan (inconsistentValue).
    int refusal(const Oid &name, long value) const;
    // A manager's write, with what the device changes along with it; returns the old value of
    // every instance changed, to write back when the SET is undone.
    ConfigValues apply(const Oid &name, SnmpValue value);
    void addRow(const schema::TableDef &table, const Oid &index,
                const std::map<const schema::ObjectDef *, SnmpValue> &values);
    ConfigValues removeRow(const schema::TableDef &table, const Oid &index);
    void restoreEntries(const ConfigValues &entries);

    // Runs a command's effect on the configuration at once (SNMP_ERR_NOERROR or
    // SNMP_ERR_COMMITFAILED when the state file cannot be written, with nothing changed);
    // a reboot it asks for starts with startPendingReboot, after the answer has gone out.
    int runCommand(long command);
    void startPendingReboot();
    // True while rebooting; ends the reboot when its time is up.
    bool rebooting();

    // File transfers to and from the PC; tick() runs their completions on the agent's thread.
    DeviceTransfers &transfers() { return transfers_; }
    // A completion may reboot the device (a firmware image that arrived after its command).
    void tick()
    {
        transfers_.poll();
        startPendingReboot();
    }
    const FileCommands &fileCommands() const { return files_; }

    // The ACL file of the band the filter page selects, one MAC a line.
    std::vector<uint8_t> aclFileOf() const;
    // Replaces that band's ACL list with the file's; false, with the reason and nothing changed,
    // for a file the device refuses.
    bool applyAclFile(const std::vector<uint8_t> &file, std::string &error);

    const std::string &statePath() const { return statePath_; }
    const std::string &lastError() const { return lastError_; }

private:
    friend class FileCommands; // installs files into the state and the configuration

    std::string persist(const SavedState &state);
    // What the state file holds now: the saved configuration and the installed files.
    SavedState savedState() const;
    void restoreDeviceFiles(const SavedState &state);
    void setLanguagePack(const std::string &name);
    SnmpValue cpuLoad() const;
    SnmpValue memoryLoad() const;
    SnmpValue systemTime() const;
    DeviceClock::Settings clockSettings() const;
    void setClock(const SnmpValue &value);
    SnmpValue wirelessState(oid band) const;
    std::optional<std::string> bandStatusText(std::string_view object, uint32_t band) const;
    template <typename Change> void applyApModeEffects(Change &change);
    template <typename Change> void applyVlanEffects(Change &change);
    // Under automatic assignment the port VIDs follow the VLANs.
    void followVlans();
    void scan(long band);
    bool surveyBlocked(long band) const;
    std::optional<SnmpValue> liveValue(const Oid &name) const;
    int stationsOn(uint32_t band) const;
    // Runs the scan `name` names; false when `name` is not a scan object.
    bool runScan(const Oid &name, const SnmpValue &value);
    void scanArrays();
    std::vector<ArrayMember> ownArrayMembers() const;
    bool radioOn() const;
    // The leases follow every change of the server's settings and static entries.
    void refreshLeases() { dhcp_.refresh(store_, Clock::now()); }
    // 4 while the device takes its own address by DHCP: its server then stays as it is.
    int64_t dhcpServerLock() const;
    bool dhcpStateLocked(const Oid &name, long value) const;
    std::optional<SnmpValue> apArrayValue(std::string_view object) const;

    DeviceStore store_;
    ConfigValues factoryConfig_;
    ConfigValues savedConfig_;
    std::string statePath_;
    bool stateFileUnusable_ = false; // kept aside before the first save overwrites it
    std::chrono::milliseconds rebootTime_;
    Clock::time_point bootTime_;
    std::optional<Clock::time_point> rebootUntil_;
    bool rebootPending_ = false;
    std::string lastError_;
    Neighbourhood neighbourhood_;
    TrafficCounters counters_;
    WdsLinks wdsLinks_{store_};
    VlanPorts vlanPorts_{store_};
    ArrayNeighbourhood arrays_{kDefaultSurveySeed};
    DeviceClock clock_;
    DhcpServer dhcp_;
    DeviceTransfers transfers_;
    FileCommands files_{*this};

    Oid upTimeOid_, systemTimeOid_, cpuOid_, memoryOid_, commandOid_, languagePackOid_, apModeOid_, scanOid_, clearOid_;
    Oid intrusionScanOid_, arrayScanOid_, ntpOid_;
};

} // namespace trb::sim
