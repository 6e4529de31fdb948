#include "NetSnmpTool.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace trb::test {
namespace {

std::string quoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string scratchDirectory()
{
    static const std::string dir = [] {
        auto path = std::filesystem::temp_directory_path() / "trb4820-netsnmp-tool";
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return dir;
}

} // namespace

ToolResult NetSnmpTool::run(const std::string &tool, const std::string &community, const std::string &address,
                            const std::vector<std::string> &arguments, const std::vector<std::string> &options)
{
    const std::string scratch = scratchDirectory();
    std::string command = "env -u MIBS -u MIBDIRS SNMP_PERSISTENT_DIR=" + quoted(scratch) +
                          " SNMPCONFPATH=" + quoted(scratch) + " " + tool + " -v2c -r0 -t2 -c " +
                          quoted(community) + " -m TRB4820-MIB -M +" + quoted(TRB4820_MIB_DIR);
    for (const auto &option : options)
        command += " " + quoted(option);
    command += " " + quoted(address);
    for (const auto &argument : arguments)
        command += " " + quoted(argument);
    command += " 2>&1";
    ToolResult result;
    FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool NetSnmpTool::available(const std::string &tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace trb::test
