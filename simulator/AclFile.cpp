#include "AclFile.h"

#include <algorithm>
#include <cstdio>

namespace trb::sim {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string trimmed(std::string line)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.back()))
        line.pop_back();
    const auto first = std::find_if_not(line.begin(), line.end(), blank);
    return std::string(first, line.end());
}

} // namespace

std::vector<uint8_t> AclFile::encode(const std::vector<Mac> &macs)
{
    std::vector<uint8_t> file;
    for (const Mac &mac : macs) {
        char line[19];
        std::snprintf(line, sizeof line, "%02x:%02x:%02x:%02x:%02x:%02x\n", mac[0], mac[1], mac[2], mac[3], mac[4],
                      mac[5]);
        file.insert(file.end(), line, line + 18);
    }
    return file;
}

bool AclFile::parseLine(const std::string &line, Mac &mac)
{
    std::string digits;
    if (line.size() == 17) {
        const char separator = line[2];
        if (separator != ':' && separator != '-')
            return false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i % 3 == 2 ? line[i] != separator : hexDigit(line[i]) < 0)
                return false;
            if (i % 3 != 2)
                digits += line[i];
        }
    } else if (line.size() == 12) {
        digits = line;
    } else {
        return false;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        const int high = hexDigit(digits[2 * i]), low = hexDigit(digits[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        mac[i] = uint8_t(high << 4 | low);
    }
    return true;
}

bool AclFile::isStation(const Mac &mac)
{
    return (mac[0] & 0x01) == 0 && std::any_of(mac.begin(), mac.end(), [](uint8_t b) { return b != 0; });
}

bool AclFile::decode(const std::vector<uint8_t> &file, std::vector<Mac> &macs, std::string &error)
{
    std::vector<Mac> found;
    std::size_t lineNumber = 0;
    for (auto begin = file.begin(); begin != file.end();) {
        const auto end = std::find(begin, file.end(), uint8_t('\n'));
        const std::string line = trimmed(std::string(begin, end));
        begin = end == file.end() ? end : end + 1;
        ++lineNumber;
        if (line.empty())
            continue;
        Mac mac{};
        if (!parseLine(line, mac)) {
            error = "line " + std::to_string(lineNumber) + ": not a MAC address";
            return false;
        }
        if (!isStation(mac)) {
            error = "line " + std::to_string(lineNumber) + ": multicast or all-zero MAC address";
            return false;
        }
        if (std::find(found.begin(), found.end(), mac) != found.end())
            continue; // listed twice: kept once
        if (found.size() == kMaxEntries) {
            error = "line " + std::to_string(lineNumber) + ": more than " + std::to_string(kMaxEntries) +
                    " MAC addresses";
            return false;
        }
        found.push_back(mac);
    }
    macs = std::move(found);
    return true;
}

} // namespace trb::sim
