#include "SimulatorOptions.h"

#include "FaultPlan.h"

#include "Neighbourhood.h"
#include "ObjectSchema.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace trb::sim {
namespace {

bool parseInt(const std::string &text, int low, int high, int &out)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool parseCounter(const std::string &text, uint32_t &out)
{
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return false;
    out = value;
    return true;
}

bool validListen(const std::string &text)
{
    auto colon = text.rfind(':');
    int port = 0;
    return colon != std::string::npos && colon > 0 && parseInt(text.substr(colon + 1), 1, 65535, port);
}

bool validCommunity(const std::string &text)
{
    if (text.empty() || text.size() > 64)
        return false;
    for (unsigned char c : text)
        if (c <= 0x20 || c >= 0x7f || c == '"' || c == '#')
            return false;
    return true;
}

bool validCountry(const std::string &text)
{
    return text.size() == 2 && std::isupper(static_cast<unsigned char>(text[0])) &&
           std::isupper(static_cast<unsigned char>(text[1]));
}

} // namespace

std::string SimulatorOptions::usage()
{
    return "Usage: trb4820-sim [options]\n"
           "A simulated TRB-4820 access point: an SNMPv2c agent on UDP.\n"
           "\n"
           "  --listen HOST:PORT       address to serve (default 127.0.0.1:16161)\n"
           "  --state FILE             saved configuration file (default " + defaultStatePath() + ")\n"
           "  --read-community NAME    read-only community (default public)\n"
           "  --write-community NAME   read-write community (default private)\n"
           "  --reboot-seconds N       how long a reboot keeps the device silent (default 5)\n"
           "  --clients N              associated wireless stations (default 5, at most 65535)\n"
           "  --long-names             stations and neighbours use 32-character SSIDs, the longest\n"
           "                           valid, to see lists at their widest\n"
           "  --country CODE           regulatory domain, which sets the channel lists (default US)\n"
           "  --model NAME             model name the device reports (default TRB-4820); another\n"
           "                           model refuses TRB-4820 firmware images as wrongImage\n"
           "  --neighbours N           access points a site survey finds on each band (default 12,\n"
           "                           at most 255)\n"
           "  --survey-seed N          seed of the simulated neighbourhood and wired MACs (default 4820)\n"
           "  --counter-start N        traffic counters begin at N (0 to 4294967295, default 0)\n"
           "  --tftp-port N            port of the PC's TFTP server for file transfers (default 69)\n"
           "  --tftp-delay-ms N        a slow link: the device's TFTP client waits N ms (0 to 10000)\n"
           "                           before each acknowledgement or window of blocks it sends\n"
           "  --tftp-lockstep          the device's TFTP client offers no options: 512-byte blocks,\n"
           "                           one block per acknowledgement\n"
           "  --drop-percent P         faults: leave P percent of requests unanswered\n"
           "  --delay-ms N             faults: answer each request N ms late\n"
           "  --oversize-strings       faults: answer string objects with 5000-byte strings\n"
           "  --wrong-types            faults: answer objects with the wrong SMI type\n"
           "  --wrong-type-object NAME faults: answer only this object with the wrong SMI type\n"
           "  --control PATH           faults a test changes while the simulator runs, through a Unix\n"
           "                           socket at PATH (owner only): connect, send one command line,\n"
           "                           read one answer line. Commands:\n"
           + std::string(FaultPlan::usage()) +
           "                           Each fault applied is logged on stderr with the request it hit.\n"
           "  --help                   show this text\n"
           "  --version                show the version\n";
}

std::string SimulatorOptions::listenHost() const
{
    std::string host = listen.substr(0, listen.rfind(':'));
    if (host.rfind("udp:", 0) == 0)
        host.erase(0, 4);
    return host;
}

