// The DHCP family through the library, against a simulator: the settings reach the device, the
// static entries are created, edited and destroyed with duplicates refused, and the stations
// take leases while the server runs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

constexpr int kInconsistentValue = AP_ERR_SNMP_STATUS + 12;
constexpr int kResourceUnavailable = AP_ERR_SNMP_STATUS + 13;

apDhcpStaticEntry Entry(const char *host, const char *mac, const char *ip, int index = AP_DHCP_NEW_ENTRY)
{
    apDhcpStaticEntry entry{};
    entry.index = index;
    std::strcpy(entry.hostName, host);
    std::strcpy(entry.mac, mac);
    std::strcpy(entry.ipAddress, ip);
    std::strcpy(entry.subnetMask, "255.255.255.0");
    for (char *slot : {entry.gateway, entry.wins, entry.dns})
        std::strcpy(slot, "0.0.0.0");
    return entry;
}

int AddEntry(APHANDLE handle, const apDhcpStaticEntry &entry) { return apAdvDHCPStaticPoolAdd(handle, &entry); }

apDhcpDynamicRecord Pool(const char *start, int size, int leaseTime = 3600)
{
    apDhcpDynamicRecord pool{};
    std::strcpy(pool.poolStart, start);
    pool.poolSize = size;
    std::strcpy(pool.subnetMask, "255.255.255.0");
    std::strcpy(pool.gateway, "192.168.1.1");
    std::strcpy(pool.wins, "0.0.0.0");
    std::strcpy(pool.dns, "192.168.1.53");
    std::strcpy(pool.domainName, "lab.example");
    pool.leaseTime = leaseTime;
    return pool;
}

