#pragma once
// One device of a fleet as the user names it: "host" or "host:port".
#include <optional>
#include <string>
#include <vector>

namespace trb::ctl {

struct DeviceAddress {
    std::string text; // as given, which is how every report names the device
    std::string host;
    int port = 161;

    // Nothing, with the reason in error, for a text that is not "host" or "host:port".
    static std::optional<DeviceAddress> Parse(const std::string &text, std::string &error);
    // One address a line; blank lines and "#" comments are skipped. Nothing, with the file's
    // name and line in error, when the file cannot be read or a line is not an address.
    static std::optional<std::vector<DeviceAddress>> LoadFile(const std::string &path, std::string &error);
    // The host as dotted IPv4 (resolved), or empty with the resolver's text in error.
    std::string Ipv4(std::string &error) const;
    // The address as part of a file name: "host" or "host_port".
    std::string FileStem() const;
};

} // namespace trb::ctl
