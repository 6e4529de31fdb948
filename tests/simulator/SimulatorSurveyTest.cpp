// The simulated radio neighbourhood, its scans over SNMP, and the options that shape it.
#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "DefaultDevice.h"
#include "Device.h"
#include "Neighbourhood.h"
#include "SimulatorOptions.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::sim::MacBytes;
using trb::sim::Neighbour;
using trb::sim::Neighbourhood;
using trb::sim::SimulatorOptions;
using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;

namespace {

bool unicast(const MacBytes &mac) { return (mac[0] & 0x01) == 0 && mac != MacBytes{}; }

bool channelOfBand(int band, int channel)
{
    static const std::set<int> five = {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116,
                                       120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165};
    return band == 1 ? channel >= 1 && channel <= 13 : five.count(channel) == 1;
}

TEST(Neighbourhood, FirstScansHearEveryAccessPointOnItsOwnBand)
{
    const struct {
        int perBand;
        uint32_t seed;
    } cases[] = {{12, 4820}, {64, 1}, {255, 7}, {1, 3}, {0, 9}};
    for (const auto &c : cases) {
        Neighbourhood radio(c.perBand, c.seed);
        std::set<MacBytes> bssids;
        for (int band = 1; band <= 2; ++band) {
            const auto heard = radio.scan(band);
            ASSERT_EQ(int(heard.size()), c.perBand) << "band " << band << " seed " << c.seed;
            for (const Neighbour &ap : heard) {
                EXPECT_TRUE(unicast(ap.bssid));
                EXPECT_TRUE(bssids.insert(ap.bssid).second) << "BSSIDs are distinct across both bands";
                EXPECT_TRUE(channelOfBand(band, ap.channel)) << ap.channel << " on band " << band;
                EXPECT_GE(ap.signal, 5);
                EXPECT_LE(ap.signal, 95);
                EXPECT_FALSE(ap.security.empty());
                EXPECT_LE(ap.ssid.size(), 32u);
            }
        }
        EXPECT_TRUE(radio.scan(0).empty());
        EXPECT_TRUE(radio.scan(3).empty());
    }
}

TEST(Neighbourhood, TheSameSeedGivesTheSameNeighbourhoodAndAnotherSeedAnother)
{
    auto bssidsOf = [](uint32_t seed) {
        Neighbourhood radio(12, seed);
        std::vector<MacBytes> list;
        for (const Neighbour &ap : radio.scan(1))
            list.push_back(ap.bssid);
        return list;
    };
    EXPECT_EQ(bssidsOf(5), bssidsOf(5));
    EXPECT_NE(bssidsOf(5), bssidsOf(6));
}

TEST(Neighbourhood, LaterScansDriftALittleAndKeepTheAccessPoints)
{
    Neighbourhood radio(40, 11);
    std::vector<Neighbour> previous = radio.scan(2);
    bool changed = false;
    bool cameOrWent = false;
    for (int round = 0; round < 20; ++round) {
        std::vector<Neighbour> now = radio.scan(2);
        EXPECT_GE(now.size() + 1, previous.size());
        EXPECT_LE(now.size(), previous.size() + 1) << "at most one comes or goes";
        cameOrWent |= now.size() != previous.size();
        for (const Neighbour &ap : now) {
            auto before = std::find_if(previous.begin(), previous.end(),
                                       [&](const Neighbour &p) { return p.bssid == ap.bssid; });
            if (before == previous.end())
                continue;
            EXPECT_LE(std::abs(ap.signal - before->signal), 3);
            EXPECT_EQ(ap.channel, before->channel);
            EXPECT_EQ(ap.ssid, before->ssid);
            changed |= ap.signal != before->signal;
        }
        previous = std::move(now);
    }
    EXPECT_TRUE(changed) << "signals drift";
    EXPECT_TRUE(cameOrWent) << "the flaky access point comes and goes within 20 scans";
}

TEST(SimulatorOptionsSurvey, NeighboursAndSeedAreCheckedWholeNumbers)
{
    const struct {
        std::vector<std::string> args;
        int neighbours; // -1: refused
        const char *message;
    } cases[] = {
        {{}, 12, ""},
        {{"--neighbours", "64"}, 64, ""},
        {{"--neighbours=0"}, 0, ""},
        {{"--neighbours", "255"}, 255, ""},
        {{"--neighbours", "256"}, -1, "--neighbours needs a whole number from 0 to 255, not '256'"},
        {{"--neighbours", "-1"}, -1, "not '-1'"},
        {{"--neighbours", "12x"}, -1, "not '12x'"},
        {{"--neighbours="}, -1, "not ''"},
        {{"--neighbours"}, -1, "--neighbours needs a value"},
        {{"--survey-seed", "many"}, -1, "--survey-seed needs a whole number"},
    };
    for (const auto &c : cases) {
        std::string error;
        auto options = SimulatorOptions::parse(c.args, error);
        if (c.neighbours < 0) {
            EXPECT_FALSE(options);
            EXPECT_NE(error.find(c.message), std::string::npos) << error;
        } else {
            ASSERT_TRUE(options) << error;
            EXPECT_EQ(options->neighbours, c.neighbours);
        }
    }
}

class SimulatorSurvey : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimulatorProcess({"--neighbours", "20"}); }
    static void TearDownTestSuite() { delete sim; }
    void SetUp() override { ASSERT_TRUE(sim->ok()) << sim->error(); }

    // The rows of one column below the band, by row number.
    static std::vector<trb::test::Varbind> column(SnmpTestClient &client, const char *name, uint32_t band)
    {
        auto rows = client.walk(SnmpTestClient::oidOf(name, {band}));
        return rows ? *rows : std::vector<trb::test::Varbind>{};
    }

    static SimulatorProcess *sim;
};
SimulatorProcess *SimulatorSurvey::sim = nullptr;

