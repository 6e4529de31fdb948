#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

// The clock itself is trbSystemTime (system subtree): these say how the device keeps it.
Subtree timeConfig()
{
    constexpr const char *kOnOff = "disabled(0),enabled(1)";
    return {
        {Group("trbTime", {15}, "How the device keeps its clock: time server, time zone, daylight saving.")},
        {},
        {
            Enum("trbNtpEnable", {15, 1}, kOnOff).writable().setting()
                .describe("Whether the device sets its clock from the time server."),
            Ip("trbNtpServer", {15, 2}).writable().setting()
                .describe("Address of the time server; 0.0.0.0 when none."),
            Int("trbTimeZone", {15, 3}, 1, 75).writable().setting()
                .describe("Time zone, numbered from 1 (GMT-12:00) to 75 (GMT+13:00)."),
            Enum("trbDstEnable", {15, 4}, kOnOff).writable().setting()
                .describe("Whether the clock follows daylight saving between the DST dates."),
            Enum("trbDstOffset", {15, 5},
                 "minus120(0),minus90(1),minus60(2),minus30(3),plus30(4),plus60(5),plus90(6),plus120(7)")
                .writable().setting().describe("Minutes the clock moves while daylight saving is on."),
            Text("trbDstDates", {15, 6}, 0, 63).writable().setting()
                .describe("Start and end of daylight saving: month, week, day of week and hour of each, "
                          "comma-separated, e.g. \"Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am\"."),
        },
    };
}

} // namespace trb::schema::subtrees
