#include "DeviceResult.h"

namespace trb::ctl {

DeviceResult DeviceResult::Success(const std::vector<std::pair<std::string, std::string>> &fields)
{
    DeviceResult result;
    result.ok = true;
    for (const auto &[key, value] : fields) {
        result.cells.push_back(value);
        result.json.insert(QString::fromStdString(key), QString::fromStdString(value));
    }
    return result;
}

DeviceResult DeviceResult::Success(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
        fields.emplace_back(names[i], values[i]);
    return Success(fields);
}

DeviceResult DeviceResult::Failure(const Outcome &outcome, const std::string &during)
{
    DeviceResult result = Failure(during.empty() ? outcome.text : during + ": " + outcome.text);
    result.noAnswer = outcome.NoAnswer();
    return result;
}

DeviceResult DeviceResult::Failure(const std::string &error)
{
    DeviceResult result;
    result.error = error;
    return result;
}

} // namespace trb::ctl
