// The state file format on its own: value encoding and loading against the default device.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "DefaultDevice.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"
#include "StateFile.h"

using namespace trb::sim;

namespace {

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(StateFileEncoding, ValuesRoundTrip)
{
    const SnmpValue values[] = {
        SnmpValue::text("plain"),
        SnmpValue::text("quote \" backslash \\ end"),
        SnmpValue::text(std::string("\0\x01\xff=\n", 5)),
        SnmpValue::text(""),
        SnmpValue::integer(-42),
        SnmpValue::ipAddress(0xc0a8010a),
    };
    for (const auto &value : values) {
        const std::string text = StateFile::encode(value);
        EXPECT_EQ(text.find('\n'), std::string::npos) << "one line per value";
        auto back = StateFile::decode(text, value.asnType);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(*back, value) << text;
    }
    EXPECT_EQ(StateFile::encode(SnmpValue::ipAddress(0xc0a8010a)), "192.168.1.10");
    EXPECT_FALSE(StateFile::decode("\"bad \\q escape\"", ASN_OCTET_STR));
    EXPECT_FALSE(StateFile::decode("12x", ASN_INTEGER));
    EXPECT_FALSE(StateFile::decode("300.1.1.1", ASN_IPADDRESS));
}

TEST(StateFileLoading, SavedValuesReplaceDefaultsAndMissingOnesKeepThem)
{
    const DeviceStore device = DefaultDevice::build(0);
    const std::string path = testing::TempDir() + "/state-load-" + std::to_string(::getpid()) + ".ini";
    SavedState saved{device.config(), "German"};
    saved.config[DeviceStore::instanceOf("trbSystemName")] = SnmpValue::text("Stored");
    saved.config.erase(DeviceStore::instanceOf("trbLocation"));
    ASSERT_EQ(StateFile::save(path, saved), "");

    auto result = StateFile::load(path, device);
    ASSERT_EQ(result.status, StateFile::LoadStatus::Loaded) << result.error;
    EXPECT_EQ(result.state.config.at(DeviceStore::instanceOf("trbSystemName")).bytes, "Stored");
    EXPECT_EQ(result.state.config.at(DeviceStore::instanceOf("trbLocation")),
              *device.find(DeviceStore::instanceOf("trbLocation")));
    EXPECT_EQ(result.state.languagePack, "German");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << "the file holds secrets: its owner's alone";

    for (const auto &entry : std::filesystem::directory_iterator(testing::TempDir()))
        EXPECT_EQ(entry.path().filename().string().rfind(std::filesystem::path(path).filename().string() + ".", 0),
                  std::string::npos)
            << "temporary file left behind: " << entry.path();
    std::filesystem::remove(path);
}

TEST(StateFileLoading, InstalledFilesRoundTripAndOverlongOnesMakeTheFileUnusable)
{
    const DeviceStore device = DefaultDevice::build(0);
    const std::string path = testing::TempDir() + "/state-files-" + std::to_string(::getpid()) + ".ini";
    SavedState saved;
    saved.config = device.config();
    saved.firmwareVersion = "1.3.00";
    saved.certificateSubject = "CN = ap.test";
    saved.keyFingerprint = std::string(64, 'a');
    ASSERT_EQ(StateFile::save(path, saved), "");
    auto result = StateFile::load(path, device);
    ASSERT_EQ(result.status, StateFile::LoadStatus::Loaded) << result.error;
    EXPECT_EQ(result.state.firmwareVersion, "1.3.00");
    EXPECT_EQ(result.state.certificateSubject, "CN = ap.test");
    EXPECT_EQ(result.state.keyFingerprint, std::string(64, 'a'));
    EXPECT_EQ(result.state.languagePack, "") << "saved empty, not the factory pack";

    saved.firmwareVersion = std::string(64, '9'); // trbFirmwareVersion holds 63
    ASSERT_EQ(StateFile::save(path, saved), "");
    EXPECT_EQ(StateFile::load(path, device).status, StateFile::LoadStatus::Corrupt);
    std::filesystem::remove(path);
}

TEST(StateFileLoading, MissingFileIsNotAnError)
{
    auto result = StateFile::load(testing::TempDir() + "/does-not-exist.ini", DefaultDevice::build(0));
    EXPECT_EQ(result.status, StateFile::LoadStatus::Missing);
}

TEST(StateFileLoading, ADirectoryIsUnusable)
{
    auto result = StateFile::load(testing::TempDir(), DefaultDevice::build(0));
    EXPECT_EQ(result.status, StateFile::LoadStatus::Corrupt);
    EXPECT_FALSE(result.error.empty());
}

TEST(StateFileTemporaries, OnlyTheExactPatternOfSaveIsRecognised)
{
    const std::string path = "/var/lib/sim/state.ini";
    for (const char *name : {"state.ini.saving-Ab3xY9", "state.ini.saving-000000", "state.ini.saving-ZZZZZZ"})
        EXPECT_TRUE(StateFile::isTemporaryName(path, name)) << name;
    for (const char *name : {"state.ini", "state.ini.backup", "state.ini.AbCdEf", "state.ini.saving-Ab3xY",
                             "state.ini.saving-Ab3xY9Z", "state.ini.saving-Ab_xY9", "state.ini.saving-Ab.xY9",
                             "other.ini.saving-Ab3xY9", "xstate.ini.saving-Ab3xY9", "state.ini.corrupt",
                             ".state.ini.saving-Ab3xY9"})
        EXPECT_FALSE(StateFile::isTemporaryName(path, name)) << name;
}

// Plants what killed saves leave, plus files of the user's that look alike, and starts a real
// simulator on that state file: only the unheld temporaries go.
TEST(StateFileTemporaries, StartRemovesStaleTemporariesOnly)
{
    trb::test::SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    trb::test::SnmpTestClient writer(sim.address(), "private");
    ASSERT_EQ(writer.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, 3), SNMP_ERR_NOERROR); // save
    sim.stop();
    const std::string saved = readAll(sim.stateFile());
    ASSERT_FALSE(saved.empty());

