// The device library against a running simulator on a loopback port.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorProcess.h"
#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using namespace std::chrono;
using trb::test::SimulatorProcess;
using trb::test::SimulatorSessionTest;

namespace {

struct Completions {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<uint32_t, std::string>> reports;

    static int onRequest(uint32_t value, uint32_t more, const char *text, void *context, uint32_t)
    {
        auto *self = static_cast<Completions *>(context);
        if (more)
            return 0;
        std::lock_guard lock(self->mutex);
        self->reports.emplace_back(value, text ? text : "");
        self->changed.notify_all();
        return 0;
    }
    bool waitFor(std::size_t count, milliseconds limit = 15s)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return reports.size() >= count; });
    }
    std::size_t count()
    {
        std::lock_guard lock(mutex);
        return reports.size();
    }
};

// A device information record with guard bytes on both sides, to catch any overrun.
struct GuardedDeviceRecord {
    static constexpr std::size_t kGuard = 256;
    std::vector<uint8_t> bytes = std::vector<uint8_t>(AP_DEVICE_INFO_RECORD_SIZE + 2 * kGuard, 0xEE);
    apDeviceInfoRecord *record() { return reinterpret_cast<apDeviceInfoRecord *>(bytes.data() + kGuard); }
    void prepare(uint32_t group)
    {
        std::memset(record(), 0, AP_DEVICE_INFO_RECORD_SIZE);
        record()->group = group;
        record()->bandCount = 1;
    }
    bool guardsIntact() const
    {
        for (std::size_t i = 0; i < kGuard; ++i)
            if (bytes[i] != 0xEE || bytes[bytes.size() - 1 - i] != 0xEE)
                return false;
        return true;
    }
};

// Every text slot of the record holds a NUL within the slot.
void expectTerminatedTexts(const apDeviceInfoRecord &r)
{
    auto terminated = [](const char *slot, std::size_t size) { return memchr(slot, 0, size) != nullptr; };
#define CHECK_SLOT(f) EXPECT_TRUE(terminated(r.f, sizeof r.f)) << #f
    CHECK_SLOT(ipAddress);
    CHECK_SLOT(subnetMask);
    CHECK_SLOT(gateway);
    CHECK_SLOT(firmwareVersion);
    CHECK_SLOT(apArrayName);
    CHECK_SLOT(modelName);
    CHECK_SLOT(systemName);
    CHECK_SLOT(location);
    CHECK_SLOT(systemTime);
    CHECK_SLOT(upTime);
    CHECK_SLOT(currentBand);
#undef CHECK_SLOT
    for (int k = 0; k < 13; ++k)
        EXPECT_TRUE(terminated(r.mac[k], sizeof r.mac[k])) << "mac " << k;
    for (int b = 0; b < 2; ++b) {
        EXPECT_TRUE(terminated(r.ssid[b], sizeof r.ssid[b]));
        EXPECT_TRUE(terminated(r.security[b], sizeof r.security[b]));
        EXPECT_TRUE(terminated(r.radioState[b], sizeof r.radioState[b]));
    }
}

class AgainstSimulator : public SimulatorSessionTest {
protected:
    // Each test starts the simulator with its own faults, time-out and retries, some of them
    // more than once.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartLibrary()); }
};

} // namespace

