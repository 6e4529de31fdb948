// The device's TFTP client against the module's server on loopback (round trips, loss,
// duplication, rollover) and against scripted servers (no options, refused options,
// strangers, errors).
#include "LossyProxy.h"
#include "TempDirectory.h"
#include "TftpServerCore.h"
#include "UdpEndpoint.h"
#include "SimulatorOptions.h"
#include "transfer/DeviceTransfers.h"
#include "transfer/TftpClient.h"
#include "transfer/TftpFileMover.h"

#include <future>
#include <gtest/gtest.h>

using namespace trb::sim;
using namespace tftp;
using namespace tftptest;
using namespace std::chrono_literals;

namespace {

TftpClient::Settings FastSettings()
{
    TftpClient::Settings settings;
    settings.timeoutMs = 300;
    settings.retries = 4;
    settings.lingerMs = 0;
    return settings;
}

class TftpClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.SetRoot(root.Path().string());
        server.SetTimeout(300, 4);
        server.SetReportFunction([this](const TransferReport &report) {
            std::lock_guard lock(reportsMutex);
            if (report.stage == TransferReport::Stage::Completed || report.stage == TransferReport::Stage::Failed)
                finished.push_back(report);
            return true;
        });
        std::string error;
        ASSERT_TRUE(server.Start("127.0.0.1", 0, error)) << error;
    }

    std::vector<TransferReport> Finished()
    {
        std::lock_guard lock(reportsMutex);
        return finished;
    }

    TempDirectory root;
    std::mutex reportsMutex;
    std::vector<TransferReport> finished;
    TftpServerCore server;  // last: its thread stops before the reports go
};

struct RoundTrip {
    const char *name;
    std::size_t size;
    std::size_t blockSize;
    unsigned windowSize;
    bool lockStep;
};

class TftpClientRoundTrip : public TftpClientTest, public ::testing::WithParamInterface<RoundTrip> {
protected:
    TftpClient Client() const
    {
        TftpClient::Settings settings = FastSettings();
        settings.blockSize = GetParam().blockSize;
        settings.windowSize = GetParam().windowSize;
        settings.lockStep = GetParam().lockStep;
        return TftpClient(settings);
    }
};

const RoundTrip kRoundTrips[] = {
    {"Empty", 0, 1428, 16, false},
    {"OneShort", 511, 512, 1, false},
    {"OneFull", 512, 512, 1, false},
    {"OneOver", 513, 512, 1, false},
    {"EmptyLockStep", 0, 512, 1, true},
    {"ShortLockStep", 511, 512, 1, true},
    {"FullLockStep", 512, 512, 1, true},
    {"OverLockStep", 513, 512, 1, true},
    {"ExactWindow", 1428 * 16, 1428, 16, false},
    {"WindowAndABit", 1428 * 16 + 1, 1428, 16, false},
    {"LargeBlocks", 3 * 65464 + 7, 65464, 8, false},
    {"RolloverSmallBlocks", 8 * 65536 + 100, 8, 16, false},
};

} // namespace

TEST_P(TftpClientRoundTrip, ReadsTheFileByteForByte)
{
    const auto bytes = RandomBytes(GetParam().size, 3);
    WriteFile(root / "image.bin", bytes);
    std::vector<std::uint8_t> fetched;
    const auto result = Client().read("127.0.0.1", server.BoundPort(), "image.bin", fetched);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(fetched, bytes);
}

TEST_P(TftpClientRoundTrip, WritesTheFileByteForByte)
{
    const auto bytes = RandomBytes(GetParam().size, 4);
    const auto result = Client().write("127.0.0.1", server.BoundPort(), "config.dcf", bytes);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReadFile(root / "config.dcf"), bytes);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TftpClientRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto &info) { return std::string(info.param.name); });

