#include "AddressValidation.h"

#include <gtest/gtest.h>

using namespace trb;

TEST(IsValidHostIp, AcceptsHostAddresses)
{
    for (const char *text : {"192.168.0.1", "10.0.0.0", "1..2.3", "1.0.0.0", "223.255.255.254",
                             "126.255.255.254", "128.0.0.1", "1.2.3.1a"})
        EXPECT_TRUE(IsValidHostIp(text)) << text;
}

TEST(IsValidHostIp, RefusesNearMisses)
{
    for (const char *text : {"127.0.0.1", "127.255.255.254", "224.0.0.1", "0.1.2.3",
                             "10.0.0.255", "1.256.0.1", "1.0.256.1", "1.2.3.-1", ".1.2.3",
                             "1.2.3.", "1.2.3", "1.2.3.4.5", "", "...", "abc", "a.b.c.d",
                             "-1.2.3.4", "4294967297.0.0.1"})
        EXPECT_FALSE(IsValidHostIp(text)) << text;
}

TEST(IsValidHostIp, SurvivesVeryLongText)
{
    EXPECT_FALSE(IsValidHostIp("1.2.3." + QString(200000, u'4')));
    EXPECT_FALSE(IsValidHostIp(QString(200000, u'.')));
    EXPECT_FALSE(IsValidHostIp("1.2.3.4" + QString(200000, u'0')));
}

TEST(IsValidHostIpNotZero, RefusesZeroAndKeepsTheHostRule)
{
    EXPECT_FALSE(IsValidHostIpNotZero("0.0.0.0"));
    EXPECT_TRUE(IsValidHostIpNotZero("192.168.1.1"));
    EXPECT_FALSE(IsValidHostIpNotZero("192.168.1.255"));
}

static QString maskOfPrefix(int prefix)
{
    const quint32 value = prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix);
    return QString("%1.%2.%3.%4")
        .arg(value >> 24)
        .arg((value >> 16) & 0xFF)
        .arg((value >> 8) & 0xFF)
        .arg(value & 0xFF);
}

TEST(IsValidSubnetMask, AcceptsContiguousMasksFrom192To254)
{
    for (int prefix = 2; prefix <= 31; ++prefix)
        EXPECT_TRUE(IsValidSubnetMask(maskOfPrefix(prefix))) << prefix;
    for (int prefix : {0, 1, 32})
        EXPECT_FALSE(IsValidSubnetMask(maskOfPrefix(prefix))) << prefix;
}

TEST(IsValidSubnetMask, RefusesNonContiguousAndMalformedMasks)
{
    for (const char *text : {"255.255.0.255", "255.0.255.0", "3.0.0.0", "255.255.255.253",
                             "255.255.256.0", "255.255.255.", ".255.255.0", "255.255.255",
                             "255.255.255.-2", "", "garbage", "254.255.255.0"})
        EXPECT_FALSE(IsValidSubnetMask(text)) << text;
    EXPECT_TRUE(IsValidSubnetMask("255.255..0")); // empty octet counts as 0
}

TEST(IpToUint, FirstOctetInTheTopByte)
{
    EXPECT_EQ(IpToUint("192.168.0.1"), 0xC0A80001u);
    EXPECT_EQ(IpToUint("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(IpToUint("0.0.0.0"), 0u);
    EXPECT_EQ(IpToUint(""), 0u);
    EXPECT_EQ(IpToUint("garbage"), 0u);
    EXPECT_EQ(IpToUint("1.2.3.4.5"), 0x02030405u); // the extra octet pushes the first out
    EXPECT_EQ(IpToUint("10.0.0.2"), IpToUint("10.0.0.1") + 1);
}

TEST(NetworkOf, AndsOctetByOctet)
{
    EXPECT_EQ(NetworkOf("192.168.0.200", "255.255.255.128"), "192.168.0.128");
    EXPECT_EQ(NetworkOf("10.1.2.3", "255.0.0.0"), "10.0.0.0");
    EXPECT_EQ(NetworkOf("10.1", "255.255.255.255"), "10.1.0.0");
    EXPECT_EQ(NetworkOf("1.2.3.4.5", "255.255.255.255"), "1.2.3.4");
    EXPECT_EQ(NetworkOf("", ""), "0.0.0.0");
    EXPECT_EQ(NetworkOf("300.2.3.4", "255.255.255.0"), "44.2.3.0"); // low 8 bits of 300
}

TEST(ParseDottedAddress, AcceptsOnlyFourDecimalOctets)
{
    EXPECT_EQ(ParseDottedAddress("192.168.0.1"), 0xC0A80001u);
    EXPECT_EQ(ParseDottedAddress("0.0.0.0"), 0u);
    EXPECT_EQ(ParseDottedAddress("010.0.0.1"), 0x0A000001u); // decimal, not octal
    for (const char *text : {"", "1.2.3", "1..2.3", " 1.2.3.4", "1.2.3.4 ", "1.2.3.256",
                             "+1.2.3.4", "0x1.2.3.4", "1.2.3.4.5", "1.2.3.0001", "a.b.c.d"})
        EXPECT_EQ(ParseDottedAddress(text), kMalformedAddress) << text;
}
