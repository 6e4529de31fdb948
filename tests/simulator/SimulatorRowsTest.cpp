// Rows that managers create and destroy through RowStatus (the ARP gateway table), driven with
// the standard snmpset, and their place in the running and saved configuration.
#include <chrono>

#include <gtest/gtest.h>

#include "NetSnmpTool.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::NetSnmpTool;
using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;
using trb::test::ToolResult;
using namespace std::chrono_literals;

namespace {

enum { SaveAndActivate = 3, DiscardChanges = 4, RestoreDefaults = 2 };

std::vector<std::string> createRow(int index, const std::string &ip, const std::string &mac)
{
    const std::string n = std::to_string(index);
    return {"trbArpGatewayStatus." + n, "i", "createAndGo", "trbArpGatewayIp." + n, "a", ip,
            "trbArpGatewayMac." + n,    "x", mac};
}

// The same with numeric names, for indexes the MIB itself would refuse before sending.
std::vector<std::string> createRowNumeric(unsigned index)
{
    const std::string entry = "1.3.6.1.4.1.32473.4820.8.2.1.";
    const std::string n = "." + std::to_string(index);
    return {entry + "4" + n, "i", "4", entry + "2" + n, "a", "10.1.1.2", entry + "3" + n, "x", "021a48200009"};
}

std::string macText(int last)
{
    char text[13];
    std::snprintf(text, sizeof text, "021a482000%02x", last);
    return text;
}

class SimulatorRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!NetSnmpTool::available("snmpset"))
            GTEST_SKIP() << "snmpset is not installed (scripts/install-deps)";
        ASSERT_TRUE(sim.ok()) << sim.error();
    }

    ToolResult snmpset(const std::vector<std::string> &arguments, const std::vector<std::string> &options = {})
    {
        return NetSnmpTool::run("snmpset", "private", sim.address(), arguments, options);
    }
    // Every instance of the gateway table, as "name.index=value" lines.
    std::string table()
    {
        SnmpTestClient reader(sim.address(), "public");
        auto root = SnmpTestClient::oidOf("trbArpGatewayIp");
        root.resize(root.size() - 2);
        auto rows = reader.walk(root);
        if (!rows)
            return "<no answer>";
        std::string text;
        for (const auto &v : *rows)
            text += std::to_string(v.name[v.name.size() - 2]) + "." + std::to_string(v.name.back()) + "=" +
                    (v.bytes.empty() ? std::to_string(v.number) : v.bytes) + "\n";
        return text;
    }
    size_t rowCount()
    {
        SnmpTestClient reader(sim.address(), "public");
        auto rows = reader.walk(SnmpTestClient::oidOf("trbArpGatewayStatus"));
        return rows ? rows->size() : 0;
    }
    long command(int value)
    {
        SnmpTestClient writer(sim.address(), "private");
        return writer.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, value);
    }
    bool waitUntilAnswering()
    {
        const auto deadline = std::chrono::steady_clock::now() + 6s;
        while (std::chrono::steady_clock::now() < deadline) {
            SnmpTestClient probe(sim.address(), "public", 200);
            if (probe.get({SnmpTestClient::oidOf("trbUpTime")}).answered)
                return true;
        }
        return false;
    }

    SimulatorProcess sim{{"--reboot-seconds", "1"}};
};

TEST_F(SimulatorRows, SnmpsetCreatesEditsAndDestroysARow)
{
    ToolResult created = snmpset(createRow(3, "192.168.1.1", "021a48200001"));
    ASSERT_EQ(created.exitCode, 0) << created.output;

    SnmpTestClient reader(sim.address(), "public");
    EXPECT_EQ(reader.getObject("trbArpGatewayIp", {3})->bytes, std::string("\xc0\xa8\x01\x01", 4));
    EXPECT_EQ(reader.getObject("trbArpGatewayMac", {3})->bytes, std::string("\x02\x1a\x48\x20\x00\x01", 6));
    EXPECT_EQ(reader.getObject("trbArpGatewayStatus", {3})->number, 1) << "a created row reads active";

    ToolResult edited = snmpset({"trbArpGatewayMac.3", "x", "021a48200002"});
    ASSERT_EQ(edited.exitCode, 0) << edited.output;
    EXPECT_EQ(reader.getObject("trbArpGatewayMac", {3})->bytes, std::string("\x02\x1a\x48\x20\x00\x02", 6));

    ToolResult destroyed = snmpset({"trbArpGatewayStatus.3", "i", "destroy"});
    ASSERT_EQ(destroyed.exitCode, 0) << destroyed.output;
    EXPECT_EQ(rowCount(), 0u);
    auto gone = reader.get({SnmpTestClient::oidOf("trbArpGatewayIp", {3})});
    ASSERT_TRUE(gone.answered);
    EXPECT_EQ(gone.varbinds.at(0).type, SNMP_NOSUCHINSTANCE);
}

