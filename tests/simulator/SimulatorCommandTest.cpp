// Device commands: save and activate, discard, restart, factory reset, clear language pack,
// and the saved configuration across reboots and simulator restarts.
#include <chrono>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

#include <gtest/gtest.h>

#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;
using namespace std::chrono_literals;

namespace {

enum { Restart = 1, RestoreDefaults = 2, SaveAndActivate = 3, DiscardChanges = 4, ClearLanguagePack = 5 };

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SimulatorCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.ok()) << sim.error(); }

    long command(int value)
    {
        SnmpTestClient writer(sim.address(), "private");
        return writer.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, value);
    }
    std::string systemName()
    {
        SnmpTestClient reader(sim.address(), "public");
        auto value = reader.getObject("trbSystemName");
        return value ? value->bytes : "<no answer>";
    }
    void setSystemName(const std::string &name)
    {
        SnmpTestClient writer(sim.address(), "private");
        ASSERT_EQ(writer.setObject("trbSystemName", {}, ASN_OCTET_STR, name), SNMP_ERR_NOERROR);
    }
    bool answers()
    {
        SnmpTestClient probe(sim.address(), "public", 200);
        return probe.get({SnmpTestClient::oidOf("trbUpTime")}).answered;
    }
    // How long the device stayed silent, waiting at most `limit` for it to answer again.
    std::chrono::milliseconds silence(std::chrono::milliseconds limit = 6000ms)
    {
        const auto start = std::chrono::steady_clock::now();
        while (!answers() && std::chrono::steady_clock::now() - start < limit) {
        }
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }

    SimulatorProcess sim{{"--reboot-seconds", "1"}};
};

TEST_F(SimulatorCommands, SaveAndActivatePersistsAcrossSimulatorRestarts)
{
    setSystemName("Saved name");
    ASSERT_EQ(command(SaveAndActivate), SNMP_ERR_NOERROR);
    EXPECT_NE(readFile(sim.stateFile()).find("Saved name"), std::string::npos);
    setSystemName("Not saved");

    ASSERT_TRUE(sim.restart()) << sim.error();
    EXPECT_EQ(systemName(), "Saved name");
}

// One setting of each administration, time, ARP and AP-array area, as the pages write them.
TEST_F(SimulatorCommands, SettingsOfEveryAreaSurviveSaveAndARestart)
{
    struct Setting {
        const char *object;
        u_char type;
        std::string text;
        long number;
    } settings[] = {
        {"trbLoginName", ASN_OCTET_STR, "operator", 0},
        {"trbLoginPassword", ASN_OCTET_STR, "s3cret-pw", 0},
        {"trbAdminVlanId", ASN_INTEGER, {}, 42},
        {"trbTrapServer", ASN_IPADDRESS, std::string("\x0a\x00\x00\x09", 4), 0},
        {"trbConsoleProtocol", ASN_INTEGER, {}, 1},
        {"trbPingControl", ASN_INTEGER, {}, 0},
        {"trbTimeZone", ASN_INTEGER, {}, 61},
        {"trbDstEnable", ASN_INTEGER, {}, 1},
        {"trbArpSpoofing", ASN_INTEGER, {}, 1},
        {"trbApArrayPassword", ASN_OCTET_STR, "array-key", 0},
        {"trbApArrayMemberRole", ASN_INTEGER, {}, 3},
    };
    SnmpTestClient writer(sim.address(), "private");
    for (const Setting &s : settings)
        ASSERT_EQ(writer.setObject(s.object, {}, s.type, s.text, s.number), SNMP_ERR_NOERROR) << s.object;
    ASSERT_EQ(command(SaveAndActivate), SNMP_ERR_NOERROR);
    ASSERT_TRUE(sim.restart()) << sim.error();
    SnmpTestClient reader(sim.address(), "private"); // the secrets go to the write community only
    for (const Setting &s : settings) {
        auto value = reader.getObject(s.object);
        ASSERT_TRUE(value) << s.object;
        if (s.type == ASN_INTEGER)
            EXPECT_EQ(value->number, s.number) << s.object;
        else
            EXPECT_EQ(value->bytes, s.text) << s.object;
    }
}

TEST_F(SimulatorCommands, WithoutSaveAChangeIsLostOnRestart)
{
    const std::string original = systemName();
    setSystemName("Temporary");
    ASSERT_TRUE(sim.restart()) << sim.error();
    EXPECT_EQ(systemName(), original);
}

