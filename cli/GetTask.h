#pragma once
// get NAME...: objects by their MIB names, in one request per device.
#include "DeviceTask.h"
#include "ObjectValue.h"

namespace trb::ctl {

class GetTask : public DeviceTask {
public:
    explicit GetTask(std::vector<ObjectInstance> objects) : objects_(std::move(objects)) {}
    std::vector<std::string> Columns() const override;
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;

private:
    std::vector<ObjectInstance> objects_;
};

} // namespace trb::ctl
