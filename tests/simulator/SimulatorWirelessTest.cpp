// The simulator's radio: what it refuses, its lists per country, what an AP mode switches off,
// status texts that follow the settings, secrets, and settings kept across a save and restart.
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;
using trb::test::Varbind;

namespace {

constexpr long kSaveAndActivate = 3;

class SimulatorWireless : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimulatorProcess(); }
    static void TearDownTestSuite() { delete sim; }
    void SetUp() override { ASSERT_TRUE(sim->ok()) << sim->error(); }

    static std::string read(const char *name, std::initializer_list<uint32_t> index = {})
    {
        SnmpTestClient reader(sim->address(), "private");
        auto value = reader.getObject(name, index);
        if (!value)
            return "<no answer>";
        return value->type == ASN_OCTET_STR ? value->bytes : std::to_string(value->number);
    }
    static long set(const std::vector<Varbind> &varbinds)
    {
        SnmpTestClient writer(sim->address(), "private");
        auto reply = writer.set(varbinds);
        return reply.answered ? reply.errorStatus : -1;
    }

    static SimulatorProcess *sim;
};
SimulatorProcess *SimulatorWireless::sim = nullptr;

struct Refused {
    const char *what;
    Varbind varbind;
    long status;
};

std::vector<Refused> refusedSets()
{
    using C = SnmpTestClient;
    return {
        {"beacon 24", C::integer("trbRadioBeaconInterval", {1}, 24), SNMP_ERR_WRONGVALUE},
        {"beacon 501", C::integer("trbRadioBeaconInterval", {1}, 501), SNMP_ERR_WRONGVALUE},
        {"DTIM 0", C::integer("trbRadioDtimInterval", {2}, 0), SNMP_ERR_WRONGVALUE},
        {"DTIM 16", C::integer("trbRadioDtimInterval", {2}, 16), SNMP_ERR_WRONGVALUE},
        {"ACK 201", C::integer("trbRadioAckTimeout", {1}, 201), SNMP_ERR_WRONGVALUE},
        {"user limit 65", C::integer("trbRadioUserLimit", {1}, 65), SNMP_ERR_WRONGVALUE},
        {"utilization 3", C::integer("trbRadioUtilization", {1}, 3), SNMP_ERR_WRONGVALUE},
        {"transmit power 5", C::integer("trbRadioTransmitPower", {1}, 5), SNMP_ERR_WRONGVALUE},
        {"5 GHz mode on 2.4 GHz", C::integer("trbRadioWirelessMode", {1}, 9), SNMP_ERR_WRONGVALUE},
        {"2.4 GHz mode on 5 GHz", C::integer("trbRadioWirelessMode", {2}, 6), SNMP_ERR_WRONGVALUE},
        {"channel 12 in the US", C::integer("trbRadioChannel", {1}, 12), SNMP_ERR_WRONGVALUE},
        {"channel 38 on 5 GHz", C::integer("trbRadioChannel", {2}, 38), SNMP_ERR_WRONGVALUE},
        {"data rate not in the list", C::text("trbRadioDataRate", {2}, "5.5"), SNMP_ERR_WRONGVALUE},
        {"multicast rate Auto", C::text("trbRadioMulticastRate", {1}, "Auto"), SNMP_ERR_WRONGVALUE},
        {"group key interval 299", C::integer("trbServiceWpaGroupKeyInterval", {1, 0}, 299), SNMP_ERR_WRONGVALUE},
        {"802.1x interval 10000000", C::integer("trbServiceDot1xKeyInterval", {1, 0}, 10000000), SNMP_ERR_WRONGVALUE},
        {"key change every 0 hours", C::integer("trbServiceKeyChangeHours", {1, 0}, 0), SNMP_ERR_WRONGVALUE},
        {"key change every 169 hours", C::integer("trbServiceKeyChangeHours", {1, 0}, 169), SNMP_ERR_WRONGVALUE},
        {"key change at 24:00", C::text("trbServiceKeyChangeTime", {1, 0}, "24:00"), SNMP_ERR_WRONGVALUE},
        {"key change at 7:30", C::text("trbServiceKeyChangeTime", {1, 0}, "7:30"), SNMP_ERR_WRONGLENGTH},
        {"passphrase of 7", C::text("trbServicePassphrase", {1, 0}, "1234567"), SNMP_ERR_WRONGLENGTH},
        {"WEP key size 96", C::integer("trbServiceWepKeySize", {1, 0}, 96), SNMP_ERR_WRONGVALUE},
        {"authentication 7", C::integer("trbServiceAuthentication", {1, 0}, 7), SNMP_ERR_WRONGVALUE},
        {"RADIUS port 0", C::integer("trbServiceRadiusPort", {2, 3}, 0), SNMP_ERR_WRONGVALUE},
        {"SSID name of 33", C::text("trbServiceSsid", {1, 1}, std::string(33, 'x')), SNMP_ERR_WRONGLENGTH},
        {"primary SSID name empty", C::text("trbBandSsid", {1}, ""), SNMP_ERR_WRONGLENGTH},
        {"primary SSID in the SSID name column", C::text("trbServiceSsid", {1, 0}, "x"), SNMP_ERR_NOCREATION},
        {"current key", C::text("trbServiceCurrentKey", {1, 0}, "12345678"), SNMP_ERR_NOTWRITABLE},
        {"survey blocked", C::integer("trbRadioSurveyBlocked", {1}, 1), SNMP_ERR_NOTWRITABLE},
        {"country", C::text("trbCountryCode", {}, "JP"), SNMP_ERR_NOTWRITABLE},
        {"channel list", C::text("trbRadioChannelList", {1}, "1"), SNMP_ERR_NOTWRITABLE},
    };
}

