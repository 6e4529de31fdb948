#include "SetTask.h"

#include <set>

namespace trb::ctl {

std::optional<SetTask> SetTask::Parse(const std::vector<std::string> &assignments, std::string &error)
{
    SetTask task;
    std::set<devicelib::Oid> seen;
    for (const std::string &assignment : assignments) {
        const auto equals = assignment.find('=');
        if (equals == std::string::npos) {
            error = "'" + assignment + "' is not NAME=VALUE";
            return std::nullopt;
        }
        const std::string name = assignment.substr(0, equals);
        const std::string text = assignment.substr(equals + 1);
        std::string reason;
        auto object = ObjectValue::ParseName(name, reason);
        auto value = object ? ObjectValue::Parse(*object->object, text, reason) : std::nullopt;
        if (!value) {
            error = object ? name + " " + reason + ", not '" + text + "'" : reason;
            return std::nullopt;
        }
        if (!seen.insert(object->Oid()).second) {
            error = name + " is given twice";
            return std::nullopt;
        }
        task.values_.push_back({object->Oid(), *value});
        task.objects_.push_back(*object);
        task.texts_.push_back(text);
    }
    return task;
}

std::vector<std::string> SetTask::Columns() const { return NamesOf(objects_); }

DeviceResult SetTask::Run(const DeviceAddress &, DeviceSession &session, const StepFunction &)
{
    const Outcome written = session.Write(values_);
    if (!written.Ok())
        return DeviceResult::Failure(written);
    return DeviceResult::Success(NamesOf(objects_), texts_);
}

} // namespace trb::ctl
