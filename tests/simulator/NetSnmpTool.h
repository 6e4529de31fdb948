#pragma once
// Runs a Net-SNMP command-line tool (snmpget, snmpset, snmpwalk) with TRB4820-MIB loaded from
// the source tree, away from the user's snmp.conf and persistent files.
#include <string>
#include <vector>

namespace trb::test {

struct ToolResult {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

class NetSnmpTool {
public:
    // e.g. run("snmpset", "private", address, {"trbArpGatewayStatus.1", "i", "createAndGo"})
    // `options` go before the address (e.g. "-Ir").
    static ToolResult run(const std::string &tool, const std::string &community, const std::string &address,
                          const std::vector<std::string> &arguments, const std::vector<std::string> &options = {});
    static bool available(const std::string &tool);
};

} // namespace trb::test
