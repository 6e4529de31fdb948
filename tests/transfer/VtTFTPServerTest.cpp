// The module's server object: root changes while running, port choice, failures reported.
#include "ScriptedClient.h"
#include "TempDirectory.h"
#include "VtTFTPServer.h"

#include <QSignalSpy>
#include <condition_variable>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>

using namespace tftptest;

namespace {

class PortEnvironment {
public:
    explicit PortEnvironment(const char *value) { qputenv("TRB4820_TFTP_PORT", value); }
    ~PortEnvironment() { qunsetenv("TRB4820_TFTP_PORT"); }
};

} // namespace

TEST(VtTFTPServer, RunAgainServesTheNewRootToLaterRequests)
{
    TempDirectory first, second;
    WriteFile(first / "a.bin", {'a'});
    WriteFile(second / "b.bin", {'b'});
    VtTFTPServer server;
    server.ServeWholeRoot();
    server.SetListenAddress(QStringLiteral("127.0.0.1"));
    server.SetTimeout(3000, 3);
    ASSERT_TRUE(server.Run(QString::fromStdString(first.Path().string()), 0)) << server.LastError().toStdString();
    const quint16 port = server.BoundPort();
    EXPECT_EQ(ScriptedClient(port).Fetch("a.bin").bytes, std::vector<std::uint8_t>{'a'});

    ASSERT_TRUE(server.Run(QString::fromStdString(second.Path().string()), 0));
    EXPECT_EQ(server.BoundPort(), port) << "the running server keeps its port";
    EXPECT_EQ(ScriptedClient(port).Fetch("b.bin").bytes, std::vector<std::uint8_t>{'b'});
    EXPECT_EQ(ScriptedClient(port).Fetch("a.bin").errorCode, tftp::kFileNotFound);

    server.Stop();
    EXPECT_FALSE(server.IsRunning());
    EXPECT_FALSE(ScriptedClient(port).Endpoint().Receive(std::chrono::milliseconds(0)));
}

TEST(VtTFTPServer, RunRemovesStaleUploadTemporariesAndNothingElse)
{
    TempDirectory root;
    const std::vector<std::uint8_t> user = {'u', 's', 'e', 'r'};
    const std::vector<std::string> stale = {".config.dcf.123456789.part", ".acl.acl.0.part"};
    const std::vector<std::string> kept = {"x.part", ".x.part", "config.dcf.12.part", ".x.0123.part",
                                           ".x.1234567890.part", ".x.12a.part", ".x.5.part.old"};
    for (const std::string &name : stale)
        WriteFile(root / name, {'t'});
    for (const std::string &name : kept)
        WriteFile(root / name, user);
    std::filesystem::create_directory(root / ".dir.5.part");
    std::filesystem::create_symlink(root / "x.part", root / ".link.6.part");

    VtTFTPServer server;
    server.SetListenAddress(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(server.Run(QString::fromStdString(root.Path().string()), 0)) << server.LastError().toStdString();
    for (const std::string &name : stale)
        EXPECT_FALSE(std::filesystem::exists(root / name)) << name;
    for (const std::string &name : kept)
        EXPECT_EQ(ReadFile(root / name), user) << name;
    EXPECT_TRUE(std::filesystem::is_directory(root / ".dir.5.part"));
    EXPECT_TRUE(std::filesystem::is_symlink(root / ".link.6.part"));
}

TEST(VtTFTPServer, BindFailureIsReported)
{
    UdpEndpoint taken;
    VtTFTPServer server;
    server.SetListenAddress(QStringLiteral("127.0.0.1"));
    QSignalSpy failures(&server, &VtTFTPServer::failed);
    EXPECT_FALSE(server.Run(QStringLiteral("/tmp"), taken.Port()));
    EXPECT_FALSE(server.IsRunning());
    EXPECT_TRUE(server.LastError().contains(QString::number(taken.Port()))) << server.LastError().toStdString();
    EXPECT_EQ(failures.count(), 1);

    server.SetListenAddress(QStringLiteral("not an address"));
    EXPECT_FALSE(server.Run(QStringLiteral("/tmp"), 0));
    EXPECT_EQ(failures.count(), 2);
}

TEST(VtTFTPServer, EnvironmentOverridesTheDefaultPortOnly)
{
    {
        PortEnvironment environment("16969");
        EXPECT_EQ(VtTFTPServer::EffectivePort(69), 16969);
        EXPECT_EQ(VtTFTPServer::EffectivePort(6000), 6000) << "an explicit port stays";
    }
    {
        PortEnvironment environment("junk");
        EXPECT_EQ(VtTFTPServer::EffectivePort(69), 69);
    }
    EXPECT_EQ(VtTFTPServer::EffectivePort(69), 69);

    const quint16 freePort = [] { UdpEndpoint probe; return probe.Port(); }();  // free once released
    PortEnvironment environment(QByteArray::number(freePort).constData());
    VtTFTPServer server;
    server.ServeWholeRoot();
    server.SetListenAddress(QStringLiteral("127.0.0.1"));
    TempDirectory root;
    WriteFile(root / "x", {'x'});
    if (!server.Run(QString::fromStdString(root.Path().string()), 69))
        GTEST_SKIP() << "port taken meanwhile: " << server.LastError().toStdString();
    EXPECT_EQ(server.BoundPort(), freePort);
    EXPECT_EQ(ScriptedClient(freePort).Fetch("x").bytes, std::vector<std::uint8_t>{'x'});
}

namespace {
int callbackCalls = 0;
void CancelEverything(VtTFTPMsg *message, bool &keepGoing)
{
    ++callbackCalls;
    if (message->stage == VtTFTPMsg::Started)
        keepGoing = false;
}
} // namespace

TEST(VtTFTPServer, CallbackCanCancelATransfer)
{
    TempDirectory root;
    WriteFile(root / "x", {'x'});
    VtTFTPServer server;
    server.ServeWholeRoot();
    server.SetListenAddress(QStringLiteral("127.0.0.1"));
    server.SetTransferringMsgCallback(&CancelEverything);
    ASSERT_TRUE(server.Run(QString::fromStdString(root.Path().string()), 0));
    const auto result = ScriptedClient(server.BoundPort()).Fetch("x");
    EXPECT_EQ(result.errorCode, tftp::kAccessViolation);
    EXPECT_GE(callbackCalls, 1);
}

namespace {

// Collects transferFinished as the server's thread emits it.
class FinishedTransfers {
public:
    struct Entry {
        std::string fileName;
        bool upload;
        bool complete;
        std::string error;
        bool operator==(const Entry &) const = default;
    };

    explicit FinishedTransfers(VtTFTPServer &server)
    {
        QObject::connect(&server, &VtTFTPServer::transferFinished, &server,
                         [this](const QString &name, bool upload, bool complete, const QString &error) {
                             std::lock_guard lock(mutex_);
                             entries_.push_back({name.toStdString(), upload, complete, error.toStdString()});
                             changed_.notify_all();
                         }, Qt::DirectConnection);
    }

    std::vector<Entry> WaitFor(std::size_t count)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(5), [&] { return entries_.size() >= count; });
        return entries_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> entries_;
};

} // namespace

