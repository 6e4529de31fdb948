// Traffic statistics and the WDS peer monitor (kind 1) through the library, against a simulator.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using namespace std::chrono_literals;
using trb::test::SimulatorSessionTest;

namespace {

constexpr uint32_t kNearWrap = 4294867296u; // 2^32 - 100000

class StatisticsAgainstSimulator : public SimulatorSessionTest {
protected:
    // Each test starts a simulator, some with counters near their wrap.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartLibrary()); }

    // A blocking read of `groups` on a fresh handle, both records filled.
    void read(uint32_t groups, apStatEthernetRecord &ethernet, apStatWlanRecord &wlan)
    {
        const APHANDLE h = apStatisticOpen(session, 0);
        ASSERT_NE(h, 0u);
        ASSERT_EQ(apStyleModify(h, groups, 0), AP_OK);
        ASSERT_EQ(apSnmpSendGetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        EXPECT_EQ(apStatisticInfor(h, &wlan, &ethernet), AP_OK);
        apHandleClose(h);
    }

    int clear(int tab)
    {
        const APHANDLE h = apStatisticOpen(session, 0);
        EXPECT_EQ(apStatisticInforClear(h, tab), AP_OK);
        EXPECT_EQ(apStyleModify(h, tab == 0 ? AP_STAT_GROUP_ETHERNET_CLEAR : AP_STAT_GROUP_WLAN_CLEAR, 1), AP_OK);
        const int code = apSnmpSendSetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        apHandleClose(h);
        return code;
    }

    int writeWireless(uint32_t groups, const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE h = apWirelessOpen(session, 0);
        apStyleModify(h, groups, 0); // a Set call keeps the values of this read it does not change
        EXPECT_EQ(apSnmpSendGetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        apStyleModify(h, groups, 1);
        const int staged = stage(h);
        const int code = staged ? staged : apSnmpSendSetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        apHandleClose(h);
        return code;
    }

    std::vector<apWdsPeerRecord> peers(apWdsQuery &query)
    {
        const APHANDLE monitor = apSysMonitorOpen(session, 1, 0);
        EXPECT_NE(monitor, 0u);
        EXPECT_EQ(apSysMonitorRefresh(monitor, 1, nullptr, nullptr, AP_MODE_BLOCKING), AP_OK);
        query = apWdsQuery{};
        EXPECT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        std::vector<apWdsPeerRecord> rows(query.count);
        query.rows = rows.data();
        EXPECT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        rows.resize(query.count);
        apHandleClose(monitor);
        return rows;
    }
};

TEST_F(StatisticsAgainstSimulator, CountersAdvanceBetweenReadsAndEachGroupFillsItsRecord)
{
    StartSimulator();
    apStatEthernetRecord e1{}, e2{};
    apStatWlanRecord w1{}, w2{};
    read(AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN, e1, w1);
    std::this_thread::sleep_for(150ms);
    read(AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN, e2, w2);
    const struct {
        const char *name;
        uint32_t before, after;
    } moving[] = {
        {"eth tx packets", e1.txPackets, e2.txPackets},       {"eth tx bytes", e1.txBytes, e2.txBytes},
        {"eth rx packets", e1.rxPackets, e2.rxPackets},       {"eth length 64", e1.length64, e2.length64},
        {"wlan tx packets 2.4", w1.txPackets[0], w2.txPackets[0]}, {"wlan rx bytes 2.4", w1.rxBytes[0], w2.rxBytes[0]},
        {"wlan tx packets 5", w1.txPackets[1], w2.txPackets[1]},
    };
    for (const auto &m : moving)
        EXPECT_GT(m.after, m.before) << m.name;
    EXPECT_GT(e2.txBytes, 60 * e2.txPackets) << "bytes follow packets at a plausible size";
    EXPECT_GT(w2.txPackets[0], w2.txPackets[1]) << "four of the five stations are on 2.4 GHz";

    apStatEthernetRecord onlyEthernet{};
    apStatWlanRecord untouched{};
    read(AP_STAT_GROUP_ETHERNET, onlyEthernet, untouched);
    EXPECT_GT(onlyEthernet.txPackets, 0u);
    EXPECT_EQ(untouched.txPackets[0], 0u) << "a read of the Ethernet group carries no WLAN counters";
}

TEST_F(StatisticsAgainstSimulator, CountersNearTwoToThe32WrapAndStayUnsigned)
{
    StartSimulator({"--counter-start", std::to_string(kNearWrap)});
    std::this_thread::sleep_for(500ms); // 256200 bytes a second: the Ethernet byte counter has wrapped
    apStatEthernetRecord e{};
    apStatWlanRecord w{};
    read(AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN, e, w);
    EXPECT_GE(e.txPackets, kNearWrap);
    EXPECT_GE(w.txPackets[0], kNearWrap);
    EXPECT_LT(e.txBytes, 1000000u) << "wrapped past 2^32";
}

TEST_F(StatisticsAgainstSimulator, ClearZeroesOnlyItsTabAndTheFlagWordComesBackAsGiven)
{
    StartSimulator({"--counter-start", std::to_string(kNearWrap)});
    const struct {
        int tab;
        bool ethernetCleared, wlanCleared;
    } cases[] = {{0, true, false}, {1, true, true}};
    for (const auto &c : cases) {
        ASSERT_EQ(clear(c.tab), AP_OK) << c.tab;
        apStatEthernetRecord e{};
        apStatWlanRecord w{};
        e.showZeros = 7;
        w.showZeros = 9;
        read(AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN, e, w);
        EXPECT_EQ(e.showZeros, 7u);
        EXPECT_EQ(w.showZeros, 9u);
        EXPECT_EQ(e.txPackets < 100000u, c.ethernetCleared) << "tab " << c.tab << ": " << e.txPackets;
        EXPECT_EQ(w.rxPackets[0] < 100000u, c.wlanCleared) << "tab " << c.tab << ": " << w.rxPackets[0];
    }
}

TEST_F(StatisticsAgainstSimulator, BadArgumentsChangeNothing)
{
    StartSimulator();
    const APHANDLE h = apStatisticOpen(session, 0);
    apStatEthernetRecord e{};
    EXPECT_EQ(apStatisticInforClear(h, 2), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apStatisticInforClear(h, -1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apStyleModify(h, AP_STAT_GROUP_ETHERNET_CLEAR, 1), AP_OK);
    EXPECT_EQ(apSnmpSendSetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_NOT_WRITABLE)
        << "a refused clear stages nothing";
    EXPECT_EQ(apStatisticInfor(h, nullptr, nullptr), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apStyleModify(h, 0x10, 0), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apStatisticInfor(apWirelessOpen(session, 0), nullptr, &e), AP_ERR_BAD_HANDLE);
    apHandleClose(h);
}

TEST_F(StatisticsAgainstSimulator, WdsMonitorReportsEverySlotAndEachBandsChannel)
{
    StartSimulator();
    apWdsQuery query{};
    auto rows = peers(query);
    ASSERT_EQ(rows.size(), 8u) << "four slots on each band";
    for (const apWdsPeerRecord &r : rows) {
        EXPECT_STREQ(r.status, "empty");
        EXPECT_STREQ(r.mac, "000000000000");
    }
    EXPECT_EQ(rows[0].band, 1u);
    EXPECT_EQ(rows[0].index, 1u);
    EXPECT_EQ(rows[7].band, 2u);
    EXPECT_EQ(rows[7].index, 4u);
    EXPECT_EQ(query.channel1, 6u);
    EXPECT_STREQ(query.frequency1, "2.437");
    EXPECT_EQ(query.channel2, 36u);
    EXPECT_STREQ(query.frequency2, "5.180");
}

TEST_F(StatisticsAgainstSimulator, WdsPeersLinkInTheWdsModesOnTheServedBandOnly)
{
    StartSimulator();
    ASSERT_EQ(writeWireless(AP_WL_GROUP_WDS, [](APHANDLE h) {
                  int code = apWirelessSetWDSList(h, 1, 0, 2, "02AABB000001 02AABB000002");
                  return code ? code : apWirelessSetWDSList(h, 2, 0, 1, "02AABB000005");
              }), AP_OK);
    const struct {
        int mode;
        const char *band1Status;
    } cases[] = {{0, "disconnected"}, {2, "connected"}, {1, "connected"}, {3, "disconnected"}};
    for (const auto &c : cases) {
        SCOPED_TRACE("AP mode " + std::to_string(c.mode));
        ASSERT_EQ(writeWireless(AP_WL_GROUP_RADIO, [&](APHANDLE h) { return apWirelessSetApMode(h, 1, 0, c.mode); }),
                  AP_OK);
        apWdsQuery query{};
        auto rows = peers(query);
        ASSERT_EQ(rows.size(), 8u);
        const bool up = std::string(c.band1Status) == "connected";
        EXPECT_STREQ(rows[0].mac, "02AABB000001");
        EXPECT_STREQ(rows[0].status, c.band1Status);
        EXPECT_STREQ(rows[0].name, "AP-000001");
        EXPECT_EQ(rows[0].signal != 0, up);
        EXPECT_EQ(std::string(rows[0].authentication) != "0", up);
        EXPECT_STREQ(rows[1].mac, "02AABB000002");
        EXPECT_STREQ(rows[2].status, "empty");
        EXPECT_STREQ(rows[4].mac, "02AABB000005");
        EXPECT_STREQ(rows[4].status, "disconnected") << "the radio does not serve 5 GHz";
    }
}

} // namespace
