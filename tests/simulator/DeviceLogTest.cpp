// The device log: its lines, its bound, what the device records in it and how it leaves.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "DefaultDevice.h"
#include "Device.h"
#include "DeviceLog.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using namespace trb::sim;
using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;

namespace {

DeviceLog FixedClockLog(std::size_t capacity = DeviceLog::kDefaultCapacity)
{
    return DeviceLog([] { return std::string("2026-12-08 14:20:00"); }, capacity);
}

std::vector<std::string> Messages(const DeviceLog &log)
{
    std::vector<std::string> messages;
    for (const auto &entry : log.entries())
        messages.push_back(entry.message);
    return messages;
}

TEST(DeviceLog, LinesCarryTimePriorityAndMessage)
{
    const struct {
        LogPriority priority;
        std::string message;
        std::string line;
    } cases[] = {
        {LogPriority::Info, "System started", "2026-12-08 14:20:00 | [info] System started"},
        {LogPriority::Notice, "a | b [c]", "2026-12-08 14:20:00 | [notice] a | b [c]"},
        {LogPriority::Warning, "two\r\nlines", "2026-12-08 14:20:00 | [warning] two  lines"},
        {LogPriority::Error, "", "2026-12-08 14:20:00 | [error] "},
    };
    for (const auto &c : cases) {
        DeviceLog log = FixedClockLog();
        log.add(c.priority, c.message);
        EXPECT_EQ(log.text(), c.line + "\n") << c.message;
    }
}

TEST(DeviceLog, KeepsOnlyTheNewestEntries)
{
    DeviceLog log = FixedClockLog(3);
    for (int i = 1; i <= 5; ++i)
        log.add(LogPriority::Info, std::to_string(i));
    EXPECT_EQ(Messages(log), (std::vector<std::string>{"3", "4", "5"}));
}

TEST(DeviceLog, HeldLinesJoinOnlyWhenTheSetCommits)
{
    DeviceLog log = FixedClockLog();
    log.add(LogPriority::Info, "before");
    log.hold(LogPriority::Notice, "undone");
    log.dropHeld();
    log.hold(LogPriority::Notice, "kept");
    EXPECT_EQ(log.size(), 1u) << "held lines are not in the log yet";
    log.commitHeld();
    log.commitHeld(); // nothing twice
    EXPECT_EQ(Messages(log), (std::vector<std::string>{"before", "kept"}));
}

// The device's side, without an agent: a mover that records what it was given.
class RecordingMover : public FileMover {
public:
    explicit RecordingMover(std::string failure = {}) : failure_(std::move(failure)) {}
    Result fetch(const std::string &, uint16_t, const std::string &, std::vector<uint8_t> &) override
    {
        return {false, "not used"};
    }
    Result store(const std::string &host, uint16_t, const std::string &name, const std::vector<uint8_t> &data) override
    {
        *seen = host + " " + name + "\n" + std::string(data.begin(), data.end());
        return {failure_.empty(), failure_};
    }
    std::shared_ptr<std::string> seen = std::make_shared<std::string>();

private:
    std::string failure_;
};

class DeviceLogging : public ::testing::Test {
protected:
    static constexpr int kStations = 2;

    DeviceLogging()
        : statePath((std::filesystem::path(testing::TempDir()) / "log-test-state.ini").string()),
          device(DefaultDevice::build(kStations), statePath, std::chrono::milliseconds(0))
    {
    }
    ~DeviceLogging() override { std::filesystem::remove(statePath); }

    // A manager's SET of one value, committed.
    void Set(const char *object, SnmpValue value)
    {
        device.apply(DeviceStore::instanceOf(object), std::move(value));
        device.log().commitHeld();
    }
    std::string LastMessage() const { return device.log().entries().back().message; }

