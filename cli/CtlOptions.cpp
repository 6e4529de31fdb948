#include "CtlOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <arpa/inet.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <set>

#include "ObjectSchema.h"
#include "TftpServerCore.h"

namespace trb::ctl {
namespace {

const char kDescription[] =
    "Runs one command on a fleet of TRB-4820 access points.\n"
    "\n"
    "Commands:\n"
    "  info                   model, firmware, MAC, IP address, up time and SSIDs\n"
    "  get NAME...            objects by their MIB names (trbLanGateway, trbBandSsid.1)\n"
    "  set NAME=VALUE...      writes the values, all in one request per device\n"
    "  save | discard | reboot  the device-wide commands\n"
    "  backup DIR             each device's configuration to DIR/<address>-<time>.dcf\n"
    "  restore FILE           sends a configuration file to each device\n"
    "  upgrade IMAGE          sends a firmware image and waits for the device to restart\n"
    "\n"
    "Devices are addresses (host or host:port) after the command's arguments, or --devices FILE.";

bool Fail(const std::string &message)
{
    std::fprintf(stderr, "trb4820-ctl: %s\n", message.c_str());
    std::fprintf(stderr, "Try 'trb4820-ctl --help'.\n");
    return false;
}

// How many positional arguments belong to the command before the addresses; -1: those that
// look like its arguments (get: object names, set: NAME=VALUE).
int FixedArguments(const std::string &command)
{
    static const std::map<std::string, int> counts = {
        {"info", 0}, {"save", 0}, {"discard", 0}, {"reboot", 0}, {"get", -1},
        {"set", -1}, {"backup", 1}, {"restore", 1}, {"upgrade", 1}};
    const auto it = counts.find(command);
    return it == counts.end() ? -2 : it->second;
}

bool IsCommandArgument(const std::string &command, const std::string &argument)
{
    if (command == "set")
        return argument.find('=') != std::string::npos;
    return schema::findObject(argument.substr(0, argument.find('.'))) != nullptr;
}

bool ParseInt(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool TakeDevices(const QCommandLineParser &parser, const std::vector<std::string> &addresses, CtlOptions &options)
{
    std::string error;
    if (parser.isSet(QStringLiteral("devices"))) {
        auto listed = DeviceAddress::LoadFile(parser.value(QStringLiteral("devices")).toStdString(), error);
        if (!listed)
            return Fail(error);
        options.devices = *listed;
    }
    for (const std::string &text : addresses) {
        auto address = DeviceAddress::Parse(text, error);
        if (!address)
            return Fail(error);
        options.devices.push_back(*address);
    }
    std::set<std::string> seen;
    for (const DeviceAddress &device : options.devices)
        if (!seen.insert(device.text).second)
            return Fail("the device " + device.text + " is named twice");
    if (options.devices.empty())
        return Fail("no devices: name them after the command or with --devices FILE");
    return true;
}

bool TakeNumbers(const QCommandLineParser &parser, CtlOptions &options)
{
    // The TFTP server serves at most this many transfers at once.
    if (!ParseInt(parser.value(QStringLiteral("jobs")), 1, int(tftp::TftpServerCore::kMaxTransfers), options.jobs))
        return Fail("--jobs takes 1 to " + std::to_string(tftp::TftpServerCore::kMaxTransfers));
    if (!ParseInt(parser.value(QStringLiteral("timeout")), 100, 60000, options.timeoutMs))
        return Fail("--timeout takes 100 to 60000 milliseconds");
    if (!ParseInt(parser.value(QStringLiteral("retries")), 0, 10, options.retries))
        return Fail("--retries takes 0 to 10");
    const QString port = parser.isSet(QStringLiteral("tftp-port")) ? parser.value(QStringLiteral("tftp-port"))
                                                                     : qEnvironmentVariable("TRB4820_TFTP_PORT", QStringLiteral("69"));
    if (!ParseInt(port, 1, 65535, options.tftpPort))
        return Fail("the TFTP port takes 1 to 65535");
    for (const auto &[name, target] : {std::pair{"retry-offline", &options.retryOffline},
                                       std::pair{"reboot-wait", &options.rebootWait}}) {
        const QString option = QString::fromLatin1(name);
        if (!parser.isSet(option))
            continue;
        const auto duration = CtlOptions::ParseDuration(parser.value(option).toStdString());
        if (!duration)
            return Fail("--" + std::string(name) + " takes a duration such as 90s, 5m or 1h");
        *target = *duration;
    }
    return true;
}

} // namespace

std::optional<std::chrono::milliseconds> CtlOptions::ParseDuration(const std::string &text)
{
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0 || digits > 6)
        return std::nullopt;
    static const std::map<std::string, long long> factors = {{"", 1000}, {"s", 1000}, {"m", 60000}, {"h", 3600000}};
    const auto factor = factors.find(text.substr(digits));
    if (factor == factors.end())
        return std::nullopt;
    return std::chrono::milliseconds(std::stoll(text.substr(0, digits)) * factor->second);
}

std::optional<CtlOptions> CtlOptions::Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see above)."),
                                 QStringLiteral("COMMAND [ARGUMENT...] [ADDRESS...]"));
    parser.addOptions({
        {QStringLiteral("devices"), QStringLiteral("Devices, one address a line, # comments."), QStringLiteral("FILE")},
        {QStringLiteral("read-community"), QStringLiteral("Read community (visible to other users; prefer --communities)."), QStringLiteral("NAME")},
        {QStringLiteral("write-community"), QStringLiteral("Write community (visible to other users; prefer --communities)."), QStringLiteral("NAME")},
        {QStringLiteral("communities"), QStringLiteral("File of read=NAME and write=NAME lines, mode 0600."), QStringLiteral("FILE")},
        {QStringLiteral("jobs"), QStringLiteral("Devices at once (default 8)."), QStringLiteral("N"), QStringLiteral("8")},
        {QStringLiteral("json"), QStringLiteral("One JSON object per device on standard output.")},
        {QStringLiteral("dry-run"), QStringLiteral("upgrade: list what would be done, send nothing.")},
        {QStringLiteral("retry-offline"), QStringLiteral("Try devices that do not answer again until this much time has passed."), QStringLiteral("DURATION")},
        {QStringLiteral("reboot-wait"), QStringLiteral("upgrade: how long a device may take to come back (default 5m)."), QStringLiteral("DURATION")},
        {QStringLiteral("timeout"), QStringLiteral("SNMP time-out per try in ms (default 1500)."), QStringLiteral("MS"), QStringLiteral("1500")},
        {QStringLiteral("retries"), QStringLiteral("SNMP retries after the first try (default 1)."), QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("tftp-port"), QStringLiteral("Port of this computer's TFTP server (default 69, or TRB4820_TFTP_PORT)."), QStringLiteral("N")},
        {QStringLiteral("tftp-listen"), QStringLiteral("Address the TFTP server listens on (default all)."), QStringLiteral("ADDR"), QStringLiteral("0.0.0.0")},
        {QStringLiteral("pc-address"), QStringLiteral("Address the devices reach this computer at (default: the one facing each device)."), QStringLiteral("ADDR")},
    });
    if (!parser.parse(arguments)) {
        Fail(parser.errorText().toStdString());
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    CtlOptions options;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        Fail("no command given");
        return std::nullopt;
    }
    options.command = positional.first().toStdString();
    const int fixed = FixedArguments(options.command);
    if (fixed == -2) {
        Fail("unknown command '" + options.command + "'");
        return std::nullopt;
    }
    std::vector<std::string> addresses;
    for (qsizetype i = 1; i < positional.size(); ++i) {
        const std::string argument = positional[i].toStdString();
        const bool own = fixed >= 0 ? int(i) <= fixed : addresses.empty() && IsCommandArgument(options.command, argument);
        (own ? options.arguments : addresses).push_back(argument);
    }
    if ((fixed >= 0 && int(options.arguments.size()) != fixed) || (fixed < 0 && options.arguments.empty())) {
        const std::string first = addresses.empty() ? std::string() : " ('" + addresses.front() + "' is not one)";
        Fail(options.command + (options.command == "get"   ? " needs object names (trbLanGateway, trbBandSsid.1)" + first
                                : options.command == "set" ? " needs NAME=VALUE assignments"
                                                           : " needs " + std::to_string(fixed) + " argument(s)"));
        return std::nullopt;
    }
    options.json = parser.isSet(QStringLiteral("json"));
    options.dryRun = parser.isSet(QStringLiteral("dry-run"));
    options.tftpListen = parser.value(QStringLiteral("tftp-listen")).toStdString();
    options.pcAddress = parser.value(QStringLiteral("pc-address")).toStdString();
    in_addr address{};
    if (!options.pcAddress.empty() && ::inet_pton(AF_INET, options.pcAddress.c_str(), &address) != 1) {
        Fail("--pc-address takes a dotted IPv4 address, not '" + options.pcAddress + "'");
        return std::nullopt;
    }
    if (options.dryRun && options.command != "upgrade") {
        Fail("--dry-run is for upgrade only");
        return std::nullopt;
    }
    if (!TakeNumbers(parser, options) || !TakeDevices(parser, addresses, options))
        return std::nullopt;
    std::string error;
    auto optionValue = [&](const char *name) -> std::optional<std::string> {
        const QString option = QString::fromLatin1(name);
        return parser.isSet(option) ? std::optional(parser.value(option).toStdString()) : std::nullopt;
    };
    auto communities = Communities::Resolve(optionValue("read-community"), optionValue("write-community"),
                                            parser.value(QStringLiteral("communities")).toStdString(), error);
    if (!communities) {
        Fail(error);
        return std::nullopt;
    }
    options.communities = *communities;
    return options;
}

} // namespace trb::ctl
