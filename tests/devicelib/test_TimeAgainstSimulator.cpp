// The time family through the library, against a simulator.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

struct TimeValues {
    int ntp = -1, dst = -1, offset = -1, zone = -1;
    char server[AP_TIME_SERVER_SIZE] = {}, clock[AP_TIME_TEXT_SIZE] = {}, dates[AP_TIME_TEXT_SIZE] = {},
         reserved[AP_TIME_TEXT_SIZE] = "x";
};

const char kDates[] = "Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am";

class LibraryTime : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
        handle = apSysTimeConfigOpen(session, 0);
        ASSERT_NE(handle, 0u);
    }
    int write() { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    TimeValues read()
    {
        TimeValues v;
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        EXPECT_EQ(apSysTimeConfigGet(handle, &v.ntp, v.server, v.clock, &v.dst, &v.offset, v.dates, &v.zone,
                                     v.reserved),
                  AP_OK);
        return v;
    }

    APHANDLE handle = 0;
};

TEST_F(LibraryTime, ReadsTheFactorySettings)
{
    const TimeValues v = read();
    EXPECT_EQ(v.ntp, 0);
    EXPECT_STREQ(v.server, "0.0.0.0");
    EXPECT_EQ(std::strlen(v.clock), 19u) << v.clock;
    EXPECT_EQ(v.dst, 0);
    EXPECT_EQ(v.offset, 5);
    EXPECT_STREQ(v.dates, kDates);
    EXPECT_EQ(v.zone, 27);
    EXPECT_STREQ(v.reserved, "");
}

TEST_F(LibraryTime, SetWritesEverythingAndAManualTimeOnlyWithoutNtp)
{
    ASSERT_EQ(apSysTimeConfigSet(handle, 0, "", "02-14-2031 09:05:30", 1, 2, "Apr,1st,Sun,1 am,Oct,5th,Sat,11 pm",
                                 68),
              AP_OK);
    ASSERT_EQ(write(), AP_OK);
    TimeValues v = read();
    EXPECT_EQ(v.ntp, 0);
    EXPECT_STREQ(v.server, "0.0.0.0"); // an empty server is none
    EXPECT_EQ(std::string(v.clock).substr(0, 16), "2031-02-14 09:05");
    EXPECT_EQ(v.dst, 1);
    EXPECT_EQ(v.offset, 2);
    EXPECT_STREQ(v.dates, "Apr,1st,Sun,1 am,Oct,5th,Sat,11 pm");
    EXPECT_EQ(v.zone, 68);

    // With NTP on the manual time is not sent: the device follows its server.
    ASSERT_EQ(apSysTimeConfigSet(handle, 1, "129.6.15.28", "01-01-2040 00:00:00", 0, 5, kDates, 27), AP_OK);
    ASSERT_EQ(write(), AP_OK);
    v = read();
    EXPECT_EQ(v.ntp, 1);
    EXPECT_STREQ(v.server, "129.6.15.28");
    EXPECT_NE(std::string(v.clock).substr(0, 4), "2040");
}

TEST_F(LibraryTime, BadArgumentsStageNothing)
{
    struct Case {
        const char *what;
        int ntp;
        const char *server, *manual;
        int dst, offset;
        const char *dates;
        int zone;
    };
    const Case cases[] = {
        {"zone 0", 1, "10.0.0.1", "", 0, 5, kDates, 0},
        {"zone 76", 1, "10.0.0.1", "", 0, 5, kDates, 76},
        {"offset 8", 1, "10.0.0.1", "", 0, 8, kDates, 27},
        {"NTP 2", 2, "10.0.0.1", "", 0, 5, kDates, 27},
        {"DST -1", 1, "10.0.0.1", "", -1, 5, kDates, 27},
        {"server not dotted", 1, "time.example", "", 0, 5, kDates, 27},
        {"manual day 30 Feb", 0, "", "02-30-2031 00:00:00", 0, 5, kDates, 27},
        {"manual hour 24", 0, "", "01-01-2031 24:00:00", 0, 5, kDates, 27},
        {"manual in the device's own order", 0, "", "2031-01-01 10:00:00", 0, 5, kDates, 27},
        {"manual without seconds", 0, "", "01-01-2031 10:00", 0, 5, kDates, 27},
        {"dates too long", 1, "10.0.0.1", "", 0, 5, "Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am,Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am", 27},
        {"null dates", 1, "10.0.0.1", "", 0, 5, nullptr, 27},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(apSysTimeConfigSet(handle, c.ntp, c.server, c.manual, c.dst, c.offset, c.dates, c.zone),
                  AP_ERR_BAD_ARGUMENT)
            << c.what;
        EXPECT_EQ(write(), AP_ERR_NOT_WRITABLE) << c.what << " staged something";
    }
    EXPECT_EQ(apSysTimeConfigSet(session, 0, "", "", 0, 5, kDates, 27), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(read().zone, 27);
}

} // namespace
