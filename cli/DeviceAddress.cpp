#include "DeviceAddress.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <fstream>

namespace trb::ctl {

std::optional<DeviceAddress> DeviceAddress::Parse(const std::string &text, std::string &error)
{
    DeviceAddress address;
    address.text = text;
    address.host = text;
    const auto colon = text.find(':');
    if (colon != std::string::npos) {
        address.host = text.substr(0, colon);
        const std::string digits = text.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos
            || std::stoi(digits) < 1 || std::stoi(digits) > 65535) {
            error = "'" + text + "' is not host or host:port (the port is 1 to 65535)";
            return std::nullopt;
        }
        address.port = std::stoi(digits);
    }
    const bool hostOk = !address.host.empty() && address.host.size() <= 253
        && address.host.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-")
               == std::string::npos;
    if (!hostOk) {
        error = "'" + text + "' is not host or host:port";
        return std::nullopt;
    }
    return address;
}

std::optional<std::vector<DeviceAddress>> DeviceAddress::LoadFile(const std::string &path, std::string &error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the device list " + path;
        return std::nullopt;
    }
    std::vector<DeviceAddress> devices;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        std::string reason;
        auto address = Parse(line, reason);
        if (!address) {
            error = path + ":" + std::to_string(number) + ": " + reason;
            return std::nullopt;
        }
        devices.push_back(*address);
    }
    return devices;
}

std::string DeviceAddress::Ipv4(std::string &error) const
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    if (const int code = ::getaddrinfo(host.c_str(), nullptr, &hints, &found); code != 0 || !found) {
        error = host + ": " + ::gai_strerror(code);
        return {};
    }
    char dotted[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in *>(found->ai_addr)->sin_addr, dotted, sizeof dotted);
    ::freeaddrinfo(found);
    return dotted;
}

std::string DeviceAddress::FileStem() const
{
    return text.find(':') == std::string::npos ? host : host + "_" + std::to_string(port);
}

} // namespace trb::ctl
