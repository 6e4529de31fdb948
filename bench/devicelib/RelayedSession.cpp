#include "RelayedSession.h"

#include <cstdio>

RelayedSession::RelayedSession(std::vector<std::string> simulatorArgs)
{
    started_ = apInitSnmpLibrary() == AP_OK;
    if (!started_) {
        std::fprintf(stderr, "the device library did not start\n");
        return;
    }
    sim_ = std::make_unique<trb::test::SimulatorProcess>(std::move(simulatorArgs));
    if (!sim_->ok()) {
        std::fprintf(stderr, "simulator: %s\n", sim_->error().c_str());
        return;
    }
    relay_ = std::make_unique<UdpRelay>(sim_->port());
    address_ = "127.0.0.1:" + std::to_string(relay_->port());
    const APHANDLE session = apSnmpOpenSession(35, "trb3710");
    if (apSnmpSetSession(session, 161, "public", "private", 150, address_.c_str(), 1) != AP_OK) {
        std::fprintf(stderr, "no session to %s\n", address_.c_str());
        return;
    }
    session_ = session;
}

RelayedSession::~RelayedSession()
{
    if (started_)
        apUninitSnmpLibrary();
}