namespace {

struct Impairment {
    const char *name;
    Direction direction;
    Opcode opcode;
    std::vector<int> blocks;
    ProxyAction action;
};

// Each rule strikes a few chosen packets once, so the transfer must recover from each.
LossyProxy::Rule Once(Direction direction, Opcode opcode, std::vector<int> blocks, ProxyAction action)
{
    auto done = std::make_shared<std::vector<int>>();
    return [=](Direction d, const Packet &packet) {
        const bool chosen = d == direction && packet.opcode == opcode
            && std::find(blocks.begin(), blocks.end(), packet.block) != blocks.end()
            && std::find(done->begin(), done->end(), packet.block) == done->end();
        if (!chosen)
            return ProxyAction::Forward;
        done->push_back(packet.block);
        return action;
    };
}

const Impairment kImpairments[] = {
    {"DataLostToClient", Direction::ToClient, Opcode::Data, {1, 5, 17, 40}, ProxyAction::Drop},
    {"DataLostToServer", Direction::ToServer, Opcode::Data, {1, 5, 17, 40}, ProxyAction::Drop},
    {"AckLostToServer", Direction::ToServer, Opcode::Ack, {0, 4, 8}, ProxyAction::Drop},
    {"AckLostToClient", Direction::ToClient, Opcode::Ack, {0, 4, 8}, ProxyAction::Drop},
    {"OptionsLost", Direction::ToClient, Opcode::Oack, {0}, ProxyAction::Drop},
    {"DataDuplicated", Direction::ToClient, Opcode::Data, {2, 3, 9}, ProxyAction::Duplicate},
    {"DataReordered", Direction::ToClient, Opcode::Data, {6, 21}, ProxyAction::HoldUntilNext},
    {"DataReorderedToServer", Direction::ToServer, Opcode::Data, {6, 21}, ProxyAction::HoldUntilNext},
    {"LastDataLost", Direction::ToClient, Opcode::Data, {46}, ProxyAction::Drop},
    {"LastDataLostToServer", Direction::ToServer, Opcode::Data, {46}, ProxyAction::Drop},
};

class TftpClientImpaired : public TftpClientTest, public ::testing::WithParamInterface<Impairment> {
protected:
    TftpClient Client() const
    {
        TftpClient::Settings settings = FastSettings();
        settings.blockSize = 512;
        settings.windowSize = 4;
        return TftpClient(settings);
    }
    LossyProxy::Rule Rule() const
    {
        return Once(GetParam().direction, GetParam().opcode, GetParam().blocks, GetParam().action);
    }
    const std::vector<std::uint8_t> bytes = RandomBytes(512 * 45 + 100, 5); // 46 blocks
};

} // namespace

TEST_P(TftpClientImpaired, ReadSurvives)
{
    WriteFile(root / "image.bin", bytes);
    LossyProxy proxy(server.BoundPort(), Rule());
    std::vector<std::uint8_t> fetched;
    const auto result = Client().read("127.0.0.1", proxy.Port(), "image.bin", fetched);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(fetched, bytes);
}

TEST_P(TftpClientImpaired, WriteSurvives)
{
    LossyProxy proxy(server.BoundPort(), Rule());
    const auto result = Client().write("127.0.0.1", proxy.Port(), "config.dcf", bytes);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReadFile(root / "config.dcf"), bytes);
}

INSTANTIATE_TEST_SUITE_P(Proxy, TftpClientImpaired, ::testing::ValuesIn(kImpairments),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TftpClientTest, DuplicateAcksNeverMakeTheClientResend)
{
    const auto bytes = RandomBytes(512 * 20 + 1, 6);
    LossyProxy proxy(server.BoundPort(), [](Direction direction, const Packet &packet) {
        return direction == Direction::ToClient && packet.opcode == Opcode::Ack ? ProxyAction::Duplicate
                                                                                : ProxyAction::Forward;
    });
    TftpClient::Settings settings = FastSettings();
    settings.lockStep = true;
    const auto result = TftpClient(settings).write("127.0.0.1", proxy.Port(), "log.txt", bytes);
    ASSERT_TRUE(result.ok) << result.error;
    for (int block = 1; block <= 21; ++block)
        EXPECT_EQ(proxy.Count(Direction::ToServer, Opcode::Data, block), 1) << "block " << block;
}

