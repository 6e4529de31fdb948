// The state file format on its own: value encoding and loading against the default device.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "DefaultDevice.h"
#include "StateFile.h"

using namespace trb::sim;

namespace {

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
    const std::string path = testing::TempDir() + "/state-load.ini";
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

    for (const auto &entry : std::filesystem::directory_iterator(testing::TempDir()))
        EXPECT_EQ(entry.path().filename().string().rfind("state-load.ini.", 0), std::string::npos)
            << "temporary file left behind: " << entry.path();
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

} // namespace
