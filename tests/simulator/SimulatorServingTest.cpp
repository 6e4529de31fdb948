// The simulator as an SNMP agent: what it serves, what it accepts and refuses, and to whom.
#include <gtest/gtest.h>

#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;
using trb::test::Varbind;

namespace {

std::string ipBytes(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return std::string{char(a), char(b), char(c), char(d)};
}

class SimulatorServing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimulatorProcess({"--clients", "300"}); }
    static void TearDownTestSuite() { delete sim; }
    void SetUp() override { ASSERT_TRUE(sim->ok()) << sim->error(); }

    static SimulatorProcess *sim;
};
SimulatorProcess *SimulatorServing::sim = nullptr;

TEST_F(SimulatorServing, ServesTheDefaultDevice)
{
    SnmpTestClient client(sim->address(), "public");
    auto model = client.getObject("trbModelName");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->bytes, "TRB-4820");
    EXPECT_EQ(client.getObject("trbLanIpAddress")->bytes, ipBytes(192, 168, 1, 10));
    EXPECT_EQ(client.getObject("trbLanSubnetMask")->bytes, ipBytes(255, 255, 255, 0));
    EXPECT_EQ(client.getObject("trbLanGateway")->bytes, ipBytes(192, 168, 1, 1));
    EXPECT_EQ(client.getObject("trbCurrentBand")->number, 1);
    EXPECT_EQ(client.getObject("trbBandRadioState", {1})->number, 1);
    EXPECT_EQ(client.getObject("trbBandOperationMode", {1})->bytes, "Access Point");
    EXPECT_FALSE(client.getObject("trbLanguagePack")->bytes.empty());

    auto mac = client.getObject("trbEthernetMac");
    ASSERT_EQ(mac->bytes.size(), 6u);
    EXPECT_EQ(mac->bytes[0] & 0x03, 0x02) << "locally administered, unicast";
    EXPECT_EQ(client.getObject("trbSsidMac", {1, 1})->bytes.size(), 6u);
    EXPECT_EQ(client.getObject("trbSsidMac", {1, 3})->bytes, std::string(6, '\0'));

    auto cpu = client.getObject("trbCpuLoad");
    ASSERT_TRUE(cpu);
    EXPECT_EQ(cpu->type, ASN_GAUGE);
    EXPECT_LE(cpu->number, 100);
    EXPECT_EQ(client.getObject("trbDeviceCommand")->number, 0);
}

TEST_F(SimulatorServing, UpTimeAdvances)
{
    SnmpTestClient client(sim->address(), "public");
    auto first = client.getObject("trbUpTime");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->type, ASN_TIMETICKS);
    usleep(150000);
    EXPECT_GE(client.getObject("trbUpTime")->number, first->number + 10);
}

TEST_F(SimulatorServing, MissingInstancesAndObjectsAreReportedAsSuch)
{
    SnmpTestClient client(sim->address(), "public");
    auto base = SnmpTestClient::oidOf("trbModelName");
    base.resize(8);
    auto unknownObject = base;
    unknownObject.insert(unknownObject.end(), {9, 9, 0});
    auto reply = client.get({unknownObject, SnmpTestClient::oidOf("trbBandSsid", {7}),
                             SnmpTestClient::oidOf("trbModelName")});
    ASSERT_TRUE(reply.answered);
    ASSERT_EQ(reply.varbinds.size(), 3u);
    EXPECT_EQ(reply.varbinds[0].type, SNMP_NOSUCHOBJECT);
    EXPECT_EQ(reply.varbinds[1].type, SNMP_NOSUCHINSTANCE);
    EXPECT_EQ(reply.varbinds[2].bytes, "TRB-4820");
}