TEST_F(TftpClientTest, LingersToAnswerARepeatedLastBlockSoTheServerSeesTheEnd)
{
    const auto bytes = RandomBytes(700, 7);
    WriteFile(root / "image.bin", bytes);
    LossyProxy proxy(server.BoundPort(), Once(Direction::ToServer, Opcode::Ack, {2}, ProxyAction::Drop));
    TftpClient::Settings settings = FastSettings();
    settings.lockStep = true;   // the server's own timeout (300 ms) applies
    settings.lingerMs = 1500;
    std::vector<std::uint8_t> fetched;
    const auto result = TftpClient(settings).read("127.0.0.1", proxy.Port(), "image.bin", fetched);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(proxy.Count(Direction::ToServer, Opcode::Ack, 2), 2);
    const auto reports = Finished();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].stage, TransferReport::Stage::Completed);
}

TEST_F(TftpClientTest, ServerErrorsEndTheTransferWithTheirText)
{
    std::vector<std::uint8_t> fetched{1, 2};
    auto result = TftpClient(FastSettings()).read("127.0.0.1", server.BoundPort(), "missing.bin", fetched);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "File not found");
    EXPECT_TRUE(fetched.empty());

    server.SetRoot("");
    result = TftpClient(FastSettings()).write("127.0.0.1", server.BoundPort(), "x.dcf", {1, 2, 3});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "No directory is being served");
}

TEST_F(TftpClientTest, FetchedFilesAreCappedWithOrWithoutTheSizeAnnounced)
{
    WriteFile(root / "big.bin", RandomBytes(3000, 8));
    for (bool lockStep : {false, true}) {
        TftpClient::Settings settings = FastSettings();
        settings.maxFetchBytes = 2048;
        settings.lockStep = lockStep;
        std::vector<std::uint8_t> fetched;
        const auto result = TftpClient(settings).read("127.0.0.1", server.BoundPort(), "big.bin", fetched);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, "File larger than 2048 bytes") << "lock-step " << lockStep;
        EXPECT_TRUE(fetched.empty());
    }
}