TEST_F(SimulatorRows, AFullTableRefusesANewRowAndKeepsItsRows)
{
    for (int i = 1; i <= 8; ++i)
        ASSERT_EQ(snmpset(createRow(i, "10.0.0." + std::to_string(i), macText(i))).exitCode, 0) << i;
    const std::string full = table();

    ToolResult ninth = snmpset(createRow(9, "10.0.0.9", macText(9)));
    EXPECT_NE(ninth.exitCode, 0);
    EXPECT_NE(ninth.output.find("resourceUnavailable"), std::string::npos) << ninth.output;
    EXPECT_EQ(table(), full);

    // Room again after one is destroyed.
    ASSERT_EQ(snmpset({"trbArpGatewayStatus.4", "i", "destroy"}).exitCode, 0);
    EXPECT_EQ(snmpset(createRow(9, "10.0.0.9", macText(9))).exitCode, 0);
    EXPECT_EQ(rowCount(), 8u);
}

struct RefusedSet {
    const char *what;
    std::vector<std::string> arguments;
    const char *reason; // as snmpset prints it
};

void PrintTo(const RefusedSet &set, std::ostream *out) { *out << set.what; }

const RefusedSet kRefused[] = {
    {"a new row without its MAC", {"trbArpGatewayStatus.2", "i", "createAndGo", "trbArpGatewayIp.2", "a", "10.1.1.1"},
     "inconsistentValue"},
    {"a MAC of five octets", {"trbArpGatewayStatus.2", "i", "createAndGo", "trbArpGatewayIp.2", "a", "10.1.1.1",
                              "trbArpGatewayMac.2", "x", "021a482000"},
     "wrongLength"},
    {"an address given as text", {"trbArpGatewayStatus.2", "i", "createAndGo", "trbArpGatewayIp.2", "s", "10.1.1.1",
                                  "trbArpGatewayMac.2", "x", "021a48200009"},
     "wrongType"},
    {"createAndWait", {"trbArpGatewayStatus.2", "i", "createAndWait"}, "wrongValue"},
    {"notReady", {"trbArpGatewayStatus.1", "i", "3"}, "wrongValue"},
    {"a RowStatus out of range", {"trbArpGatewayStatus.1", "i", "7"}, "wrongValue"},
    {"createAndGo on a row that exists", createRow(1, "10.1.1.2", "021a48200009"), "inconsistentValue"},
    {"active on a row that does not exist", {"trbArpGatewayStatus.2", "i", "active"}, "inconsistentValue"},
    {"index 0", createRowNumeric(0), "noCreation"},
    {"index past the index range", createRowNumeric(256), "noCreation"},
    {"a column of a row that does not exist", {"trbArpGatewayIp.2", "a", "10.1.1.1"}, "noCreation"},
    {"destroy with a column in the same SET",
     {"trbArpGatewayStatus.1", "i", "destroy", "trbArpGatewayIp.1", "a", "10.1.1.1"}, "inconsistentValue"},
    {"two RowStatus values for one row",
     {"trbArpGatewayStatus.1", "i", "destroy", "trbArpGatewayStatus.1", "i", "active"}, "inconsistentValue"},
    {"a new row with an address another row has", createRow(2, "10.0.0.1", "021a48200009"), "inconsistentValue"},
    {"a new row with a MAC another row has", createRow(2, "10.1.1.1", "021a48200001"), "inconsistentValue"},
    {"two new rows with one address",
     [] {
         auto args = createRow(2, "10.1.1.1", "021a48200009");
         auto second = createRow(3, "10.1.1.1", "021a4820000a");
         args.insert(args.end(), second.begin(), second.end());
         return args;
     }(),
     "inconsistentValue"},
    {"a good new row with a bad scalar",
     [] {
         auto args = createRow(2, "10.1.1.1", "021a48200009");
         args.insert(args.end(), {"trbLanSubnetMask.0", "a", "255.0.255.0"});
         return args;
     }(),
     "wrongValue"},
};

class SimulatorRowsRefused : public SimulatorRows, public ::testing::WithParamInterface<RefusedSet> {};

TEST_P(SimulatorRowsRefused, IsRefusedWithItsStatusAndChangesNothing)
{
    ASSERT_EQ(snmpset(createRow(1, "10.0.0.1", "021a48200001")).exitCode, 0);
    const std::string before = table();
    // -Ir: snmpset sends what it is given; the agent is the one to check.
    ToolResult refused = snmpset(GetParam().arguments, {"-Ir"});
    EXPECT_NE(refused.exitCode, 0) << GetParam().what;
    EXPECT_NE(refused.output.find(GetParam().reason), std::string::npos) << GetParam().what << ":\n" << refused.output;
    EXPECT_EQ(table(), before) << GetParam().what;
    SnmpTestClient reader(sim.address(), "public");
    EXPECT_EQ(reader.getObject("trbLanSubnetMask")->bytes, std::string("\xff\xff\xff\x00", 4));
}

INSTANTIATE_TEST_SUITE_P(BadRowSets, SimulatorRowsRefused, ::testing::ValuesIn(kRefused),
                         [](const auto &info) { return "case" + std::to_string(info.index); });

