#pragma once
// Bit rates from successive reads of the traffic counters: differences of Counter32 values
// (wrapping at 2^32) over the time between reads, for a window of the most recent ones.
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <deque>

namespace trb {

enum TrafficLine { EthernetTx, EthernetRx, WlanTx, WlanRx, kTrafficLines };

// One read of the counters, timed on a steady clock: sent at askedMs, answered at answeredMs.
struct TrafficSample {
    qint64 askedMs = 0;
    qint64 answeredMs = 0;
    std::array<uint32_t, kTrafficLines> bytes{};
    std::array<uint32_t, kTrafficLines> packets{};
};

// The mean rate of each line over the interval that ends at atMs.
struct TrafficPoint {
    qint64 atMs = 0;
    bool joined = false; // its interval starts where the previous point's ended
    std::array<double, kTrafficLines> bitsPerSecond{};
};

class TrafficRates {
public:
    // Baseline: the first sample, or the first after a restart. Point: a rate was added. Ignored:
    // late, or taken no later than the baseline; the baseline stays. Dropped: the counters went
    // back or too long passed; this sample is the new baseline.
    enum class Outcome { Baseline, Point, Ignored, Dropped };

    // Above these no line of this device carries traffic: a larger difference is a counter that
    // went back (cleared, or the device restarted), not a wrap.
    static constexpr double kMaxBitsPerSecond = 1.25e9;
    static constexpr double kMaxPacketsPerSecond = 2e6;
    // Longer intervals could hide a second wrap of a byte counter at full rate (2^32 bytes take
    // 27 s at kMaxBitsPerSecond).
    static constexpr qint64 kMaxIntervalMs = 25000;
    // An answer this slow leaves the moment the device counted too uncertain for a rate.
    static constexpr qint64 kLateMs = 500;

    explicit TrafficRates(qint64 windowMs) : windowMs_(windowMs) {}

    Outcome Add(const TrafficSample &sample);
    // The counters were cleared: the next sample starts again.
    void Restart() { hasBaseline_ = false; }

    const std::deque<TrafficPoint> &points() const { return points_; }
    qint64 windowMs() const { return windowMs_; }
    // When the newest sample was taken: the right end of the window.
    qint64 latestMs() const { return latestMs_; }

private:
    static qint64 TakenAt(const TrafficSample &sample) { return (sample.askedMs + sample.answeredMs) / 2; }
    bool CountersWentBack(const TrafficSample &sample, double seconds) const;
    void NewBaseline(const TrafficSample &sample);
    void MoveWindowTo(qint64 atMs);

    qint64 windowMs_;
    qint64 latestMs_ = 0;
    bool hasBaseline_ = false;
    bool baselineEndsLastPoint_ = false;
    TrafficSample baseline_;
    std::deque<TrafficPoint> points_;
};

} // namespace trb
