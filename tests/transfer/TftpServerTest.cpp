// The server against a scripted client on loopback: loss, repeats, wrong ports, rollover,
// hostile names and interrupted uploads.
#include "ScriptedClient.h"
#include "TempDirectory.h"
#include "RootDirectory.h"
#include "TftpServerCore.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace tftp;
using namespace tftptest;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

class TftpServerTest : public ::testing::Test {
protected:
    void StartServer(unsigned timeoutMs = 2000, int retries = 3)
    {
        server.SetRoot(root.Path().string());
        server.SetTimeout(timeoutMs, retries);
        std::string error;
        ASSERT_TRUE(server.Start("127.0.0.1", 0, error)) << error;
    }
    void SetUp() override { StartServer(); }

    std::vector<std::string> RootListing() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(root.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDirectory root;
    TempDirectory outside;
    TftpServerCore server;
};

// Skips packets until one of the wanted kind arrives (or nothing more does).
std::optional<Packet> NextOf(ScriptedClient &client, Opcode opcode, std::chrono::milliseconds timeout = 2000ms)
{
    while (auto packet = client.Next(timeout))
        if (packet->opcode == opcode)
            return packet;
    return std::nullopt;
}

} // namespace

TEST_F(TftpServerTest, ServesFilesLockStepAndWindowedWithRollover)
{
    const auto small = RandomBytes(1024, 1);  // exact multiple: ends with an empty block
    const auto many = RandomBytes(8 * 70000 + 3, 2);  // 70001 blocks of 8 bytes: wraps past 65535
    WriteFile(root / "small.bin", small);
    WriteFile(root / "many.bin", many);

    ScriptedClient lockStep(server.BoundPort());
    const FetchResult first = lockStep.Fetch("small.bin");
    EXPECT_EQ(first.errorCode, -1) << first.errorMessage;
    EXPECT_EQ(first.bytes, small);
    EXPECT_EQ(first.dataPackets, 3);

    ScriptedClient windowed(server.BoundPort());
    const FetchResult second = windowed.Fetch("many.bin", {{"blksize", "8"}, {"windowsize", "64"}});
    EXPECT_EQ(second.errorCode, -1) << second.errorMessage;
    EXPECT_TRUE(second.bytes == many);
    EXPECT_EQ(second.dataPackets, 70001);
}

TEST_F(TftpServerTest, DuplicateAcksNeverCauseAResend)
{
    WriteFile(root / "three.bin", RandomBytes(1200, 3));
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Rrq, "three.bin");
    ASSERT_EQ(NextOf(client, Opcode::Data)->block, 1);
    client.Send(BuildAck(1));
    client.Send(BuildAck(1));
    client.Send(BuildAck(1));
    ASSERT_EQ(NextOf(client, Opcode::Data)->block, 2);
    EXPECT_FALSE(client.Next(400ms)) << "a duplicate ACK made the server send again";
    client.Send(BuildAck(2));
    client.Send(BuildAck(1));  // stale
    const auto last = NextOf(client, Opcode::Data);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->block, 3);
    EXPECT_EQ(last->dataSize, 1200u - 1024u);
    EXPECT_FALSE(client.Next(400ms));
}

TEST_F(TftpServerTest, WrongSourcePortGetsError5AndTransferGoesOn)
{
    const auto bytes = RandomBytes(1500, 4);
    WriteFile(root / "file.bin", bytes);
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Rrq, "file.bin");
    ASSERT_EQ(NextOf(client, Opcode::Data)->block, 1);

    UdpEndpoint intruder;
    intruder.SendTo(client.TransferPort(), BuildAck(1));
    const auto answer = intruder.Receive(2000ms);
    ASSERT_TRUE(answer);
    const auto error = ParsePacket(answer->bytes.data(), answer->bytes.size());
    ASSERT_TRUE(error && error->opcode == Opcode::Error);
    EXPECT_EQ(error->errorCode, kUnknownTransferId);
    EXPECT_FALSE(client.Next(300ms)) << "the intruder's ACK moved our transfer";

    client.Send(BuildAck(1));
    EXPECT_EQ(NextOf(client, Opcode::Data)->block, 2);
    client.Send(BuildAck(2));
    EXPECT_EQ(NextOf(client, Opcode::Data)->block, 3);
    client.Send(BuildAck(3));
}

