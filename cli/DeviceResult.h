#pragma once
// How one device's part of a command went.
#include <QJsonObject>
#include <string>
#include <vector>

#include "DeviceSession.h"

namespace trb::ctl {

struct DeviceResult {
    bool ok = false;
    bool noAnswer = false;          // the device never answered: worth another try later
    std::string error;              // the device's or the network's own text
    std::vector<std::string> cells; // the device's row of the table
    QJsonObject json;               // the same, for --json

    // A success whose table cells and JSON fields are the same named values, in order.
    static DeviceResult Success(const std::vector<std::pair<std::string, std::string>> &fields);
    // The same, from the names and the values side by side.
    static DeviceResult Success(const std::vector<std::string> &names, const std::vector<std::string> &values);
    static DeviceResult Failure(const Outcome &outcome, const std::string &during = {});
    static DeviceResult Failure(const std::string &error);
};

} // namespace trb::ctl