    const std::string dir = sim.directory() + "/";
    const std::vector<std::string> stale = {"state.ini.saving-Ab3xY9", "state.ini.saving-q1w2e3"};
    const std::vector<std::string> kept = {"state.ini.backup", "state.ini.AbCdEf", "state.ini.saving-Ab3",
                                           "state.ini.saving-Ab3xY9Z", "other.ini.saving-Ab3xY9"};
    for (const std::string &name : stale)
        writeAll(dir + name, "half a save");
    for (const std::string &name : kept)
        writeAll(dir + name, "mine");
    // A save in progress elsewhere holds its temporary locked.
    writeAll(dir + "state.ini.saving-HELD00", "in progress");
    const int held = ::open((dir + "state.ini.saving-HELD00").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(sim.start()) << sim.error();
    for (const std::string &name : stale)
        EXPECT_FALSE(std::filesystem::exists(dir + name)) << name;
    for (const std::string &name : kept)
        EXPECT_EQ(readAll(dir + name), "mine") << name;
    EXPECT_TRUE(std::filesystem::exists(dir + "state.ini.saving-HELD00"));
    EXPECT_EQ(readAll(sim.stateFile()), saved);
    ::close(held);
}

// Kills the simulator again and again while it saves: the saved state always loads, and no
// temporary outlives the next start.
TEST(StateFileTemporaries, KillsDuringSavesLeaveNothingAfterTheNextStart)
{
    trb::test::SimulatorProcess sim;
    ASSERT_TRUE(sim.ok()) << sim.error();
    const std::string dir = sim.directory();
    auto temporaries = [&] {
        int count = 0;
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            count += StateFile::isTemporaryName(sim.stateFile(), entry.path().filename().string());
        return count;
    };
    int leftBehind = 0;
    for (int round = 0; round < 8; ++round) {
        std::atomic<bool> stop{false};
        std::thread saver([&] {
            trb::test::SnmpTestClient writer(sim.address(), "private", 200);
            while (!stop)
                writer.setObject("trbDeviceCommand", {}, ASN_INTEGER, {}, 3);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 7 * round));
        ::kill(sim.pid(), SIGKILL);
        stop = true;
        saver.join();
        sim.stop();
        leftBehind += temporaries();
        ASSERT_TRUE(sim.start()) << sim.error();
        EXPECT_EQ(temporaries(), 0) << "round " << round;
        EXPECT_EQ(sim.errorOutput().find("unusable"), std::string::npos) << sim.errorOutput();
    }
    RecordProperty("temporariesLeftByKills", leftBehind);
}

// Rows of tables that managers fill are saved whole: a file that breaks a row or a table limit
// is unusable as a whole.
std::string rowLines(int index)
{
    const std::string n = std::to_string(index);
    return "trbArpGatewayIp." + n + "=10.0.0." + n + "\ntrbArpGatewayMac." + n +
           "=\"\\x02\\x1a\\x48\\x20\\x00\\x01\"\ntrbArpGatewayStatus." + n + "=1\n";
}

StateFile::LoadResult loadText(const std::string &body)
{
    const std::string path = testing::TempDir() + "/state-rows-" + std::to_string(::getpid()) + ".ini";
    std::ofstream(path) << "format=trb4820-sim-state/1\n" << body;
    auto result = StateFile::load(path, DefaultDevice::build(0));
    std::filesystem::remove(path);
    return result;
}

TEST(StateFileRows, SavedRowsLoadAndComeIntoTheDevice)
{
    auto result = loadText(rowLines(3) + rowLines(200));
    ASSERT_EQ(result.status, StateFile::LoadStatus::Loaded) << result.error;
    DeviceStore device = DefaultDevice::build(0);
    device.applyConfig(result.state.config);
    const auto *table = trb::schema::findTable("trbArpGatewayTable");
    EXPECT_EQ(device.rowIndexes(*table), (std::vector<Oid>{{3}, {200}}));
    EXPECT_EQ(device.find(DeviceStore::instanceOf("trbArpGatewayIp", {3}))->bytes, std::string("\x0a\x00\x00\x03", 4));

    device.applyConfig(DefaultDevice::build(0).config());
    EXPECT_TRUE(device.rowIndexes(*table).empty()) << "a configuration without rows removes them";
}

TEST(StateFileRows, BrokenRowsMakeTheFileUnusable)
{
    std::string nine;
    for (int i = 1; i <= 9; ++i)
        nine += rowLines(i);
    const std::pair<const char *, std::string> cases[] = {
        {"nine rows in a table of eight", nine},
        {"a row without its MAC", "trbArpGatewayIp.1=10.0.0.1\ntrbArpGatewayStatus.1=1\n"},
        {"a row without its RowStatus",
         "trbArpGatewayIp.1=10.0.0.1\ntrbArpGatewayMac.1=\"\\x02\\x00\\x00\\x00\\x00\\x01\"\n"},
        {"a row saved as createAndGo", rowLines(1) + "trbArpGatewayStatus.1=4\n"},
        {"a row index out of range", rowLines(256)},
        {"a MAC of five octets", "trbArpGatewayMac.1=\"abcde\"\n"},
    };
    for (const auto &[what, body] : cases) {
        auto result = loadText(body);
        EXPECT_EQ(result.status, StateFile::LoadStatus::Corrupt) << what;
        EXPECT_FALSE(result.error.empty()) << what;
    }
}

} // namespace