    std::string statePath;
    Device device;
};

TEST_F(DeviceLogging, StartsWithTheBootAndTheStations)
{
    const auto messages = Messages(device.log());
    ASSERT_EQ(messages.size(), 1u + kStations);
    EXPECT_EQ(messages[0], "System started");
    for (int i = 1; i <= kStations; ++i)
        EXPECT_TRUE(messages[size_t(i)].starts_with("Station 02:")) << messages[size_t(i)];
}

TEST_F(DeviceLogging, NamesEachChangedSettingButNeverASecretsValue)
{
    const struct {
        const char *object;
        SnmpValue value;
        std::string line; // "" when nothing is logged
    } cases[] = {
        {"trbLogServer", SnmpValue::ipAddress(0x0a000009), "Setting trbLogServer changed to 10.0.0.9"},
        {"trbEmailServerType", SnmpValue::integer(2), "Setting trbEmailServerType changed to gmail"},
        {"trbEmailUserName", SnmpValue::text("mailer"), "Setting trbEmailUserName changed to \"mailer\""},
        {"trbEmailPassword", SnmpValue::text("s3cret"), "Setting trbEmailPassword changed"},
        {"trbLoginPassword", SnmpValue::text("other"), "Setting trbLoginPassword changed"},
        {"trbLogNotice", SnmpValue::integer(1), ""}, // already on: no change
        {"trbLogRequestFile", SnmpValue::text("x.RD"), ""}, // not a setting
    };
    for (const auto &c : cases) {
        const std::size_t before = device.log().size();
        Set(c.object, c.value);
        if (c.line.empty()) {
            EXPECT_EQ(device.log().size(), before) << c.object;
            continue;
        }
        ASSERT_EQ(device.log().size(), before + 1) << c.object;
        EXPECT_EQ(LastMessage(), c.line);
    }
    EXPECT_EQ(device.log().text().find("s3cret"), std::string::npos);
}

TEST_F(DeviceLogging, RecordsCommandsAndKeepsTheLogThroughARestart)
{
    ASSERT_EQ(device.runCommand(Device::SaveAndActivate), SNMP_ERR_NOERROR);
    device.log().commitHeld();
    EXPECT_EQ(LastMessage(), "Configuration saved and activated");
    ASSERT_EQ(device.runCommand(Device::Restart), SNMP_ERR_NOERROR);
    device.log().commitHeld();
    EXPECT_EQ(LastMessage(), "Restart requested");
    device.startPendingReboot();
    while (device.rebooting()) {
    }
    const auto messages = Messages(device.log());
    const auto restart = std::find(messages.begin(), messages.end(), "Restart requested");
    ASSERT_NE(restart, messages.end());
    EXPECT_EQ(*(restart + 1), "System started");
    EXPECT_EQ(messages.size(), size_t(restart - messages.begin()) + 2 + kStations);
}

TEST_F(DeviceLogging, SendsTheLogToThePcAndLogsTheOutcome)
{
    const struct {
        std::string failure;
        std::string line;
    } cases[] = {
        {"", "Log sent to 10.0.0.2 as LogFile.RD"},
        {"Timeout", "Log not sent to 10.0.0.2: Timeout"},
    };
    for (const auto &c : cases) {
        auto mover = std::make_unique<RecordingMover>(c.failure);
        const auto seen = mover->seen;
        device.transfers().setMover(std::move(mover));
        device.apply(DeviceStore::instanceOf("trbLogRequestAddress"), SnmpValue::ipAddress(0x0a000002));
        device.apply(DeviceStore::instanceOf("trbLogRequestFile"), SnmpValue::text("LogFile.RD"));
        const std::string sent = device.log().text();
        device.apply(DeviceStore::instanceOf("trbLogRequestAction"), SnmpValue::integer(1));
        device.transfers().waitIdle();
        device.tick();
        EXPECT_EQ(*seen, "10.0.0.2 LogFile.RD\n" + sent);
        EXPECT_EQ(LastMessage(), c.line);
    }
}

TEST_F(DeviceLogging, ARequestWithoutAnAddressIsLoggedNotSent)
{
    auto mover = std::make_unique<RecordingMover>();
    const auto seen = mover->seen;
    device.transfers().setMover(std::move(mover));
    device.apply(DeviceStore::instanceOf("trbLogRequestAction"), SnmpValue::integer(1));
    device.transfers().waitIdle();
    device.tick();
    EXPECT_TRUE(seen->empty());
    EXPECT_EQ(LastMessage(), "Log not sent: no PC address or file name");
}

TEST_F(DeviceLogging, ClearingLeavesOneLine)
{
    Set("trbLogClear", SnmpValue::integer(1));
    EXPECT_EQ(Messages(device.log()), (std::vector<std::string>{"Log cleared"}));
    Set("trbLogClear", SnmpValue::integer(0)); // idle, as an undo writes it
    EXPECT_EQ(device.log().size(), 1u);
}

// Over SNMP: a SET the agent refuses leaves no line; one it takes leaves one; clear empties.
TEST(SimulatorLog, OnlyCommittedSetsReachTheLog)
{
    SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    SnmpTestClient writer(sim.address(), "private");
    const auto count = [&] { return writer.getObject("trbLogEntryCount")->number; };
    const long start = count();
    EXPECT_GE(start, 1);

    auto refused = writer.set({SnmpTestClient::text("trbEmailFrom", {}, "a@b.c"),
                               SnmpTestClient::integer("trbEmailServerType", {}, 9)});
    ASSERT_TRUE(refused.answered);
    EXPECT_NE(refused.errorStatus, SNMP_ERR_NOERROR);
    EXPECT_EQ(count(), start);

    ASSERT_EQ(writer.setObject("trbEmailFrom", {}, ASN_OCTET_STR, "a@b.c"), SNMP_ERR_NOERROR);
    EXPECT_EQ(count(), start + 1);
    EXPECT_EQ(writer.getObject("trbLogRequestAction")->number, 0) << "an action reads idle";

    // A row a manager creates, then destroys: one line each, whatever its columns.
    trb::test::Varbind ip{SnmpTestClient::oidOf("trbArpGatewayIp", {1}), ASN_IPADDRESS, 0, std::string("\xc0\xa8\x01\x01", 4)};
    trb::test::Varbind mac{SnmpTestClient::oidOf("trbArpGatewayMac", {1}), ASN_OCTET_STR, 0,
                           std::string("\x02\x1a\x48\x20\x00\x01", 6)};
    auto created = writer.set({SnmpTestClient::integer("trbArpGatewayStatus", {1}, 4), ip, mac});
    ASSERT_TRUE(created.answered);
    ASSERT_EQ(created.errorStatus, SNMP_ERR_NOERROR);
    EXPECT_EQ(count(), start + 2);
    ASSERT_EQ(writer.setObject("trbArpGatewayStatus", {1}, ASN_INTEGER, "", 6), SNMP_ERR_NOERROR);
    EXPECT_EQ(count(), start + 3);

    ASSERT_EQ(writer.setObject("trbLogClear", {}, ASN_INTEGER, "", 1), SNMP_ERR_NOERROR);
    EXPECT_EQ(count(), 1) << "only the line saying so";
    EXPECT_EQ(writer.getObject("trbLogClear")->number, 0);
}

} // namespace
