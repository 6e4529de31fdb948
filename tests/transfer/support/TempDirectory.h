#pragma once
// A fresh directory under /tmp, removed with everything in it at the end of the test.
#include <filesystem>
#include <string>
#include <vector>

namespace tftptest {

class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory &) = delete;
    TempDirectory &operator=(const TempDirectory &) = delete;

    const std::filesystem::path &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::string &path, const std::vector<std::uint8_t> &bytes);
std::vector<std::uint8_t> ReadFile(const std::string &path);
std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned seed = 1);

} // namespace tftptest