TEST_F(SimulatorCommands, RestartAnswersThenGoesSilentThenComesBackWithTheSavedConfiguration)
{
    setSystemName("Before restart");
    SnmpTestClient reader(sim.address(), "public");
    std::this_thread::sleep_for(300ms);
    const long upTimeBefore = reader.getObject("trbUpTime")->number;
    ASSERT_GE(upTimeBefore, 30);

    ASSERT_EQ(command(Restart), SNMP_ERR_NOERROR);
    EXPECT_FALSE(answers());
    const auto silent = silence();
    EXPECT_GE(silent, 500ms);
    ASSERT_LT(silent, 6000ms) << "never came back";
    EXPECT_NE(systemName(), "Before restart");
    EXPECT_LT(reader.getObject("trbUpTime")->number, upTimeBefore);
}

TEST_F(SimulatorCommands, DiscardBringsBackTheSavedConfigurationAndReboots)
{
    setSystemName("Saved");
    ASSERT_EQ(command(SaveAndActivate), SNMP_ERR_NOERROR);
    setSystemName("Discard me");
    ASSERT_EQ(command(DiscardChanges), SNMP_ERR_NOERROR);
    EXPECT_FALSE(answers());
    ASSERT_LT(silence(), 6000ms);
    EXPECT_EQ(systemName(), "Saved");
}

TEST_F(SimulatorCommands, FactoryResetRestoresDefaultsAndSavesThem)
{
    const std::string factoryName = systemName();
    SnmpTestClient writer(sim.address(), "private");
    ASSERT_EQ(writer.setObject("trbBandSsid", {1}, ASN_OCTET_STR, "Custom"), SNMP_ERR_NOERROR);
    setSystemName("Custom name");
    ASSERT_EQ(command(SaveAndActivate), SNMP_ERR_NOERROR);

    ASSERT_EQ(command(RestoreDefaults), SNMP_ERR_NOERROR);
    const std::string saved = readFile(sim.stateFile());
    EXPECT_EQ(saved.find("Custom"), std::string::npos);
    EXPECT_NE(saved.find(factoryName), std::string::npos);
    EXPECT_FALSE(answers());
    ASSERT_LT(silence(), 6000ms);
    EXPECT_EQ(systemName(), factoryName);

    ASSERT_TRUE(sim.restart()) << sim.error();
    EXPECT_EQ(systemName(), factoryName);
}

TEST_F(SimulatorCommands, ClearLanguagePackSurvivesReboots)
{
    SnmpTestClient reader(sim.address(), "public");
    ASSERT_FALSE(reader.getObject("trbLanguagePack")->bytes.empty());
    ASSERT_EQ(command(ClearLanguagePack), SNMP_ERR_NOERROR);
    EXPECT_EQ(reader.getObject("trbLanguagePack")->bytes, "");
    EXPECT_TRUE(answers()) << "clearing the language pack does not reboot";

    ASSERT_EQ(command(Restart), SNMP_ERR_NOERROR);
    ASSERT_LT(silence(), 6000ms);
    EXPECT_EQ(reader.getObject("trbLanguagePack")->bytes, "");
    ASSERT_TRUE(sim.restart()) << sim.error();
    SnmpTestClient again(sim.address(), "public");
    EXPECT_EQ(again.getObject("trbLanguagePack")->bytes, "");
}

TEST(SimulatorSaveFailure, ASaveThatCannotBeWrittenIsReportedAndChangesNothing)
{
    // The state file's directory would have to be created inside a regular file.
    char dir[] = "/tmp/trb4820-blocked-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string blocker = std::string(dir) + "/file";
    std::ofstream(blocker) << "x";
    SimulatorProcess sim({}, blocker + "/sub/state.ini");
    ASSERT_TRUE(sim.ok()) << sim.error();

    SnmpTestClient writer(sim.address(), "private");
    ASSERT_EQ(writer.setObject("trbSystemName", {}, ASN_OCTET_STR, "Unsavable"), SNMP_ERR_NOERROR);
    EXPECT_EQ(writer.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, SaveAndActivate), SNMP_ERR_COMMITFAILED);
    EXPECT_NE(sim.errorOutput().find("cannot"), std::string::npos) << sim.errorOutput();
    // The running value stays; discarding goes back to the (unchanged) saved one.
    EXPECT_EQ(writer.getObject("trbSystemName")->bytes, "Unsavable");

    // In one PDU with the failed save, the other assignment is undone as well.
    auto reply = writer.set({SnmpTestClient::text("trbLocation", {}, "Undone"),
                             SnmpTestClient::integer("trbDeviceCommand", {}, SaveAndActivate)});
    ASSERT_TRUE(reply.answered);
    EXPECT_EQ(reply.errorStatus, SNMP_ERR_COMMITFAILED);
    EXPECT_NE(writer.getObject("trbLocation")->bytes, "Undone");
    sim.stop();
    std::remove(blocker.c_str());
    rmdir(dir);
}

} // namespace
