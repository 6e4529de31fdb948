#include "CommandTask.h"

namespace trb::ctl {

std::optional<CommandTask> CommandTask::ForName(const std::string &name)
{
    CommandTask task;
    // Saving writes the device's flash, which takes longer than the others.
    if (name == "save")
        task.command_ = 2, task.waitMs_ = 6000, task.done_ = "saved and activated";
    else if (name == "discard")
        task.command_ = 3, task.waitMs_ = 3000, task.done_ = "changes discarded; the device restarts";
    else if (name == "reboot")
        task.command_ = 0, task.waitMs_ = 3000, task.done_ = "the device restarts";
    else
        return std::nullopt;
    return task;
}

DeviceResult CommandTask::Run(const DeviceAddress &, DeviceSession &session, const StepFunction &)
{
    const Outcome answered = session.Command(command_, waitMs_);
    if (!answered.Ok())
        return DeviceResult::Failure(answered);
    return DeviceResult::Success({{"result", done_}});
}

} // namespace trb::ctl