TEST_F(AgainstSimulator, AsyncReadFillsTheDeviceInformationRecord)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    Completions done;
    ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_TRUE(done.waitFor(1));
    EXPECT_EQ(done.reports[0].first, 0u);
    EXPECT_TRUE(std::regex_match(done.reports[0].second, std::regex(R"(.+ Receive at \d\d:\d\d:\d\d\.)")))
        << done.reports[0].second;

    GuardedDeviceRecord g;
    g.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
    ASSERT_EQ(apSysDeviceGetInfor(info, g.record()), AP_OK);
    const apDeviceInfoRecord &r = *g.record();
    EXPECT_EQ(r.bandCount, 1u) << "the caller's band count is left alone";
    EXPECT_STREQ(r.modelName, "TRB-4820");
    EXPECT_STREQ(r.firmwareVersion, "1.2.07");
    EXPECT_STREQ(r.ipAddress, "192.168.1.10");
    EXPECT_STREQ(r.subnetMask, "255.255.255.0");
    EXPECT_STREQ(r.gateway, "192.168.1.1");
    EXPECT_STREQ(r.mac[0], "021A48200001");
    EXPECT_STREQ(r.mac[1], "021A48201000");
    EXPECT_STREQ(r.mac[2], "021A48202000");
    EXPECT_STREQ(r.mac[7], "021A48201001");
    EXPECT_STREQ(r.mac[11], "000000000000");
    EXPECT_STREQ(r.currentBand, "band2dot4gHz");
    EXPECT_STREQ(r.ssid[0], "TRB4820-2G");
    EXPECT_STREQ(r.channel[1], "36");
    EXPECT_STREQ(r.radioState[0], "on");
    EXPECT_STREQ(r.radioState[1], "off");
    EXPECT_STREQ(r.wirelessState[1], "disabled");
    EXPECT_STREQ(r.security[0], "WPA-Personal");
    EXPECT_STREQ(r.apArrayRole, "Master");
    EXPECT_TRUE(std::regex_match(r.upTime, std::regex(R"(\d+ days?, \d\d:\d\d:\d\d)"))) << r.upTime;
    EXPECT_LE(r.cpuLoad, 100u);
    EXPECT_TRUE(g.guardsIntact());
}

TEST_F(AgainstSimulator, BlockingReadsOfLanSettingsAndPaneStatus)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(apStyleModify(info, AP_DEVINFO_GROUP_LAN, 0), AP_OK);
    ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    apLanSettingsRecord lan{};
    lan.group = AP_DEVINFO_RECORD_GROUP_LAN;
    ASSERT_EQ(apSysDeviceGetInfor(info, &lan), AP_OK);
    EXPECT_EQ(lan.addressMode, 0u);
    EXPECT_STREQ(lan.ipAddress, "192.168.1.10");
    EXPECT_STREQ(lan.gateway, "192.168.1.1");

    APHANDLE pane = apDeviceStatusOpen(session, 0);
    ASSERT_EQ(apSnmpSendGetRequest(pane, nullptr, nullptr, AP_MODE_WAIT, 2000), AP_OK);
    apPaneStatusRecord status{};
    ASSERT_EQ(apAdvPaneStatusGet(pane, &status), AP_OK);
    EXPECT_STREQ(status.ipAddress, "192.168.1.10");
    EXPECT_STREQ(status.subnetMask, "255.255.255.0");
    EXPECT_EQ(status.activeBand, 0u);
    EXPECT_EQ(status.apMode, 1u);
    EXPECT_EQ(status.lanLink, 1u);
    EXPECT_EQ(status.radio24On, 1u);
    EXPECT_EQ(status.radio5On, 0u);
}

