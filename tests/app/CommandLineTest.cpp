#include <gtest/gtest.h>

#include "CommandLine.h"

using trb::CommandLine;

namespace {

struct Expected {
    const char *line;
    const char *address;
    const char *read;
    const char *write;
};

class CommandLineParse : public ::testing::TestWithParam<Expected> {};

TEST_P(CommandLineParse, SplitsAtTheMarkers)
{
    const Expected &e = GetParam();
    const CommandLine parsed = CommandLine::Parse(QString::fromLatin1(e.line));
    EXPECT_EQ(parsed.deviceAddress.toStdString(), e.address) << e.line;
    EXPECT_EQ(parsed.readCommunity.toStdString(), e.read) << e.line;
    EXPECT_EQ(parsed.writeCommunity.toStdString(), e.write) << e.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineParse,
    ::testing::Values(
        Expected{"/I10.0.0.1 /Rpublic /Wprivate", "10.0.0.1", "public", "private"},
        // "/UTRUE" only ends the write community.
        Expected{"/I10.0.0.1 /Rpublic /Wprivate /UTRUE", "10.0.0.1", "public", "private"},
        Expected{"/I10.0.0.1 /Rpublic /Wprivate   \t", "10.0.0.1", "public", "private"},
        // Leading blanks stay, trailing ones go.
        Expected{"/I 10.0.0.1 /R public /W private", " 10.0.0.1", " public", " private"},
        Expected{"/I10.0.0.1   /Rpublic /Wprivate", "10.0.0.1", "public", "private"},
        // A marker inside a value is taken as the marker.
        Expected{"/I10.0.0.1 /Rpub/Wlic /Wprivate", "10.0.0.1", "pub", "lic /Wprivate"},
        // Without "/R" there is no address.
        Expected{"/I10.0.0.1 /Wprivate", "", "", "private"},
        Expected{"", "", "", ""},
        Expected{"/i10.0.0.1 /rpublic /wprivate", "", "", ""},
        // Out of order: no address rather than a garbled one.
        Expected{"/Rpublic /I10.0.0.1 /Wprivate", "", "public /I10.0.0.1", "private"},
        // No "/W": the read community runs to the end.
        Expected{"/I10.0.0.1 /Rpublic", "10.0.0.1", "public", ""},
        Expected{"/I127.0.0.1:16161 /Rpublic /Wprivate", "127.0.0.1:16161", "public", "private"}));

TEST(CommandLineArguments, ProgramPathIsNotSearchedForMarkers)
{
    // A path such as /opt/Install/... holds "/I"; it must not be taken as the address marker.
    const CommandLine parsed = CommandLine::FromArguments(
        {"/opt/Install/Reports/Work/trb4820", "/I10.0.0.1", "/Rpublic", "/Wprivate"});
    EXPECT_EQ(parsed.deviceAddress, "10.0.0.1");
    EXPECT_EQ(parsed.readCommunity, "public");
    EXPECT_EQ(parsed.writeCommunity, "private");
}

TEST(CommandLineArguments, OnlyTheProgramPathGivesNoAddress)
{
    EXPECT_TRUE(CommandLine::FromArguments({"/usr/bin/trb4820"}).deviceAddress.isEmpty());
    EXPECT_TRUE(CommandLine::FromArguments({}).deviceAddress.isEmpty());
}

} // namespace
