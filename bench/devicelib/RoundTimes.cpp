#include "RoundTimes.h"

#include <algorithm>
#include <cstdio>

void RoundTimes::add(double ms)
{
    if (ms < 0)
        ++failures_;
    else
        times_.insert(std::upper_bound(times_.begin(), times_.end(), ms), ms);
}

double RoundTimes::median() const { return times_.empty() ? 0 : times_[times_.size() / 2]; }

std::string RoundTimes::summary() const
{
    if (times_.empty())
        return "no round succeeded";
    char text[96];
    std::snprintf(text, sizeof text, "median %.3f ms (%.3f to %.3f ms)", median(), times_.front(), times_.back());
    return text;
}
