#pragma once
// What every library benchmark measures against: the library started, a simulator, a counting
// UDP relay in front of it and a session through the relay. The library is started first: no
// thread may run before it is.
#include <memory>
#include <string>
#include <vector>

#include "SimulatorProcess.h"
#include "TRB4820apHelp.h"
#include "UdpRelay.h"

class RelayedSession {
public:
    explicit RelayedSession(std::vector<std::string> simulatorArgs = {});
    ~RelayedSession();
    RelayedSession(const RelayedSession &) = delete;
    RelayedSession &operator=(const RelayedSession &) = delete;

    // False after saying why on stderr.
    bool ok() const { return session_ != 0; }
    APHANDLE session() const { return session_; }
    UdpRelay &relay() { return *relay_; }
    // The relay's address, for a client of our own.
    const std::string &address() const { return address_; }

private:
    bool started_ = false;
    std::unique_ptr<trb::test::SimulatorProcess> sim_;
    std::unique_ptr<UdpRelay> relay_;
    std::string address_;
    APHANDLE session_ = 0;
};