TEST_F(AgainstSimulator, WriteThenReadBack)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(apStyleModify(info, AP_DEVINFO_GROUP_LAN, 0), AP_OK);
    apLanSettingsRecord lan{};
    lan.group = AP_DEVINFO_RECORD_GROUP_LAN;
    lan.addressMode = 0;
    std::strcpy(lan.ipAddress, "10.1.2.3");
    std::strcpy(lan.subnetMask, "255.255.0.0");
    std::strcpy(lan.gateway, ""); // no gateway
    ASSERT_EQ(apSysDeviceSetInfor(info, &lan), AP_OK);
    Completions done;
    ASSERT_EQ(apSnmpSendSetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_TRUE(done.waitFor(1));
    ASSERT_EQ(done.reports[0].first, 0u) << done.reports[0].second;
    EXPECT_EQ(done.reports[0].second.rfind("Set OK. Receive at ", 0), 0u) << done.reports[0].second;
    // Staged values are sent once.
    EXPECT_EQ(apSnmpSendSetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_NOT_WRITABLE);

    // A fresh handle reads what the device now holds.
    APHANDLE again = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(apStyleModify(again, AP_DEVINFO_GROUP_LAN, 0), AP_OK);
    ASSERT_EQ(apSnmpSendGetRequest(again, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    apLanSettingsRecord back{};
    back.group = AP_DEVINFO_RECORD_GROUP_LAN;
    ASSERT_EQ(apSysDeviceGetInfor(again, &back), AP_OK);
    EXPECT_STREQ(back.ipAddress, "10.1.2.3");
    EXPECT_STREQ(back.subnetMask, "255.255.0.0");
    EXPECT_STREQ(back.gateway, "N/A");

    // Device information group: system name and location are written, read-only fields are not.
    GuardedDeviceRecord g;
    g.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
    ASSERT_EQ(apSnmpSendGetRequest(again, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apStyleModify(again, AP_DEVINFO_GROUP_DEVICE, 0), AP_OK);
    ASSERT_EQ(apSnmpSendGetRequest(again, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apSysDeviceGetInfor(again, g.record()), AP_OK);
    std::strcpy(g.record()->systemName, "Hall-7");
    std::strcpy(g.record()->location, "Roof");
    ASSERT_EQ(apSysDeviceSetInfor(again, g.record()), AP_OK);
    ASSERT_EQ(apSnmpSendSetRequest(again, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    g.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
    ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apStyleModify(info, AP_DEVINFO_GROUP_DEVICE, 0), AP_OK);
    ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apSysDeviceGetInfor(info, g.record()), AP_OK);
    EXPECT_STREQ(g.record()->systemName, "Hall-7");
    EXPECT_STREQ(g.record()->location, "Roof");
    EXPECT_STREQ(g.record()->gateway, "N/A");
}

TEST_F(AgainstSimulator, SsidAddressesOfTheServedBandComeFirst)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    GuardedDeviceRecord on24;
    on24.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
    ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apSysDeviceGetInfor(info, on24.record()), AP_OK);
    ASSERT_STREQ(on24.record()->currentBand, "band2dot4gHz");
    ASSERT_STRNE(on24.record()->mac[7], on24.record()->mac[8]);

    std::strcpy(on24.record()->currentBand, "band5gHz");
    ASSERT_EQ(apSysDeviceSetInfor(info, on24.record()), AP_OK);
    ASSERT_EQ(apSnmpSendSetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    GuardedDeviceRecord on5;
    on5.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
    ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apSysDeviceGetInfor(info, on5.record()), AP_OK);
    ASSERT_STREQ(on5.record()->currentBand, "band5gHz");
    for (int k = 7; k <= 11; k += 2) {
        EXPECT_STREQ(on5.record()->mac[k], on24.record()->mac[k + 1]) << k;
        EXPECT_STREQ(on5.record()->mac[k + 1], on24.record()->mac[k]) << k;
    }
}

TEST_F(AgainstSimulator, LostAnswersTimeOutWithTimedOutText)
{
    StartSimulator({"--drop-percent", "100"}, {.timeoutTenMs = 30, .retries = 1});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    Completions done;
    ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_TRUE(done.waitFor(1));
    EXPECT_EQ(done.reports[0].first, uint32_t(AP_ERR_TIMEOUT));
    EXPECT_NE(done.reports[0].second.find("timed out"), std::string::npos);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(done.count(), 1u) << "one report per request, retries included";
}

TEST_F(AgainstSimulator, WrongCommunityTimesOut)
{
    StartSimulator({}, {.timeoutTenMs = 30, .retries = 0, .readCommunity = "not-the-community"});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_TIMEOUT);
    APHANDLE monitor = apSysMonitorOpen(session, 0, 0);
    std::atomic<int> reports{0};
    std::atomic<uint32_t> lastCode{0};
    struct Ctx {
        std::atomic<int> *reports;
        std::atomic<uint32_t> *code;
    } ctx{&reports, &lastCode};
    auto onTable = [](APHANDLE, uint32_t more, uint32_t code, void *context, uint32_t) -> int {
        auto *c = static_cast<Ctx *>(context);
        if (!more) {
            *c->code = code;
            ++*c->reports;
        }
        return 0;
    };
    ASSERT_EQ(apSysMonitorRefresh(monitor, 1, onTable, &ctx, AP_MODE_CALLBACK), AP_OK);
    for (int i = 0; i < 200 && reports == 0; ++i)
        std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(lastCode, uint32_t(AP_ERR_TIMEOUT));
    apMonitorQuery1 query{0, nullptr};
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    EXPECT_EQ(query.count, 0u);
}

TEST_F(AgainstSimulator, RebootWindowTimesOutThenTheDeviceAnswersAgain)
{
    StartSimulator({"--reboot-seconds", "2"}, {.timeoutTenMs = 30, .retries = 0});
    APHANDLE command = apSysCommandObjOpen(session, 0);
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(apSysCommand(command, 0, 3000), AP_OK);
    ASSERT_EQ(apSnmpSendSetRequest(command, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    int during = apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    EXPECT_EQ(during, AP_ERR_TIMEOUT);
    char text[256];
    apSnmpGetErrorMsg(during, text);
    EXPECT_NE(std::strstr(text, "timed out"), nullptr);
    int after = AP_ERR_TIMEOUT;
    for (int attempt = 0; attempt < 20 && after != AP_OK; ++attempt) {
        std::this_thread::sleep_for(300ms);
        after = apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    }
    EXPECT_EQ(after, AP_OK);
}

TEST_F(AgainstSimulator, OversizedStringsAndWrongTypesNeverOverrunRecords)
{
    for (const char *flag : {"--oversize-strings", "--wrong-types"}) {
        SCOPED_TRACE(flag);
        StartSimulator({flag}, {.timeoutTenMs = 50, .retries = 0});
        // Wrong types fail the read (and leave nothing); so do 5000-byte MAC addresses, which
        // the device information and the client table carry. The records stay bounded either way.
        const bool wrongTypes = std::string(flag) == "--wrong-types";
        APHANDLE info = apSysDeviceInforOpen(session, 0);
        const auto started = steady_clock::now();
        ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_BAD_TYPE);
        // 5000-byte strings do not fit one datagram: the agent says tooBig and the library asks
        // again in halves at once, well within one 500 ms time-out.
        EXPECT_LT(steady_clock::now() - started, 400ms);
        GuardedDeviceRecord g;
        g.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
        ASSERT_EQ(apSysDeviceGetInfor(info, g.record()), AP_OK);
        EXPECT_TRUE(g.guardsIntact());
        expectTerminatedTexts(*g.record());
        EXPECT_LT(std::strlen(g.record()->ipAddress), 16u);
        EXPECT_TRUE(std::strlen(g.record()->mac[0]) == 0 || std::strlen(g.record()->mac[0]) == 12);

        APHANDLE pane = apDeviceStatusOpen(session, 0);
        ASSERT_EQ(apSnmpSendGetRequest(pane, nullptr, nullptr, AP_MODE_BLOCKING, 0),
                  wrongTypes ? AP_ERR_BAD_TYPE : AP_OK);
        std::vector<uint8_t> paneBytes(sizeof(apPaneStatusRecord) + 64, 0xEE);
        ASSERT_EQ(apAdvPaneStatusGet(pane, paneBytes.data()), AP_OK);
        for (std::size_t i = sizeof(apPaneStatusRecord); i < paneBytes.size(); ++i)
            ASSERT_EQ(paneBytes[i], 0xEE);
        auto *status = reinterpret_cast<apPaneStatusRecord *>(paneBytes.data());
        EXPECT_NE(memchr(status->ipAddress, 0, sizeof status->ipAddress), nullptr);
        EXPECT_LE(status->activeBand, 1u);

        APHANDLE monitor = apSysMonitorOpen(session, 0, 0);
        ASSERT_EQ(apSysMonitorRefresh(monitor, 1, nullptr, nullptr, AP_MODE_BLOCKING), AP_ERR_BAD_TYPE);
        apMonitorQuery1 query{0, nullptr};
        ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        std::vector<apClientRecord> rows(query.count + 1);
        std::memset(&rows[query.count], 0xEE, sizeof(apClientRecord));
        query.rows = rows.data();
        ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        for (uint32_t i = 0; i < query.count; ++i) {
            EXPECT_NE(memchr(rows[i].ssid, 0, sizeof rows[i].ssid), nullptr);
            EXPECT_NE(memchr(rows[i].phyMode, 0, sizeof rows[i].phyMode), nullptr);
        }
        auto *sentinel = reinterpret_cast<const uint8_t *>(&rows[query.count]);
        for (std::size_t i = 0; i < sizeof(apClientRecord); ++i)
            ASSERT_EQ(sentinel[i], 0xEE);
        apUninitSnmpLibrary();
        ASSERT_EQ(apInitSnmpLibrary(), AP_OK);
    }
}

// Values of the wrong type are a failed read, not "Get OK" with blank fields: the report names
// the first bad object, and the handle keeps what it read before for the objects concerned.
TEST_F(AgainstSimulator, WrongTypesFailTheReadAndKeepThePreviousValues)
{
    struct Case {
        std::vector<std::string> fault;
        const char *named; // the object the report must name; nullptr: any
    } cases[] = {{{"--wrong-types"}, nullptr}, {{"--wrong-type-object", "trbFirmwareVersion"}, "trbFirmwareVersion"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fault.front());
        StartSimulator({}, {.timeoutTenMs = 50, .retries = 0});
        SimulatorProcess faulty(c.fault);
        ASSERT_TRUE(faulty.ok()) << faulty.error();
        APHANDLE info = apSysDeviceInforOpen(session, 0);
        ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);

        ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", 50, faulty.address().c_str(), 0), AP_OK);
        Completions done;
        ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
        ASSERT_TRUE(done.waitFor(1));
        EXPECT_EQ(done.reports[0].first, uint32_t(AP_ERR_BAD_TYPE));
        const std::string &text = done.reports[0].second;
        EXPECT_NE(text.find(c.named ? c.named : "trb"), std::string::npos) << text;
        EXPECT_EQ(text.find("OK"), std::string::npos) << text;

        GuardedDeviceRecord g;
        g.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
        ASSERT_EQ(apSysDeviceGetInfor(info, g.record()), AP_OK);
        EXPECT_STREQ(g.record()->firmwareVersion, "1.2.07");
        EXPECT_STREQ(g.record()->modelName, "TRB-4820");
        EXPECT_STREQ(g.record()->ipAddress, "192.168.1.10");
        apUninitSnmpLibrary();
        ASSERT_EQ(apInitSnmpLibrary(), AP_OK);
    }
}

TEST_F(AgainstSimulator, ThreeHundredClientsReadCompleteWithoutGapsOrDuplicates)
{
    StartSimulator({"--clients", "300"}, {.timeoutTenMs = 150});
    APHANDLE monitor = apSysMonitorOpen(session, 0, 0);
    struct Ctx {
        std::mutex mutex;
        std::condition_variable cv;
        int reports = 0;
        uint32_t code = 99;
    } ctx;
    auto onTable = [](APHANDLE, uint32_t more, uint32_t code, void *context, uint32_t) -> int {
        auto *c = static_cast<Ctx *>(context);
        if (more)
            return 0;
        std::lock_guard lock(c->mutex);
        ++c->reports;
        c->code = code;
        c->cv.notify_all();
        return 0;
    };
    ASSERT_EQ(apSysMonitorRefresh(monitor, 1, onTable, &ctx, AP_MODE_CALLBACK), AP_OK);
    {
        std::unique_lock lock(ctx.mutex);
        ASSERT_TRUE(ctx.cv.wait_for(lock, 20s, [&] { return ctx.reports > 0; }));
        ASSERT_EQ(ctx.code, 0u);
    }
    apMonitorQuery1 query{0, nullptr};
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    ASSERT_EQ(query.count, 300u);
    std::vector<apClientRecord> rows(query.count);
    query.rows = rows.data();
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    ASSERT_EQ(query.count, 300u);
    std::set<uint32_t> indexes;
    std::set<std::string> macs;
    for (const apClientRecord &row : rows) {
        indexes.insert(row.index);
        macs.insert(row.mac);
        EXPECT_TRUE(row.band == 1 || row.band == 2);
        EXPECT_EQ(std::strlen(row.mac), 12u);
        EXPECT_GT(std::strlen(row.phyMode), 0u);
    }
    EXPECT_EQ(indexes.size(), 300u);
    EXPECT_EQ(*indexes.begin(), 1u);
    EXPECT_EQ(*indexes.rbegin(), 300u);
    EXPECT_EQ(macs.size(), 300u);
    // A smaller buffer takes only what fits.
    query.count = 10;
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    EXPECT_EQ(query.count, 10u);
    std::lock_guard lock(ctx.mutex);
    EXPECT_EQ(ctx.reports, 1);
}

TEST_F(AgainstSimulator, EveryRequestCompletesOnceOnALossyLink)
{
    StartSimulator({"--drop-percent", "50"}, {.timeoutTenMs = 20, .retries = 0});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    APHANDLE pane = apDeviceStatusOpen(session, 0);
    Completions done;
    const int requests = 20;
    for (int i = 0; i < requests; ++i)
        ASSERT_EQ(apSnmpSendGetRequest(i % 2 ? info : pane, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0),
                  AP_OK);
    ASSERT_TRUE(done.waitFor(requests));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(done.count(), std::size_t(requests));
    int ok = 0, timedOut = 0;
    for (auto &[code, text] : done.reports) {
        ok += code == 0;
        timedOut += code == AP_ERR_TIMEOUT;
    }
    EXPECT_EQ(ok + timedOut, requests);
}

TEST_F(AgainstSimulator, BlockingRequestWhileAsyncCompletionsArePending)
{
    // The agent answers one datagram at a time, each 200 ms late: 3 reads of 2 PDUs, then ours.
    StartSimulator({"--delay-ms", "200"}, {.timeoutTenMs = 500, .retries = 0});
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    APHANDLE pane = apDeviceStatusOpen(session, 0);
    Completions done;
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    EXPECT_LT(done.count(), 3u);
    EXPECT_EQ(apSnmpSendGetRequest(pane, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_TRUE(done.waitFor(3));
    for (auto &[code, text] : done.reports)
        EXPECT_EQ(code, 0u) << text;
}

TEST_F(AgainstSimulator, BlockingReadersOnSeveralThreadsBesideAsyncReadsOnALossyLink)
{
    // Blocking callers drive their own requests while the I/O thread drives the asynchronous
    // ones on the same sockets: whoever takes an answer, each request ends once, with its own data.
    StartSimulator({"--drop-percent", "25"}, {.timeoutTenMs = 10, .retries = 2});
    APHANDLE pane = apDeviceStatusOpen(session, 0);
    Completions done;
    const int threads = 3, readsEach = 8, asyncReads = 12;
    std::atomic<int> ok{0}, timedOut{0}, wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < threads; ++t)
        readers.emplace_back([&] {
            APHANDLE info = apSysDeviceInforOpen(session, 0);
            for (int i = 0; i < readsEach; ++i) {
                const int code = apSnmpSendGetRequest(info, nullptr, nullptr, i % 2 ? AP_MODE_WAIT : AP_MODE_BLOCKING,
                                                      i % 2 ? 2000 : 0);
                GuardedDeviceRecord g;
                g.prepare(AP_DEVINFO_RECORD_GROUP_DEVICE);
                if (code == AP_OK && apSysDeviceGetInfor(info, g.record()) == AP_OK &&
                    std::string(g.record()->modelName) == "TRB-4820" && g.guardsIntact())
                    ++ok;
                else if (code == AP_ERR_TIMEOUT)
                    ++timedOut;
                else
                    ++wrong;
            }
        });
    for (int i = 0; i < asyncReads; ++i)
        ASSERT_EQ(apSnmpSendGetRequest(pane, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    for (auto &reader : readers)
        reader.join();
    ASSERT_TRUE(done.waitFor(asyncReads));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(done.count(), std::size_t(asyncReads));
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(ok + timedOut, threads * readsEach);
    EXPECT_GT(ok, threads * readsEach / 2) << "three tries of a 25% lossy link mostly succeed";
}

TEST_F(AgainstSimulator, AClosedHandlesBuffersAreNeverFilledByARequestInFlight)
{
    // A page frees its status buffer once it has closed the handle; a late answer must not reach it.
    StartSimulator({"--delay-ms", "300"}, {.timeoutTenMs = 300, .retries = 0});
    for (const bool closeFirst : {false, true}) {
        APHANDLE tftp = apSysCommandTftpOpen(session, 0);
        std::vector<char> status(AP_TFTP_STATUS_SIZE);
        ASSERT_EQ(apAdvTftpGetUpdStatus(tftp, status.data()), AP_OK);
        std::fill(status.begin(), status.end(), 'x');
        Completions done;
        ASSERT_EQ(apSnmpSendGetRequest(tftp, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
        if (closeFirst)
            ASSERT_EQ(apHandleClose(tftp), AP_OK);
        ASSERT_TRUE(done.waitFor(1));
        EXPECT_EQ(done.reports[0].first, 0u) << done.reports[0].second;
        if (closeFirst)
            EXPECT_EQ(std::count(status.begin(), status.end(), 'x'), AP_TFTP_STATUS_SIZE) << "written after the close";
        else
            EXPECT_EQ(status[0] == 'x', false) << "an open handle's buffer is filled by the get";
    }
}