TEST_F(SimulatorServing, WalksTheWholeClientTable)
{
    SnmpTestClient client(sim->address(), "public");
    auto table = SnmpTestClient::oidOf("trbClientBand", {1});
    table.resize(table.size() - 3); // the table: <base>.6
    auto rows = client.walk(table, 25);
    ASSERT_TRUE(rows);
    const size_t columns = 7;
    EXPECT_EQ(rows->size(), 300 * columns);
    int fiveGhz = 0;
    for (const auto &v : *rows)
        if (v.name == SnmpTestClient::oidOf("trbClientBand", {static_cast<uint32_t>(v.name.back())}) && v.number == 2)
            ++fiveGhz;
    EXPECT_GT(fiveGhz, 0);
    EXPECT_LT(fiveGhz, 300);
}

TEST_F(SimulatorServing, GetNextEntersAndLeavesTheSubtree)
{
    SnmpTestClient client(sim->address(), "public");
    auto before = client.getBulk({1, 3, 6, 1, 4, 1}, 1);
    ASSERT_TRUE(before.answered);
    ASSERT_EQ(before.varbinds.size(), 1u);
    EXPECT_EQ(before.varbinds[0].name, SnmpTestClient::oidOf("trbModelName"));

    // The last instance of the subtree, whichever subtree comes last.
    auto base = SnmpTestClient::oidOf("trbModelName");
    base.resize(8);
    auto all = client.walk(base);
    ASSERT_TRUE(all && !all->empty());
    auto last = all->back().name;
    auto reply = client.getBulk(last, 3);
    ASSERT_TRUE(reply.answered);
    ASSERT_FALSE(reply.varbinds.empty());
    const auto &after = reply.varbinds.front();
    const bool leftSubtree = after.type == SNMP_ENDOFMIBVIEW ||
                             !std::equal(last.begin(), last.begin() + 8, after.name.begin());
    EXPECT_TRUE(leftSubtree);
}

TEST_F(SimulatorServing, SetThenGet)
{
    SnmpTestClient client(sim->address(), "private");
    ASSERT_EQ(client.setObject("trbLocation", {}, ASN_OCTET_STR, "Room 12"), SNMP_ERR_NOERROR);
    EXPECT_EQ(client.getObject("trbLocation")->bytes, "Room 12");
    ASSERT_EQ(client.setObject("trbLanIpAddress", {}, ASN_IPADDRESS, ipBytes(10, 0, 0, 7)), SNMP_ERR_NOERROR);
    EXPECT_EQ(client.getObject("trbLanIpAddress")->bytes, ipBytes(10, 0, 0, 7));
    ASSERT_EQ(client.setObject("trbBandSsid", {2}, ASN_OCTET_STR, "Guest"), SNMP_ERR_NOERROR);
    EXPECT_EQ(client.getObject("trbBandSsid", {2})->bytes, "Guest");
    // The band's wireless state follows its radio.
    EXPECT_EQ(client.getObject("trbBandWirelessState", {2})->number, 2);
    ASSERT_EQ(client.setObject("trbBandRadioState", {2}, ASN_INTEGER, {}, 1), SNMP_ERR_NOERROR);
    EXPECT_EQ(client.getObject("trbBandWirelessState", {2})->number, 1);
    ASSERT_EQ(client.setObject("trbBandRadioState", {2}, ASN_INTEGER, {}, 2), SNMP_ERR_NOERROR);
    // The agent still answers on its address after the device's own address changed.
    ASSERT_EQ(client.setObject("trbLanIpAddress", {}, ASN_IPADDRESS, ipBytes(192, 168, 1, 10)), SNMP_ERR_NOERROR);
}

