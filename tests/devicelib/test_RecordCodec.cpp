#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "RecordCodec.h"
#include "TRB4820apRecords.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace {

const Binding &bindingFor(uint32_t layout, const char *object, std::vector<uint32_t> instance = {})
{
    for (const Binding *b : bindingsOfLayout(layout))
        if (std::string(b->object) == object && b->instance == instance)
            return *b;
    throw std::runtime_error(std::string("no binding for ") + object);
}

SnmpValue text(std::string bytes) { return {asn::OctetString, 0, std::move(bytes)}; }
SnmpValue integer(int64_t v, uint8_t type = asn::Integer) { return {type, v, {}}; }
SnmpValue ip(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return {asn::IpAddress, 0, std::string{char(a), char(b), char(c), char(d)}};
}

// A record filled with a guard byte, so that any write outside the slot shows.
struct GuardedRecord {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(AP_DEVICE_INFO_RECORD_SIZE, 0xAA);
    std::span<uint8_t> span() { return bytes; }
    const char *at(uint32_t offset) const { return reinterpret_cast<const char *>(bytes.data() + offset); }
    uint32_t word(uint32_t offset) const
    {
        uint32_t w;
        std::memcpy(&w, bytes.data() + offset, 4);
        return w;
    }
    void expectGuardOutside(const Binding &b) const
    {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i < b.offset || i >= b.offset + b.size) {
                ASSERT_EQ(bytes[i], 0xAA) << "byte " << i << " written outside " << b.object;
            }
        }
    }
};

} // namespace

TEST(RecordCodec, OversizedTextIsCutToItsSlotAndTerminated)
{
    const Binding &b = bindingFor(LayoutDeviceInfo, "trbLanIpAddress"); // 20-byte slot
    const Binding &name = bindingFor(LayoutDeviceInfo, "trbSystemName"); // 1024-byte slot
    GuardedRecord record;
    SnmpValue huge = text(std::string(5000, 'x'));
    RecordCodec::decode(name, &huge, record.span());
    EXPECT_EQ(std::strlen(record.at(name.offset)), 1023u);
    record.expectGuardOutside(name);

    GuardedRecord second;
    SnmpValue longIp = text(std::string(100, '9')); // wrong type for an IpAddress anyway
    RecordCodec::decode(b, &longIp, second.span());
    EXPECT_STREQ(second.at(b.offset), "");
    second.expectGuardOutside(b);
}

TEST(RecordCodec, WrongTypesAndExceptionsLeaveTheSlotZero)
{
    struct Case {
        uint32_t layout;
        const char *object;
        std::vector<uint32_t> instance;
        SnmpValue wrong;
    };
    std::vector<Case> cases = {
        {LayoutDeviceInfo, "trbFirmwareVersion", {}, integer(5)},
        {LayoutDeviceInfo, "trbCpuLoad", {}, text("55")},
        {LayoutDeviceInfo, "trbEthernetMac", {}, text("\x01\x02\x03")}, // not six octets
        {LayoutDeviceInfo, "trbLanGateway", {}, text("1.2.3.4")},
        {LayoutDeviceInfo, "trbUpTime", {}, integer(100)},                // INTEGER, not TimeTicks
        {LayoutDeviceInfo, "trbBandRadioState", {1}, text("on")},
        {LayoutPaneStatus, "trbApMode", {}, {asn::NoSuchInstance, 0, {}}},
        {LayoutLanSettings, "trbLanAddressMode", {}, {asn::NoSuchObject, 0, {}}},
    };
    for (const Case &c : cases) {
        const Binding &b = bindingFor(c.layout, c.object, c.instance);
        GuardedRecord record;
        RecordCodec::decode(b, &c.wrong, record.span());
        for (uint32_t i = 0; i < b.size; ++i)
            ASSERT_EQ(record.bytes[b.offset + i], 0) << c.object;
        record.expectGuardOutside(b);
    }
}

