// Fault injection, the command line, and state files that cannot be used.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::SimulatorProcess;
using trb::test::SnmpReply;
using trb::test::SnmpTestClient;
using namespace std::chrono_literals;

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int answeredOutOf(const SimulatorProcess &sim, int requests)
{
    SnmpTestClient client(sim.address(), "public", 150);
    int answered = 0;
    for (int i = 0; i < requests; ++i)
        answered += client.get({SnmpTestClient::oidOf("trbModelName")}).answered ? 1 : 0;
    return answered;
}

TEST(SimulatorFaults, DropPercentLeavesThatShareUnanswered)
{
    SimulatorProcess all({"--drop-percent", "100"});
    ASSERT_TRUE(all.ok()) << all.error();
    EXPECT_EQ(answeredOutOf(all, 5), 0);

    SimulatorProcess half({"--drop-percent", "50"});
    ASSERT_TRUE(half.ok()) << half.error();
    const int answered = answeredOutOf(half, 40);
    EXPECT_GT(answered, 5);
    EXPECT_LT(answered, 35);
}

TEST(SimulatorFaults, DelayMsAnswersLate)
{
    SimulatorProcess sim({"--delay-ms", "300"});
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient client(sim.address(), "public", 2000);
    const auto start = std::chrono::steady_clock::now();
    auto value = client.getObject("trbModelName");
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(value);
    EXPECT_EQ(value->bytes, "TRB-4820");
    EXPECT_GE(took, 290ms);
}

TEST(SimulatorFaults, OversizeStringsAreFarLongerThanDeclared)
{
    SimulatorProcess sim({"--oversize-strings"});
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient client(sim.address(), "public");
    auto model = client.getObject("trbModelName");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->bytes.size(), 5000u);
    EXPECT_EQ(model->bytes.substr(0, 8), "TRB-4820");
    EXPECT_EQ(client.getObject("trbEthernetMac")->bytes.size(), 5000u);
    EXPECT_EQ(client.getObject("trbCurrentBand")->type, ASN_INTEGER) << "numbers stay as they are";
}

// An answer no datagram can carry is refused with tooBig (and nothing else), never dropped.
TEST(SimulatorFaults, AnswersTooBigForADatagramAreTooBig)
{
    SimulatorProcess sim({"--oversize-strings"});
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient client(sim.address(), "public");
    std::vector<std::vector<oid>> names;
    for (int i = 0; i < 15; ++i)
        for (const char *name : {"trbModelName", "trbFirmwareVersion", "trbSystemName", "trbLocation"})
            names.push_back(SnmpTestClient::oidOf(name));
    const trb::test::SnmpReply big = client.get(names);
    ASSERT_TRUE(big.answered) << "dropped instead of tooBig";
    EXPECT_EQ(big.errorStatus, SNMP_ERR_TOOBIG);
    names.resize(4);
    const trb::test::SnmpReply fits = client.get(names);
    ASSERT_TRUE(fits.answered);
    EXPECT_EQ(fits.errorStatus, SNMP_ERR_NOERROR);
    EXPECT_EQ(fits.varbinds.size(), 4u);
}

TEST(SimulatorFaults, WrongTypesSwapStringsAndNumbers)
{
    SimulatorProcess sim({"--wrong-types"});
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient client(sim.address(), "public");
    EXPECT_EQ(client.getObject("trbModelName")->type, ASN_INTEGER);
    EXPECT_EQ(client.getObject("trbUpTime")->type, ASN_OCTET_STR);
    EXPECT_EQ(client.getObject("trbCurrentBand")->type, ASN_OCTET_STR);
    EXPECT_EQ(client.getObject("trbLanIpAddress")->type, ASN_OCTET_STR);
}

struct ProgramRun {
    int exitCode;
    std::string output;
};

