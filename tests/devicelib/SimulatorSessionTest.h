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

class SimulatorSessionTest : public ::testing::Test {
protected:
    // Starts the library, a simulator with `args`, and a session with this time-out (10 ms units).
    void StartSimulatorSession(std::vector<std::string> args = {}, int timeoutTenMs = 100)
    {
        ASSERT_EQ(apInitSnmpLibrary(), AP_OK);
        sim = std::make_unique<SimulatorProcess>(std::move(args));
        ASSERT_TRUE(sim->ok()) << sim->error();
        session = apSnmpOpenSession(35, "trb4820");
        ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", timeoutTenMs, sim->address().c_str(), 1), AP_OK);
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
