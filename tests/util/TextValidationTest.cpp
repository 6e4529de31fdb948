#include "MacAddress.h"
#include "TextValidation.h"

#include <gtest/gtest.h>

using namespace trb;

TEST(MacAddress, UnicastNeedsTwelveHexDigitsAndAnEvenFirstOctet)
{
    EXPECT_TRUE(IsValidUnicastMac("001122334455"));
    EXPECT_TRUE(IsValidUnicastMac("FEffAA000001"));
    EXPECT_FALSE(IsValidUnicastMac("011122334455")); // multicast
    EXPECT_FALSE(IsValidUnicastMac("ff1122334455"));
    EXPECT_FALSE(IsValidUnicastMac("00112233445"));
    EXPECT_FALSE(IsValidUnicastMac("0011223344556"));
    EXPECT_FALSE(IsValidUnicastMac("00112233445G"));
    EXPECT_FALSE(IsValidUnicastMac("00:11:22:33:44:55"));
    EXPECT_FALSE(IsValidUnicastMac(""));
    EXPECT_TRUE(IsMulticastMac("01005E000001"));
    EXPECT_FALSE(IsMulticastMac(""));
}

TEST(MacAddress, ColonAndPlainFormsConvertSafely)
{
    EXPECT_EQ(MacColonToPlain("00:11:22:aa:BB:55"), "001122aaBB55");
    EXPECT_EQ(MacColonToPlain("00:11"), "0011");
    EXPECT_EQ(MacColonToPlain("0"), "0");
    EXPECT_EQ(MacColonToPlain(""), "");
    EXPECT_EQ(MacColonToPlain("00:11:22:33:44:55:66:77"), "001122334455");
    EXPECT_EQ(MacPlainToColon("001122334455"), "00:11:22:33:44:55");
    EXPECT_EQ(MacPlainToColon("abc"), "ab:c");
    EXPECT_EQ(MacPlainToColon(""), "");
    EXPECT_EQ(MacColonToPlain(MacPlainToColon("A0B1C2D3E4F5")), "A0B1C2D3E4F5");
}

TEST(TextRules, NameAndMailboxCharacters)
{
    EXPECT_TRUE(IsNameText("host-1.example_x@y"));
    EXPECT_TRUE(IsNameText(""));
    EXPECT_FALSE(IsNameText("a b"));
    EXPECT_FALSE(IsNameText("a/b"));
    EXPECT_FALSE(IsNameText(QString::fromUtf8("caf\u00e9"))); // letters are ASCII only
    EXPECT_TRUE(IsMailboxText("first.last-x_1"));
    EXPECT_FALSE(IsMailboxText("a@b"));
    EXPECT_TRUE(IsHexText(""));
    EXPECT_FALSE(IsHexText("0x1"));
}

TEST(TextRules, EmailAddressNeedsAMailboxBeforeTheFirstAt)
{
    EXPECT_TRUE(IsEmailAddress("admin@example.com"));
    EXPECT_TRUE(IsEmailAddress("a.b-c_d@x"));
    EXPECT_TRUE(IsEmailAddress("a@b@c")); // the domain part is not examined
    EXPECT_FALSE(IsEmailAddress("@example.com"));
    EXPECT_FALSE(IsEmailAddress("admin@"));
    EXPECT_FALSE(IsEmailAddress("ad min@example.com"));
    EXPECT_FALSE(IsEmailAddress("admin"));
    EXPECT_FALSE(IsEmailAddress(""));
}

TEST(TextRules, BlanksAndAscii)
{
    EXPECT_TRUE(HasNoEdgeBlanks(""));
    EXPECT_TRUE(HasNoEdgeBlanks("a b"));
    EXPECT_FALSE(HasNoEdgeBlanks(" a"));
    EXPECT_FALSE(HasNoEdgeBlanks("a "));
    EXPECT_FALSE(HasNoEdgeBlanks("\ta"));
    EXPECT_FALSE(HasNoEdgeBlanks(" "));
    EXPECT_TRUE(IsAllBlanks(""));
    EXPECT_TRUE(IsAllBlanks(" \t "));
    EXPECT_FALSE(IsAllBlanks(" a "));
    EXPECT_TRUE(IsAsciiText(QString("abc~") + QChar(127)));
    EXPECT_FALSE(IsAsciiText(QString(QChar(128))));
    EXPECT_FALSE(IsAsciiText(QString::fromUtf8("\u00e9")));
    EXPECT_TRUE(IsPrintableAscii(""));
    EXPECT_TRUE(IsPrintableAscii(" !~09azAZ"));
    EXPECT_FALSE(IsPrintableAscii(QString(QChar(127))));
    EXPECT_FALSE(IsPrintableAscii(QString(QChar(31))));
    EXPECT_FALSE(IsPrintableAscii(QString::fromUtf8("\u00e9")));
    EXPECT_FALSE(IsPrintableAscii(QString::fromUtf8("\u4e2d")));
}

TEST(DirectoryOf, CutsAtTheLastSeparator)
{
    EXPECT_EQ(DirectoryOf("C:\\a\\b\\module.exe"), "C:\\a\\b");
    EXPECT_EQ(DirectoryOf("C:file"), "C");
    EXPECT_EQ(DirectoryOf("/home/u/fw/image.bin"), "/home/u/fw");
    EXPECT_EQ(DirectoryOf("/home/u\\x/image.bin"), "/home/u\\x");
    EXPECT_EQ(DirectoryOf("/image.bin"), "/");
    EXPECT_EQ(DirectoryOf("image.bin"), "image.bin");
    EXPECT_EQ(DirectoryOf(""), "");
}

TEST(SplitText, TrimsThenSplitsUntilAnEmptyPiece)
{
    auto split = [](const QString &text) {
        QStringList pieces;
        SplitText(text, u',', pieces);
        return pieces;
    };
    EXPECT_EQ(split("a,b,c"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(split("  a,b \t"), QStringList({"a", "b"}));
    EXPECT_EQ(split("a,,b"), QStringList({"a", ",b"}));
    EXPECT_EQ(split(",a"), QStringList({",a"}));
    EXPECT_EQ(split("a,"), QStringList({"a", ""}));
    EXPECT_EQ(split(""), QStringList({""}));

    QStringList existing{"x"};
    SplitText("1 2", u' ', existing);
    EXPECT_EQ(existing, QStringList({"x", "1", "2"}));
}
