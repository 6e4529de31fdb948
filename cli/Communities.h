#pragma once
// The read and write communities: from the command line, else a file only its owner may read,
// else the environment, else the simulator's and the factory's defaults.
#include <optional>
#include <string>

namespace trb::ctl {

struct Communities {
    std::string read = "public";
    std::string write = "private";

    static constexpr const char *kReadVariable = "TRB4820_READ_COMMUNITY";
    static constexpr const char *kWriteVariable = "TRB4820_WRITE_COMMUNITY";

    // filePath may be empty; an option value is used when set. Nothing, with the reason in
    // error, for a file others may read or one with a line other than read=NAME / write=NAME.
    static std::optional<Communities> Resolve(const std::optional<std::string> &readOption,
                                              const std::optional<std::string> &writeOption,
                                              const std::string &filePath, std::string &error);

private:
    bool LoadFile(const std::string &path, std::string &error);
};

} // namespace trb::ctl