TEST_F(TftpServerTest, WindowRestartsAfterTheLastBlockReceived)
{
    WriteFile(root / "ten.bin", RandomBytes(512 * 10 + 1, 5));
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Rrq, "ten.bin", {{"windowsize", "4"}});
    ASSERT_TRUE(NextOf(client, Opcode::Oack));
    client.Send(BuildAck(0));
    for (int block = 1; block <= 4; ++block)
        ASSERT_EQ(NextOf(client, Opcode::Data)->block, block);
    // Block 3 "was lost": the client acknowledges 2, and the new window starts at 3 at once.
    client.Send(BuildAck(2));
    for (int block = 3; block <= 6; ++block)
        ASSERT_EQ(NextOf(client, Opcode::Data, 500ms)->block, block);
    EXPECT_FALSE(client.Next(300ms));
}

TEST_F(TftpServerTest, RepeatedRequestRecoversALostOackOnTheSameTransfer)
{
    WriteFile(root / "f.bin", RandomBytes(100, 6));
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Rrq, "f.bin", {{"blksize", "1024"}, {"tsize", "0"}});
    const auto first = NextOf(client, Opcode::Oack);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first->FindOption("tsize"), "100");
    const std::uint16_t transferPort = client.TransferPort();
    // The OACK "was lost": the client asks again and gets it from the same transfer, well
    // before the server's own 2 s time-out.
    client.SendRequest(Opcode::Rrq, "f.bin", {{"blksize", "1024"}, {"tsize", "0"}});
    const auto datagram = client.Endpoint().Receive(500ms);
    ASSERT_TRUE(datagram);
    EXPECT_EQ(datagram->fromPort, transferPort);
    client.Send(BuildAck(0));
    const auto data = NextOf(client, Opcode::Data);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->dataSize, 100u);
    client.Send(BuildAck(1));
}

TEST_F(TftpServerTest, LostFinalAckIsAnsweredAgainAfterAnUpload)
{
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Wrq, "up.bin");
    ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 0);
    const auto bytes = RandomBytes(700, 7);
    client.Send(BuildData(1, bytes.data(), 512));
    ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 1);
    client.Send(BuildData(2, bytes.data() + 512, 188));
    ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 2);
    EXPECT_EQ(ReadFile(root / "up.bin"), bytes);
    client.Send(BuildData(2, bytes.data() + 512, 188));  // our ACK "was lost"
    EXPECT_EQ(NextOf(client, Opcode::Ack, 500ms)->block, 2);
}

TEST_F(TftpServerTest, WindowedUploadRecoversFromReorderAndGap)
{
    const auto bytes = RandomBytes(512 * 6 + 10, 8);
    auto block = [&](int n) {
        const std::size_t offset = std::size_t(n - 1) * 512;
        return BuildData(std::uint16_t(n), bytes.data() + offset, std::min<std::size_t>(512, bytes.size() - offset));
    };
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Wrq, "w.bin", {{"windowsize", "4"}});
    ASSERT_TRUE(NextOf(client, Opcode::Oack));
    client.Send(block(1));
    client.Send(block(2));
    client.Send(block(4));  // 3 and 4 swapped: the server says where to start again
    client.Send(block(3));
    EXPECT_EQ(NextOf(client, Opcode::Ack)->block, 2);
    EXPECT_FALSE(client.Next(300ms)) << "more than one ACK for one gap";
    for (int n = 3; n <= 6; ++n)
        client.Send(block(n));
    EXPECT_EQ(NextOf(client, Opcode::Ack)->block, 6);
    client.Send(block(7));
    EXPECT_EQ(NextOf(client, Opcode::Ack)->block, 7);
    EXPECT_EQ(ReadFile(root / "w.bin"), bytes);
}

TEST_F(TftpServerTest, NamesOutsideTheRootAreRefused)
{
    WriteFile(outside / "secret", {'s'});
    WriteFile(root / "inside.bin", {'i'});
    fs::create_directory(root.Path() / "sub");
    fs::create_symlink(outside / "secret", root.Path() / "link-out");
    fs::create_directory_symlink(outside.Path(), root.Path() / "dir-out");
    fs::create_symlink("inside.bin", root.Path() / "link-in");
    ASSERT_EQ(::mkfifo((root / "fifo").c_str(), 0600), 0);

    for (const std::string &name : std::vector<std::string>{"../secret", "sub/../../secret", "/etc/passwd", root / "inside.bin",
                                   "link-out", "dir-out/secret", "..", "sub", "fifo", "sub/"}) {
        ScriptedClient client(server.BoundPort());
        EXPECT_EQ(client.Fetch(name).errorCode, kAccessViolation) << name;
    }
    for (const std::string name : {"../new", "dir-out/new", "/tmp/new", "link-out", "sub"}) {
        ScriptedClient client(server.BoundPort());
        const int error = client.Put(name, {'x'});
        if (name == "link-out") {
            // Replacing a symbolic link replaces the link itself, inside the root.
            EXPECT_EQ(error, -1);
            EXPECT_FALSE(fs::is_symlink(root.Path() / "link-out"));
        } else {
            EXPECT_EQ(error, kAccessViolation) << name;
        }
    }
    EXPECT_EQ(ReadFile(outside / "secret"), std::vector<std::uint8_t>{'s'});
    EXPECT_FALSE(fs::exists(outside.Path() / "new"));

    ScriptedClient missing(server.BoundPort());
    EXPECT_EQ(missing.Fetch("nothing-here").errorCode, kFileNotFound);
    ScriptedClient inside(server.BoundPort());
    EXPECT_EQ(inside.Fetch("link-in").bytes, std::vector<std::uint8_t>{'i'}) << "links inside the root still work";
}