TEST_F(SimulatorSurvey, AScanFillsThatBandsRowsOnly)
{
    SnmpTestClient writer(sim->address(), "private");
    ASSERT_EQ(writer.setObject("trbSurveyScan", {}, ASN_INTEGER, "", 2), SNMP_ERR_NOERROR);
    EXPECT_EQ(column(writer, "trbNeighbourBssid", 2).size(), 20u);
    ASSERT_EQ(writer.setObject("trbSurveyScan", {}, ASN_INTEGER, "", 1), SNMP_ERR_NOERROR);
    const auto channels = column(writer, "trbNeighbourChannel", 1);
    ASSERT_EQ(channels.size(), 20u);
    for (const auto &vb : channels)
        EXPECT_TRUE(channelOfBand(1, int(vb.number))) << vb.number;
    EXPECT_EQ(writer.getObject("trbSurveyScan")->number, 0) << "reads idle";
    const auto band2 = column(writer, "trbNeighbourChannel", 2);
    ASSERT_FALSE(band2.empty()) << "the other band keeps its last scan";
    EXPECT_TRUE(channelOfBand(2, int(band2[0].number)));
}

TEST_F(SimulatorSurvey, BadScansAreRefusedAndChangeNothing)
{
    SnmpTestClient writer(sim->address(), "private");
    ASSERT_EQ(writer.setObject("trbSurveyScan", {}, ASN_INTEGER, "", 1), SNMP_ERR_NOERROR);
    const auto before = column(writer, "trbNeighbourSignal", 1);
    const struct {
        const char *community;
        u_char type;
        long band;
        long status;
    } cases[] = {
        {"private", ASN_INTEGER, 3, SNMP_ERR_WRONGVALUE},
        {"private", ASN_INTEGER, -1, SNMP_ERR_WRONGVALUE},
        {"private", ASN_OCTET_STR, 1, SNMP_ERR_WRONGTYPE},
        {"public", ASN_INTEGER, 1, SNMP_ERR_NOACCESS},
    };
    for (const auto &c : cases) {
        SnmpTestClient client(sim->address(), c.community);
        EXPECT_EQ(client.setObject("trbSurveyScan", {}, c.type, c.type == ASN_OCTET_STR ? "1" : "", c.band), c.status)
            << c.community << " " << c.band;
        const auto after = column(writer, "trbNeighbourSignal", 1);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i)
            EXPECT_EQ(after[i].number, before[i].number) << "no scan ran";
    }
}

// The flag belongs to the radio settings' subtree; until it exists no band blocks surveys.
TEST(SimulatorSurveyBlocked, ABlockedBandRefusesItsScanAndTheOtherBandScans)
{
    using trb::sim::Device;
    using trb::sim::DeviceStore;
    bool flagInSchema = false;
    for (const auto &object : trb::schema::objects())
        if (std::string_view(object.name).find("SurveyBlocked") != std::string_view::npos) {
            EXPECT_STREQ(object.name, Device::kSurveyBlockedObject) << "the simulator looks for this name";
            flagInSchema = true;
        }
    if (!flagInSchema)
        GTEST_SKIP() << "no survey-blocked flag in the schema";
    DeviceStore store = trb::sim::DefaultDevice::build(0);
    store.set(DeviceStore::instanceOf(Device::kSurveyBlockedObject, {2}), trb::sim::SnmpValue::integer(1));
    Device device(std::move(store), "/nonexistent/state.ini", std::chrono::seconds(0));
    const auto scan = DeviceStore::instanceOf("trbSurveyScan");
    const struct {
        long band;
        int status;
    } cases[] = {{1, SNMP_ERR_NOERROR}, {2, SNMP_ERR_INCONSISTENTVALUE}, {0, SNMP_ERR_NOERROR}};
    for (const auto &c : cases)
        EXPECT_EQ(device.refusal(scan, c.band), c.status) << "band " << c.band;
    EXPECT_EQ(device.refusal(DeviceStore::instanceOf("trbCurrentBand"), 2), SNMP_ERR_NOERROR);
}

} // namespace