TEST_F(SimulatorRows, AnEditMayNotTakeAnotherRowsAddressOrMac)
{
    ASSERT_EQ(snmpset(createRow(1, "10.0.0.1", macText(1))).exitCode, 0);
    ASSERT_EQ(snmpset(createRow(2, "10.0.0.2", macText(2))).exitCode, 0);
    const std::string before = table();
    for (const auto &edit : {std::vector<std::string>{"trbArpGatewayIp.2", "a", "10.0.0.1"},
                             std::vector<std::string>{"trbArpGatewayMac.2", "x", macText(1)}}) {
        ToolResult refused = snmpset(edit);
        EXPECT_NE(refused.output.find("inconsistentValue"), std::string::npos) << edit[0] << ":\n" << refused.output;
    }
    EXPECT_EQ(table(), before);
    EXPECT_EQ(snmpset({"trbArpGatewayIp.1", "a", "10.0.0.1"}).exitCode, 0) << "its own value again";
}

TEST_F(SimulatorRows, RowsAreSavedDiscardedAndResetWithTheConfiguration)
{
    ASSERT_EQ(snmpset(createRow(1, "10.0.0.1", macText(1))).exitCode, 0);
    ASSERT_EQ(command(SaveAndActivate), SNMP_ERR_NOERROR);
    const std::string saved = table();

    // An unsaved new row and an unsaved destroy are both undone by discarding.
    ASSERT_EQ(snmpset(createRow(2, "10.0.0.2", macText(2))).exitCode, 0);
    ASSERT_EQ(snmpset({"trbArpGatewayStatus.1", "i", "destroy"}).exitCode, 0);
    ASSERT_EQ(command(DiscardChanges), SNMP_ERR_NOERROR);
    ASSERT_TRUE(waitUntilAnswering());
    EXPECT_EQ(table(), saved);

    ASSERT_TRUE(sim.restart()) << sim.error();
    EXPECT_EQ(table(), saved) << "the saved row comes back from the state file";

    ASSERT_EQ(command(RestoreDefaults), SNMP_ERR_NOERROR);
    ASSERT_TRUE(waitUntilAnswering());
    EXPECT_EQ(rowCount(), 0u);
    ASSERT_TRUE(sim.restart()) << sim.error();
    EXPECT_EQ(rowCount(), 0u);
}

TEST_F(SimulatorRows, ACreationAndASaveInOneSetSavesTheRow)
{
    auto args = createRow(5, "10.0.0.5", macText(5));
    args.insert(args.end(), {"trbDeviceCommand.0", "i", "saveAndActivate"});
    ASSERT_EQ(snmpset(args).exitCode, 0);
    ASSERT_TRUE(sim.restart()) << sim.error();
    EXPECT_EQ(rowCount(), 1u);
}

// The ACL rows: one list per band, each address once in a band, stations only, 256 a band.
TEST_F(SimulatorRows, AclRowsAreStationsListedOncePerBand)
{
    const std::string entry = "1.3.6.1.4.1.32473.4820.21.3.1.";
    auto create = [&](unsigned band, unsigned index, const std::string &mac) {
        const std::string n = "." + std::to_string(band) + "." + std::to_string(index);
        return std::vector<std::string>{entry + "4" + n, "i", "4", entry + "3" + n, "x", mac};
    };
    ASSERT_EQ(snmpset(create(1, 1, "021a48000001")).exitCode, 0);
    EXPECT_EQ(snmpset(create(2, 1, "021a48000001")).exitCode, 0) << "the other band lists it too";
    const struct {
        const char *what;
        std::vector<std::string> arguments;
        const char *reason;
    } refusals[] = {
        {"the address again in its band", create(1, 2, "021A48000001"), "inconsistentValue"},
        {"a multicast address", create(1, 2, "01005e000001"), "inconsistentValue"},
        {"the zero address", create(1, 2, "000000000000"), "inconsistentValue"},
        {"a 257th entry number", create(1, 257, "021a48000002"), "noCreation"},
        {"a third band", create(3, 1, "021a48000002"), "noCreation"},
        {"an edit to a multicast address", {entry + "3.1.1", "x", "ffffffffffff"}, "inconsistentValue"},
    };
    for (const auto &r : refusals) {
        ToolResult refused = snmpset(r.arguments, {"-Ir"});
        EXPECT_NE(refused.exitCode, 0) << r.what;
        EXPECT_NE(refused.output.find(r.reason), std::string::npos) << r.what << ":\n" << refused.output;
    }
    SnmpTestClient reader(sim.address(), "public");
    EXPECT_EQ(reader.getObject("trbFilterAclMac", {1, 1})->bytes, std::string("\x02\x1a\x48\x00\x00\x01", 6));
    EXPECT_EQ(reader.getObject("trbFilterAclMac", {1, 2})->type, SNMP_NOSUCHINSTANCE) << "no refused row was made";
}

} // namespace
