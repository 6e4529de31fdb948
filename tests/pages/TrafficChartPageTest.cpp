// Status > Stats, the traffic chart against the simulator: the page's own reads every few
// seconds fill it with the device's rates, and neither a Clear nor a lost read draws a spike.
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>

#include "PageTestSupport.h"
#include "StatisticsPage.h"
#include "TimeScale.h"
#include "TrafficChart.h"

using trb::StatisticsPage;
using trb::TrafficPoint;
using namespace trb::test;

namespace {

// Counters that start high: a clear the chart took for traffic would be a spike of gigabits.
class TrafficChartPageTest : public PageTest {
protected:
    TrafficChartPageTest() : PageTest({"--counter-start", "1000000000"}) {}

    struct Counters {
        qint64 ms = 0;
        std::array<uint32_t, trb::kTrafficLines> bytes{};
    };
    // The byte counters as a fresh handle reads them (blocking), timed on `clock`.
    Counters ReadCounters(const QElapsedTimer &clock)
    {
        const APHANDLE handle = apStatisticOpen(session, 0);
        Counters counters;
        const qint64 asked = clock.elapsed();
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        counters.ms = (asked + clock.elapsed()) / 2;
        apStatEthernetRecord ethernet{};
        apStatWlanRecord wlan{};
        apStatisticInfor(handle, &wlan, &ethernet);
        apHandleClose(handle);
        counters.bytes = {ethernet.txBytes, ethernet.rxBytes, wlan.txBytes[0], wlan.rxBytes[0]};
        return counters;
    }
    static std::array<double, trb::kTrafficLines> RatesBetween(const Counters &from, const Counters &to)
    {
        std::array<double, trb::kTrafficLines> rates{};
        for (int line = 0; line < trb::kTrafficLines; ++line)
            rates[line] = double(uint32_t(to.bytes[line] - from.bytes[line])) * 8000.0 / double(to.ms - from.ms);
        return rates;
    }
    static bool WaitIdle(StatisticsPage *page)
    {
        return WaitFor([page] { return !page->refreshing() && page->controls().tabs->isEnabled(); });
    }
    // Each point from `first` on near the device's own rate: no spike, no dip to nothing. The
    // reads are a tenth of a second apart here, so a little timing noise is allowed.
    static void ExpectNearDevice(const std::deque<TrafficPoint> &points, size_t first,
                                 const std::array<double, trb::kTrafficLines> &device)
    {
        for (size_t i = first; i < points.size(); ++i)
            for (int line = 0; line < trb::kTrafficLines; ++line) {
                EXPECT_GT(points[i].bitsPerSecond[line], device[line] / 2) << "point " << i << ", line " << line;
                EXPECT_LT(points[i].bitsPerSecond[line], device[line] * 2) << "point " << i << ", line " << line;
            }
    }
    static int NewLines(const std::deque<TrafficPoint> &points, size_t first)
    {
        int starts = 0;
        for (size_t i = first; i < points.size(); ++i)
            starts += points[i].joined ? 0 : 1;
        return starts;
    }
};

TEST_F(TrafficChartPageTest, ChartsEachReadAtTheDevicesRateAndAClearOrALostReadDrawsNoSpike)
{
    QElapsedTimer clock;
    clock.start();
    const Counters start = ReadCounters(clock);
    auto *opened = new StatisticsPage;
    opened->resize(600, 690);
    opened->show();
    PageHolder page(opened);
    ASSERT_TRUE(WaitIdle(page.get()));
    const auto &c = page->controls();
    const std::deque<TrafficPoint> &points = c.traffic->rates().points();
    ASSERT_TRUE(WaitFor([&] { return points.size() >= 5; }, 5000)) << points.size();
    const auto device = RatesBetween(start, ReadCounters(clock));
    ExpectNearDevice(points, 0, device);
    EXPECT_EQ(NewLines(points, 0), 1) << "one line from the first read on";
    const QString shownAfterReads = c.ethernet[0]->text();

    // The page's Clear: the interval across it is dropped and the chart goes on.
    ASSERT_TRUE(WaitIdle(page.get()));
    const size_t beforeClear = points.size();
    c.tab[0].clear->click();
    ASSERT_TRUE(WaitFor([&] { return c.ethernet[0]->text() == "0"; })) << "the Clear shows zeros as before";
    ASSERT_TRUE(WaitIdle(page.get()));
    ASSERT_TRUE(WaitFor([&] { return points.size() >= beforeClear + 3; }, 5000));
    EXPECT_EQ(c.ethernet[0]->text(), "0") << "the chart's reads leave the counters shown alone";
    ExpectNearDevice(points, beforeClear, device);
    EXPECT_EQ(NewLines(points, beforeClear), 1) << "the chart starts again once after the Clear";
    EXPECT_NE(shownAfterReads, "0");

    // A read lost on the way: it shows as failed, the reading goes on, and the next point spans
    // the gap at the same rate.
    const size_t beforeLoss = points.size();
    ASSERT_EQ(simulator->control("fault get all -1 drop"), "ok");
    ASSERT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000)) << page->statusText().toStdString();
    EXPECT_EQ(points.size(), beforeLoss);
    ASSERT_EQ(simulator->control("clear"), "ok");
    ASSERT_TRUE(WaitFor([&] { return points.size() >= beforeLoss + 3; }, 5000));
    ExpectNearDevice(points, beforeLoss, device);
    EXPECT_EQ(NewLines(points, beforeLoss), 0);
    EXPECT_TRUE(page->statusText().contains("timed out")) << "a later read does not make the failure look mended";

    // Closed, the page reads no more.
    page->close();
    ASSERT_TRUE(WaitFor([&] { return page.get() == nullptr; }));
    const std::string counts = simulator->control("counts");
    Spin(3 * trb::ScaledMilliseconds(StatisticsPage::kTrafficReadMs));
    EXPECT_EQ(simulator->control("counts"), counts);
}

} // namespace
