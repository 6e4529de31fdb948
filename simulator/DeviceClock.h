#pragma once
// The device's clock. On a time server it shows UTC moved by the time zone and, between the DST
// dates, by the daylight-saving offset; set by hand it runs on from the time it was given (the
// hardware clock keeps local time, so a later change of zone does not move it).
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace trb::sim {

class DeviceClock {
public:
    struct Settings {
        bool ntp = false;
        int zone = 27; // 1..75
        bool dst = false;
        int dstOffsetIndex = 5; // 0..7
        std::string dstDates;
    };

    static constexpr int kZoneCount = 75;

    // "YYYY-MM-DD HH:MM:SS" at the UTC instant `utc`.
    std::string text(const Settings &settings, std::time_t utc) const;
    // Sets the clock by hand to `text` as read at `utc`; false (nothing changed) when it is not a time.
    bool set(std::string_view text, std::time_t utc);
    // Back on the time server.
    void synchronise() { manualOffset_.reset(); }

    // Seconds since the epoch of a "YYYY-MM-DD HH:MM:SS" wall-clock time, counted as if UTC.
    static std::optional<std::time_t> parse(std::string_view text);
    // Minutes east of GMT of a zone (1..75); 0 for another number.
    static int zoneMinutes(int zone);
    static int dstMinutes(int offsetIndex);
    // Whether `local` (standard time, counted as if UTC) lies between the DST dates; false for
    // dates that do not parse. Start after end means a season across the new year.
    static bool inDaylightSaving(std::string_view dates, std::time_t local);
    static bool validDates(std::string_view dates);

private:
    std::optional<std::time_t> manualOffset_; // wall clock minus UTC, while set by hand
};

} // namespace trb::sim
