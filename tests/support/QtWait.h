#pragma once
// Waiting in Qt tests without blocking the event loop.
#include <functional>

namespace trb::test {

// Runs the event loop until `done` or the time is up; returns done().
bool WaitFor(const std::function<bool()> &done, int milliseconds = 10000);
// Runs the event loop for this long.
void Spin(int milliseconds);

} // namespace trb::test