TEST(RecordCodec, ReadConversions)
{
    GuardedRecord r;
    auto decode = [&](uint32_t layout, const char *object, SnmpValue v, std::vector<uint32_t> inst = {}) {
        const Binding &b = bindingFor(layout, object, inst);
        RecordCodec::decode(b, &v, r.span());
        return b.offset;
    };
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbLanGateway", ip(0, 0, 0, 0))), "N/A");
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbLanSubnetMask", ip(255, 255, 255, 0))), "255.255.255.0");
    EXPECT_STREQ(r.at(decode(LayoutLanSettings, "trbLanGateway", ip(192, 168, 1, 254))), "192.168.1.254");
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbEthernetMac", text(std::string("\x00\x1a\x2b\xcc\xdd\xef", 6)))), "001A2BCCDDEF");
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbCurrentBand", integer(1))), "band2dot4gHz");
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbBandRadioState", integer(2), {2})), "off");
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbBandWirelessState", integer(1), {1})), "enabled");
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbBandWirelessState", integer(9), {1})), "");
    uint32_t ticks = (2 * 86400 + 3 * 3600 + 4 * 60 + 5) * 100 + 99;
    EXPECT_STREQ(r.at(decode(LayoutDeviceInfo, "trbUpTime", integer(ticks, asn::TimeTicks))), "2 days, 03:04:05");
    EXPECT_EQ(r.word(decode(LayoutDeviceInfo, "trbCpuLoad", integer(55, asn::Gauge))), 55u);
    EXPECT_EQ(r.word(decode(LayoutPaneStatus, "trbCurrentBand", integer(2))), 1u);
    EXPECT_EQ(r.word(decode(LayoutPaneStatus, "trbCurrentBand", integer(1))), 0u);
    EXPECT_EQ(r.word(decode(LayoutPaneStatus, "trbLanLink", integer(2))), 0u);
    EXPECT_EQ(r.word(decode(LayoutPaneStatus, "trbLanLink", integer(1))), 1u);
    EXPECT_EQ(r.word(decode(LayoutPaneStatus, "trbApMode", integer(4))), 4u);
    // A missing value clears what an earlier read left in the slot.
    const Binding &fw = bindingFor(LayoutDeviceInfo, "trbFirmwareVersion");
    SnmpValue v = text("1.0");
    RecordCodec::decode(fw, &v, r.span());
    RecordCodec::decode(fw, nullptr, r.span());
    EXPECT_STREQ(r.at(fw.offset), "");
}

TEST(RecordCodec, EveryConversionZeroesTheRestOfItsSlot)
{
    // A record reused from an earlier read must not keep bytes of the old values behind a text.
    struct Case {
        uint32_t layout;
        const char *object;
        std::vector<uint32_t> instance;
        SnmpValue value;
        std::size_t written; // bytes of the slot that carry the value
    } cases[] = {
        {LayoutDeviceInfo, "trbSystemName", {}, text("ap"), 3},
        {LayoutDeviceInfo, "trbLanSubnetMask", {}, ip(255, 0, 0, 0), 10},
        {LayoutDeviceInfo, "trbLanGateway", {}, ip(0, 0, 0, 0), 4},
        {LayoutDeviceInfo, "trbEthernetMac", {}, text(std::string("\x02\x1a\x48\x20\x00\x01", 6)), 13},
        {LayoutDeviceInfo, "trbCurrentBand", {}, integer(1), 13},
        {LayoutDeviceInfo, "trbUpTime", {}, integer(100, asn::TimeTicks), 17},
        {LayoutDeviceInfo, "trbCpuLoad", {}, integer(55, asn::Gauge), 4},
        {LayoutPaneStatus, "trbCurrentBand", {}, integer(2), 4},
    };
    for (const Case &c : cases) {
        const Binding &b = bindingFor(c.layout, c.object, c.instance);
        GuardedRecord record;
        RecordCodec::decode(b, &c.value, record.span());
        for (std::size_t i = c.written; i < b.size; ++i)
            ASSERT_EQ(record.bytes[b.offset + i], 0) << c.object << " byte " << i;
        record.expectGuardOutside(b);
    }
}