class SimulatorWirelessRefused : public SimulatorWireless, public ::testing::WithParamInterface<Refused> {};

TEST_P(SimulatorWirelessRefused, WithItsStatusAndNothingChanged)
{
    const Refused &c = GetParam();
    SnmpTestClient writer(sim->address(), "private");
    auto before = writer.get({c.varbind.name});
    // With a good assignment in the same PDU, which must not happen either.
    auto reply = writer.set({SnmpTestClient::integer("trbRadioBeaconInterval", {2}, 333), c.varbind});
    ASSERT_TRUE(reply.answered);
    EXPECT_EQ(reply.errorStatus, c.status);
    EXPECT_EQ(reply.errorIndex, 2);
    auto after = writer.get({c.varbind.name});
    ASSERT_EQ(after.varbinds.size(), 1u);
    EXPECT_EQ(after.varbinds[0].bytes, before.varbinds[0].bytes);
    EXPECT_EQ(after.varbinds[0].number, before.varbinds[0].number);
    EXPECT_EQ(read("trbRadioBeaconInterval", {2}), "100");
}

INSTANTIATE_TEST_SUITE_P(Sets, SimulatorWirelessRefused, ::testing::ValuesIn(refusedSets()), [](const auto &info) {
    std::string name;
    for (char c : std::string(info.param.what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST_F(SimulatorWireless, AcceptsWhatTheListsOffer)
{
    using C = SnmpTestClient;
    EXPECT_EQ(set({C::integer("trbRadioChannel", {2}, 165), C::text("trbRadioDataRate", {2}, "130"),
                   C::text("trbRadioMulticastRate", {2}, "Disable"), C::integer("trbRadioWirelessMode", {2}, 8),
                   C::text("trbServiceKeyChangeTime", {2, 1}, "23:59")}),
              SNMP_ERR_NOERROR);
    EXPECT_EQ(read("trbRadioChannel", {2}), "165");
    EXPECT_EQ(read("trbBandChannel", {2}), "165") << "the status text follows";
    EXPECT_EQ(read("trbBandDataRate", {2}), "130");
}

TEST_F(SimulatorWireless, StatusTextsFollowTheSettings)
{
    using C = SnmpTestClient;
    ASSERT_EQ(set({C::integer("trbServiceAuthentication", {2, 0}, 5), C::integer("trbApMode", {}, 4)}),
              SNMP_ERR_NOERROR);
    EXPECT_EQ(read("trbBandSecurity", {2}), "WPA-Enterprise");
    EXPECT_EQ(read("trbBandOperationMode", {1}), "Wireless Client");
    ASSERT_EQ(set({C::integer("trbServiceAuthentication", {2, 0}, 1), C::integer("trbApMode", {}, 1)}),
              SNMP_ERR_NOERROR);
    EXPECT_EQ(read("trbBandSecurity", {2}), "Open System");
    EXPECT_EQ(read("trbBandOperationMode", {1}), "Access Point");
}

TEST_F(SimulatorWireless, TheReadCommunityNeverSeesAWirelessSecret)
{
    SnmpTestClient reader(sim->address(), "public");
    const char *secrets[] = {"trbServiceWepKey", "trbServicePassphrase", "trbServiceCurrentKey",
                             "trbServiceRadiusSecret"};
    for (const char *secret : secrets) {
        SCOPED_TRACE(secret);
        auto get = reader.get({SnmpTestClient::oidOf(secret, {1, 0})});
        ASSERT_TRUE(get.answered);
        EXPECT_EQ(get.varbinds.at(0).type, SNMP_NOSUCHOBJECT);
        auto column = SnmpTestClient::oidOf(secret, {});
        auto walk = reader.walk(column);
        ASSERT_TRUE(walk);
        EXPECT_TRUE(walk->empty());
    }
    SnmpTestClient writer(sim->address(), "private");
    EXPECT_EQ(writer.getObject("trbServicePassphrase", {1, 0})->bytes, "trb4820-key");
}

// ---- Lists by country ----

struct CountryLists {
    const char *country;
    uint32_t band;
    const char *channels;
    const char *wdsChannels;
};

class SimulatorCountry : public ::testing::TestWithParam<CountryLists> {};

TEST_P(SimulatorCountry, OffersItsChannels)
{
    const CountryLists &c = GetParam();
    SimulatorProcess sim({"--country", c.country});
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient reader(sim.address(), "public");
    EXPECT_EQ(reader.getObject("trbCountryCode")->bytes, c.country);
    EXPECT_EQ(reader.getObject("trbRadioChannelList", {c.band})->bytes, c.channels);
    EXPECT_EQ(reader.getObject("trbRadioWdsChannelList", {c.band})->bytes, c.wdsChannels);
}

INSTANTIATE_TEST_SUITE_P(
    Countries, SimulatorCountry,
    ::testing::Values(
        CountryLists{"US", 1, "1 2 3 4 5 6 7 8 9 10 11", ""},
        CountryLists{"JP", 1, "1 2 3 4 5 6 7 8 9 10 11 12 13", ""},
        CountryLists{"EG", 1, "1 2 3 4 5 6 7 8 9 10 11 12 13", ""},
        CountryLists{"US", 2,
                     "36 40 44 48 52 56 60 64 100 104 108 112 116 120 124 128 132 136 140 149 153 157 161 165", ""},
        CountryLists{"JP", 2, "36 40 44 48 52 56 60 64 100 104 108 112 116 120 124 128 132 136 140", "36 40 44 48"},
        CountryLists{"EG", 2, "36 40 44 48 52 56 60 64", ""}),
    [](const auto &info) { return std::string(info.param.country) + "_band" + std::to_string(info.param.band); });

TEST(SimulatorCountryOption, RefusesWhatIsNotACountryCode)
{
    for (const char *bad : {"us", "USA", "U", "1A"}) {
        SimulatorProcess sim({"--country", bad});
        EXPECT_FALSE(sim.ok()) << bad;
    }
}

TEST(SimulatorCountryOption, JapanTakesChannel13AndTheUsDoesNot)
{
    for (const auto &[country, status] : {std::pair{"JP", SNMP_ERR_NOERROR}, std::pair{"US", SNMP_ERR_WRONGVALUE}}) {
        SimulatorProcess sim({"--country", country});
        ASSERT_TRUE(sim.ok()) << sim.error();
        SnmpTestClient writer(sim.address(), "private");
        EXPECT_EQ(writer.setObject("trbRadioChannel", {1}, ASN_INTEGER, {}, 13), status) << country;
    }
}

// ---- What an AP mode switches off ----

struct ModeEffect {
    long apMode; // 1..5
    long vlan, apArray, webRedirection, multiSsid;
};

class SimulatorApModeEffects : public ::testing::TestWithParam<ModeEffect> {};

TEST_P(SimulatorApModeEffects, SwitchOffWhatTheModeCannotServe)
{
    using C = SnmpTestClient;
    const ModeEffect &e = GetParam();
    SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient writer(sim.address(), "private");
    ASSERT_EQ(writer.set({C::integer("trbVlanFunction", {}, 1), C::integer("trbApArrayFunction", {}, 1),
                          C::integer("trbWebRedirection", {}, 1), C::integer("trbRadioMultiSsid", {1}, 1),
                          C::integer("trbRadioMultiSsid", {2}, 1)})
                  .errorStatus,
              SNMP_ERR_NOERROR);
    ASSERT_EQ(writer.setObject("trbApMode", {}, ASN_INTEGER, {}, e.apMode), SNMP_ERR_NOERROR);
    EXPECT_EQ(writer.getObject("trbVlanFunction")->number, e.vlan);
    EXPECT_EQ(writer.getObject("trbApArrayFunction")->number, e.apArray);
    EXPECT_EQ(writer.getObject("trbWebRedirection")->number, e.webRedirection);
    EXPECT_EQ(writer.getObject("trbRadioMultiSsid", {1})->number, e.multiSsid) << "the current band's";
    EXPECT_EQ(writer.getObject("trbRadioMultiSsid", {2})->number, 1) << "the other band's stays";
}

INSTANTIATE_TEST_SUITE_P(Modes, SimulatorApModeEffects,
                         ::testing::Values(ModeEffect{1, 1, 1, 1, 1}, ModeEffect{2, 1, 0, 1, 1},
                                           ModeEffect{3, 1, 0, 0, 0}, ModeEffect{4, 0, 0, 0, 0},
                                           ModeEffect{5, 0, 0, 0, 0}),
                         [](const auto &info) { return "apMode" + std::to_string(info.param.apMode); });

TEST(SimulatorApModeUndo, AFailedSetBringsBackWhatTheModeSwitchedOff)
{
    using C = SnmpTestClient;
    // The state file's directory would have to be created inside a regular file: saves fail.
    char dir[] = "/tmp/trb4820-wl-blocked-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string blocker = std::string(dir) + "/file";
    std::ofstream(blocker) << "x";
    SimulatorProcess sim({}, blocker + "/sub/state.ini");
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient writer(sim.address(), "private");
    ASSERT_EQ(writer.set({C::integer("trbVlanFunction", {}, 1), C::integer("trbApArrayFunction", {}, 1)}).errorStatus,
              SNMP_ERR_NOERROR);

    auto reply = writer.set({C::integer("trbApMode", {}, 4), C::integer("trbDeviceCommand", {}, kSaveAndActivate)});
    ASSERT_TRUE(reply.answered);
    EXPECT_EQ(reply.errorStatus, SNMP_ERR_COMMITFAILED);
    EXPECT_EQ(writer.getObject("trbApMode")->number, 1);
    EXPECT_EQ(writer.getObject("trbVlanFunction")->number, 1);
    EXPECT_EQ(writer.getObject("trbApArrayFunction")->number, 1);
    sim.stop();
    std::remove(blocker.c_str());
    rmdir(dir);
}

// ---- Saved configuration ----

TEST(SimulatorWirelessSave, SavedSettingsComeBackAfterARestart)
{
    using C = SnmpTestClient;
    SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    const std::vector<Varbind> settings = {
        C::integer("trbRadioChannel", {1}, 11),        C::integer("trbRadioBeaconInterval", {2}, 250),
        C::text("trbServiceSsid", {2, 3}, "Lobby"),    C::text("trbServicePassphrase", {1, 2}, "saved secret"),
        C::integer("trbServiceAuthentication", {1, 2}, 4), C::integer("trbApplicationClass", {}, 2),
        C::integer("trbVlanFunction", {}, 1),
    };
    {
        SnmpTestClient writer(sim.address(), "private");
        ASSERT_EQ(writer.set(settings).errorStatus, SNMP_ERR_NOERROR);
        ASSERT_EQ(writer.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, kSaveAndActivate), SNMP_ERR_NOERROR);
    }
    ASSERT_TRUE(sim.restart()) << sim.error();
    SnmpTestClient reader(sim.address(), "private");
    for (const Varbind &setting : settings) {
        auto value = reader.get({setting.name});
        ASSERT_TRUE(value.answered);
        EXPECT_EQ(value.varbinds.at(0).bytes, setting.bytes);
        EXPECT_EQ(value.varbinds.at(0).number, setting.number);
    }
    EXPECT_TRUE(sim.errorOutput().empty()) << sim.errorOutput();
}

} // namespace
