// The chart's arithmetic on its own: rates from counter differences across wraps, and the
// intervals it drops when counters go back, answers come late or reads stop for long.
#include <gtest/gtest.h>

#include <vector>

#include "TrafficRates.h"

using trb::TrafficRates;
using trb::TrafficSample;
using Outcome = TrafficRates::Outcome;

namespace {

// Bytes counted each second on each line, and the rates they make.
constexpr uint32_t kBytesPerSecond[trb::kTrafficLines] = {1000, 2000, 3000, 4000};
constexpr uint32_t kPacketsPerSecond = 10;
constexpr uint32_t kNearTop = 4294964796u; // 2^32 - 2500: each line wraps within three seconds

struct Step {
    qint64 ms;
    Outcome expected;
    uint32_t base = 0;        // the counters' value at second 0 (since the device last started)
    uint32_t seconds = 0;     // seconds of traffic counted on top of it
    uint32_t packetBase = 0;
    bool joined = false;      // for a point: continues the previous one
    qint64 answerMs = 10;
    bool clearedBefore = false; // the page cleared the counters just before this read
};

TrafficSample SampleOf(const Step &step)
{
    TrafficSample sample;
    sample.askedMs = step.ms;
    sample.answeredMs = step.ms + step.answerMs;
    for (int line = 0; line < trb::kTrafficLines; ++line) {
        sample.bytes[line] = step.base + kBytesPerSecond[line] * step.seconds;
        sample.packets[line] = step.packetBase + kPacketsPerSecond * step.seconds;
    }
    return sample;
}

TEST(TrafficChartRates, EachIntervalGivesTheLinesRatesOrIsDropped)
{
    constexpr uint32_t kHigh = 3000000000u;
    const struct {
        const char *name;
        std::vector<Step> steps;
    } cases[] = {
        {"steady", {{0, Outcome::Baseline}, {1000, Outcome::Point, 0, 1}, {2000, Outcome::Point, 0, 2, 0, true}}},
        {"wrapped past 2^32",
         {{0, Outcome::Baseline, kNearTop, 0, 4294967290u},
          {1000, Outcome::Point, kNearTop, 1, 4294967290u},
          {2000, Outcome::Point, kNearTop, 2, 4294967290u, true},
          {3000, Outcome::Point, kNearTop, 3, 4294967290u, true}}},
        {"cleared by the page",
         {{0, Outcome::Baseline, kHigh, 0, kHigh},
          {1000, Outcome::Point, kHigh, 1, kHigh},
          {2000, Outcome::Baseline, 0, 1, 0, false, 10, true},
          {3000, Outcome::Point, 0, 2}}},
        {"cleared elsewhere or rebooted: the counters went back",
         {{0, Outcome::Baseline, kHigh, 0, kHigh},
          {1000, Outcome::Point, kHigh, 1, kHigh},
          {2000, Outcome::Dropped, 0, 1},
          {3000, Outcome::Point, 0, 2}}},
        {"rebooted with bytes near the top: the packets tell",
         {{0, Outcome::Baseline, kNearTop, 0, kHigh},
          {1000, Outcome::Point, kNearTop, 0, kHigh}, // idle a second
          {2000, Outcome::Dropped, 1000, 0},
          {3000, Outcome::Point, 1000, 1}}},
        {"a late answer: the next read spans both intervals",
         {{0, Outcome::Baseline},
          {1000, Outcome::Point, 0, 1},
          {2000, Outcome::Ignored, 0, 2, 0, false, 600},
          {3000, Outcome::Point, 0, 3, 0, true}}},
        {"reads lost for longer than a wrap may take",
         {{0, Outcome::Baseline}, {30000, Outcome::Dropped, 0, 30}, {31000, Outcome::Point, 0, 31}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TrafficRates rates(600000);
        size_t points = 0;
        for (const Step &step : c.steps) {
            SCOPED_TRACE(step.ms);
            if (step.clearedBefore)
                rates.Restart();
            ASSERT_EQ(rates.Add(SampleOf(step)), step.expected);
            if (step.expected != Outcome::Point) {
                EXPECT_EQ(rates.points().size(), points) << "no point";
                continue;
            }
            ASSERT_EQ(rates.points().size(), ++points);
            const trb::TrafficPoint &point = rates.points().back();
            EXPECT_EQ(point.joined, step.joined);
            const bool idle = step.seconds == 0;
            for (int line = 0; line < trb::kTrafficLines; ++line)
                EXPECT_DOUBLE_EQ(point.bitsPerSecond[line], idle ? 0.0 : 8.0 * kBytesPerSecond[line]) << line;
        }
    }
}

TEST(TrafficChartRates, KeepsOnlyTheWindowBeforeTheNewestRead)
{
    constexpr qint64 kWindowMs = 600000;
    TrafficRates rates(kWindowMs);
    for (uint32_t second = 0; second <= 720; second += 20)
        rates.Add(SampleOf({qint64(second) * 1000, Outcome::Point, 0, second}));
    ASSERT_FALSE(rates.points().empty());
    EXPECT_EQ(rates.latestMs(), 720005);
    EXPECT_EQ(rates.points().front().atMs, 120005) << "ten minutes back and no further";
    EXPECT_EQ(rates.points().size(), 31u);
}

} // namespace
