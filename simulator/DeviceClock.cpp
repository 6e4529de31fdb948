#include "DeviceClock.h"

#include <array>
#include <cstdio>
#include <sstream>
#include <vector>

namespace trb::sim {
namespace {

// Minutes east of GMT, zone 1 first.
constexpr std::array<int, DeviceClock::kZoneCount> kZoneMinutes = {
    -720, -660, -600, -540, -480, -420, -420, -420, -360, -360, -360, -360, -300, -300, -300,
    -240, -240, -240, -210, -180, -180, -180, -120, -60,  -60,  0,    0,    60,   60,   60,
    60,   60,   120,  120,  120,  120,  120,  120,  180,  180,  180,  180,  210,  240,  240,
    270,  300,  300,  330,  345,  360,  360,  360,  390,  420,  420,  480,  480,  480,  480,
    480,  540,  540,  540,  570,  570,  600,  600,  600,  600,  600,  660,  720,  720,  780,
};

const std::vector<std::string> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::vector<std::string> kWeeks = {"1st", "2nd", "3rd", "4th", "5th"};
const std::vector<std::string> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int indexOf(const std::vector<std::string> &list, const std::string &text)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == text)
            return int(i);
    return -1;
}

// "12 am" 0, "1 am" 1 ... "12 pm" 12 ... "11 pm" 23; -1 for anything else.
int hourOf(const std::string &text)
{
    int hour = 0;
    char half[3] = {};
    int used = 0;
    if (std::sscanf(text.c_str(), "%2d %2[apm]%n", &hour, half, &used) != 2 || used != int(text.size()) ||
        hour < 1 || hour > 12)
        return -1;
    const std::string h(half);
    if (h != "am" && h != "pm")
        return -1;
    return hour % 12 + (h == "pm" ? 12 : 0);
}

struct Moment {
    int month, week, weekday, hour; // month 0..11, week 0..4 (4: the last), weekday 0 = Sunday
};

std::optional<std::array<Moment, 2>> parseDates(std::string_view dates)
{
    std::vector<std::string> parts;
    std::stringstream stream{std::string(dates)};
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    if (parts.size() != 8)
        return std::nullopt;
    std::array<Moment, 2> moments{};
    for (int i = 0; i < 2; ++i) {
        const std::string *p = &parts[size_t(i) * 4];
        moments[i] = {indexOf(kMonths, p[0]), indexOf(kWeeks, p[1]), indexOf(kDays, p[2]), hourOf(p[3])};
        if (moments[i].month < 0 || moments[i].week < 0 || moments[i].weekday < 0 || moments[i].hour < 0)
            return std::nullopt;
    }
    return moments;
}

std::time_t civil(int year, int month, int day, int hour)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month;
    t.tm_mday = day;
    t.tm_hour = hour;
    return timegm(&t);
}

// The moment in `year`: the week's weekday of the month; the 5th is the month's last one.
std::time_t instantOf(const Moment &m, int year)
{
    std::tm first{};
    const std::time_t firstDay = civil(year, m.month, 1, 0);
    gmtime_r(&firstDay, &first);
    int day = 1 + (m.weekday - first.tm_wday + 7) % 7 + 7 * m.week;
    std::tm check{};
    const std::time_t candidate = civil(year, m.month, day, 0);
    gmtime_r(&candidate, &check);
    if (check.tm_mon != m.month)
        day -= 7;
    return civil(year, m.month, day, m.hour);
}

} // namespace

int DeviceClock::zoneMinutes(int zone)
{
    return zone >= 1 && zone <= kZoneCount ? kZoneMinutes[size_t(zone - 1)] : 0;
}

int DeviceClock::dstMinutes(int offsetIndex)
{
    static constexpr int kMinutes[] = {-120, -90, -60, -30, 30, 60, 90, 120};
    return offsetIndex >= 0 && offsetIndex < 8 ? kMinutes[offsetIndex] : 0;
}

bool DeviceClock::validDates(std::string_view dates) { return parseDates(dates).has_value(); }

bool DeviceClock::inDaylightSaving(std::string_view dates, std::time_t local)
{
    const auto moments = parseDates(dates);
    if (!moments)
        return false;
    std::tm t{};
    gmtime_r(&local, &t);
    const std::time_t start = instantOf((*moments)[0], t.tm_year + 1900);
    const std::time_t end = instantOf((*moments)[1], t.tm_year + 1900);
    return start <= end ? local >= start && local < end : local >= start || local < end;
}

std::optional<std::time_t> DeviceClock::parse(std::string_view text)
{
    int year, month, day, hour, minute, second, used = 0;
    const std::string s(text);
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second,
                    &used) != 6 || used != int(s.size()) || s.size() != 19)
        return std::nullopt;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59 ||
        hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    const std::time_t at = civil(year, month - 1, day, hour) + minute * 60 + second;
    std::tm back{};
    gmtime_r(&at, &back);
    if (back.tm_mday != day) // 31 April and the like roll over
        return std::nullopt;
    return at;
}

std::string DeviceClock::text(const Settings &settings, std::time_t utc) const
{
    std::time_t local;
    if (manualOffset_ && !settings.ntp) {
        local = utc + *manualOffset_;
    } else {
        local = utc + std::time_t(zoneMinutes(settings.zone)) * 60;
        if (settings.dst && inDaylightSaving(settings.dstDates, local))
            local += std::time_t(dstMinutes(settings.dstOffsetIndex)) * 60;
    }
    std::tm t{};
    gmtime_r(&local, &t);
    char out[32];
    std::strftime(out, sizeof out, "%Y-%m-%d %H:%M:%S", &t);
    return out;
}

bool DeviceClock::set(std::string_view text, std::time_t utc)
{
    const auto wall = parse(text);
    if (!wall)
        return false;
    manualOffset_ = *wall - utc;
    return true;
}

} // namespace trb::sim