TEST_F(TftpServerTest, InterruptedUploadLeavesThePreviousFile)
{
    server.Stop();
    StartServer(150, 1);
    const std::vector<std::uint8_t> previous = {'o', 'l', 'd'};
    WriteFile(root / "config.dcf", previous);
    ::chmod((root / "config.dcf").c_str(), 0600);

    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Wrq, "config.dcf");
    ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 0);
    const auto bytes = RandomBytes(512 * 20, 9);
    for (int block = 1; block <= 10; ++block) {
        client.Send(BuildData(std::uint16_t(block), bytes.data() + (block - 1) * 512, 512));
        ASSERT_EQ(NextOf(client, Opcode::Ack)->block, block);
    }
    EXPECT_EQ(ReadFile(root / "config.dcf"), previous) << "replaced before the upload was complete";
    // The client goes silent half way; the server gives up after its retries.
    const auto error = NextOf(client, Opcode::Error, 2000ms);
    ASSERT_TRUE(error);
    EXPECT_EQ(ReadFile(root / "config.dcf"), previous);
    EXPECT_EQ(RootListing(), std::vector<std::string>{"config.dcf"}) << "temporary file left behind";

    // A complete upload replaces it and keeps its permissions.
    ScriptedClient again(server.BoundPort());
    EXPECT_EQ(again.Put("config.dcf", bytes), -1);
    EXPECT_EQ(ReadFile(root / "config.dcf"), bytes);
    EXPECT_EQ(fs::status(root.Path() / "config.dcf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(UploadTemporaryName, OnlyTheExactPatternTheServerGenerates)
{
    for (const char *name : {".config.dcf.123456789.part", ".a.0.part", ".x.7.part", "..hidden.42.part"})
        EXPECT_TRUE(RootDirectory::IsUploadTemporaryName(name)) << name;
    for (const char *name : {"x.part", ".x.part", ".part", "..5.part", "...5.part", "config.dcf.123.part",
                             ".x.12a.part", ".x.0123.part", ".x.1234567890.part", ".x.-1.part",
                             ".x.123.part.old", ".x.123.PART", ".x..part", ".x.123part"})
        EXPECT_FALSE(RootDirectory::IsUploadTemporaryName(name)) << name;
}

TEST_F(TftpServerTest, SettingTheRootAgainKeepsTheTemporaryOfALiveUpload)
{
    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Wrq, "live.bin");
    ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 0);
    const auto bytes = RandomBytes(512 * 3 + 10, 4);
    client.Send(BuildData(1, bytes.data(), 512));
    ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 1);
    ASSERT_EQ(RootListing().size(), 1u);
    const std::string temporary = RootListing().front();
    ASSERT_TRUE(RootDirectory::IsUploadTemporaryName(temporary)) << temporary;

    server.SetRoot(root.Path().string()); // as a second Run on the same root does
    EXPECT_EQ(RootListing(), std::vector<std::string>{temporary});
    for (std::uint16_t block = 2; block <= 4; ++block) {
        client.Send(BuildData(block, bytes.data() + (block - 1) * 512, block == 4 ? 10 : 512));
        ASSERT_EQ(NextOf(client, Opcode::Ack)->block, block);
    }
    EXPECT_EQ(ReadFile(root / "live.bin"), bytes);
}