TEST_F(TftpClientTest, BadTargetsFailWithAClearMessage)
{
    TftpClient::Settings settings = FastSettings();
    settings.timeoutMs = 50;
    settings.retries = 1;
    std::vector<std::uint8_t> fetched;
    UdpEndpoint silent;
    const struct {
        std::string host;
        std::uint16_t port;
        std::string name;
        std::string error;
    } cases[] = {
        {"no-such-host.invalid", 69, "a.bin", "Unknown TFTP server address no-such-host.invalid"},
        {"127.0.0.1", silent.Port(), "a.bin", "TFTP server 127.0.0.1:" + std::to_string(silent.Port()) + " did not answer"},
        {"127.0.0.1", server.BoundPort(), "", "Invalid file name for TFTP"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(TftpClient(settings).read(c.host, c.port, c.name, fetched).error, c.error);
        EXPECT_EQ(TftpClient(settings).write(c.host, c.port, c.name, {1}).error, c.error);
    }
    EXPECT_EQ(silent.Receive(0ms).has_value(), true) << "the request was sent";
}

TEST_F(TftpClientTest, RequestsComeFromTheDevicesOwnAddress)
{
    const auto bytes = RandomBytes(900, 16);
    WriteFile(root / "fw.bin", bytes);
    server.Expect("127.0.0.2", "fw.bin", false);
    TftpClient::Settings settings = FastSettings();
    std::vector<std::uint8_t> fetched;
    EXPECT_EQ(TftpClient(settings).read("127.0.0.1", server.BoundPort(), "fw.bin", fetched).error, "Access violation");
    settings.localAddress = "127.0.0.2";
    const auto result = TftpClient(settings).read("127.0.0.1", server.BoundPort(), "fw.bin", fetched);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(fetched, bytes);
}

TEST_F(TftpClientTest, TheDevicesTransfersRunOverTftp)
{
    const auto image = RandomBytes(5000, 17), log = RandomBytes(1300, 18);
    WriteFile(root / "fw.bin", image);
    DeviceTransfers transfers(server.BoundPort());
    transfers.setMover(std::make_unique<TftpFileMover>(FastSettings()));
    std::vector<std::string> outcomes;
    std::vector<std::uint8_t> fetched;
    transfers.fetch("127.0.0.1", "fw.bin", [&](const FileMover::Result &result, std::vector<std::uint8_t> data) {
        outcomes.push_back(result.ok ? "fetched" : result.error);
        fetched = std::move(data);
    });
    transfers.fetch("127.0.0.1", "none.bin", [&](const FileMover::Result &result, std::vector<std::uint8_t>) {
        outcomes.push_back(result.ok ? "fetched" : result.error);
    });
    transfers.store("127.0.0.1", "LogFile.RD", log, [&](const FileMover::Result &result) {
        outcomes.push_back(result.ok ? "stored" : result.error);
    });
    transfers.waitIdle();
    transfers.poll();
    EXPECT_EQ(outcomes, (std::vector<std::string>{"fetched", "File not found", "stored"}));
    EXPECT_EQ(fetched, image);
    EXPECT_EQ(ReadFile(root / "LogFile.RD"), log);
}

TEST(SimulatorOptionsTftp, LockStepFlagAndTheDevicesAddress)
{
    const struct {
        std::vector<std::string> args;
        bool lockStep;
        std::string host;
    } cases[] = {
        {{}, false, "127.0.0.1"},
        {{"--tftp-lockstep"}, true, "127.0.0.1"},
        {{"--listen", "127.0.0.5:1161", "--tftp-lockstep"}, true, "127.0.0.5"},
        {{"--listen=udp:10.1.2.3:161"}, false, "10.1.2.3"},
    };
    for (const auto &c : cases) {
        std::string error;
        const auto options = SimulatorOptions::parse(c.args, error);
        ASSERT_TRUE(options) << error;
        EXPECT_EQ(options->tftpLockstep, c.lockStep);
        EXPECT_EQ(options->listenHost(), c.host);
    }
    std::string error;
    EXPECT_FALSE(SimulatorOptions::parse({"--tftp-lockstep=yes"}, error));
    EXPECT_EQ(error, "option --tftp-lockstep takes no value");
}

namespace {

// A server played by the test, one packet at a time.
class ScriptedServer {
public:
    Packet Expect(Opcode opcode)
    {
        auto datagram = endpoint.Receive(3000ms);
        if (!datagram)
            throw std::runtime_error("nothing from the client");
        clientPort = datagram->fromPort;
        last = datagram->bytes;
        auto packet = ParsePacket(last.data(), last.size());
        if (!packet || packet->opcode != opcode)
            throw std::runtime_error("unexpected packet from the client");
        return *packet;
    }
    void Send(const std::vector<std::uint8_t> &bytes) { endpoint.SendTo(clientPort, bytes); }

    UdpEndpoint endpoint;
    std::uint16_t clientPort = 0;
    std::vector<std::uint8_t> last;
};

std::future<TftpClient::Result> ReadAsync(std::uint16_t port, std::vector<std::uint8_t> &data,
                                          TftpClient::Settings settings = FastSettings())
{
    return std::async(std::launch::async, [port, &data, settings] {
        return TftpClient(settings).read("127.0.0.1", port, "fw.bin", data);
    });
}

} // namespace

TEST(TftpClientScripted, PlainServerIgnoringOptionsGetsLockStep)
{
    ScriptedServer server;
    std::vector<std::uint8_t> data;
    auto done = ReadAsync(server.endpoint.Port(), data);
    const Packet request = server.Expect(Opcode::Rrq);
    EXPECT_NE(request.FindOption("blksize"), nullptr);
    EXPECT_NE(request.FindOption("windowsize"), nullptr);
    const auto first = RandomBytes(512, 9), second = RandomBytes(10, 10);
    server.Send(BuildData(1, first.data(), first.size()));
    EXPECT_EQ(server.Expect(Opcode::Ack).block, 1);
    server.Send(BuildData(2, second.data(), second.size()));
    EXPECT_EQ(server.Expect(Opcode::Ack).block, 2);
    const auto result = done.get();
    ASSERT_TRUE(result.ok) << result.error;
    auto expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(data, expected);
}

TEST(TftpClientScripted, PlainServerAnsweringAWriteWithAckZeroGetsLockStep)
{
    ScriptedServer server;
    const auto bytes = RandomBytes(600, 11);
    auto done = std::async(std::launch::async, [&] {
        return TftpClient(FastSettings()).write("127.0.0.1", server.endpoint.Port(), "LogFile.RD", bytes);
    });
    server.Expect(Opcode::Wrq);
    server.Send(BuildAck(0));
    const Packet first = server.Expect(Opcode::Data);
    EXPECT_EQ(first.block, 1);
    EXPECT_EQ(first.dataSize, 512u);
    EXPECT_FALSE(server.endpoint.Receive(100ms)) << "one block at a time";
    server.Send(BuildAck(1));
    const Packet second = server.Expect(Opcode::Data);
    EXPECT_EQ(second.block, 2);
    EXPECT_EQ(second.dataSize, 88u);
    server.Send(BuildAck(2));
    EXPECT_TRUE(done.get().ok);
}

TEST(TftpClientScripted, RefusedOptionsAreAskedAgainWithout)
{
    ScriptedServer server;
    std::vector<std::uint8_t> data;
    auto done = ReadAsync(server.endpoint.Port(), data);
    EXPECT_FALSE(server.Expect(Opcode::Rrq).options.empty());
    const std::uint16_t firstPort = server.clientPort;
    server.Send(BuildError(kOptionRefused, "Option negotiation failed"));
    const Packet again = server.Expect(Opcode::Rrq);
    EXPECT_TRUE(again.options.empty());
    EXPECT_EQ(again.fileName, "fw.bin");
    EXPECT_NE(server.clientPort, firstPort) << "a new transfer ID for the new request";
    const auto bytes = RandomBytes(100, 12);
    server.Send(BuildData(1, bytes.data(), bytes.size()));
    EXPECT_EQ(server.Expect(Opcode::Ack).block, 1);
    ASSERT_TRUE(done.get().ok);
    EXPECT_EQ(data, bytes);
}

TEST(TftpClientScripted, StrangerGetsErrorFiveAndTheTransferGoesOn)
{
    ScriptedServer server;
    UdpEndpoint stranger;
    std::vector<std::uint8_t> data;
    TftpClient::Settings settings = FastSettings();
    settings.lockStep = true;
    auto done = ReadAsync(server.endpoint.Port(), data, settings);
    EXPECT_TRUE(server.Expect(Opcode::Rrq).options.empty());
    const auto first = RandomBytes(512, 13), second = RandomBytes(3, 14), forged = RandomBytes(7, 15);
    server.Send(BuildData(1, first.data(), first.size()));
    EXPECT_EQ(server.Expect(Opcode::Ack).block, 1);
    stranger.SendTo(server.clientPort, BuildData(2, forged.data(), forged.size()));
    const auto answer = stranger.Receive(2000ms);
    ASSERT_TRUE(answer);
    const auto error = ParsePacket(answer->bytes.data(), answer->bytes.size());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->opcode, Opcode::Error);
    EXPECT_EQ(error->errorCode, kUnknownTransferId);
    server.Send(BuildData(2, second.data(), second.size()));
    EXPECT_EQ(server.Expect(Opcode::Ack).block, 2);
    ASSERT_TRUE(done.get().ok);
    auto expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(data, expected);
}

TEST(TftpClientScripted, UnofferedOrLargerOptionsAreRefused)
{
    const struct {
        std::vector<Option> oack;
        std::string error;
    } cases[] = {
        {{{"blksize", "9000"}}, "Unacceptable option in the server's answer: blksize"},
        {{{"windowsize", "64"}}, "Unacceptable option in the server's answer: windowsize"},
        {{{"multicast", "1"}}, "Unacceptable option in the server's answer: multicast"},
    };
    for (const auto &c : cases) {
        ScriptedServer server;
        std::vector<std::uint8_t> data;
        auto done = ReadAsync(server.endpoint.Port(), data);
        server.Expect(Opcode::Rrq);
        server.Send(BuildOack(c.oack));
        const Packet refusal = server.Expect(Opcode::Error);
        EXPECT_EQ(refusal.errorCode, kOptionRefused);
        EXPECT_EQ(done.get().error, c.error);
    }
}
