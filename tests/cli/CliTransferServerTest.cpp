// The run's one TFTP server with several devices' transfers admitted at once: each device gets
// its own file, from its own address, while its transfer lasts, and nothing else.
#include <gtest/gtest.h>

#include "ScriptedClient.h"
#include "TempDirectory.h"
#include "TransferServer.h"

namespace {

using Clock = std::chrono::steady_clock;
using trb::ctl::TransferServer;

TEST(CliTransferServer, EachDeviceIsServedOnlyItsOwnFile)
{
    tftptest::TempDirectory root;
    const auto image = tftptest::RandomBytes(200000, 3);
    tftptest::WriteFile(root / "a.bin", image);
    tftptest::WriteFile(root / "b.bin", image);
    TransferServer server;
    std::string error;
    ASSERT_TRUE(server.Start("127.0.0.1", 0, root.Path().string(), error)) << error;
    const uint64_t a = server.Expect("127.0.0.2", "a.bin", false);
    const uint64_t b = server.Expect("127.0.0.3", "b.bin", false);
    const uint64_t c = server.Expect("127.0.0.4", "c.dcf", true);
    ASSERT_TRUE(a && b && c);

    const struct {
        const char *from;
        const char *file;
        bool put;
        int error; // -1: served
    } cases[] = {
        {"127.0.0.3", "a.bin", false, tftp::kFileNotFound}, // another device's file
        {"127.0.0.5", "a.bin", false, tftp::kAccessViolation}, // a device with no transfer
        {"127.0.0.2", "a.bin", true, tftp::kAccessViolation},  // the wrong way
        {"127.0.0.2", "a.bin", false, -1},
        {"127.0.0.3", "b.bin", false, -1},
        {"127.0.0.4", "c.dcf", true, -1},
    };
    for (const auto &request : cases) {
        tftptest::ScriptedClient client(server.Port(), request.from);
        const int code = request.put ? client.Put(request.file, image) : client.Fetch(request.file).errorCode;
        EXPECT_EQ(code, request.error) << request.from << " " << request.file;
    }
    const auto now = Clock::now();
    for (const uint64_t token : {a, b, c})
        EXPECT_TRUE(server.Wait(token, now, now + std::chrono::seconds(5)).complete) << token;
    EXPECT_EQ(tftptest::ReadFile(root / "c.dcf"), image);

    // Once a device's transfer is over, its file is not served again.
    server.End(a);
    tftptest::ScriptedClient late(server.Port(), "127.0.0.2");
    EXPECT_EQ(late.Fetch("a.bin").errorCode, tftp::kAccessViolation);
}

// Every wait ends: a device that never starts its transfer is reported so.
TEST(CliTransferServer, AWaitForATransferThatNeverStartsEnds)
{
    tftptest::TempDirectory root;
    TransferServer server;
    std::string error;
    ASSERT_TRUE(server.Start("127.0.0.1", 0, root.Path().string(), error)) << error;
    const uint64_t token = server.Expect("127.0.0.2", "x.bin", false);
    const auto start = Clock::now();
    const auto result = server.Wait(token, start + std::chrono::milliseconds(200), start + std::chrono::seconds(5));
    EXPECT_FALSE(result.complete);
    EXPECT_NE(result.error.find("did not start"), std::string::npos) << result.error;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

} // namespace