TEST(VtTFTPServer, ServesOnlyTheExpectedTransferWhileItRunsAndSignalsItsEnd)
{
    TempDirectory root;
    const auto image = RandomBytes(3000, 31);
    WriteFile(root / "fw.bin", image);
    VtTFTPServer server;
    server.SetListenAddress(QStringLiteral("127.0.0.1"));
    server.SetTimeout(300, 1);
    FinishedTransfers finished(server);
    ASSERT_TRUE(server.Run(QString::fromStdString(root.Path().string()), 0));
    const quint16 port = server.BoundPort();
    EXPECT_EQ(ScriptedClient(port).Fetch("fw.bin").errorCode, tftp::kAccessViolation) << "nothing expected yet";

    server.Expect(QStringLiteral("127.0.0.1"), QStringLiteral("fw.bin"), false);
    EXPECT_EQ(ScriptedClient(port, "127.0.0.2").Fetch("fw.bin").errorCode, tftp::kAccessViolation);
    EXPECT_EQ(ScriptedClient(port).Fetch("fw.bin").bytes, image);
    finished.WaitFor(1); // the final ACK has reached the server: a new expectation would end it

    server.Expect(QStringLiteral("127.0.0.1"), QStringLiteral("LogFile.RD"), true);
    const auto log = RandomBytes(1200, 32);
    EXPECT_EQ(ScriptedClient(port).Put("LogFile.RD", log), -1);
    EXPECT_EQ(ReadFile(root / "LogFile.RD"), log);

    // An upload that stops half way fails once the server gives up on it.
    server.Expect(QStringLiteral("127.0.0.1"), QStringLiteral("half.dcf"), true);
    ScriptedClient quitter(port);
    quitter.SendRequest(tftp::Opcode::Wrq, "half.dcf");
    ASSERT_TRUE(quitter.Next());
    quitter.Send(tftp::BuildData(1, log.data(), 512));

    using Entry = FinishedTransfers::Entry;
    const std::vector<Entry> expected = {{"fw.bin", false, true, ""},
                                         {"LogFile.RD", true, true, ""},
                                         {"half.dcf", true, false, "Transfer timed out"}};
    EXPECT_EQ(finished.WaitFor(3), expected);
    EXPECT_FALSE(std::filesystem::exists(root / "half.dcf"));

    // The transfer is over: whoever asks, nothing is served or stored.
    server.RefuseEverything();
    EXPECT_EQ(ScriptedClient(port).Fetch("fw.bin").errorCode, tftp::kAccessViolation);
    EXPECT_EQ(ScriptedClient(port).Put("LogFile.RD", image), tftp::kAccessViolation);
    EXPECT_EQ(ScriptedClient(port, "127.0.0.2").Put("other.dcf", image), tftp::kAccessViolation);
    EXPECT_EQ(ReadFile(root / "LogFile.RD"), log);
    EXPECT_FALSE(std::filesystem::exists(root / "other.dcf"));
    server.Stop();  // before `finished` goes
}
