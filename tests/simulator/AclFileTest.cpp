// The ACL file: what the device writes, which files it takes (all or nothing), and the two
// device members the ACL file transfers use, on a device of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AclFile.h"
#include "DefaultDevice.h"
#include "Device.h"

using namespace trb::sim;

namespace {

std::vector<uint8_t> Bytes(const std::string &text) { return {text.begin(), text.end()}; }
std::string Text(const std::vector<uint8_t> &bytes) { return {bytes.begin(), bytes.end()}; }

AclFile::Mac M(uint8_t last, uint8_t first = 0x02) { return {first, 0x1a, 0x48, 0x00, 0x00, last}; }

// As many lines of distinct station MACs as asked.
std::string ManyLines(int count)
{
    std::string file;
    for (int i = 0; i < count; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "02:00:00:00:%02x:%02x\n", i >> 8, i & 0xff);
        file += line;
    }
    return file;
}

TEST(AclFile, WritesOneColonMacALineWithNewlines)
{
    EXPECT_EQ(Text(AclFile::encode({M(0x01), M(0xab, 0x0c)})), "02:1a:48:00:00:01\n0c:1a:48:00:00:ab\n");
    EXPECT_TRUE(AclFile::encode({}).empty());
}

TEST(AclFile, ReadsFilesTheDeviceTakes)
{
    struct Case {
        const char *name;
        std::string file;
        std::vector<AclFile::Mac> macs;
    } cases[] = {
        {"colons", "02:1a:48:00:00:01\n", {M(1)}},
        {"dashes and upper case", "02-1A-48-00-00-0F\n", {M(0x0f)}},
        {"plain digits", "021a48000002", {M(2)}},
        {"CRLF and blank lines", "\r\n021a48000001\r\n\r\n  02:1a:48:00:00:02 \r\n", {M(1), M(2)}},
        {"duplicates collapsed in file order", "021a48000002\n02:1A:48:00:00:01\n02-1a-48-00-00-02\n", {M(2), M(1)}},
        {"empty file empties the list", "", {}},
        {"256 entries", ManyLines(256), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<AclFile::Mac> macs;
        std::string error;
        ASSERT_TRUE(AclFile::decode(Bytes(c.file), macs, error)) << error;
        if (std::string(c.name) == "256 entries")
            EXPECT_EQ(macs.size(), 256u);
        else
            EXPECT_EQ(macs, c.macs);
    }
}

TEST(AclFile, RefusesTheWholeFileNamingTheLine)
{
    struct Case {
        const char *name;
        std::string file;
        std::string error;
    } cases[] = {
        {"11 digits", "021a48000001\n021a4800000\n", "line 2: not a MAC address"},
        {"not hex", "021a4800000g\n", "line 1: not a MAC address"},
        {"mixed separators", "02:1a-48:00:00:01\n", "line 1: not a MAC address"},
        {"text after the MAC", "021a48000001 x\n", "line 1: not a MAC address"},
        {"multicast", "\n01:00:5e:00:00:01\n", "line 2: multicast or all-zero MAC address"},
        {"broadcast", "ffffffffffff\n", "line 1: multicast or all-zero MAC address"},
        {"all zeros", "021a48000001\n000000000000\n", "line 2: multicast or all-zero MAC address"},
        {"257 entries", ManyLines(257), "line 257: more than 256 MAC addresses"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<AclFile::Mac> macs = {M(9)};
        std::string error;
        EXPECT_FALSE(AclFile::decode(Bytes(c.file), macs, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(macs, std::vector<AclFile::Mac>{M(9)}) << "a refused file changes nothing";
    }
}

class AclDevice : public ::testing::Test {
protected:
    AclDevice() : device(DefaultDevice::build(0), "/nonexistent/state.ini", std::chrono::seconds(0)) {}

    void SelectBand(uint32_t band) { device.write(DeviceStore::instanceOf("trbFilterBand"), SnmpValue::integer(band)); }
    std::string File() { return Text(device.aclFileOf()); }
    bool Apply(const std::string &file, std::string &error) { return device.applyAclFile(Bytes(file), error); }
    int64_t Read(std::string_view object, std::initializer_list<uint32_t> instance)
    {
        return device.read(DeviceStore::instanceOf(object, instance))->number;
    }

    Device device;
};

TEST_F(AclDevice, AFileReplacesOnlyTheSelectedBandsList)
{
    std::string error;
    SelectBand(2);
    ASSERT_TRUE(Apply("021a48000001\n021a48000002\n", error)) << error;
    SelectBand(1);
    ASSERT_TRUE(Apply("02:1a:48:00:00:03\r\n", error)) << error;
    EXPECT_EQ(File(), "02:1a:48:00:00:03\n");
    SelectBand(2);
    EXPECT_EQ(File(), "02:1a:48:00:00:01\n02:1a:48:00:00:02\n");

    ASSERT_TRUE(Apply("021a48000009\n", error)) << error;
    EXPECT_EQ(File(), "02:1a:48:00:00:09\n");
    EXPECT_TRUE(device.store().contains(DeviceStore::instanceOf("trbFilterAclMac", {2, 1})))
        << "entries are numbered from 1 again";
    EXPECT_FALSE(device.store().contains(DeviceStore::instanceOf("trbFilterAclMac", {2, 2})));
}

TEST_F(AclDevice, ARefusedFileLeavesTheListAsItWas)
{
    std::string error;
    ASSERT_TRUE(Apply("021a48000001\n", error));
    EXPECT_FALSE(Apply("021a48000002\nzz\n", error));
    EXPECT_EQ(error, "line 2: not a MAC address");
    EXPECT_EQ(File(), "02:1a:48:00:00:01\n");
}

TEST_F(AclDevice, ModesWithoutStationsReadAccessControlAndPartitionAsUnavailable)
{
    struct Case {
        int64_t apMode, aclMode, partitionMode;
    } cases[] = {{1, 3, 1}, {2, 3, 1}, {3, 4, 5}, {4, 4, 4}, {5, 3, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.apMode);
        device.write(DeviceStore::instanceOf("trbApMode"), SnmpValue::integer(c.apMode));
        EXPECT_EQ(Read("trbFilterAclMode", {1}), c.aclMode);
        EXPECT_EQ(Read("trbFilterPartitionMode", {2}), c.partitionMode);
    }
    const Oid mode = DeviceStore::instanceOf("trbFilterAclMode", {1});
    EXPECT_NE(device.refusal(mode, 4), 0) << "unavailable is the device's report, not a setting";
    EXPECT_EQ(device.refusal(mode, 1), 0);
}

} // namespace
