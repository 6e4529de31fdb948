#pragma once
// restore FILE: each device fetches the configuration file and applies it; the device's own
// verdict is the result.
#include <memory>

#include "DeviceTask.h"
#include "DeviceTransfers.h"

namespace trb::ctl {

class RestoreTask : public DeviceTask {
public:
    static std::unique_ptr<RestoreTask> Create(const CtlOptions &options, std::string &error, int &exitCode);

    std::vector<std::string> Columns() const override { return {"DEVICE STATUS"}; }
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;
    DeviceTransfers *Transfers() override { return &transfers_; }

private:
    explicit RestoreTask(const CtlOptions &options) : transfers_(options) {}

    DeviceTransfers transfers_;
    std::string fileName_;
};

} // namespace trb::ctl
