#pragma once
// info: what each device is and runs.
#include "DeviceTask.h"

namespace trb::ctl {

class InfoTask : public DeviceTask {
public:
    std::vector<std::string> Columns() const override;
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;
};

} // namespace trb::ctl
