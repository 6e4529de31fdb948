#pragma once
// The times of a benchmark's rounds, in ms; a negative time counts as a failed round.
#include <string>
#include <vector>

class RoundTimes {
public:
    void add(double ms);
    bool empty() const { return times_.empty(); }
    int failures() const { return failures_; }
    double median() const;
    // "median 0.150 ms (0.113 to 0.278 ms)"
    std::string summary() const;

private:
    std::vector<double> times_; // kept sorted
    int failures_ = 0;
};
