// Secrets (the login password ...) reach the write community only, and the standard tools show
// MAC addresses through the MacAddress textual convention.
#include <regex>

#include <gtest/gtest.h>

#include "NetSnmpTool.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::NetSnmpTool;
using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;

namespace {

class SimulatorSecrets : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimulatorProcess(); }
    static void TearDownTestSuite() { delete sim; }
    void SetUp() override { ASSERT_TRUE(sim->ok()) << sim->error(); }

    static std::vector<oid> base()
    {
        auto root = SnmpTestClient::oidOf("trbModelName");
        root.resize(8);
        return root;
    }
    static bool contains(const std::vector<trb::test::Varbind> &list, const std::vector<oid> &name)
    {
        return std::any_of(list.begin(), list.end(), [&](const auto &v) { return v.name == name; });
    }

    static SimulatorProcess *sim;
};
SimulatorProcess *SimulatorSecrets::sim = nullptr;

TEST_F(SimulatorSecrets, TheReadCommunityNeverSeesTheLoginPassword)
{
    const auto password = SnmpTestClient::oidOf("trbLoginPassword");
    SnmpTestClient reader(sim->address(), "public");

    auto get = reader.get({password, SnmpTestClient::oidOf("trbLoginName")});
    ASSERT_TRUE(get.answered);
    EXPECT_EQ(get.varbinds.at(0).type, SNMP_NOSUCHOBJECT);
    EXPECT_EQ(get.varbinds.at(1).bytes, "admin") << "the rest of the request is answered";

    // GETNEXT and GETBULK step over it, with any number of repetitions.
    for (int repetitions : {1, 2, 20}) {
        auto next = reader.getBulk(SnmpTestClient::oidOf("trbLoginName"), repetitions);
        ASSERT_TRUE(next.answered);
        ASSERT_FALSE(next.varbinds.empty());
        EXPECT_FALSE(contains(next.varbinds, password)) << repetitions;
        EXPECT_EQ(next.varbinds.front().name, SnmpTestClient::oidOf("trbAdminVlanLimit")) << repetitions;
    }
    auto walk = reader.walk(base());
    ASSERT_TRUE(walk);
    EXPECT_FALSE(contains(*walk, password));
}

TEST_F(SimulatorSecrets, TheWriteCommunityReadsAndWritesIt)
{
    const auto password = SnmpTestClient::oidOf("trbLoginPassword");
    SnmpTestClient writer(sim->address(), "private");
    EXPECT_EQ(writer.getObject("trbLoginPassword")->bytes, "admin");
    auto walk = writer.walk(base());
    ASSERT_TRUE(walk);
    EXPECT_TRUE(contains(*walk, password));

    ASSERT_EQ(writer.setObject("trbLoginPassword", {}, ASN_OCTET_STR, "n3w-Secret"), SNMP_ERR_NOERROR);
    EXPECT_EQ(writer.getObject("trbLoginPassword")->bytes, "n3w-Secret");
    SnmpTestClient reader(sim->address(), "public");
    EXPECT_EQ(reader.get({password}).varbinds.at(0).type, SNMP_NOSUCHOBJECT);
    ASSERT_EQ(writer.setObject("trbLoginPassword", {}, ASN_OCTET_STR, "admin"), SNMP_ERR_NOERROR);
}

TEST_F(SimulatorSecrets, SnmpwalkWithTheReadCommunityShowsNoSecret)
{
    if (!NetSnmpTool::available("snmpwalk"))
        GTEST_SKIP() << "snmpwalk is not installed";
    auto walk = NetSnmpTool::run("snmpwalk", "public", sim->address(), {"1.3.6.1.4.1.32473"});
    ASSERT_EQ(walk.exitCode, 0) << walk.output;
    EXPECT_NE(walk.output.find("trbLoginName.0"), std::string::npos) << walk.output;
    EXPECT_EQ(walk.output.find("trbLoginPassword"), std::string::npos);
}

// Net-SNMP 5.9 prints the "1x:" hint without leading zeros (2:1a:...) unless asked with -O0; a
// later version may pad them. Either way each group is one octet in hex, in order.
TEST_F(SimulatorSecrets, SnmpwalkShowsMacAddressesThroughTheirDisplayHint)
{
    if (!NetSnmpTool::available("snmpget"))
        GTEST_SKIP() << "snmpget is not installed";
    auto get = NetSnmpTool::run("snmpget", "public", sim->address(), {"trbEthernetMac.0", "trbSsidMac.1.1"});
    ASSERT_EQ(get.exitCode, 0) << get.output;
    const std::regex line(R"(trbEthernetMac\.0 = STRING: ([0-9a-f]{1,2}(:[0-9a-f]{1,2}){5})\n)");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(get.output, match, line)) << get.output;
    std::vector<int> octets;
    std::stringstream groups(match[1].str());
    for (std::string group; std::getline(groups, group, ':');)
        octets.push_back(std::stoi(group, nullptr, 16));
    EXPECT_EQ(octets, (std::vector<int>{0x02, 0x1a, 0x48, 0x20, 0x00, 0x01}));
    EXPECT_EQ(get.output.find("Hex-STRING"), std::string::npos) << get.output;
    EXPECT_NE(get.output.find("trbSsidMac.1.1 = STRING: "), std::string::npos) << get.output;

    // -O0 asks Net-SNMP for the leading zeros: the address as administrators write it.
    auto padded = NetSnmpTool::run("snmpget", "public", sim->address(), {"trbEthernetMac.0"}, {"-O0"});
    ASSERT_EQ(padded.exitCode, 0) << padded.output;
    EXPECT_NE(padded.output.find("trbEthernetMac.0 = STRING: 02:1a:48:20:00:01\n"), std::string::npos)
        << padded.output;
}

} // namespace
