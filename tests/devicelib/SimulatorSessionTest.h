#pragma once
// The base of the library's tests against a simulator: the library running, a simulator of the
// test's own and one session on it, all ended after the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SimulatorProcess.h"
#include "TRB4820apHelp.h"

namespace trb::test {

// How a test's session talks to its simulator; the defaults suit a simulator without faults.
struct SessionSettings {
    int timeoutTenMs = 100; // per try, in 10 ms units
    int retries = 1;
    const char *readCommunity = "public";
    const char *writeCommunity = "private";
};

class SimulatorSessionTest : public ::testing::Test {
protected:
    // Starts the library, a simulator with `args`, and a session with this time-out (10 ms units).
    void StartSimulatorSession(std::vector<std::string> args = {}, int timeoutTenMs = 100)
    {
        ASSERT_NO_FATAL_FAILURE(StartLibrary());
        StartSimulator(std::move(args), {.timeoutTenMs = timeoutTenMs});
    }

    // For tests that start the simulator themselves, each with its own faults or settings, and
    // for those that start it more than once.
    void StartLibrary() { ASSERT_EQ(apInitSnmpLibrary(), AP_OK); }

    // A simulator (replacing any earlier one) and a session on it; the library must be running.
    // stateFile: empty for a fresh temporary one.
    void StartSimulator(std::vector<std::string> args = {}, SessionSettings settings = {}, std::string stateFile = {})
    {
        sim = std::make_unique<SimulatorProcess>(std::move(args), std::move(stateFile));
        ASSERT_TRUE(sim->ok()) << sim->error();
        OpenSession(settings);
    }

    // A new session on the running simulator, e.g. with other communities; `session` names it.
    void OpenSession(SessionSettings settings = {})
    {
        session = apSnmpOpenSession(35, "trb4820");
        ASSERT_EQ(apSnmpSetSession(session, 161, settings.readCommunity, settings.writeCommunity,
                                   settings.timeoutTenMs, sim->address().c_str(), settings.retries),
                  AP_OK);
    }

    void TearDown() override
    {
        apUninitSnmpLibrary();
        sim.reset();
    }

    std::unique_ptr<SimulatorProcess> sim;
    APHANDLE session = 0;
};

} // namespace trb::test
