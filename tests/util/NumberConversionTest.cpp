#include "NumberConversion.h"

#include <climits>
#include <gtest/gtest.h>

using namespace trb;

TEST(ToInt, ReadsSignAndLeadingDigitsOnly)
{
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("1a"), 1);
    EXPECT_EQ(ToInt("abc"), 0);
    EXPECT_EQ(ToInt("-5"), -5);
    EXPECT_EQ(ToInt("+7"), 7);
    EXPECT_EQ(ToInt(" \t12"), 12);
    EXPECT_EQ(ToInt("1 2"), 1);
    EXPECT_EQ(ToInt("--1"), 0);
    EXPECT_EQ(ToInt(QString::fromUtf8("٣")), 0); // only ASCII digits count
}

TEST(ToInt, SaturatesInsteadOfWrappingIntoRange)
{
    EXPECT_EQ(ToInt("2147483647"), INT_MAX);
    EXPECT_EQ(ToInt("-2147483648"), INT_MIN);
    // 2^32 + 1 must not come back as 1, nor 2^32 + 257 as 257.
    EXPECT_EQ(ToInt("4294967297"), INT_MAX);
    EXPECT_EQ(ToInt("4294967553"), INT_MAX);
    EXPECT_EQ(ToInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ToInt(QString(100000, u'9')), INT_MAX);
}

TEST(HexToInt, ReadsEitherCaseAndRefusesOtherText)
{
    EXPECT_EQ(HexToInt("ff"), 255u);
    EXPECT_EQ(HexToInt("1A2b"), 0x1A2Bu);
    EXPECT_EQ(HexToInt("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(HexToInt(""), 0u);
    EXPECT_EQ(HexToInt("G"), 0u);
    EXPECT_EQ(HexToInt("12G4"), 0u);
    EXPECT_EQ(HexToInt(" 1"), 0u);
    EXPECT_EQ(HexToInt("100000000"), 0u); // nine digits do not fit
}

TEST(HexToInt, FallbackOnlyForTextThatIsNoNumber)
{
    EXPECT_EQ(HexToIntOr("", -1), -1);
    EXPECT_EQ(HexToIntOr("zz", 7), 7);
    EXPECT_EQ(HexToIntOr("0", -1), 0);
    EXPECT_EQ(HexToIntOr("10", -1), 16);
    EXPECT_EQ(HexToIntOr("ffffffff", -1), 0xFFFFFFFFLL);
}