std::string SimulatorOptions::defaultStatePath()
{
    if (const char *data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/trb4820-sim/state.ini";
    if (const char *home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share/trb4820-sim/state.ini";
    return "trb4820-sim-state.ini";
}

std::optional<SimulatorOptions> SimulatorOptions::parse(const std::vector<std::string> &args, std::string &error)
{
    SimulatorOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        auto flag = [&](bool &target) {
            if (inlineValue) {
                error = "option " + name + " takes no value";
                return false;
            }
            target = true;
            return true;
        };
        auto value = [&](std::string &target) {
            if (inlineValue) {
                target = *inlineValue;
            } else if (i + 1 < args.size()) {
                target = args[++i];
            } else {
                error = "option " + name + " needs a value";
                return false;
            }
            return true;
        };
        auto number = [&](int low, int high, int &target) {
            std::string text;
            if (!value(text))
                return false;
            if (!parseInt(text, low, high, target)) {
                error = "option " + name + " needs a whole number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not '" + text + "'";
                return false;
            }
            return true;
        };
        bool ok = false;
        if (name == "--help" || name == "-h") {
            ok = flag(options.help);
        } else if (name == "--version") {
            ok = flag(options.version);
        } else if (name == "--listen") {
            ok = value(options.listen);
            if (ok && !validListen(options.listen)) {
                error = "--listen needs HOST:PORT with a port from 1 to 65535, not '" + options.listen + "'";
                ok = false;
            }
        } else if (name == "--state") {
            ok = value(options.statePath);
            if (ok && options.statePath.empty()) {
                error = "--state needs a file name";
                ok = false;
            }
        } else if (name == "--read-community" || name == "--write-community") {
            std::string &target = name == "--read-community" ? options.readCommunity : options.writeCommunity;
            ok = value(target);
            if (ok && !validCommunity(target)) {
                error = name + " needs 1 to 64 printable characters without spaces, quotes or '#'";
                ok = false;
            }
        } else if (name == "--tftp-port") {
            ok = number(1, 65535, options.tftpPort);
        } else if (name == "--tftp-delay-ms") {
            ok = number(0, 10000, options.tftpDelayMs);
        } else if (name == "--tftp-lockstep") {
            ok = flag(options.tftpLockstep);
        } else if (name == "--reboot-seconds") {
            ok = number(0, 3600, options.rebootSeconds);
        } else if (name == "--long-names") {
            ok = flag(options.longNames);
        } else if (name == "--clients") {
            ok = number(0, 65535, options.clients);
        } else if (name == "--model") {
            ok = value(options.model);
            if (ok && (options.model.empty() || options.model.size() > 15
                       || options.model.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.") != std::string::npos)) {
                error = "--model needs 1 to 15 letters, digits, '-', '_' or '.', not '" + options.model + "'";
                ok = false;
            }
        } else if (name == "--country") {
            ok = value(options.country);
            if (ok && !validCountry(options.country)) {
                error = "--country needs two upper-case letters such as US, JP or EG, not '" + options.country + "'";
                ok = false;
            }
        } else if (name == "--neighbours") {
            ok = number(0, Neighbourhood::kMaxCount, options.neighbours);
        } else if (name == "--survey-seed") {
            ok = number(0, 2147483647, options.surveySeed);
        } else if (name == "--counter-start") {
            std::string text;
            ok = value(text);
            if (ok && !parseCounter(text, options.counterStart)) {
                error = "--counter-start needs a whole number from 0 to 4294967295, not '" + text + "'";
                ok = false;
            }
        } else if (name == "--drop-percent") {
            ok = number(0, 100, options.dropPercent);
        } else if (name == "--delay-ms") {
            ok = number(0, 600000, options.delayMs);
        } else if (name == "--control") {
            ok = value(options.controlPath);
            if (ok && options.controlPath.empty()) {
                error = "--control needs a socket path";
                ok = false;
            }
        } else if (name == "--oversize-strings") {
            ok = flag(options.oversizeStrings);
        } else if (name == "--wrong-types") {
            ok = flag(options.wrongTypes);
        } else if (name == "--wrong-type-object") {
            ok = value(options.wrongTypeObject);
            if (ok && !schema::findObject(options.wrongTypeObject)) {
                error = "--wrong-type-object needs an object of the MIB, not '" + options.wrongTypeObject + "'";
                ok = false;
            }
        } else {
            error = "unknown option '" + args[i] + "'";
        }
        if (!ok)
            return std::nullopt;
    }
    if (options.statePath.empty())
        options.statePath = defaultStatePath();
    return options;
}

} // namespace trb::sim
