#include "TrafficRates.h"

namespace trb {

TrafficRates::Outcome TrafficRates::Add(const TrafficSample &sample)
{
    if (sample.answeredMs - sample.askedMs > kLateMs)
        return Outcome::Ignored;
    if (!hasBaseline_) {
        NewBaseline(sample);
        return Outcome::Baseline;
    }
    const qint64 elapsedMs = TakenAt(sample) - TakenAt(baseline_);
    if (elapsedMs <= 0)
        return Outcome::Ignored;
    const double seconds = double(elapsedMs) / 1000.0;
    if (elapsedMs > kMaxIntervalMs || CountersWentBack(sample, seconds)) {
        NewBaseline(sample);
        return Outcome::Dropped;
    }
    TrafficPoint point;
    point.atMs = TakenAt(sample);
    point.joined = baselineEndsLastPoint_;
    for (int line = 0; line < kTrafficLines; ++line) {
        const uint32_t counted = sample.bytes[line] - baseline_.bytes[line]; // modulo 2^32: a wrap counts on
        point.bitsPerSecond[line] = double(counted) * 8.0 / seconds;
    }
    points_.push_back(point);
    baseline_ = sample;
    baselineEndsLastPoint_ = true;
    MoveWindowTo(point.atMs);
    return Outcome::Point;
}

// A counter that went back looks, modulo 2^32, like more traffic than the line can carry.
// Packet counters grow hundreds of times slower than byte counters, so they tell even when a
// byte counter was near the top when it went back.
bool TrafficRates::CountersWentBack(const TrafficSample &sample, double seconds) const
{
    for (int line = 0; line < kTrafficLines; ++line) {
        const uint32_t bytes = sample.bytes[line] - baseline_.bytes[line];
        const uint32_t packets = sample.packets[line] - baseline_.packets[line];
        if (double(bytes) * 8.0 / seconds > kMaxBitsPerSecond || double(packets) / seconds > kMaxPacketsPerSecond)
            return true;
    }
    return false;
}

void TrafficRates::NewBaseline(const TrafficSample &sample)
{
    baseline_ = sample;
    hasBaseline_ = true;
    baselineEndsLastPoint_ = false;
    MoveWindowTo(TakenAt(sample));
}

void TrafficRates::MoveWindowTo(qint64 atMs)
{
    latestMs_ = atMs;
    while (!points_.empty() && points_.front().atMs < atMs - windowMs_)
        points_.pop_front();
}

} // namespace trb