ProgramRun runSimulator(const std::string &arguments)
{
    const std::string command = SimulatorProcess::executable() + " " + arguments + " 2>&1";
    FILE *pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(SimulatorCommandLine, HelpListsEveryOption)
{
    ProgramRun run = runSimulator("--help");
    EXPECT_EQ(run.exitCode, 0);
    for (const char *option : {"--listen", "--state", "--read-community", "--write-community",
                               "--reboot-seconds", "--clients", "--neighbours", "--survey-seed",
                               "--drop-percent", "--delay-ms",
                               "--oversize-strings", "--wrong-types", "--help"})
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
}

TEST(SimulatorCommandLine, BadOptionsExitWithStatus2AndSayWhy)
{
    const std::pair<const char *, const char *> cases[] = {
        {"--bogus", "unknown option"},
        {"--clients", "needs a value"},
        {"--clients many", "whole number"},
        {"--drop-percent 101", "whole number"},
        {"--neighbours 300", "whole number from 0 to 255"},
        {"--listen 127.0.0.1", "HOST:PORT"},
        {"--listen 127.0.0.1:70000", "HOST:PORT"},
        {"--read-community 'a b'", "spaces"},
        {"--wrong-types=yes", "takes no value"},
    };
    for (const auto &[arguments, message] : cases) {
        ProgramRun run = runSimulator(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.output.find(message), std::string::npos) << arguments << ": " << run.output;
    }
}

TEST(SimulatorCommandLine, APortInUseIsReported)
{
    SimulatorProcess first;
    ASSERT_TRUE(first.ok()) << first.error();
    ProgramRun run = runSimulator("--listen " + first.address() + " --state " + first.directory() + "/other.ini");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot listen on " + first.address()), std::string::npos) << run.output;
}

TEST(SimulatorCommandLine, SigtermEndsItCleanly)
{
    SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    const int status = sim.stop();
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

class SimulatorStateFile : public ::testing::TestWithParam<std::string> {};

TEST_P(SimulatorStateFile, AnUnusableFileStartsFactoryDefaultsAndIsKeptAsideOnSave)
{
    char dir[] = "/tmp/trb4820-state-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string path = std::string(dir) + "/state.ini";
    std::ofstream(path, std::ios::binary) << GetParam();

    SimulatorProcess sim({}, path);
    ASSERT_TRUE(sim.ok()) << sim.error();
    EXPECT_NE(sim.errorOutput().find("unusable"), std::string::npos) << sim.errorOutput();
    SnmpTestClient client(sim.address(), "private");
    EXPECT_EQ(client.getObject("trbSystemName")->bytes, "TRB-4820");
    EXPECT_EQ(readFile(path), GetParam()) << "not overwritten before a save";

    ASSERT_EQ(client.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, 3), SNMP_ERR_NOERROR);
    EXPECT_EQ(readFile(path + ".corrupt"), GetParam());
    EXPECT_NE(readFile(path).find("trbSystemName"), std::string::npos);
    sim.stop();
    std::remove((path + ".corrupt").c_str());
    std::remove(path.c_str());
    rmdir(dir);
}

const std::string kCorruptions[] = {
    std::string("\x01\x02\xff garbage\n\0\0", 14),
    std::string(""),
    std::string("format=trb4820-sim-state/1\ntrbSystemName.0=\"unterminated\n"),
    std::string("format=trb4820-sim-state/1\ntrbCurrentBand.0=9\n"),
    std::string("format=trb4820-sim-state/1\ntrbModelName.0=\"read-only\"\n"),
    std::string("format=trb4820-sim-state/1\ntrbBandSsid.7=\"no such row\"\n"),
    std::string("format=trb4820-sim-state/1\ntrbSystemName.0=\"") + std::string(40, 'x') + "\"\n",
};
const char *const kCorruptionNames[] = {"Binary", "Empty", "UnterminatedText", "ValueOutOfRange",
                                        "ReadOnlyObject", "MissingRow", "TextTooLong"};

INSTANTIATE_TEST_SUITE_P(Corruptions, SimulatorStateFile, ::testing::ValuesIn(kCorruptions),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             return std::string(kCorruptionNames[info.index]);
                         });

} // namespace