TEST(RecordCodec, WriteConversionsAndRefusals)
{
    apLanSettingsRecord lan{};
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t *>(&lan), sizeof lan);
    const Binding &gateway = bindingFor(LayoutLanSettings, "trbLanGateway");
    const Binding &address = bindingFor(LayoutLanSettings, "trbLanIpAddress");
    const Binding &mode = bindingFor(LayoutLanSettings, "trbLanAddressMode");
    std::string reason;

    for (const char *none : {"", "N/A"}) {
        std::strcpy(lan.gateway, none);
        auto v = RecordCodec::encode(gateway, bytes, reason);
        ASSERT_TRUE(v) << none;
        EXPECT_EQ(v->type, asn::IpAddress);
        EXPECT_EQ(v->bytes, std::string(4, '\0'));
    }
    std::strcpy(lan.ipAddress, "10.0.0.7");
    auto v = RecordCodec::encode(address, bytes, reason);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->bytes, std::string("\x0a\x00\x00\x07", 4));
    for (const char *bad : {"", "N/A", "10.0.0", "10.0.0.256", "10.0.0.7.", "a.b.c.d", "1..2.3"}) {
        std::strcpy(lan.ipAddress, bad);
        EXPECT_FALSE(RecordCodec::encode(address, bytes, reason)) << bad;
    }
    // A slot without a NUL is read only up to its end.
    std::memset(lan.ipAddress, '1', sizeof lan.ipAddress);
    EXPECT_FALSE(RecordCodec::encode(address, bytes, reason));

    lan.addressMode = 1;
    v = RecordCodec::encode(mode, bytes, reason);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->integer, 1);
    lan.addressMode = 7;
    EXPECT_FALSE(RecordCodec::encode(mode, bytes, reason));

    apDeviceInfoRecord device{};
    std::span<const uint8_t> deviceBytes(reinterpret_cast<const uint8_t *>(&device), sizeof device);
    std::strcpy(device.radioState[0], "on");
    v = RecordCodec::encode(bindingFor(LayoutDeviceInfo, "trbBandRadioState", {1}), deviceBytes, reason);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->integer, 1);
    std::strcpy(device.radioState[0], "maybe");
    EXPECT_FALSE(RecordCodec::encode(bindingFor(LayoutDeviceInfo, "trbBandRadioState", {1}), deviceBytes, reason));
    std::memset(device.systemName, 'n', 40); // longer than the object's 32
    EXPECT_FALSE(RecordCodec::encode(bindingFor(LayoutDeviceInfo, "trbSystemName"), deviceBytes, reason));
}

TEST(ValueConversion, TextsAndClock)
{
    char slot[4];
    copyBoundedText(std::string("ab\0cd", 5), slot, sizeof slot);
    EXPECT_STREQ(slot, "ab");
    copyBoundedText("abcdef", slot, sizeof slot);
    EXPECT_STREQ(slot, "abc");
    EXPECT_EQ(upTimeText(86400 * 100), "1 day, 00:00:00");
    EXPECT_EQ(upTimeText(0), "0 days, 00:00:00");
    EXPECT_EQ(upTimeText(4294967295u), "497 days, 02:27:52");
    EXPECT_EQ(macToHex("12345"), "");
    EXPECT_EQ(ipOctetsToText(std::string("\xff\x00\x01\x02", 4)), "255.0.1.2");
    EXPECT_FALSE(ipTextToOctets("1.2.3.4 "));
    EXPECT_FALSE(ipTextToOctets("1.2.3.0004"));
    std::string clock = localClockText();
    ASSERT_EQ(clock.size(), 8u);
    EXPECT_EQ(clock[2], ':');
    EXPECT_EQ(clock[5], ':');
}
