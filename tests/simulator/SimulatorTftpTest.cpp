// The TFTP objects over SNMP: one set request carries the settings and a command; the agent
// checks each value like any other; the command reads as idle.
#include <gtest/gtest.h>

#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;
using trb::test::Varbind;

namespace {

std::string ip(int a, int b, int c, int d) { return {char(a), char(b), char(c), char(d)}; }

Varbind address(const std::string &octets)
{
    return Varbind{SnmpTestClient::oidOf("trbTftpServerAddress"), ASN_IPADDRESS, 0, octets};
}

class SimulatorTftp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.ok()) << sim.error(); }
    SimulatorProcess sim;
};

TEST_F(SimulatorTftp, SettingsAndCommandInOneRequest)
{
    SnmpTestClient client(sim.address(), "private");
    const auto reply = client.set({address(ip(10, 0, 0, 2)), SnmpTestClient::text("trbTftpFileName", {}, "backup.dcf"),
                                   SnmpTestClient::integer("trbTftpDirection", {}, 3),
                                   SnmpTestClient::integer("trbTftpCommand", {}, 2)});
    ASSERT_TRUE(reply.answered);
    EXPECT_EQ(reply.errorStatus, SNMP_ERR_NOERROR);
    EXPECT_EQ(client.getObject("trbTftpServerAddress")->bytes, ip(10, 0, 0, 2));
    EXPECT_EQ(client.getObject("trbTftpFileName")->bytes, "backup.dcf");
    EXPECT_EQ(client.getObject("trbTftpDirection")->number, 3);
    EXPECT_EQ(client.getObject("trbTftpCommand")->number, 0) << "a command reads as idle";
}

TEST_F(SimulatorTftp, BadValuesAreRefusedAndChangeNothing)
{
    SnmpTestClient client(sim.address(), "private");
    struct Case {
        const char *what;
        Varbind varbind;
        long status;
    };
    const Case cases[] = {
        {"direction not listed", SnmpTestClient::integer("trbTftpDirection", {}, 4), SNMP_ERR_WRONGVALUE},
        {"command not listed", SnmpTestClient::integer("trbTftpCommand", {}, 5), SNMP_ERR_WRONGVALUE},
        {"file name of 128 characters", SnmpTestClient::text("trbTftpFileName", {}, std::string(128, 'f')),
         SNMP_ERR_WRONGLENGTH},
        {"text for the address", SnmpTestClient::text("trbTftpServerAddress", {}, "10.0.0.2"), SNMP_ERR_WRONGTYPE},
        {"status is read-only", SnmpTestClient::text("trbTftpStatus", {}, "success"), SNMP_ERR_NOTWRITABLE},
    };
    for (const auto &c : cases) {
        auto reply = client.set({c.varbind});
        ASSERT_TRUE(reply.answered) << c.what;
        EXPECT_EQ(reply.errorStatus, c.status) << c.what;
    }
    EXPECT_EQ(client.getObject("trbTftpStatus")->bytes, "idle");
    EXPECT_EQ(client.getObject("trbTftpFileName")->bytes, "");
    EXPECT_EQ(client.getObject("trbTftpDirection")->number, 0);
}

} // namespace