namespace {

// A GET of the system name and a SET of it, as the fault plan sees them.
struct PlannedCase {
    const char *command;
    bool onSet;          // the fault is aimed at the set, the get must pass untouched
    bool answered;       // the faulted request gets an answer at all
    long errorStatus;    // of that answer
    bool wrongType;      // a get's answer no longer carries a string
};

TEST(SimulatorFaults, APlanSetWhileRunningHitsTheNextMatchingRequestsOnlyAndIsLogged)
{
    SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    const PlannedCase cases[] = {
        {"fault get trbSystemName 1 drop", false, false, 0, false},
        {"fault get all 1 error genErr", false, true, SNMP_ERR_GENERR, false},
        {"fault get trbSystemName 1 error noAccess", false, true, SNMP_ERR_NOACCESS, false},
        {"fault get 1.3 1 wrong-types", false, true, 0, true},
        {"fault get trbSystemName 1 late 300", false, true, 0, false},
        {"fault set trbSystemName 1 drop", true, false, 0, false},
        {"fault set trbSystemName 1 error wrongValue", true, true, SNMP_ERR_WRONGVALUE, false},
        {"fault any trbSystemName 1 error notWritable after 1", true, true, SNMP_ERR_NOTWRITABLE, false},
        {"fault set all 1 error commitFailed", true, true, SNMP_ERR_COMMITFAILED, false},
    };
    SnmpTestClient client(sim.address(), "private", 1000);
    int round = 0;
    for (const PlannedCase &c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_EQ(sim.control(c.command), "ok");
        // A request elsewhere in the tree passes whatever the plan says about the name.
        if (std::string(c.command).find(" all ") == std::string::npos
            && std::string(c.command).find(" 1.3 ") == std::string::npos) {
            EXPECT_EQ(client.get({SnmpTestClient::oidOf("trbModelName")}).errorStatus, 0);
        }
        const std::string value = "name-" + std::to_string(++round);
        const auto start = std::chrono::steady_clock::now();
        const SnmpReply get = client.get({SnmpTestClient::oidOf("trbSystemName")});
        const SnmpReply set = client.set({SnmpTestClient::text("trbSystemName", {}, value)});
        const SnmpReply &faulted = c.onSet ? set : get;
        const SnmpReply &other = c.onSet ? get : set;
        EXPECT_EQ(faulted.answered, c.answered);
        EXPECT_EQ(faulted.errorStatus, c.errorStatus);
        EXPECT_TRUE(other.answered);
        EXPECT_EQ(other.errorStatus, 0);
        if (!c.onSet && get.answered && get.errorStatus == 0) {
            ASSERT_EQ(get.varbinds.size(), 1u);
            EXPECT_EQ(get.varbinds[0].type == ASN_OCTET_STR, !c.wrongType);
        }
        if (std::string(c.command).find("late") != std::string::npos)
            EXPECT_GE(std::chrono::steady_clock::now() - start, 290ms);
        // A refused or lost set changes nothing; the next request is served normally again.
        const bool setApplied = set.answered && set.errorStatus == 0;
        EXPECT_EQ(client.getObject("trbSystemName")->bytes == value, setApplied);
        EXPECT_EQ(client.get({SnmpTestClient::oidOf("trbSystemName")}).errorStatus, 0);
    }
    const std::string log = sim.errorOutput();
    EXPECT_NE(log.find("fault \"get trbSystemName drop\" hit get request"), std::string::npos) << log;
    EXPECT_NE(log.find("fault \"set all error commitFailed\" hit set request"), std::string::npos) << log;
    EXPECT_NE(log.find("trbSystemName"), std::string::npos) << log;
}

TEST(SimulatorFaults, APlanCountsRequestsLastsUntilClearedAndRefusesBadCommands)
{
    SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient client(sim.address(), "private", 200);
    ASSERT_EQ(sim.control("fault get trbModelName -1 drop"), "ok");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(client.get({SnmpTestClient::oidOf("trbModelName")}).answered);
    EXPECT_EQ(client.setObject("trbSystemName", {}, ASN_OCTET_STR, "counted"), 0);
    EXPECT_EQ(sim.control("counts"), "ok gets 3 sets 1 faults 3");
    EXPECT_EQ(sim.control("clear"), "ok");
    EXPECT_TRUE(client.get({SnmpTestClient::oidOf("trbModelName")}).answered);

    for (const char *bad : {"", "fault", "fault get nowhere 1 drop", "fault get all 0 drop", "fault get all 1 explode",
                            "fault get all 1 error oops", "fault get all 1 late", "fault put all 1 drop",
                            "fault get all 1 drop after", "reboot"})
        EXPECT_EQ(sim.control(bad).rfind("error:", 0), 0u) << bad;
    EXPECT_TRUE(client.get({SnmpTestClient::oidOf("trbModelName")}).answered) << "a bad command plans nothing";
}

} // namespace
