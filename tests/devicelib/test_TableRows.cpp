// Generic rows of tables with a RowStatus column, and how a handle's read is planned.
#include <gtest/gtest.h>

#include "HandleReads.h"
#include "TRB4820apRecords.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace {

SnmpValue integer(int64_t v)
{
    SnmpValue value;
    value.type = asn::Integer;
    value.integer = v;
    return value;
}
SnmpValue octets(std::string bytes)
{
    SnmpValue value;
    value.type = asn::OctetString;
    value.bytes = std::move(bytes);
    return value;
}
Oid at(const char *object, uint32_t index)
{
    return trb::schema::instanceOid(*trb::schema::findObject(object), std::vector<uint32_t>{index});
}
// The last values of a handle after reading rows at `indexes`.
std::map<Oid, SnmpValue> readRows(std::initializer_list<uint32_t> indexes)
{
    std::map<Oid, SnmpValue> values;
    for (uint32_t i : indexes) {
        values[at("trbArpGatewayIp", i)] = SnmpValue{asn::IpAddress, 0, std::string("\x0a\x00\x00\x01", 4)};
        values[at("trbArpGatewayMac", i)] = octets(std::string(6, char(i)));
    }
    return values;
}

const TableRows &gateways()
{
    static const TableRows rows("trbArpGatewayTable");
    return rows;
}

TEST(TableRows, RefusesATableWithoutCreatedRows)
{
    EXPECT_THROW(TableRows("trbClientTable"), std::logic_error);
    EXPECT_THROW(TableRows("noSuchTable"), std::logic_error);
}

TEST(TableRows, FreeIndexIsTheLowestNotReadAndNotStaged)
{
    EXPECT_EQ(gateways().freeIndex({}, {}), 1u);
    EXPECT_EQ(gateways().freeIndex(readRows({1, 2, 4}), {}), 3u);
    auto staged = gateways().add(1, {3}, {});
    EXPECT_EQ(gateways().freeIndex(readRows({1, 2, 4}), staged), 5u) << "a row staged for creation is taken";
    staged.push_back(gateways().remove(1, {5}));
    EXPECT_EQ(gateways().freeIndex(readRows({1, 2, 4}), staged), 5u) << "a destroy takes no index";

    std::map<Oid, SnmpValue> full;
    for (uint32_t i = 1; i <= 255; ++i)
        full.merge(readRows({i}));
    EXPECT_FALSE(gateways().freeIndex(full, {}));
}

TEST(TableRows, AddCreatesAndGoesWithEveryColumnEditAndRemoveTouchOneRow)
{
    const auto *ip = trb::schema::findObject("trbArpGatewayIp");
    const auto *mac = trb::schema::findObject("trbArpGatewayMac");
    TableRows::Row columns = {{ip, SnmpValue{asn::IpAddress, 0, std::string(4, '\1')}}, {mac, octets("abcdef")}};

    auto added = gateways().add(1, {7}, columns);
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(added[0].oid, at("trbArpGatewayStatus", 7));
    EXPECT_EQ(added[0].value.integer, 4) << "createAndGo";
    EXPECT_EQ(added[1].oid, at("trbArpGatewayIp", 7));
    EXPECT_EQ(added[2].oid, at("trbArpGatewayMac", 7));

    auto edited = gateways().edit(1, {2}, {{mac, octets("ghijkl")}});
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].oid, at("trbArpGatewayMac", 2));

    auto removed = gateways().remove(1, {2});
    EXPECT_EQ(removed.oid, at("trbArpGatewayStatus", 2));
    EXPECT_EQ(removed.value.integer, 6) << "destroy";
}

TEST(TableRows, WrittenRowsUpdateTheLastValues)
{
    auto values = readRows({1, 2});
    values[at("trbArpGatewayStatus", 1)] = integer(1);
    std::map<Oid, SnmpValue> written = {{at("trbArpGatewayStatus", 3), integer(4)},
                                        {at("trbArpGatewayMac", 3), octets("abcdef")},
                                        {at("trbArpGatewayIp", 3), SnmpValue{asn::IpAddress, 0, std::string(4, '\1')}},
                                        {at("trbArpGatewayStatus", 1), integer(6)}};
    TableRows::applyWritten(values, written);
    auto rows = gateways().rowsIn(values);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.begin()->first, Oid{2}) << "row 1 was destroyed, every column of it";
    EXPECT_EQ(values.count(at("trbArpGatewayStatus", 1)), 0u);
    EXPECT_EQ(values.at(at("trbArpGatewayStatus", 3)).integer, 1) << "a created row reads active";
}

TEST(HandleReads, GroupsWithTableColumnsAreWalkedAndSecretsGoWithTheWriteCommunity)
{
    Request devInfo;
    HandleReads::prepare(Family::DeviceInfo, AP_DEVINFO_GROUP_LAN, devInfo);
    EXPECT_EQ(devInfo.kind, Request::Kind::Get);
    EXPECT_FALSE(devInfo.useWriteCommunity);

    Request arp;
    HandleReads::prepare(Family::Arp, AP_ARP_GROUP_ALL, arp);
    EXPECT_EQ(arp.kind, Request::Kind::Walk);
    auto state = trb::schema::instanceOid(*trb::schema::findObject("trbArpSpoofing"));
    state.pop_back();
    auto column = trb::schema::instanceOid(*trb::schema::findObject("trbArpGatewayIp"));
    EXPECT_EQ(arp.objectIds().at(0), state) << "a scalar is walked from its object, not from .0";
    EXPECT_EQ(arp.objectIds().at(1), column);
    EXPECT_FALSE(arp.useWriteCommunity);

    Request login;
    HandleReads::prepare(Family::Admin, AP_ADMIN_GROUP_LOGIN, login);
    EXPECT_EQ(login.kind, Request::Kind::Get);
    EXPECT_TRUE(login.useWriteCommunity);

    // Wireless: the security group alone carries secrets; each page's mask is read with GETs.
    const std::pair<uint32_t, bool> wireless[] = {
        {AP_WL_GROUP_RADIO, false}, {AP_WL_GROUP_SSID | AP_WL_GROUP_PERFORMANCE, false},
        {AP_WL_GROUP_SECURITY, true}, {0xC21, true}, {0xCBFF, true}, {0x3987, true}, {0x37FF & ~0x800u, false}};
    for (const auto &[mask, secret] : wireless) {
        Request read;
        HandleReads::prepare(Family::Wireless, mask, read);
        EXPECT_EQ(read.kind, Request::Kind::Get) << mask;
        EXPECT_EQ(read.useWriteCommunity, secret) << mask;
    }
}

TEST(ValueConversion, MacHexToOctets)
{
    EXPECT_EQ(macHexToOctets("021A4820000f"), std::string("\x02\x1a\x48\x20\x00\x0f", 6));
    for (const char *bad : {"", "021A482000", "021A48200001FF", "02:1A:48:20:00", "021A4820000G", "0x1A48200001",
                            "-21A48200001", " 21A48200001"})
        EXPECT_FALSE(macHexToOctets(bad)) << bad;
}

} // namespace
