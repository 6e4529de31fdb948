#pragma once
// set NAME=VALUE...: values checked against the schema before the run starts, then written
// to each device in one request, so a device takes all of them or none.
#include <optional>

#include "DeviceTask.h"
#include "ObjectValue.h"

namespace trb::ctl {

class SetTask : public DeviceTask {
public:
    // Nothing, with the first bad assignment's reason, unless every one is NAME=VALUE with a
    // value its object takes.
    static std::optional<SetTask> Parse(const std::vector<std::string> &assignments, std::string &error);

    std::vector<std::string> Columns() const override;
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;

private:
    std::vector<ObjectInstance> objects_;
    std::vector<std::string> texts_;
    std::vector<devicelib::Varbind> values_;
};

} // namespace trb::ctl
