// The simulator's clock: time zone, daylight saving, time server and a time set by hand.
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "DeviceClock.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::sim::DeviceClock;
using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;

namespace {

const char kUsDates[] = "Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am";
const char kSouthDates[] = "Oct,1st,Sun,2 am,Apr,1st,Sun,3 am";

std::time_t At(const char *text) { return *DeviceClock::parse(text); }

TEST(DeviceClock, DaylightSavingBetweenTheDates)
{
    struct Case {
        const char *dates, *local;
        bool on;
    };
    const Case cases[] = {
        {kUsDates, "2026-03-08 01:59:59", false}, // 2nd Sunday of March 2026 is the 8th
        {kUsDates, "2026-03-08 02:00:00", true},
        {kUsDates, "2026-07-01 12:00:00", true},
        {kUsDates, "2026-11-01 01:59:59", true}, // 1st Sunday of November
        {kUsDates, "2026-11-01 02:00:00", false},
        {kUsDates, "2026-12-25 12:00:00", false},
        {kSouthDates, "2026-01-15 12:00:00", true}, // a season across the new year
        {kSouthDates, "2026-06-15 12:00:00", false},
        {kSouthDates, "2026-10-04 02:00:00", true},
        {"Mar,5th,Sun,1 am,Oct,5th,Sun,1 am", "2026-03-29 01:00:00", true}, // 5th: the last one
        {"Mar,5th,Sun,1 am,Oct,5th,Sun,1 am", "2026-03-28 23:00:00", false},
        {"Mar,5th,Sun,1 am,Oct,5th,Sun,1 am", "2026-10-25 00:59:59", true},
        {"Apr,1st,Sun,1 am,Apr,1st,Sun,1 pm", "2026-04-05 12:59:59", true},
        {"Apr,1st,Sun,1 am,Apr,1st,Sun,1 pm", "2026-04-05 13:00:00", false},
        {"Mar,2nd,Sun,2 am,Nov,1st,Sun", "2026-07-01 12:00:00", false}, // not eight fields
        {"Mar,2nd,Sun,25 am,Nov,1st,Sun,2 am", "2026-07-01 12:00:00", false},
        {"", "2026-07-01 12:00:00", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DeviceClock::inDaylightSaving(c.dates, At(c.local)), c.on) << c.dates << " at " << c.local;
}

TEST(DeviceClock, ParsesOnlyRealTimes)
{
    const char *const bad[] = {"2026-02-29 00:00:00", "2026-04-31 10:00:00", "2026-13-01 00:00:00",
                               "2026-01-01 24:00:00", "2026-01-01 10:00", "01-02-2026 10:00:00",
                               "2026-01-01 10:00:00x", ""};
    for (const char *text : bad)
        EXPECT_FALSE(DeviceClock::parse(text)) << text;
    EXPECT_TRUE(DeviceClock::parse("2028-02-29 23:59:59"));
}

TEST(DeviceClock, TextFollowsZoneDaylightSavingAndAManualSetting)
{
    const std::time_t utc = At("2026-07-01 12:00:00");
    DeviceClock clock;
    DeviceClock::Settings s;
    s.ntp = true;
    s.zone = 50; // +5:45
    EXPECT_EQ(clock.text(s, utc), "2026-07-01 17:45:00");
    s.zone = 14; // -5:00, with the US dates and +1:00
    s.dst = true;
    s.dstDates = kUsDates;
    s.dstOffsetIndex = 5;
    EXPECT_EQ(clock.text(s, utc), "2026-07-01 08:00:00");
    s.dstOffsetIndex = 0; // -2:00
    EXPECT_EQ(clock.text(s, utc), "2026-07-01 05:00:00");
    // Set by hand it runs on from there; on the time server it follows the server again.
    ASSERT_TRUE(clock.set("2030-01-02 03:04:05", utc));
    EXPECT_EQ(clock.text(s, utc), "2026-07-01 05:00:00");
    s.ntp = false;
    EXPECT_EQ(clock.text(s, utc + 60), "2030-01-02 03:05:05");
    s.zone = 1; // a hand-set clock keeps its wall time
    EXPECT_EQ(clock.text(s, utc + 60), "2030-01-02 03:05:05");
    EXPECT_FALSE(clock.set("not a time", utc));
    EXPECT_EQ(clock.text(s, utc + 60), "2030-01-02 03:05:05");
    clock.synchronise(); // zone 1 is -12:00, and July is within the dates: -2:00 more
    EXPECT_EQ(clock.text(s, utc), "2026-06-30 22:00:00");
}

class SimulatorClock : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimulatorProcess(); }
    static void TearDownTestSuite() { delete sim; }
    void SetUp() override { ASSERT_TRUE(sim->ok()) << sim->error(); }

