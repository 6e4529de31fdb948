#include "FamilyReads.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ObjectSchema.h"
#include "RecordChecks.h"

namespace trb::fuzz {
namespace {

struct Report {
    int calls = 0;
    uint32_t value = 0;
    uint32_t more = 0;
    std::string text;
};

int onRequestDone(uint32_t value, uint32_t more, const char *text, void *context, uint32_t)
{
    auto &report = *static_cast<Report *>(context);
    ++report.calls;
    report.value = value;
    report.more = more;
    report.text = text ? text : "";
    return 0;
}

// One report, with the code returned; "Receive at HH:MM:SS." ends it exactly when it succeeded.
void checkReport(int code, const Report &report)
{
    if (report.calls != 1 || report.value != uint32_t(code) || report.more != 0)
        fail("the report does not match the result " + std::to_string(code));
    const std::string &text = report.text;
    const bool success = text.size() > 21 && text.compare(text.size() - 21, 12, " Receive at ") == 0 && text.back() == '.';
    if (success != (code == AP_OK) || (code != AP_OK && text.rfind("Get OK", 0) == 0))
        fail("result " + std::to_string(code) + " reported as \"" + text + "\"");
    if (code == AP_ERR_TIMEOUT && text.find("timed out") == std::string::npos)
        fail("a time-out reported as \"" + text + "\"");
}

struct MonitorReport {
    int calls = 0;
    APHANDLE monitor = 0;
    uint32_t more = 0;
    uint32_t code = 0;
};

int onRefreshDone(APHANDLE monitor, uint32_t more, uint32_t code, void *context, uint32_t)
{
    auto &report = *static_cast<MonitorReport *>(context);
    ++report.calls;
    report.monitor = monitor;
    report.more = more;
    report.code = code;
    return 0;
}

template <typename Row> auto queryOne(APHANDLE monitor)
{
    return [monitor](int32_t &count, Row *rows) {
        apMonitorQuery1 query{uint32_t(count), rows};
        const int code = apSysMonitorQueryInfor(monitor, &query);
        count = int32_t(query.count);
        return code;
    };
}

} // namespace

void FamilyReads::run(const CallChoice &choice)
{
    static constexpr void (FamilyReads::*kFamilies[])() = {
        &FamilyReads::deviceInfo, &FamilyReads::paneStatus, &FamilyReads::arp,    &FamilyReads::admin,
        &FamilyReads::wireless,   &FamilyReads::statistics, &FamilyReads::intrusion, &FamilyReads::apArray,
        &FamilyReads::time,       &FamilyReads::dhcp,       &FamilyReads::qos,    &FamilyReads::vlan,
        &FamilyReads::schedule,   &FamilyReads::tftp,       &FamilyReads::filter, &FamilyReads::log,
        &FamilyReads::command,
    };
    constexpr int families = int(std::size(kFamilies));
    static_assert(kChoices == families + 9, "one choice per family and per monitor kind 0-8");
    choice_ = choice;
    const int pick = choice.family % kChoices;
    if (pick >= families)
        monitor(pick - families);
    else
        (this->*kFamilies[pick])();
}

// Opens a handle, reads it once or twice as chosen, has `look` check its getters, closes it.
template <typename Look> void FamilyReads::withHandle(APHANDLE handle, uint32_t allGroups, Look look)
{
    if (!handle)
        fail("a family handle was refused");
    if (const uint32_t groups = choice_.groups & allGroups)
        expectOk(apStyleModify(handle, groups, 0), "apStyleModify");
    received_ = 0;
    read(handle);
    if (choice_.options & 4)
        read(handle);
    look(handle);
    expectOk(apHandleClose(handle), "apHandleClose");
}

int FamilyReads::read(APHANDLE handle)
{
    const int mode = choice_.options & 1 ? AP_MODE_WAIT : AP_MODE_BLOCKING;
    const uint32_t timeoutMs = (choice_.options & 3) == 3 ? 20 : 0;
    Report report;
    agent_.startCall();
    const int code = apSnmpSendGetRequest(handle, onRequestDone, &report, mode, timeoutMs);
    const FakeAgent::Verdict verdict = agent_.endCall();
    received_ += verdict.varbinds;
    checkOutcome(code, verdict, "apSnmpSendGetRequest");
    checkReport(code, report);
    return code;
}

// Whatever the agent did, the code is one of the library's; where every answer reached the
// library as sent, success needs each object asked for answered and no answer it must refuse.
void FamilyReads::checkOutcome(int code, const FakeAgent::Verdict &verdict, const char *what) const
{
    const std::string call(what);
    if (!knownCode(code))
        fail(call + ": result " + std::to_string(code) + " is none of the library's codes");
    if (code != AP_OK || !verdict.certain)
        return;
    if (!verdict.refusal.empty())
        fail(call + ": success after " + verdict.refusal);
    if (verdict.uncovered)
        fail(call + ": success with " + std::to_string(verdict.uncovered) + " objects never answered");
    if (!verdict.lastAnswered)
        fail(call + ": success after an unanswered request");
}

// The buffer a caller offers after asking for the count: that many rows, one fewer, one more, or one.
int32_t FamilyReads::capacityFor(int32_t total) const
{
    switch (choice_.options >> 3 & 3) {
    case 1: return std::max(total - 1, 0);
    case 2: return total + 1;
    case 3: return std::min(total, 1);
    default: return total;
    }
}

// A list read in two calls: its length, then a buffer of the chosen capacity followed by a
// poisoned row that must stay as it is. `extra`: rows the list may hold beyond those sent.
template <typename Row, typename Fetch>
std::vector<Row> FamilyReads::listed(const char *what, Fetch fetch, std::size_t extra)
{
    int32_t total = 0;
    expectOk(fetch(total, static_cast<Row *>(nullptr)), what);
    if (total < 0 || std::size_t(total) > received_ + extra)
        fail(std::string(what) + ": " + std::to_string(total) + " rows from " + std::to_string(received_) + " varbinds");
    const int32_t capacity = capacityFor(total);
    std::vector<Row> rows(std::size_t(capacity) + 1);
    for (Row &row : rows)
        poison(row);
    int32_t count = capacity;
    expectOk(fetch(count, rows.data()), what);
    if (count != std::min(capacity, total))
        fail(std::string(what) + ": " + std::to_string(count) + " rows in a buffer of " + std::to_string(capacity) +
             " for " + std::to_string(total));
    if (!untouched(rows[std::size_t(capacity)]))
        fail(std::string(what) + ": a row written past the buffer");
    rows.resize(std::size_t(count));
    return rows;
}

void FamilyReads::deviceInfo()
{
    withHandle(apSysDeviceInforOpen(session_, 0), AP_DEVINFO_GROUP_DEVICE | AP_DEVINFO_GROUP_LAN, [](APHANDLE h) {
        auto device = std::make_unique<apDeviceInfoRecord>();
        poison(*device);
        device->group = AP_DEVINFO_RECORD_GROUP_DEVICE;
        expectOk(apSysDeviceGetInfor(h, device.get()), "apSysDeviceGetInfor");
        const apDeviceInfoRecord &d = *device;
        terminated("device information", d.ipAddress, d.subnetMask, d.gateway, d.firmwareVersion, d.apArrayName,
                   d.apArrayRole, d.apArrayLocation, d.mac, d.ssid, d.channel, d.dataRate, d.operationMode,
                   d.radioState, d.currentBand, d.security, d.modelName, d.systemTime, d.upTime, d.systemName,
                   d.location, d.wirelessState);
        unchanged("device information", d.bandCount, d.reserved0, d.reserved1, d.reserved2, d.reserved3,
                  d.reserved4, d.reserved5);
        if (d.group != AP_DEVINFO_RECORD_GROUP_DEVICE)
            fail("device information: the group word changed");
        for (const auto &mac : d.mac)
            macFormat("device information", mac);

        auto lan = std::make_unique<apLanSettingsRecord>();
        poison(*lan);
        lan->group = AP_DEVINFO_RECORD_GROUP_LAN;
        expectOk(apSysDeviceGetInfor(h, lan.get()), "apSysDeviceGetInfor");
        terminated("LAN settings", lan->ipAddress, lan->subnetMask, lan->gateway);
        unchanged("LAN settings", lan->reserved0, lan->reserved1, lan->reserved2);
    });
}

void FamilyReads::paneStatus()
{
    withHandle(apDeviceStatusOpen(session_, 0), 1, [](APHANDLE h) {
        apPaneStatusRecord r;
        poison(r);
        expectOk(apAdvPaneStatusGet(h, &r), "apAdvPaneStatusGet");
        terminated("front-panel status", r.ipAddress, r.subnetMask);
        if (r.radio24On > 1 || r.radio5On > 1 || r.activeBand > 1 || r.lanLink > 1 || r.clientCount != 0)
            fail("front-panel status: a flag that is neither 0 nor 1, or clients counted");
    });
}

void FamilyReads::arp()
{
    withHandle(apAdvARPOpen(session_, 0), AP_ARP_GROUP_ALL, [this](APHANDLE h) {
        int state = 0;
        expectOk(apAdvARPGetParam(h, &state), "apAdvARPGetParam");
        checkRows(listed<apArpEntry>("apAdvARPGetList", [h](int32_t &count, apArpEntry *rows) {
            apArpList list{count, rows};
            const int code = apAdvARPGetList(h, &list);
            count = list.count;
            return code;
        }));
    });
}

void FamilyReads::admin()
{
    withHandle(apSysAdministratorOpen(session_, 0), AP_ADMIN_GROUP_ALL, [this](APHANDLE h) {
        char name[AP_ADMIN_TEXT_SIZE], password[AP_ADMIN_TEXT_SIZE], location[AP_ADMIN_TEXT_SIZE];
        char ranges[AP_ADMIN_RANGE_TEXT_SIZE], server[AP_ADMIN_TRAP_TEXT_SIZE];
        poison(name), poison(password), poison(location), poison(ranges), poison(server);
        expectOk(apSysLoginGet(h, name, password), "apSysLoginGet");
        terminated("login", name, password);
        int vlan, web, protection, mode;
        expectOk(apSysLimitAdminFunctionStatusGet(h, &vlan, &web, &protection, &mode), "apSysLimitAdminFunctionStatusGet");
        int vlanLimit, vlanId, ipLimit, rangeCount = -1;
        expectOk(apSysLimitAdministratorGet(h, &vlanLimit, &vlanId, &ipLimit, ranges, &rangeCount),
                 "apSysLimitAdministratorGet");
        terminated("address ranges", ranges);
        if (rangeCount < 0 || std::size_t(rangeCount) > received_)
            fail("apSysLimitAdministratorGet: " + std::to_string(rangeCount) + " ranges");
        poison(name);
        expectOk(apSysNameSettingGet(h, name, location), "apSysNameSettingGet");
        terminated("system name", name, location);
        int trap, console, protocol, timeout, ping;
        expectOk(apSysTrapSettingGet(h, &trap, server), "apSysTrapSettingGet");
        terminated("trap server", server);
        expectOk(apSysConsolSettingGet(h, &console, &protocol, &timeout, &ping), "apSysConsolSettingGet");
    });
}

void FamilyReads::wireless()
{
    withHandle(apWirelessOpen(session_, 0), AP_WL_GROUP_ALL, [this](APHANDLE h) {
        if (apWirelessGetBandCount(h) != 1)
            fail("apWirelessGetBandCount: not the one radio");
        (void)apWirelessGetCurBand(h); // whatever the device said
        for (int band = 1; band <= 2; ++band)
            wirelessBand(h, band);
        int vlan, apArray, web, fourth = -1, application;
        expectOk(apWirelessGetFunctionState(h, 1, &vlan, &apArray, &web, &fourth), "apWirelessGetFunctionState");
        if (fourth != 0)
            fail("apWirelessGetFunctionState: the reserved state is not 0");
        char country[AP_WL_TEXT_SIZE];
        poison(country);
        expectOk(apWirelessGetApplication(h, country, &application), "apWirelessGetApplication");
        terminated("country", country);
    });
}

void FamilyReads::wirelessBand(APHANDLE h, int band)
{
    if (apWirelessMultiSSIDCount(h, band) != 7)
        fail("apWirelessMultiSSIDCount: not 7");
    int mode, blocked, channel, automatic, width, peers = 0, enable, source, multi, priority;
    expectOk(apWirelessGetApMode(h, band, 0, &mode, &blocked), "apWirelessGetApMode");
    char channels[AP_WL_TEXT_SIZE], wdsChannels[AP_WL_TEXT_SIZE], rates[AP_WL_TEXT_SIZE], multicast[AP_WL_TEXT_SIZE];
    char list[AP_WL_TEXT_SIZE], mac[20];
    poison(channels), poison(wdsChannels), poison(rates), poison(multicast), poison(list), poison(mac);
    expectOk(apWirelessGetList(h, band, channels, wdsChannels, rates, multicast, nullptr, nullptr), "apWirelessGetList");
    terminated("wireless lists", channels, wdsChannels, rates, multicast);
    expectOk(apWirelessGetChannel(h, band, 0, &channel, &automatic, &width), "apWirelessGetChannel");
    expectOk(apWirelessGetWDSList(h, band, 0, &peers, list), "apWirelessGetWDSList");
    terminated("WDS list", list);
    if (peers != 4 || !peerList(list))
        fail(std::string("apWirelessGetWDSList: \"") + list + "\"");
    expectOk(apWirelessGetMacClone(h, band, &enable, &source, mac, 0), "apWirelessGetMacClone");
    terminated("MAC clone", mac);
    macFormat("MAC clone", mac);
    expectOk(apWirelessGetMultiSSID(h, band, &multi, &priority, 0), "apWirelessGetMultiSSID");
    int codes[9];
    poison(codes);
    expectOk(apWirelessGetMultiSsidAuthentication(h, codes, band), "apWirelessGetMultiSsidAuthentication");
    if (std::any_of(codes, codes + 8, [](int code) { return code < 0 || code > 10; }) || !untouched(codes[8]))
        fail("apWirelessGetMultiSsidAuthentication: a code out of 0-10, or a ninth one");
    apPerformanceRecord performance;
    poison(performance);
    expectOk(apWirelessGetPerformance(h, band, 0, &performance), "apWirelessGetPerformance");
    terminated("performance", performance.dataRate, performance.multicastRate);
    unchanged("performance", performance.bandCount, performance.apMode);
    for (int ssid = 0; ssid <= 7; ++ssid)
        wirelessSsid(h, band, ssid);
}

void FamilyReads::wirelessSsid(APHANDLE h, int band, int ssid)
{
    char text[AP_WL_TEXT_SIZE];
    poison(text);
    int length = -1, visible, state, wmm, priority, type = -1;
    expectOk(apWirelessGetSSID(h, band, ssid, text, &length, &visible), "apWirelessGetSSID");
    terminated("SSID", text);
    if (length != int(std::strlen(text)))
        fail("apWirelessGetSSID: length " + std::to_string(length) + " for a text of " + std::to_string(std::strlen(text)));
    expectOk(apWirelessGetMssIndividualState(h, band, ssid, &state), "apWirelessGetMssIndividualState");
    expectOk(apWirelessGetMultiParamiter(h, band, ssid, &wmm, &priority), "apWirelessGetMultiParamiter");
    apSecurityBlock block;
    poison(block);
    apSecurityRecord record{0, 0, &block};
    const int code = apWirelessGetSecurity(h, band, ssid, &type, &record);
    if (code < 0 || code > 10 || record.type != uint32_t(type))
        fail("apWirelessGetSecurity: code " + std::to_string(code));
    terminated("security", block.wep.key, block.personal.passphrase, block.personal.time, block.personal.currentKey,
               block.enterprise.radiusServer, block.enterprise.radiusSecret);
}

void FamilyReads::statistics()
{
    withHandle(apStatisticOpen(session_, 0), 0xF, [](APHANDLE h) {
        apStatWlanRecord wlan;
        apStatEthernetRecord ethernet;
        poison(wlan), poison(ethernet);
        wlan.showZeros = 7;
        ethernet.showZeros = 9;
        expectOk(apStatisticInfor(h, &wlan, &ethernet), "apStatisticInfor");
        if (wlan.showZeros != 7 || ethernet.showZeros != 9)
            fail("apStatisticInfor: the caller's flag word changed");
    });
}

void FamilyReads::intrusion()
{
    withHandle(apAdvInstrusionOpen(session_, 0), AP_INTRUSION_GROUP_ALL, [this](APHANDLE h) {
        int band = -1;
        checkRows(listed<apIntrusionRecord>("apAdvInstrusionInfoGet", [h, &band](int32_t &count, apIntrusionRecord *rows) {
            apIntrusionQuery query{count, rows};
            const int code = apAdvInstrusionInfoGet(h, &band, &query);
            count = query.count;
            return code;
        }));
    });
}

void FamilyReads::apArray()
{
    withHandle(apAdvAPArrayOpen(session_, 0), AP_ARRAY_GROUP_ALL, [](APHANDLE h) {
        int enable, role, scan, flags[AP_ARRAY_SYNC_COUNT + 1];
        char name[AP_ARRAY_TEXT_SIZE], password[AP_ARRAY_TEXT_SIZE];
        poison(name), poison(password), poison(flags);
        expectOk(apAdvAPArrayGet(h, &enable, &role, &scan, name, password), "apAdvAPArrayGet");
        terminated("AP array", name, password);
        expectOk(apAdvAPArrayParamatersGet(h, flags), "apAdvAPArrayParamatersGet");
        unchanged("AP array flags", flags[AP_ARRAY_SYNC_COUNT]);
        for (int band = 1; band <= 2; ++band) {
            int mode = -1;
            expectOk(apAdvAPArrayApModeGet(h, band, &mode), "apAdvAPArrayApModeGet");
            if (mode < 0)
                fail("apAdvAPArrayApModeGet: mode " + std::to_string(mode));
        }
    });
}

void FamilyReads::time()
{
    withHandle(apSysTimeConfigOpen(session_, 0), AP_TIME_GROUP_CONFIG, [](APHANDLE h) {
        int ntp, dst, offset, zone;
        char server[AP_TIME_SERVER_SIZE], clock[AP_TIME_TEXT_SIZE], dates[AP_TIME_TEXT_SIZE], reserved[AP_TIME_TEXT_SIZE];
        poison(server), poison(clock), poison(dates), poison(reserved);
        expectOk(apSysTimeConfigGet(h, &ntp, server, clock, &dst, &offset, dates, &zone, reserved), "apSysTimeConfigGet");
        terminated("time", server, clock, dates);
        if (reserved[0] != '\0')
            fail("apSysTimeConfigGet: reserved does not read \"\"");
    });
}

void FamilyReads::dhcp()
{
    withHandle(apAdvDHCPOpen(session_, 0), AP_DHCP_GROUP_ALL, [this](APHANDLE h) {
        int status, server, pool;
        apDhcpDynamicRecord dynamic;
        poison(dynamic);
        expectOk(apAdvDHCPGetSetting(h, &status, &server, &pool, &dynamic, nullptr), "apAdvDHCPGetSetting");
        terminated("dynamic pool", dynamic.poolStart, dynamic.subnetMask, dynamic.gateway, dynamic.wins, dynamic.dns,
                   dynamic.domainName);
        checkRows(listed<apDhcpStaticEntry>("apAdvDHCPGetSetting", [h](int32_t &count, apDhcpStaticEntry *rows) {
            apDhcpStaticList list{count, rows};
            const int code = apAdvDHCPGetSetting(h, nullptr, nullptr, nullptr, nullptr, &list);
            count = list.count;
            return code;
        }));
    });
}

void FamilyReads::qos()
{
    withHandle(apAdvQosOpen(session_, 0), AP_QOS_GROUP_ALL, [this](APHANDLE h) {
        int enable, http, automatic, mode;
        expectOk(apAdvQosParaGet(h, &enable, &http, &automatic, &mode), "apAdvQosParaGet");
        // The list holds the device's free slots too: at most as many as its table has.
        const auto slots = std::size_t(schema::findObject("trbQosRuleIndex")->high);
        checkRows(listed<apQosRule>("apAdvQosListGet", [h](int32_t &count, apQosRule *rows) {
            apQosRuleList list{count, rows};
            const int code = apAdvQosListGet(h, &list);
            count = list.count;
            return code;
        }, slots));
    });
}

void FamilyReads::vlan()
{
    withHandle(apAdvVlanOpen(session_, 0), AP_VLAN_GROUP_ALL, [this](APHANDLE h) {
        int status, mode;
        expectOk(apAdvVlanVlanGetParameter(h, &status, &mode), "apAdvVlanVlanGetParameter");
        apVlanRelationRecord relation;
        poison(relation);
        expectOk(apAdvVlanGetRelationParam(h, &relation), "apAdvVlanGetRelationParam");
        terminated("VLAN relation", relation.apMode24, relation.apMode5, relation.limitType);
        const auto vlans = listed<apVlanRecord>("apAdvVlanGetVlanList", [h](int32_t &count, apVlanRecord *rows) {
            apVlanList list{count, rows};
            const int code = apAdvVlanGetVlanList(h, &list);
            count = list.count;
            return code;
        });
        checkRows(vlans);
        for (std::size_t i = 0; i < vlans.size(); ++i)
            if (vlans[i].index != int32_t(i))
                fail("apAdvVlanGetVlanList: a VLAN not numbered by its list row");
        for (int band = 1; band <= 2; ++band) {
            int32_t ports[3], ssids[5], wds[5];
            poison(ports), poison(ssids), poison(wds);
            apVlanPvidRecord record{0, 2, ports, 4, ssids, 4, wds, 0};
            expectOk(apAdvVlanGetPVID(h, band, &record), "apAdvVlanGetPVID");
            unchanged("port VIDs", ports[2], ssids[4], wds[4]);
        }
    });
}

void FamilyReads::schedule()
{
    withHandle(apAdvScheduleListOpen(session_, 0), AP_SCHEDULE_GROUP_ALL, [this](APHANDLE h) {
        auto list = std::make_unique<apScheduleList>();
        apScheduleParameters parameters{-1};
        checkRows(listed<apScheduleRule>("apAdvScheduleList", [h, &list, &parameters](int32_t &count, apScheduleRule *rows) {
            poison(*list);
            list->count = count;
            list->rules = rows;
            const int code = apAdvScheduleList(h, &parameters, list.get());
            count = list->count;
            terminated("schedule", list->modeText, list->ssidNames);
            return code;
        }));
        if (std::strcmp(list->modeText[0], "INVALID NODE") != 0 && std::strcmp(list->modeText[1], "INVALID NODE") != 0)
            fail("apAdvScheduleList: no band without the radio");
    });
}

// The status and version buffers are filled again by the next read that succeeds.
void FamilyReads::tftp()
{
    const APHANDLE h = apSysCommandTftpOpen(session_, 0);
    if (!h)
        fail("a family handle was refused");
    if (const uint32_t groups = choice_.groups & AP_TFTP_GROUP_ALL)
        expectOk(apStyleModify(h, groups, 0), "apStyleModify");
    char status[AP_TFTP_STATUS_SIZE], version[AP_TFTP_VERSION_SIZE];
    poison(status), poison(version);
    expectOk(apAdvTftpGetUpdStatus(h, status), "apAdvTftpGetUpdStatus");
    expectOk(apAdvTftpGetFWversion(h, version), "apAdvTftpGetFWversion");
    terminated("TFTP status", status, version);
    poison(status), poison(version);
    received_ = 0;
    const bool filled = read(h) == AP_OK;
    if (filled ? !(ends(status) && ends(version)) : !(untouched(status) && untouched(version)))
        fail(filled ? "TFTP status: not filled by the read" : "TFTP status: written by a failed read");
    expectOk(apHandleClose(h), "apHandleClose");
}

void FamilyReads::filter()
{
    withHandle(apAdvFilterOpen(session_, 0), AP_FILTER_GROUP_ALL, [this](APHANDLE h) {
        int band = -1;
        expectOk(apFilterBandGet(h, &band), "apFilterBandGet");
        for (int b = 1; b <= 2; ++b)
            filterBand(h, b);
    });
}

void FamilyReads::filterBand(APHANDLE h, int band)
{
    int mode;
    const auto entries = listed<apFilterAclEntry>("apAdvFilterACLGet", [h, band, &mode](int32_t &count, apFilterAclEntry *rows) {
        apFilterAclList list{count, rows};
        const int code = apAdvFilterACLGet(h, band, &mode, &list);
        count = list.count;
        return code;
    });
    checkRows(entries);
    if (std::any_of(entries.begin(), entries.end(), [band](const apFilterAclEntry &e) { return e.band != band; }))
        fail("apAdvFilterACLGet: an entry of the other band");
    const int32_t capacity = capacityFor(AP_FILTER_SSIDS);
    for (int states = 0; states < 2; ++states) {
        int32_t values[AP_FILTER_SSIDS + 2];
        poison(values);
        apFilterIntList list{capacity, values};
        int link, ethernet, partition, multi;
        expectOk(states ? apAdvFilterWLANSssidStateGet(h, band, &list)
                        : apAdvFilterWLANPartitionGet(h, band, &link, &ethernet, &partition, &multi, &list),
                 "apAdvFilterWLANPartitionGet");
        if (list.count != std::min<int32_t>(capacity, AP_FILTER_SSIDS) || !untouched(values[capacity]))
            fail("per-SSID filter values: " + std::to_string(list.count) + " in a buffer of " + std::to_string(capacity));
    }
}

void FamilyReads::log()
{
    withHandle(apSysLogSettingsOpen(session_, 0), AP_LOG_GROUP_ALL, [](APHANDLE h) {
        char server[AP_LOG_ADDRESS_SIZE], reserved[AP_LOG_TEXT_SIZE];
        apEmailNtfRecord email;
        poison(server), poison(reserved), poison(email);
        int system, wireless, notice;
        expectOk(apSysLogSettingsParaGet(h, server, &system, &wireless, &notice), "apSysLogSettingsParaGet");
        terminated("log server", server);
        expectOk(apSysLogSettingsEmailNtfGet(h, reserved, &email), "apSysLogSettingsEmailNtfGet");
        terminated("e-mail notification", email.serverAddress, email.userName, email.password, email.schedule,
                   email.fromAddress, email.toAddress);
        if (reserved[0] != '\0')
            fail("apSysLogSettingsEmailNtfGet: reserved does not read \"\"");
    });
}

// Device commands are written only; the read still goes through the same path.
void FamilyReads::command()
{
    withHandle(apSysCommandObjOpen(session_, 0), 1, [](APHANDLE) {});
}

void FamilyReads::monitor(int kind)
{
    const APHANDLE m = apSysMonitorOpen(session_, kind, 0);
    if (!m)
        fail("monitor kind " + std::to_string(kind) + " refused");
    const bool bands = kind == 2 || kind == 3 || kind == 4 || kind == 8;
    const int selector = bands ? band() : kind == 5 || kind == 7 ? 3 : 1;
    MonitorReport report;
    agent_.startCall();
    const int code = apSysMonitorRefresh(m, selector, onRefreshDone, &report, choice_.options & 1 ? AP_MODE_WAIT : AP_MODE_BLOCKING);
    const FakeAgent::Verdict verdict = agent_.endCall();
    checkOutcome(code, verdict, "apSysMonitorRefresh");
    if (report.calls != 1 || report.monitor != m || report.more != 0 || report.code != uint32_t(code))
        fail("the refresh report does not match the result " + std::to_string(code));
    received_ = code == AP_OK ? verdict.varbinds : 0; // after a failed refresh the table is empty
    monitorRows(m, kind);
    expectOk(apHandleClose(m), "apHandleClose");
}

void FamilyReads::monitorRows(APHANDLE m, int kind)
{
    switch (kind) {
    case 0: return checkRows(listed<apClientRecord>("clients", queryOne<apClientRecord>(m)));
    case 1:
        return checkRows(listed<apWdsPeerRecord>("WDS peers", [m](int32_t &count, apWdsPeerRecord *rows) {
            apWdsQuery query;
            poison(query);
            query.count = uint32_t(count);
            query.rows = rows;
            const int code = apSysMonitorQueryInfor(m, &query);
            terminated("WDS bands", query.frequency1, query.frequency2);
            count = int32_t(query.count);
            return code;
        }));
    case 2: return checkRows(listed<apIntrusionRecord>("detection", queryOne<apIntrusionRecord>(m)));
    case 3: return checkRows(listed<apClientSurveyRecord>("client survey", queryOne<apClientSurveyRecord>(m)));
    case 4: return checkRows(listed<apWdsSurveyRecord>("WDS survey", queryOne<apWdsSurveyRecord>(m)));
    case 5: return monitorPairs<apDhcpLeaseEntry, apDhcpStaticLeaseEntry>(m, "leases");
    case 6: return monitorPairs<apArrayEntry, apArrayMember>(m, "AP array scan");
    case 7: return checkRows(listed<apVlanPortEntry>("VLAN ports", queryOne<apVlanPortEntry>(m)));
    default: return checkRows(listed<apClientMacRecord>("client MACs", queryOne<apClientMacRecord>(m)));
    }
}

// Two lists in one query (apMonitorQuery2): both counts, then both buffers.
template <typename First, typename Second> void FamilyReads::monitorPairs(APHANDLE m, const char *what)
{
    apMonitorQuery2 counts{{0, 0}, {nullptr, nullptr}};
    expectOk(apSysMonitorQueryInfor(m, &counts), what);
    if (std::size_t(counts.count[0]) + counts.count[1] > received_)
        fail(std::string(what) + ": more rows than the agent sent");
    const int32_t capacity[2] = {capacityFor(int32_t(counts.count[0])), capacityFor(int32_t(counts.count[1]))};
    std::vector<First> first(std::size_t(capacity[0]) + 1);
    std::vector<Second> second(std::size_t(capacity[1]) + 1);
    for (First &row : first)
        poison(row);
    for (Second &row : second)
        poison(row);
    apMonitorQuery2 query{{uint32_t(capacity[0]), uint32_t(capacity[1])}, {first.data(), second.data()}};
    expectOk(apSysMonitorQueryInfor(m, &query), what);
    for (int i = 0; i < 2; ++i)
        if (query.count[i] != uint32_t(std::min(capacity[i], int32_t(counts.count[i]))))
            fail(std::string(what) + ": rows beyond the buffer or missing");
    if (!untouched(first[std::size_t(capacity[0])]) || !untouched(second[std::size_t(capacity[1])]))
        fail(std::string(what) + ": a row written past the buffer");
    first.resize(query.count[0]);
    second.resize(query.count[1]);
    checkRows(first);
    checkRows(second);
}

} // namespace trb::fuzz