class LibraryDhcp : public SimulatorSessionTest {
protected:
    // A time-out of 3 s per try.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}, 300)); }
    // A handle that has read the device.
    APHANDLE Fresh()
    {
        APHANDLE handle = apAdvDHCPOpen(session, 0);
        EXPECT_NE(handle, 0u);
        apStyleModify(handle, AP_DHCP_GROUP_ALL, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        return handle;
    }
    int Write(APHANDLE handle) { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }

    std::vector<apDhcpStaticEntry> DeviceEntries()
    {
        APHANDLE handle = Fresh();
        apDhcpStaticList list{0, nullptr};
        EXPECT_EQ(apAdvDHCPGetSetting(handle, nullptr, nullptr, nullptr, nullptr, &list), AP_OK);
        std::vector<apDhcpStaticEntry> entries(list.count);
        list.entries = entries.data();
        EXPECT_EQ(apAdvDHCPGetSetting(handle, nullptr, nullptr, nullptr, nullptr, &list), AP_OK);
        apHandleClose(handle);
        return entries;
    }

    void Serve(const apDhcpDynamicRecord &pool, std::vector<apDhcpStaticEntry> entries = {})
    {
        APHANDLE handle = Fresh();
        ASSERT_EQ(apAdvDHCPServerControl(handle, 1, 1), AP_OK);
        ASSERT_EQ(apAdvDHCPDynamicSet(handle, &pool), AP_OK);
        for (const apDhcpStaticEntry &entry : entries)
            ASSERT_EQ(apAdvDHCPStaticPoolAdd(handle, &entry), AP_OK);
        ASSERT_EQ(Write(handle), AP_OK);
        apHandleClose(handle);
    }

    struct Leases {
        std::vector<apDhcpLeaseEntry> dynamic;
        std::vector<apDhcpStaticLeaseEntry> bound;
    };
    Leases ReadLeases()
    {
        APHANDLE monitor = apSysMonitorOpen(session, 5, 0);
        EXPECT_NE(monitor, 0u);
        EXPECT_EQ(apSysMonitorRefresh(monitor, 3, nullptr, nullptr, AP_MODE_BLOCKING), AP_OK);
        apDhcpLeaseView view{};
        EXPECT_EQ(apSysMonitorQueryInfor(monitor, &view), AP_OK);
        Leases leases{std::vector<apDhcpLeaseEntry>(view.dynamicCount),
                      std::vector<apDhcpStaticLeaseEntry>(view.staticCount)};
        view.dynamicLeases = leases.dynamic.data();
        view.staticLeases = leases.bound.data();
        EXPECT_EQ(apSysMonitorQueryInfor(monitor, &view), AP_OK);
        apHandleClose(monitor);
        return leases;
    }
};

TEST_F(LibraryDhcp, ServerControlAndPoolReachTheDevice)
{
    Serve(Pool("192.168.1.100", 50, 7200));
    APHANDLE handle = Fresh();
    int status = -1, state = -1, poolType = -1;
    apDhcpDynamicRecord pool{};
    ASSERT_EQ(apAdvDHCPGetSetting(handle, &status, &state, &poolType, &pool, nullptr), AP_OK);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(state, 1);
    EXPECT_EQ(poolType, 1);
    EXPECT_STREQ(pool.poolStart, "192.168.1.100");
    EXPECT_EQ(pool.poolSize, 50);
    EXPECT_STREQ(pool.subnetMask, "255.255.255.0");
    EXPECT_STREQ(pool.gateway, "192.168.1.1");
    EXPECT_STREQ(pool.wins, "0.0.0.0");
    EXPECT_STREQ(pool.dns, "192.168.1.53");
    EXPECT_STREQ(pool.domainName, "lab.example");
    EXPECT_EQ(pool.leaseTime, 7200);
}

TEST_F(LibraryDhcp, BadValuesStageNothing)
{
    APHANDLE handle = Fresh();
    const apDhcpStaticEntry badMac = Entry("pc", "02C1000001", "192.168.1.20");
    const apDhcpStaticEntry badIp = Entry("pc", "02C100000001", "192.168.1.300");
    const apDhcpStaticEntry noSuchRow = Entry("pc", "02C100000001", "192.168.1.20", 0);
    apDhcpDynamicRecord badPool = Pool("192.168.1.x", 10);
    struct Case {
        const char *what;
        int code;
    } cases[] = {
        {"state 2", apAdvDHCPServerControl(handle, 2, 0)},
        {"pool type 3", apAdvDHCPServerControl(handle, 1, 3)},
        {"bad MAC", apAdvDHCPStaticPoolAdd(handle, &badMac)},
        {"bad IP", apAdvDHCPStaticPoolAdd(handle, &badIp)},
        {"edit of a row not read", apAdvDHCPStaticPoolAdd(handle, &noSuchRow)},
        {"delete of a row not read", apAdvDHCPStaticPoolDelete(handle, 0)},
        {"bad pool start", apAdvDHCPDynamicSet(handle, &badPool)},
        {"null entry", apAdvDHCPStaticPoolAdd(handle, nullptr)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.code, AP_ERR_BAD_ARGUMENT) << c.what;
    EXPECT_EQ(apAdvDHCPServerControl(apAdvARPOpen(session, 0), 1, 1), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(Write(handle), AP_ERR_NOT_WRITABLE) << "nothing was staged";
    EXPECT_TRUE(DeviceEntries().empty());
}

TEST_F(LibraryDhcp, StaticEntriesAreAddedEditedAndDeletedByListRow)
{
    APHANDLE handle = Fresh();
    ASSERT_EQ(AddEntry(handle, Entry("printer", "02c100000001", "192.168.1.20")), AP_OK);
    ASSERT_EQ(AddEntry(handle, Entry("camera", "02C100000002", "192.168.1.21")), AP_OK);
    ASSERT_EQ(Write(handle), AP_OK);
    auto entries = DeviceEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(entries[0].hostName, "printer");
    EXPECT_STREQ(entries[0].mac, "02C100000001") << "read back upper case";
    EXPECT_STREQ(entries[1].ipAddress, "192.168.1.21");

    handle = Fresh();
    ASSERT_EQ(AddEntry(handle, Entry("camera-2", "02C100000002", "192.168.1.22", 1)), AP_OK);
    ASSERT_EQ(Write(handle), AP_OK);
    entries = DeviceEntries();
    ASSERT_EQ(entries.size(), 2u) << "an edit replaces the row";
    EXPECT_STREQ(entries[1].hostName, "camera-2");
    EXPECT_STREQ(entries[1].ipAddress, "192.168.1.22");

    handle = Fresh();
    ASSERT_EQ(apAdvDHCPStaticPoolDelete(handle, 0), AP_OK);
    ASSERT_EQ(Write(handle), AP_OK);
    entries = DeviceEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[0].hostName, "camera-2");
}

TEST_F(LibraryDhcp, DuplicatesAndAFullListAreRefusedWithNothingChanged)
{
    APHANDLE handle = Fresh();
    ASSERT_EQ(AddEntry(handle, Entry("printer", "02C100000001", "192.168.1.20")), AP_OK);
    ASSERT_EQ(Write(handle), AP_OK);
    struct Case {
        const char *what;
        apDhcpStaticEntry entry;
    } cases[] = {
        {"same IP", Entry("other", "02C100000009", "192.168.1.20")},
        {"same MAC in lower case", Entry("other", "02c100000001", "192.168.1.29")},
    };
    for (const Case &c : cases) {
        handle = Fresh();
        ASSERT_EQ(apAdvDHCPStaticPoolAdd(handle, &c.entry), AP_OK) << c.what;
        ASSERT_EQ(apAdvDHCPServerControl(handle, 1, 2), AP_OK);
        EXPECT_EQ(Write(handle), kInconsistentValue) << c.what;
        EXPECT_EQ(DeviceEntries().size(), 1u) << c.what;
        int state = -1;
        apAdvDHCPGetSetting(Fresh(), nullptr, &state, nullptr, nullptr, nullptr);
        EXPECT_EQ(state, 0) << c.what << ": the server control in the same request is refused too";
    }

    handle = Fresh();
    for (int i = 2; i <= 32; ++i) {
        const std::string mac = "02C1000001" + std::to_string(10 + i);
        const std::string ip = "192.168.1." + std::to_string(100 + i);
        ASSERT_EQ(AddEntry(handle, Entry("pc", mac.c_str(), ip.c_str())), AP_OK);
    }
    ASSERT_EQ(Write(handle), AP_OK);
    ASSERT_EQ(DeviceEntries().size(), 32u);
    handle = Fresh();
    ASSERT_EQ(AddEntry(handle, Entry("one more", "02C100000099", "192.168.1.99")), AP_OK);
    EXPECT_EQ(Write(handle), kResourceUnavailable) << "the list holds 32 entries";
    EXPECT_EQ(DeviceEntries().size(), 32u);
}

TEST_F(LibraryDhcp, StationsTakeLeasesWhileTheServerRuns)
{
    // Five stations (02C100000001..5); the third is bound to .30.
    EXPECT_TRUE(ReadLeases().dynamic.empty()) << "the server is off";
    Serve(Pool("192.168.1.100", 10, 60), {Entry("bound", "02C100000003", "192.168.1.30")});
    Leases leases = ReadLeases();
    ASSERT_EQ(leases.dynamic.size(), 4u);
    ASSERT_EQ(leases.bound.size(), 1u);
    EXPECT_STREQ(leases.bound[0].hostName, "bound");
    EXPECT_STREQ(leases.bound[0].mac, "02C100000003");
    EXPECT_STREQ(leases.bound[0].ipAddress, "192.168.1.30");
    std::vector<std::string> addresses;
    for (const apDhcpLeaseEntry &lease : leases.dynamic) {
        EXPECT_STRNE(lease.mac, "02C100000003");
        addresses.push_back(lease.ipAddress);
        EXPECT_GE(std::string(lease.leaseTime), "0 days, 00:00:59") << "a new lease has its whole time";
    }
    EXPECT_EQ(addresses, (std::vector<std::string>{"192.168.1.100", "192.168.1.101", "192.168.1.102",
                                                   "192.168.1.103"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const std::string later = ReadLeases().dynamic[0].leaseTime;
    EXPECT_LT(later, leases.dynamic[0].leaseTime) << "the time left counts down";
    EXPECT_GE(later, "0 days, 00:00:57");

    // A smaller pool serves fewer stations; they keep the addresses they hold.
    Serve(Pool("192.168.1.101", 2, 60));
    leases = ReadLeases();
    ASSERT_EQ(leases.dynamic.size(), 2u);
    EXPECT_STREQ(leases.dynamic[0].ipAddress, "192.168.1.101");
    EXPECT_STREQ(leases.dynamic[0].mac, "02C100000002");

    APHANDLE handle = Fresh();
    ASSERT_EQ(apAdvDHCPServerControl(handle, 0, 1), AP_OK);
    ASSERT_EQ(Write(handle), AP_OK);
    leases = ReadLeases();
    EXPECT_TRUE(leases.dynamic.empty() && leases.bound.empty()) << "a stopped server leases nothing";
}

TEST_F(LibraryDhcp, AServerLockedByTheLanClientKeepsItsState)
{
    // The device takes its own address by DHCP.
    auto record = std::make_unique<apLanSettingsRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->group = AP_DEVINFO_RECORD_GROUP_LAN;
    record->addressMode = 1;
    std::strcpy(record->ipAddress, "192.168.1.10");
    std::strcpy(record->subnetMask, "255.255.255.0");
    std::strcpy(record->gateway, "192.168.1.1");
    APHANDLE lan = apSysDeviceInforOpen(session, 0);
    apStyleModify(lan, AP_DEVINFO_GROUP_LAN, 1);
    ASSERT_EQ(apSysDeviceSetInfor(lan, record.get()), AP_OK);
    ASSERT_EQ(apSnmpSendSetRequest(lan, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    APHANDLE handle = Fresh();
    int status = -1;
    ASSERT_EQ(apAdvDHCPGetSetting(handle, &status, nullptr, nullptr, nullptr, nullptr), AP_OK);
    EXPECT_EQ(status, 4);
    ASSERT_EQ(apAdvDHCPServerControl(handle, 1, 1), AP_OK);
    EXPECT_EQ(Write(handle), kInconsistentValue);
    ASSERT_EQ(apAdvDHCPServerControl(handle, 0, 1), AP_OK);
    EXPECT_EQ(Write(handle), AP_OK) << "the same state again is no change";
}

} // namespace
