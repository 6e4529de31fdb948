#include "ScheduleTimes.h"

#include <cstdio>

#include "ValueConversion.h"

namespace trb::devicelib {

namespace {
const char *const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr int kAllWeek = 0;

bool onDay(int days, int weekday) { return days == kAllWeek || (days >> weekday & 1) != 0; }

// Day of the week (0 Sunday) of a Gregorian date.
int weekdayOf(int year, int month, int day)
{
    static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}
} // namespace

std::string ScheduleTimes::daysText(int days)
{
    if (days == kAllWeek)
        return "All Week";
    std::string text;
    for (int day = 0; day < 7; ++day)
        if (days >> day & 1)
            text += (text.empty() ? "" : ",") + std::string(kDayNames[day]);
    return text;
}

int ScheduleTimes::minutes(std::string_view text)
{
    auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -100; };
    if (text.size() != 5 || text[2] != ':')
        return -1;
    const int hour = digit(0) * 10 + digit(1);
    const int minute = digit(3) * 10 + digit(4);
    return hour < 0 || hour > 23 || minute < 0 || minute > 59 ? -1 : hour * 60 + minute;
}

bool ScheduleTimes::frameFits(std::string_view start, std::string_view end, bool overnight)
{
    const int from = minutes(start);
    const int to = minutes(end);
    if (from < 0 || to < 0)
        return false;
    return overnight ? to < from : to > from;
}

bool ScheduleTimes::validName(std::string_view name)
{
    if (name.empty() || name.size() > AP_SCHEDULE_NAME_MAX)
        return false;
    for (char c : name)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

bool ScheduleTimes::servedAt(const apScheduleRule &rule, const std::string &clock)
{
    int year, month, day, hour, minute;
    // A clock that is no date and time is not judged; its numbers would overflow the arithmetic.
    if (std::sscanf(clock.c_str(), "%d-%d-%d %d:%d", &year, &month, &day, &hour, &minute) != 5 || year < 1 ||
        year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        return true;
    const int today = weekdayOf(year, month, day);
    if (rule.allDay)
        return onDay(rule.days, today);
    const int now = hour * 60 + minute;
    const int from = minutes(slotText(rule.start, sizeof rule.start));
    const int to = minutes(slotText(rule.end, sizeof rule.end));
    if (from < 0 || to < 0)
        return true;
    if (!rule.overnight)
        return onDay(rule.days, today) && now >= from && now < to;
    // Past midnight the frame belongs to yesterday.
    return (onDay(rule.days, today) && now >= from) || (onDay(rule.days, (today + 6) % 7) && now < to);
}

} // namespace trb::devicelib
