#include "IpMaskGatewayCheck.h"
#include "RecordingMessageBox.h"

#include <gtest/gtest.h>

using namespace trb;

namespace {

const char kHostZero[] =
    "The combination of IP address and subnet mask is invalid.\n"
    "All of the bits in the host address portion of the IP address are set to be 0.\n"
    "Please enter a valid combination of IP address and subnet mask.";
const char kHostOne[] =
    "The combination of IP address and subnet mask is invalid.\n"
    "All of the bits in the host address portion of the IP address are set to be 1.\n"
    "Please enter a valid combination of IP address and subnet mask.";

struct Refused {
    const char *address;
    const char *mask;
    const char *gateway;
    const char *message;
};

} // namespace

TEST(CheckIpMaskGateway, AcceptsSoundCombinationsSilently)
{
    RecordingMessageBox messages;
    const char *const accepted[][3] = {
        {"192.168.0.50", "255.255.255.0", "0.0.0.0"},
        {"192.168.0.50", "255.255.255.0", ""},
        {"192.168.0.50", "255.255.255.0", "   "},
        {"192.168.0.50", "255.255.255.0", "192.168.0.1"},
        {"192.168.0.50", "255.255.255.0", "192.168.0.254"},
        {"10.0.0.1", "255.255.255.252", "10.0.0.2"},
        {"10.1.2.3", "255.0.0.0", "10.255.255.254"},
    };
    for (const auto &c : accepted)
        EXPECT_TRUE(CheckIpMaskGateway(c[0], c[1], c[2])) << c[0] << " " << c[1] << " " << c[2];
    EXPECT_EQ(messages.count(), 0);
}

TEST(CheckIpMaskGateway, ShowsExactlyOneMessageForTheFirstProblem)
{
    const Refused cases[] = {
        {"255.255.255.5", "255.255.255.0", "0.0.0.0", "Subnet number for the whole one, not legal."},
        {"0.0.0.5", "255.255.255.0", "0.0.0.0", "Subnet number is all zero, illegal."},
        {"garbage", "255.255.255.0", "0.0.0.0", "Subnet number is all zero, illegal."},
        {"192.168.0.5 ", "255.255.255.0", "0.0.0.0", "This IP Address and mask do not match."},
        {"192.168.0.256", "255.255.255.0", "0.0.0.0", "This IP Address and mask do not match."},
        {"192.168.0.0", "255.255.255.0", "0.0.0.0", kHostZero},
        {"192.168.0.255", "255.255.255.0", "0.0.0.0", kHostOne},
        {"172.16.5.4", "255.255.255.254", "0.0.0.0", kHostZero}, // a /31 has no usable host
        // A bad gateway does not add a second message to an address problem.
        {"192.168.0.255", "255.255.255.0", "192.168.0.255", kHostOne},
        {"192.168.0.50", "255.255.255.0", "192.168.0.255", "Invalid Gateway address!"},
        {"192.168.0.50", "255.255.255.0", "192.168.0.0", "Invalid Gateway address!"},
        {"192.168.0.50", "255.255.255.0", "10.0.0.1", "Invalid Gateway address!"},
        {"192.168.0.50", "255.255.255.0", "192.168.0", "Invalid Gateway address!"},
        {"192.168.0.50", "255.255.255.0", "N/A", "Invalid Gateway address!"},
    };
    for (const Refused &c : cases) {
        RecordingMessageBox messages;
        EXPECT_FALSE(CheckIpMaskGateway(c.address, c.mask, c.gateway))
            << c.address << " " << c.mask << " " << c.gateway;
        ASSERT_EQ(messages.count(), 1) << c.address << " " << c.gateway;
        EXPECT_EQ(messages.last().text, QString(c.message)) << c.address << " " << c.gateway;
        EXPECT_EQ(messages.last().title, "TRB-4820");
        EXPECT_EQ(messages.last().icon, MessageIcon::None);
        EXPECT_EQ(messages.last().buttons, MessageButtons::Ok);
    }
}

TEST(CheckIpMaskGateway, SmallestSubnetsKeepTheirOneHost)
{
    RecordingMessageBox messages;
    // /30: .1 and .2 are hosts, .0 and .3 are not.
    EXPECT_TRUE(CheckIpMaskGateway("10.0.0.2", "255.255.255.252", "10.0.0.1"));
    EXPECT_FALSE(CheckIpMaskGateway("10.0.0.3", "255.255.255.252", "0.0.0.0"));
    EXPECT_FALSE(CheckIpMaskGateway("10.0.0.1", "255.255.255.252", "10.0.0.3"));
    EXPECT_EQ(messages.texts(), QStringList({kHostOne, "Invalid Gateway address!"}));
}
