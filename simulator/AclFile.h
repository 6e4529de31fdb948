#pragma once
// The ACL file the device uploads and downloads: one MAC address a line. Written as
// xx:xx:xx:xx:xx:xx with "\n" line ends; read leniently (separators ':' or '-' or none, CRLF,
// blank lines) but refused whole when one line is not a station's address.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trb::sim {

class AclFile {
public:
    using Mac = std::array<uint8_t, 6>;

    static constexpr std::size_t kMaxEntries = 256;

    static std::vector<uint8_t> encode(const std::vector<Mac> &macs);
    // The file's MACs in file order, each once; false with `error` naming the first bad line
    // (or the count), `macs` then unchanged.
    static bool decode(const std::vector<uint8_t> &file, std::vector<Mac> &macs, std::string &error);

    // Six octets from 12 hex digits, alone or in pairs separated by ':' or '-' throughout.
    static bool parseLine(const std::string &line, Mac &mac);
    // A station's address: neither multicast (nor broadcast) nor all zeros.
    static bool isStation(const Mac &mac);
};

} // namespace trb::sim
