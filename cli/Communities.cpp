#include "Communities.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace trb::ctl {
namespace {

// What the device can hold as a community: printable ASCII without blanks.
bool IsCommunity(const std::string &text)
{
    if (text.empty() || text.size() > 64)
        return false;
    for (const unsigned char c : text)
        if (c <= 0x20 || c >= 0x7f)
            return false;
    return true;
}

} // namespace

std::optional<Communities> Communities::Resolve(const std::optional<std::string> &readOption,
                                                const std::optional<std::string> &writeOption,
                                                const std::string &filePath, std::string &error)
{
    Communities communities;
    if (const char *read = std::getenv(kReadVariable); read && *read)
        communities.read = read;
    if (const char *write = std::getenv(kWriteVariable); write && *write)
        communities.write = write;
    if (!filePath.empty() && !communities.LoadFile(filePath, error))
        return std::nullopt;
    if (readOption)
        communities.read = *readOption;
    if (writeOption)
        communities.write = *writeOption;
    if (!IsCommunity(communities.read) || !IsCommunity(communities.write)) {
        error = "a community is 1 to 64 printable characters without blanks";
        return std::nullopt;
    }
    return communities;
}

bool Communities::LoadFile(const std::string &path, std::string &error)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "cannot read the communities file " + path;
        return false;
    }
    // Secrets in a file others can read are no secrets: refuse rather than use them.
    if ((info.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", unsigned(info.st_mode & 07777));
        error = "the communities file " + path + " has mode " + mode + "; it must be 0600 (chmod 600 " + path + ")";
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the communities file " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const auto equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        if (key == "read" && IsCommunity(value))
            read = value;
        else if (key == "write" && IsCommunity(value))
            write = value;
        else {
            error = path + ":" + std::to_string(number) + ": expected read=NAME or write=NAME";
            return false;
        }
    }
    return true;
}

} // namespace trb::ctl
