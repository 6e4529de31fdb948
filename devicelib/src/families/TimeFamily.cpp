// Time and date: time server, time zone, daylight saving, and the device's clock (trbSystemTime,
// which a manual date and time sets).
#include "TRB4820apHelp.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace {

// The values of apSysTimeConfigGet gathered in one record, so they bind like any other layout.
struct TimeConfigRecord {
    int32_t ntpEnable;
    char ntpServer[AP_TIME_SERVER_SIZE];
    char clock[AP_TIME_TEXT_SIZE];
    int32_t dstEnable;
    int32_t dstOffset;
    char dstDates[AP_TIME_TEXT_SIZE];
    int32_t timeZone;
};

constexpr const char *kClockObject = "trbSystemTime";

bool leapYear(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int daysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// "MM-DD-YYYY HH:MM:SS" as the device's "YYYY-MM-DD HH:MM:SS"; nullopt for anything else,
// a date that does not exist included.
std::optional<std::string> deviceClockText(std::string_view manual)
{
    if (manual.size() != 19)
        return std::nullopt;
    const std::string text(manual);
    int month, day, year, hour, minute, second, used = 0;
    if (std::sscanf(text.c_str(), "%2d-%2d-%4d %2d:%2d:%2d%n", &month, &day, &year, &hour, &minute, &second,
                    &used) != 6 || used != 19)
        return std::nullopt;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    char out[48];
    std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return std::string(out);
}

} // namespace

namespace trb::devicelib {

void addTimeBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family TM = Family::Time;
    constexpr uint32_t G = AP_TIME_GROUP_CONFIG;
    using Rec = TimeConfigRecord;
    table.rows.push_back({TM, G, LayoutTimeConfig, "trbNtpEnable", {}, TRB_SLOT(Rec, ntpEnable), Integer32});
    table.rows.push_back({TM, G, LayoutTimeConfig, "trbNtpServer", {}, TRB_SLOT(Rec, ntpServer), IpText});
    table.rows.push_back({TM, G, LayoutTimeConfig, kClockObject, {}, TRB_SLOT(Rec, clock), Text});
    table.rows.push_back({TM, G, LayoutTimeConfig, "trbDstEnable", {}, TRB_SLOT(Rec, dstEnable), Integer32});
    table.rows.push_back({TM, G, LayoutTimeConfig, "trbDstOffset", {}, TRB_SLOT(Rec, dstOffset), Integer32});
    table.rows.push_back({TM, G, LayoutTimeConfig, "trbDstDates", {}, TRB_SLOT(Rec, dstDates), Text});
    table.rows.push_back({TM, G, LayoutTimeConfig, "trbTimeZone", {}, TRB_SLOT(Rec, timeZone), Integer32});
    table.layout(LayoutTimeConfig, sizeof(TimeConfigRecord));
}

} // namespace trb::devicelib

namespace {

const Binding *clockBinding()
{
    for (const Binding *b : bindingsOfLayout(LayoutTimeConfig))
        if (std::string_view(b->object) == kClockObject)
            return b;
    throw std::logic_error("no binding for the clock");
}

// Every bound value of the record, the clock only when `clock` (NTP off, a time given).
int stageRecord(HandleState &state, const TimeConfigRecord &record, bool clock)
{
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t *>(&record), sizeof record);
    std::vector<StagedValue> staged;
    for (const Binding *b : bindingsOfLayout(LayoutTimeConfig)) {
        if (!clock && b == clockBinding())
            continue;
        std::string reason;
        auto value = RecordCodec::encode(*b, bytes, reason);
        if (!value)
            return AP_ERR_BAD_ARGUMENT; // nothing staged
        staged.push_back({b->groupBit, instanceOidOf(*b), std::move(*value)});
    }
    if (!clock) { // a clock staged by an earlier call does not go out with NTP on
        const Oid clockOid = instanceOidOf(*clockBinding());
        std::lock_guard lock(state.mutex);
        std::erase_if(state.staged, [&](const StagedValue &s) { return s.oid == clockOid; });
    }
    stageValues(state, std::move(staged));
    return AP_OK;
}

} // namespace

extern "C" {

APHANDLE apSysTimeConfigOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Time, AP_TIME_GROUP_CONFIG);
}

int apSysTimeConfigGet(APHANDLE handle, int *ntpEnable, char *ntpServer, char *currentTime, int *dstEnable,
                       int *dstOffset, char *dstDates, int *timeZone, char *reserved)
{
    auto state = familyHandle(handle, Family::Time);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!ntpEnable || !ntpServer || !currentTime || !dstEnable || !dstOffset || !dstDates || !timeZone)
        return AP_ERR_BAD_ARGUMENT;
    TimeConfigRecord record{};
    decodeLayout(*state, LayoutTimeConfig, &record);
    *ntpEnable = record.ntpEnable;
    copyBoundedText(slotText(record.ntpServer, sizeof record.ntpServer), ntpServer, AP_TIME_SERVER_SIZE);
    copyBoundedText(slotText(record.clock, sizeof record.clock), currentTime, AP_TIME_TEXT_SIZE);
    *dstEnable = record.dstEnable;
    *dstOffset = record.dstOffset;
    copyBoundedText(slotText(record.dstDates, sizeof record.dstDates), dstDates, AP_TIME_TEXT_SIZE);
    *timeZone = record.timeZone;
    if (reserved)
        reserved[0] = '\0';
    return AP_OK;
}

int apSysTimeConfigSet(APHANDLE handle, int ntpEnable, const char *ntpServer, const char *manualTime,
                       int dstEnable, int dstOffset, const char *dstDates, int timeZone)
{
    auto state = familyHandle(handle, Family::Time);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!ntpServer || !manualTime || !dstDates)
        return AP_ERR_BAD_ARGUMENT;
    const std::string_view server = slotText(ntpServer, AP_TIME_SERVER_SIZE);
    const std::string_view manual = slotText(manualTime, AP_TIME_TEXT_SIZE);
    const std::string_view dates = slotText(dstDates, AP_TIME_TEXT_SIZE);
    if (server.size() >= AP_TIME_SERVER_SIZE || dates.size() >= AP_TIME_TEXT_SIZE)
        return AP_ERR_BAD_ARGUMENT; // no room for the NUL: not a text of the slot's size
    const bool setClock = ntpEnable == 0 && !manual.empty();
    std::optional<std::string> clock;
    if (setClock && !(clock = deviceClockText(manual)))
        return AP_ERR_BAD_ARGUMENT;

    TimeConfigRecord record{};
    record.ntpEnable = ntpEnable;
    copyBoundedText(server.empty() ? std::string_view("0.0.0.0") : server, record.ntpServer,
                    sizeof record.ntpServer);
    copyBoundedText(clock.value_or(""), record.clock, sizeof record.clock);
    record.dstEnable = dstEnable;
    record.dstOffset = dstOffset;
    copyBoundedText(dates, record.dstDates, sizeof record.dstDates);
    record.timeZone = timeZone;
    return stageRecord(*state, record, setClock);
}

} // extern "C"
