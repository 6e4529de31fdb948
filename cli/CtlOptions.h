#pragma once
// The command line of trb4820-ctl: the command, its arguments, the devices and how to reach them.
#include <QStringList>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "Communities.h"
#include "DeviceAddress.h"

namespace trb::ctl {

struct CtlOptions {
    std::string command;
    std::vector<std::string> arguments; // the command's own, addresses taken out
    std::vector<DeviceAddress> devices;
    Communities communities;
    int jobs = 8;
    bool json = false;
    bool dryRun = false;
    std::chrono::milliseconds retryOffline{0};
    std::chrono::milliseconds rebootWait{std::chrono::minutes(5)};
    int timeoutMs = 1500;
    int retries = 1;
    int tftpPort = 69;
    std::string tftpListen = "0.0.0.0";
    std::string pcAddress; // empty: the local address that faces each device

    // Nothing after printing the reason (exit status 2); --help and --version exit here.
    static std::optional<CtlOptions> Parse(const QStringList &arguments);
    // "90", "90s", "5m", "2h" as a duration; nothing for another text.
    static std::optional<std::chrono::milliseconds> ParseDuration(const std::string &text);
};

} // namespace trb::ctl
