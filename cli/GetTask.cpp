#include "GetTask.h"

namespace trb::ctl {

std::vector<std::string> GetTask::Columns() const { return NamesOf(objects_); }

DeviceResult GetTask::Run(const DeviceAddress &, DeviceSession &session, const StepFunction &)
{
    std::vector<std::string> texts;
    const Outcome read = session.Read(objects_, texts);
    if (!read.Ok())
        return DeviceResult::Failure(read);
    return DeviceResult::Success(NamesOf(objects_), texts);
}

} // namespace trb::ctl
