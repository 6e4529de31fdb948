#pragma once
// What a command does to one device, and what it reports.
#include <functional>
#include <string>
#include <vector>

#include "DeviceAddress.h"
#include "DeviceResult.h"
#include "DeviceSession.h"

namespace trb::ctl {

class DeviceTransfers;

// Tells the user what the device is doing now ("sending the image").
using StepFunction = std::function<void(const std::string &text)>;

class DeviceTask {
public:
    virtual ~DeviceTask() = default;
    // The table's columns after the device's address.
    virtual std::vector<std::string> Columns() const = 0;
    virtual DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) = 0;
    // The run's TFTP server, for commands that move files.
    virtual DeviceTransfers *Transfers() { return nullptr; }
};

} // namespace trb::ctl
