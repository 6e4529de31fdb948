// The simulated traffic counters and WDS link texts on their own, and the option that starts
// the counters near their wrap.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "SimulatorOptions.h"
#include "TrafficCounters.h"
#include "WdsLinks.h"

using trb::sim::SimulatorOptions;
using trb::sim::TrafficCounters;
using trb::sim::WdsLinks;
using namespace std::chrono_literals;

namespace {

uint32_t counter(const TrafficCounters &counters, const char *object, uint32_t band = 0)
{
    auto value = counters.read(object, band);
    EXPECT_TRUE(value.has_value()) << object;
    EXPECT_EQ(value ? value->asnType : 0, ASN_COUNTER) << object;
    return value ? uint32_t(value->number) : 0;
}

TEST(TrafficCounters, GrowWrapAtTwoToThe32AndClearPerInterface)
{
    TrafficCounters counters(4294967295u - 1000, 4, 1);
    std::this_thread::sleep_for(50ms);
    EXPECT_LT(counter(counters, "trbEthTxBytes"), 1000000u) << "12810 bytes in 50 ms: past the wrap";
    EXPECT_GT(counter(counters, "trbEthTxPackets"), 4294967295u - 1000);
    EXPECT_GE(counter(counters, "trbWlanTxPackets", 1), 4294967295u - 1000) << "a few packets: not yet wrapped";

    counters.clear(TrafficCounters::Ethernet);
    EXPECT_LT(counter(counters, "trbEthTxPackets"), 50u);
    EXPECT_GT(counter(counters, "trbWlanRxPackets", 1), 4294967295u - 1000) << "the WLAN counters run on";
    counters.clear(7); // not an interface: nothing happens
    EXPECT_GT(counter(counters, "trbWlanRxPackets", 1), 4294967295u - 1000);
    counters.clear(TrafficCounters::Wlan);
    EXPECT_LT(counter(counters, "trbWlanRxPackets", 1), 50u);

    const struct {
        const char *object;
        uint32_t band;
    } notCounters[] = {{"trbSystemName", 0}, {"trbWlanTxPackets", 0}, {"trbWlanTxPackets", 3}};
    for (const auto &c : notCounters)
        EXPECT_FALSE(counters.read(c.object, c.band)) << c.object << " band " << c.band;
}

TEST(WdsLinks, FrequencyTextOfEachBandsChannels)
{
    const struct {
        uint32_t band;
        long channel;
        const char *text;
    } cases[] = {{1, 1, "2.412"}, {1, 6, "2.437"}, {1, 13, "2.472"}, {1, 14, "2.484"},
                 {2, 36, "5.180"}, {2, 100, "5.500"}, {2, 165, "5.825"}};
    for (const auto &c : cases)
        EXPECT_EQ(WdsLinks::frequencyText(c.band, c.channel), c.text) << c.band << "/" << c.channel;
}

TEST(SimulatorOptionsCounters, CounterStartTakesAnyCounter32Value)
{
    const struct {
        const char *value;
        bool ok;
        uint32_t start;
    } cases[] = {{"0", true, 0},          {"4294967295", true, 4294967295u}, {"2147483648", true, 2147483648u},
                 {"4294967296", false, 0}, {"-1", false, 0},                  {"12x", false, 0},
                 {"", false, 0}};
    for (const auto &c : cases) {
        std::string error;
        auto options = SimulatorOptions::parse({"--counter-start", c.value}, error);
        EXPECT_EQ(options.has_value(), c.ok) << c.value;
        if (options)
            EXPECT_EQ(options->counterStart, c.start);
        else
            EXPECT_NE(error.find("--counter-start"), std::string::npos) << error;
    }
    std::string error;
    EXPECT_EQ(SimulatorOptions::parse({}, error)->counterStart, 0u);
}

} // namespace