TEST_F(TftpServerTest, MalformedPacketsAreDroppedOrRefused)
{
    WriteFile(root / "f.bin", RandomBytes(600, 10));
    UdpEndpoint noise;
    for (const std::vector<std::uint8_t> &garbage :
         {std::vector<std::uint8_t>{}, {0}, {0, 9, 1, 2}, {0, 1, 'a'}, {0, 4}, {0, 3, 0, 1, 'x'}})
        noise.SendTo(server.BoundPort(), garbage);
    EXPECT_FALSE(noise.Receive(200ms)) << "garbage on the server port must not be answered";

    ScriptedClient wrongMode(server.BoundPort());
    wrongMode.Send(BuildRequest(Opcode::Rrq, "f.bin", "mail"));
    const auto refused = NextOf(wrongMode, Opcode::Error);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->errorCode, kIllegalOperation);

    ScriptedClient client(server.BoundPort());
    client.SendRequest(Opcode::Rrq, "f.bin");
    ASSERT_EQ(NextOf(client, Opcode::Data)->block, 1);
    client.Send({0, 4, 0});             // truncated ACK
    client.Send({0, 42, 0, 1});         // unknown opcode
    client.Send(BuildData(1, nullptr, 0));  // DATA to a reader
    EXPECT_FALSE(client.Next(300ms));
    client.Send(BuildAck(1));
    EXPECT_EQ(NextOf(client, Opcode::Data)->block, 2);
}

TEST_F(TftpServerTest, ConcurrentTransfersAndReports)
{
    std::atomic<int> started{0}, completed{0};
    server.Stop();
    server.SetReportFunction([&](const TransferReport &report) {
        if (report.stage == TransferReport::Stage::Started)
            ++started;
        if (report.stage == TransferReport::Stage::Completed)
            ++completed;
        return report.fileName != "refused.bin";  // the owner may cancel
    });
    StartServer();
    const auto a = RandomBytes(300000, 11), b = RandomBytes(200000, 12);
    WriteFile(root / "a.bin", a);
    WriteFile(root / "b.bin", b);
    WriteFile(root / "refused.bin", b);
    FetchResult resultA, resultB;
    std::thread first([&] { resultA = ScriptedClient(server.BoundPort()).Fetch("a.bin"); });
    std::thread second([&] { resultB = ScriptedClient(server.BoundPort()).Fetch("b.bin", {{"blksize", "1400"}}); });
    first.join();
    second.join();
    EXPECT_TRUE(resultA.bytes == a);
    EXPECT_TRUE(resultB.bytes == b);
    ScriptedClient refused(server.BoundPort());
    EXPECT_EQ(refused.Fetch("refused.bin").errorCode, kAccessViolation);
    EXPECT_EQ(started, 3);
    EXPECT_EQ(completed, 2);
}

TEST_F(TftpServerTest, EmptyRootServesNothing)
{
    server.SetRoot("");
    ScriptedClient client(server.BoundPort());
    EXPECT_EQ(client.Fetch("anything").errorCode, kAccessViolation);
}

namespace {

struct ExpectedCase {
    const char *from;
    Opcode opcode;
    const char *name;
    int errorCode;  // -1: served
};

// Runs one request of the table; for writes, checks that a refused name leaves no file.
void RunExpectedCase(const TempDirectory &root, std::uint16_t port, const ExpectedCase &c)
{
    SCOPED_TRACE(std::string(c.from) + (c.opcode == Opcode::Rrq ? " reads " : " writes ") + c.name);
    ScriptedClient client(port, c.from);
    if (c.opcode == Opcode::Rrq) {
        const FetchResult result = client.Fetch(c.name);
        EXPECT_EQ(result.errorCode, c.errorCode) << result.errorMessage;
        if (c.errorCode == -1) {
            EXPECT_EQ(result.bytes, ReadFile(root / c.name));
        }
        return;
    }
    const bool existed = fs::exists(root / c.name);
    const std::vector<std::uint8_t> before = existed ? ReadFile(root / c.name) : std::vector<std::uint8_t>{};
    const std::vector<std::uint8_t> bytes = RandomBytes(700, 21);
    EXPECT_EQ(client.Put(c.name, bytes), c.errorCode);
    if (c.errorCode == -1) {
        EXPECT_EQ(ReadFile(root / c.name), bytes);
    } else if (existed) {
        EXPECT_EQ(ReadFile(root / c.name), before);
    } else {
        EXPECT_FALSE(fs::exists(root / c.name));
    }
}

} // namespace