TEST_F(SimulatorServing, RefusesBadSetsWithTheRightStatusAndChangesNothing)
{
    SnmpTestClient client(sim->address(), "private");
    const std::string before = client.getObject("trbSystemName")->bytes;
    struct Case {
        const char *what;
        Varbind varbind;
        long status;
    };
    const Case cases[] = {
        {"read-only object", SnmpTestClient::text("trbModelName", {}, "X"), SNMP_ERR_NOTWRITABLE},
        {"integer for a string", SnmpTestClient::integer("trbSystemName", {}, 5), SNMP_ERR_WRONGTYPE},
        {"33 characters for SIZE(0..32)", SnmpTestClient::text("trbSystemName", {}, std::string(33, 'a')),
         SNMP_ERR_WRONGLENGTH},
        {"control character", SnmpTestClient::text("trbSystemName", {}, "a\nb"), SNMP_ERR_WRONGVALUE},
        {"enumeration value not listed", SnmpTestClient::integer("trbCurrentBand", {}, 3), SNMP_ERR_WRONGVALUE},
        {"address mode out of range", SnmpTestClient::integer("trbLanAddressMode", {}, -1), SNMP_ERR_WRONGVALUE},
        {"non-contiguous mask", Varbind{SnmpTestClient::oidOf("trbLanSubnetMask"), ASN_IPADDRESS, 0,
                                        ipBytes(255, 0, 255, 0)}, SNMP_ERR_WRONGVALUE},
        {"text for an IpAddress", SnmpTestClient::text("trbLanIpAddress", {}, "10.0.0.1"), SNMP_ERR_WRONGTYPE},
        {"0.0.0.0 as the device address", Varbind{SnmpTestClient::oidOf("trbLanIpAddress"), ASN_IPADDRESS, 0,
                                                  ipBytes(0, 0, 0, 0)}, SNMP_ERR_WRONGVALUE},
        {"row that does not exist", SnmpTestClient::text("trbBandSsid", {3}, "x"), SNMP_ERR_NOCREATION},
        {"unknown command", SnmpTestClient::integer("trbDeviceCommand", {}, 9), SNMP_ERR_WRONGVALUE},
    };
    for (const auto &c : cases) {
        auto reply = client.set({c.varbind});
        ASSERT_TRUE(reply.answered) << c.what;
        EXPECT_EQ(reply.errorStatus, c.status) << c.what;
        EXPECT_EQ(reply.errorIndex, 1) << c.what;
    }
    EXPECT_EQ(client.getObject("trbSystemName")->bytes, before);
    EXPECT_EQ(client.getObject("trbLanSubnetMask")->bytes, ipBytes(255, 255, 255, 0));
    EXPECT_EQ(client.getObject("trbLanIpAddress")->bytes, ipBytes(192, 168, 1, 10));
    EXPECT_EQ(client.getObject("trbCurrentBand")->number, 1);
}

TEST_F(SimulatorServing, OneBadVarbindFailsTheWholeSet)
{
    SnmpTestClient client(sim->address(), "private");
    const std::string before = client.getObject("trbLocation")->bytes;
    auto reply = client.set({SnmpTestClient::text("trbLocation", {}, "Elsewhere"),
                             SnmpTestClient::integer("trbApMode", {}, 6)});
    ASSERT_TRUE(reply.answered);
    EXPECT_EQ(reply.errorStatus, SNMP_ERR_WRONGVALUE);
    EXPECT_EQ(reply.errorIndex, 2);
    EXPECT_EQ(client.getObject("trbLocation")->bytes, before);
}

TEST_F(SimulatorServing, CommunitiesDecideWhoMayReadAndWrite)
{
    SnmpTestClient wrong(sim->address(), "nobody", 300);
    EXPECT_FALSE(wrong.get({SnmpTestClient::oidOf("trbModelName")}).answered);

    SnmpTestClient reader(sim->address(), "public");
    auto refused = reader.set({SnmpTestClient::text("trbSystemName", {}, "Intruder")});
    ASSERT_TRUE(refused.answered);
    EXPECT_EQ(refused.errorStatus, SNMP_ERR_NOACCESS);
    EXPECT_NE(reader.getObject("trbSystemName")->bytes, "Intruder");

    SnmpTestClient writer(sim->address(), "private");
    EXPECT_EQ(writer.getObject("trbModelName")->bytes, "TRB-4820");
}

} // namespace