    static std::string read(const char *name)
    {
        SnmpTestClient reader(sim->address(), "private");
        auto value = reader.getObject(name);
        if (!value)
            return "<no answer>";
        return value->type == ASN_OCTET_STR ? value->bytes : std::to_string(value->number);
    }
    static long set(const std::vector<trb::test::Varbind> &varbinds)
    {
        SnmpTestClient writer(sim->address(), "private");
        auto reply = writer.set(varbinds);
        return reply.answered ? reply.errorStatus : -1;
    }
    static inline SimulatorProcess *sim = nullptr;
};

TEST_F(SimulatorClock, RefusesTimesAndDatesItCannotRead)
{
    using C = SnmpTestClient;
    const struct {
        trb::test::Varbind varbind;
        long status;
    } cases[] = {
        {C::text("trbSystemTime", {}, "12-31-2030 10:00:00"), SNMP_ERR_WRONGVALUE},
        {C::text("trbSystemTime", {}, "2030-02-30 10:00:00"), SNMP_ERR_WRONGVALUE},
        {C::text("trbDstDates", {}, "Mar,2nd,Sun,2 am"), SNMP_ERR_WRONGVALUE},
        {C::text("trbDstDates", {}, "Mar,6th,Sun,2 am,Nov,1st,Sun,2 am"), SNMP_ERR_WRONGVALUE},
        {C::integer("trbTimeZone", {}, 76), SNMP_ERR_WRONGVALUE},
        {C::integer("trbTimeZone", {}, 0), SNMP_ERR_WRONGVALUE},
        {C::integer("trbDstOffset", {}, 8), SNMP_ERR_WRONGVALUE},
    };
    const std::string dates = read("trbDstDates");
    for (const auto &c : cases) {
        EXPECT_EQ(set({C::integer("trbTimeZone", {}, 50), c.varbind}), c.status) << c.varbind.name.size();
        EXPECT_EQ(read("trbTimeZone"), "27");
        EXPECT_EQ(read("trbDstDates"), dates);
    }
}

TEST_F(SimulatorClock, AManualTimeSetsTheClockUntilTheTimeServerTakesOver)
{
    using C = SnmpTestClient;
    ASSERT_EQ(set({C::integer("trbNtpEnable", {}, 0), C::text("trbSystemTime", {}, "2031-05-06 07:08:09")}),
              SNMP_ERR_NOERROR);
    EXPECT_EQ(read("trbSystemTime").substr(0, 17), "2031-05-06 07:08:");
    // The zone is the time server's business: a hand-set clock stays where it was.
    ASSERT_EQ(set({C::integer("trbTimeZone", {}, 50)}), SNMP_ERR_NOERROR);
    EXPECT_EQ(read("trbSystemTime").substr(0, 17), "2031-05-06 07:08:");
    ASSERT_EQ(set({C::integer("trbNtpEnable", {}, 1)}), SNMP_ERR_NOERROR);
    const std::time_t expected = std::time(nullptr) + (5 * 60 + 45) * 60;
    const auto shown = DeviceClock::parse(read("trbSystemTime"));
    ASSERT_TRUE(shown);
    EXPECT_LE(std::labs(long(*shown - expected)), 5L);
    ASSERT_EQ(set({C::integer("trbNtpEnable", {}, 0), C::integer("trbTimeZone", {}, 27)}), SNMP_ERR_NOERROR);
}

} // namespace