TEST_F(TftpServerTest, WithAnExpectationOnlyThatRequestIsServed)
{
    WriteFile(root / "fw.bin", RandomBytes(1500, 22));
    WriteFile(root / "other.bin", RandomBytes(10, 23));
    ASSERT_TRUE(server.Expect("127.0.0.1", "fw.bin", false));
    const ExpectedCase download[] = {
        {"127.0.0.2", Opcode::Rrq, "fw.bin", kAccessViolation},  // a stranger
        {"127.0.0.1", Opcode::Rrq, "other.bin", kFileNotFound},
        {"127.0.0.1", Opcode::Rrq, "FW.BIN", kFileNotFound},     // names match exactly
        {"127.0.0.1", Opcode::Wrq, "fw.bin", kAccessViolation},  // the wrong direction
        {"127.0.0.1", Opcode::Wrq, "new.dcf", kAccessViolation},
        {"127.0.0.1", Opcode::Rrq, "fw.bin", -1},
        {"127.0.0.1", Opcode::Rrq, "fw.bin", -1},                // the device may retry
    };
    for (const ExpectedCase &c : download)
        RunExpectedCase(root, server.BoundPort(), c);

    server.Expect("127.0.0.1", "config.dcf", true);
    const ExpectedCase upload[] = {
        {"127.0.0.1", Opcode::Wrq, "other.dcf", kFileNotFound},
        {"127.0.0.2", Opcode::Wrq, "config.dcf", kAccessViolation},
        {"127.0.0.1", Opcode::Rrq, "fw.bin", kAccessViolation},
        {"127.0.0.1", Opcode::Wrq, "config.dcf", -1},
    };
    for (const ExpectedCase &c : upload)
        RunExpectedCase(root, server.BoundPort(), c);
    EXPECT_EQ(ReadFile(root / "other.bin").size(), 10u);

    // The transfer is over: nobody is served any more, the device included.
    server.RefuseEverything();
    const ExpectedCase over[] = {
        {"127.0.0.1", Opcode::Rrq, "fw.bin", kAccessViolation},
        {"127.0.0.1", Opcode::Wrq, "config.dcf", kAccessViolation},
        {"127.0.0.2", Opcode::Rrq, "other.bin", kAccessViolation},
        {"127.0.0.2", Opcode::Wrq, "new.dcf", kAccessViolation},
    };
    for (const ExpectedCase &c : over)
        RunExpectedCase(root, server.BoundPort(), c);

    // Only a server told to serves its whole root.
    server.ServeWholeRoot();
    RunExpectedCase(root, server.BoundPort(), {"127.0.0.2", Opcode::Rrq, "other.bin", -1});
}

TEST_F(TftpServerTest, TransfersUnderWayEndWhenEverythingIsRefused)
{
    const std::vector<std::uint8_t> previous = {'o', 'l', 'd'};
    WriteFile(root / "config.dcf", previous);
    WriteFile(root / "fw.bin", RandomBytes(512 * 4, 25));
    const auto bytes = RandomBytes(512 + 100, 26);
    for (const bool upload : {true, false}) {
        SCOPED_TRACE(upload ? "the peer writes" : "the peer reads");
        ASSERT_TRUE(server.Expect("127.0.0.1", upload ? "config.dcf" : "fw.bin", upload));
        ScriptedClient client(server.BoundPort());
        if (upload) {
            client.SendRequest(Opcode::Wrq, "config.dcf");
            ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 0);
            client.Send(BuildData(1, bytes.data(), 512));
            ASSERT_EQ(NextOf(client, Opcode::Ack)->block, 1);
        } else {
            client.SendRequest(Opcode::Rrq, "fw.bin");
            ASSERT_EQ(NextOf(client, Opcode::Data)->block, 1);
        }
        server.RefuseEverything();
        const auto error = NextOf(client, Opcode::Error);
        ASSERT_TRUE(error) << "the peer is told";
        EXPECT_EQ(error->errorCode, kAccessViolation);
        // The peer goes on regardless: nothing more is sent, nothing is stored.
        client.Send(upload ? BuildData(2, bytes.data() + 512, 100) : BuildAck(1));
        EXPECT_FALSE(client.Next(300ms));
    }
    EXPECT_EQ(ReadFile(root / "config.dcf"), previous);
    EXPECT_EQ(RootListing(), (std::vector<std::string>{"config.dcf", "fw.bin"})) << "a temporary was left";
}

TEST_F(TftpServerTest, AnExpectationWithoutAValidAddressRefusesEveryone)
{
    WriteFile(root / "fw.bin", RandomBytes(100, 24));
    for (const char *address : {"", "fw.example", "127.0.0.1:69", "300.1.1.1"}) {
        EXPECT_FALSE(server.Expect(address, "fw.bin", false)) << address;
        RunExpectedCase(root, server.BoundPort(), {"127.0.0.1", Opcode::Rrq, "fw.bin", kAccessViolation});
    }
}
