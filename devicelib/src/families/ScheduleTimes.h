#pragma once
// What the device makes of a schedule rule's days and times: the texts it shows, the time frames
// it takes, and whether a rule's SSID is served at a given moment.
#include <string>
#include <string_view>

#include "TRB4820apRecords.h"

namespace trb::devicelib {

class ScheduleTimes {
public:
    // "All Week" for 0, else the three-letter day names, comma-separated, Sunday first.
    static std::string daysText(int days);
    // Minutes since midnight of "HH:MM" (00:00 to 23:59); -1 for anything else.
    static int minutes(std::string_view text);
    // Both times valid, the end after the start, or before it for an overnight frame.
    static bool frameFits(std::string_view start, std::string_view end, bool overnight);
    // 1 to 32 printable ASCII characters.
    static bool validName(std::string_view name);
    // Whether the rule serves its SSID at `clock` ("YYYY-MM-DD HH:MM:SS"); true for a clock it
    // cannot read. An overnight frame belongs to the day it starts on.
    static bool servedAt(const apScheduleRule &rule, const std::string &clock);
};

} // namespace trb::devicelib
