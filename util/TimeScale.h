#pragma once

namespace trb {

// Every module timer goes through here: TRB4820_TIME_SCALE (a factor, default 1) lets tests
// and demos run a 75-second device wait in a fraction of a second.
int ScaledMilliseconds(int milliseconds);
double TimeScale();

} // namespace trb
