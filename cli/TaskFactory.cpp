#include "TaskFactory.h"

#include "BackupTask.h"
#include "CommandTask.h"
#include "GetTask.h"
#include "InfoTask.h"
#include "RestoreTask.h"
#include "SetTask.h"
#include "UpgradeTask.h"

namespace trb::ctl {
namespace {

TaskFactory::Prepared Usage(const std::string &error) { return {nullptr, 2, error}; }

TaskFactory::Prepared Ready(std::unique_ptr<DeviceTask> task) { return {std::move(task), 0, {}}; }

TaskFactory::Prepared CreateGet(const CtlOptions &options)
{
    std::vector<ObjectInstance> objects;
    for (const std::string &name : options.arguments) {
        std::string error;
        auto object = ObjectValue::ParseName(name, error);
        if (!object)
            return Usage(error);
        objects.push_back(*object);
    }
    return Ready(std::make_unique<GetTask>(std::move(objects)));
}

template <typename Task> TaskFactory::Prepared CreateTransfer(const CtlOptions &options)
{
    TaskFactory::Prepared prepared;
    prepared.task = Task::Create(options, prepared.error, prepared.exitCode);
    if (prepared.task)
        prepared.exitCode = 0;
    return prepared;
}

} // namespace

TaskFactory::Prepared TaskFactory::Create(const CtlOptions &options)
{
    const std::string &command = options.command;
    if (command == "info")
        return Ready(std::make_unique<InfoTask>());
    if (command == "get")
        return CreateGet(options);
    if (command == "set") {
        std::string error;
        auto task = SetTask::Parse(options.arguments, error);
        return task ? Ready(std::make_unique<SetTask>(std::move(*task))) : Usage(error);
    }
    if (auto task = CommandTask::ForName(command))
        return Ready(std::make_unique<CommandTask>(*task));
    if (command == "backup")
        return CreateTransfer<BackupTask>(options);
    if (command == "restore")
        return CreateTransfer<RestoreTask>(options);
    if (command == "upgrade")
        return CreateTransfer<UpgradeTask>(options);
    return Usage("unknown command '" + command + "'");
}

} // namespace trb::ctl
