#pragma once
// save, discard, reboot: the device-wide command object.
#include <optional>

#include "DeviceTask.h"

namespace trb::ctl {

class CommandTask : public DeviceTask {
public:
    // For "save", "discard" or "reboot"; nothing for another word.
    static std::optional<CommandTask> ForName(const std::string &name);

    std::vector<std::string> Columns() const override { return {"RESULT"}; }
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;

private:
    int command_ = 0;   // apSysCommand's number
    int waitMs_ = 0;    // how long the device may take to answer it
    const char *done_ = "";
};

} // namespace trb::ctl
