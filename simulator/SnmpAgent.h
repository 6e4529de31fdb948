#pragma once
// Net-SNMP master agent set-up and the event loop, with the transport faults (dropped and
// delayed requests) and the silence of a rebooting device applied before Net-SNMP reads a packet.
#include <string>

#include "AgentHandler.h"
#include "ControlSocket.h"
#include "FaultPlan.h"
#include "Device.h"
#include "SimulatorOptions.h"

namespace trb::sim {

class SnmpAgent {
public:
    SnmpAgent(const SimulatorOptions &options, Device &device);
    ~SnmpAgent();
    SnmpAgent(const SnmpAgent &) = delete;
    SnmpAgent &operator=(const SnmpAgent &) = delete;

    // Opens the port; returns an error text, empty on success.
    std::string start();
    // Serves until SIGTERM or SIGINT.
    void run();

private:
    static void onSignal(int);
    static void onStopPipe(int fd, void *self);
    void handleReadable(fd_set &readfds, int numfds);
    void discardPending(fd_set &readfds, int numfds, bool everything);
    void sleepFor(int milliseconds);
    static void onControl(int fd, void *self);
    // The fault planned for the request waiting on one of the readable sockets; a dropped
    // request is consumed here.
    std::optional<FaultRule> plannedFault(fd_set &readfds, int numfds, bool &dropped);

    const SimulatorOptions &options_;
    Device &device_;
    AgentHandler handler_;
    FaultPlan faultPlan_;
    ControlSocket control_;
    std::string persistentDir_;
    bool started_ = false;
    bool stopRequested_ = false;
    static int stopPipe_[2];
};

} // namespace trb::sim
