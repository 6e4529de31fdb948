#include "GetTask.h"

namespace trb::ctl {

std::vector<std::string> GetTask::Columns() const
{
    std::vector<std::string> columns;
    for (const ObjectInstance &object : objects_)
        columns.push_back(object.name);
    return columns;
}

DeviceResult GetTask::Run(const DeviceAddress &, DeviceSession &session, const StepFunction &)
{
    std::vector<std::string> texts;
    const Outcome read = session.Read(objects_, texts);
    if (!read.Ok())
        return DeviceResult::Failure(read);
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields.emplace_back(objects_[i].name, texts[i]);
    return DeviceResult::Success(fields);
}

} // namespace trb::ctl
