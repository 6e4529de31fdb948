#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

Subtree lan()
{
    return {
        {Group("trbLan", {2}, "Address settings of the wired interface.")},
        {},
        {
            Enum("trbLanAddressMode", {2, 1}, "static(0),dhcp(1)").writable().setting()
                .describe("How the device gets its address: set by hand, or from a DHCP server."),
            Ip("trbLanIpAddress", {2, 2}).writable().setting().describe("IPv4 address of the device."),
            Ip("trbLanSubnetMask", {2, 3}).writable().setting().describe("Subnet mask of the device."),
            Ip("trbLanGateway", {2, 4}).writable().setting().describe("Default gateway; 0.0.0.0 when there is none."),
        },
    };
}

} // namespace trb::schema::subtrees
