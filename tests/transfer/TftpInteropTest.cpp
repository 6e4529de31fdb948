// Debian's TFTP clients against trb4820-tftpd, directly and through a relay that loses,
// repeats and reorders packets. Files are compared byte for byte.
#include "LossyProxy.h"
#include "ScriptedClient.h"
#include "TempDirectory.h"

#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <filesystem>
#include <thread>
#include <gtest/gtest.h>

using namespace tftp;
using namespace tftptest;

namespace {

class TftpInteropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tftpHpa = QStandardPaths::findExecutable(QStringLiteral("tftp"));
        atftp = QStandardPaths::findExecutable(QStringLiteral("atftp"));
        if (tftpHpa.isEmpty() || atftp.isEmpty())
            GTEST_SKIP() << "tftp-hpa and atftp clients are needed (scripts/install-deps installs them)";
    }
    void TearDown() override
    {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            server.waitForFinished(5000);
        }
    }

    // Starts the daemon on a free loopback port; the time-out is the server's resend time.
    void StartServer(int timeoutMs = 1000)
    {
        server.start(QStringLiteral(TFTPD_PATH),
                     {QStringLiteral("--root"), QString::fromStdString(root.Path().string()),
                      QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--address"),
                      QStringLiteral("127.0.0.1"), QStringLiteral("--timeout"), QString::number(timeoutMs)});
        ASSERT_TRUE(server.waitForReadyRead(5000)) << server.readAllStandardError().toStdString();
        const QByteArray line = server.readLine().trimmed();  // "listening on port N"
        port = quint16(line.split(' ').last().toUInt());
        ASSERT_NE(port, 0) << line.toStdString();
    }

    // Runs a client in the local folder; returns its exit code (-1 when it hung).
    int Client(const QString &program, const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess client;
        client.setWorkingDirectory(QString::fromStdString(local.Path().string()));
        client.start(program, arguments);
        if (!input.isEmpty()) {
            client.write(input);
            client.closeWriteChannel();
        }
        if (!client.waitForFinished(90000)) {
            client.kill();
            client.waitForFinished();
            return -1;
        }
        lastOutput = client.readAllStandardOutput() + client.readAllStandardError();
        return client.exitCode();
    }

    int HpaGet(quint16 toPort, const QString &name, const QString &localName)
    {
        // tftp-hpa reports transfer errors on its output, not in its exit code.
        const QByteArray script = "binary\nrexmt 1\ntimeout 30\nget " + name.toLatin1() + " "
            + localName.toLatin1() + "\nquit\n";
        return Client(tftpHpa, {QStringLiteral("127.0.0.1"), QString::number(toPort)}, script);
    }

    int AtftpGet(quint16 toPort, const QString &name, const QString &localName, const QStringList &options)
    {
        QStringList arguments{QStringLiteral("--tftp-timeout"), QStringLiteral("1")};
        for (const QString &option : options)
            arguments << QStringLiteral("--option") << option;
        arguments << QStringLiteral("-g") << QStringLiteral("-r") << name << QStringLiteral("-l") << localName
                  << QStringLiteral("127.0.0.1") << QString::number(toPort);
        return Client(atftp, arguments);
    }

    int AtftpPut(quint16 toPort, const QString &localName, const QString &name, const QStringList &options)
    {
        QStringList arguments{QStringLiteral("--tftp-timeout"), QStringLiteral("1")};
        for (const QString &option : options)
            arguments << QStringLiteral("--option") << option;
        arguments << QStringLiteral("-p") << QStringLiteral("-l") << localName << QStringLiteral("-r") << name
                  << QStringLiteral("127.0.0.1") << QString::number(toPort);
        return Client(atftp, arguments);
    }

    bool SameFile(const std::string &a, const std::string &b) { return ReadFile(a) == ReadFile(b); }

    QString tftpHpa, atftp;
    TempDirectory root, local;
    QProcess server;
    quint16 port = 0;
    QByteArray lastOutput;
};

const QStringList kWindowOptions{QStringLiteral("blksize 1468"), QStringLiteral("tsize 0"),
                                 QStringLiteral("windowsize 16")};

} // namespace

TEST_F(TftpInteropTest, TftpHpaGetAndPutIncludingMoreThan65535Blocks)
{
    StartServer();
    WriteFile(root / "huge.bin", RandomBytes(512 * 70000 + 100, 1));  // 70001 blocks: rolls over
    WriteFile(local / "up.dcf", RandomBytes(300000, 2));
    EXPECT_EQ(HpaGet(port, QStringLiteral("huge.bin"), QStringLiteral("huge.bin")), 0) << lastOutput.toStdString();
    EXPECT_TRUE(SameFile(root / "huge.bin", local / "huge.bin"));

    const QByteArray put = "binary\nput up.dcf stored.dcf\nquit\n";
    EXPECT_EQ(Client(tftpHpa, {QStringLiteral("127.0.0.1"), QString::number(port)}, put), 0);
    EXPECT_TRUE(SameFile(local / "up.dcf", root / "stored.dcf"));

    EXPECT_EQ(HpaGet(port, QStringLiteral("../etc/passwd"), QStringLiteral("x")), 0);
    EXPECT_TRUE(lastOutput.contains("Error code 2")) << lastOutput.toStdString();
}

TEST_F(TftpInteropTest, AtftpWithBlksizeTsizeAndWindowsize)
{
    StartServer();
    WriteFile(root / "image.bin", RandomBytes(4 * 1024 * 1024 + 7, 3));
    WriteFile(local / "acl.acl", RandomBytes(1468 * 40, 4));  // ends with an empty block
    for (const QString &window : {QStringLiteral("windowsize 16"), QStringLiteral("windowsize 64")}) {
        ASSERT_EQ(AtftpGet(port, QStringLiteral("image.bin"), QStringLiteral("image.bin"),
                           {QStringLiteral("blksize 1468"), QStringLiteral("tsize 0"), window}), 0)
            << lastOutput.toStdString();
        EXPECT_TRUE(SameFile(root / "image.bin", local / "image.bin")) << window.toStdString();
    }
    ASSERT_EQ(AtftpPut(port, QStringLiteral("acl.acl"), QStringLiteral("acl.acl"), kWindowOptions), 0)
        << lastOutput.toStdString();
    EXPECT_TRUE(SameFile(local / "acl.acl", root / "acl.acl"));
}

TEST_F(TftpInteropTest, LostOackAndLostFinalDataAreRecovered)
{
    StartServer(300);
    WriteFile(root / "f.bin", RandomBytes(1468 * 10 + 5, 5));  // final block is 11
    int oacks = 0, finals = 0;
    LossyProxy proxy(port, [&](Direction direction, const Packet &packet) {
        if (direction == Direction::ToClient && packet.opcode == Opcode::Oack && oacks++ == 0)
            return ProxyAction::Drop;
        if (direction == Direction::ToClient && packet.opcode == Opcode::Data && packet.block == 11 && finals++ == 0)
            return ProxyAction::Drop;
        return ProxyAction::Forward;
    });
    ASSERT_EQ(AtftpGet(proxy.Port(), QStringLiteral("f.bin"), QStringLiteral("f.bin"),
                       {QStringLiteral("blksize 1468"), QStringLiteral("tsize 0")}), 0)
        << lastOutput.toStdString();
    EXPECT_TRUE(SameFile(root / "f.bin", local / "f.bin"));
    EXPECT_GE(proxy.Count(Direction::ToClient, Opcode::Oack), 2);
    EXPECT_EQ(proxy.Count(Direction::ToClient, Opcode::Data, 11), 2);
}

TEST_F(TftpInteropTest, LostBlockInsideAWindowIsRecovered)
{
    StartServer(300);
    WriteFile(root / "w.bin", RandomBytes(1468 * 100 + 1, 6));
    int fives = 0;
    LossyProxy proxy(port, [&](Direction direction, const Packet &packet) {
        const bool blockFive = direction == Direction::ToClient && packet.opcode == Opcode::Data && packet.block == 5;
        return blockFive && fives++ == 0 ? ProxyAction::Drop : ProxyAction::Forward;
    });
    ASSERT_EQ(AtftpGet(proxy.Port(), QStringLiteral("w.bin"), QStringLiteral("w.bin"),
                       {QStringLiteral("blksize 1468"), QStringLiteral("windowsize 8")}), 0)
        << lastOutput.toStdString();
    EXPECT_TRUE(SameFile(root / "w.bin", local / "w.bin"));
    EXPECT_EQ(proxy.Count(Direction::ToClient, Opcode::Data, 5), 2);
}

TEST_F(TftpInteropTest, DuplicatedAcksAreCountedAndNeverAnswered)
{
    StartServer(2000);
    const int blocks = 2000;
    WriteFile(root / "d.bin", RandomBytes(512 * (blocks - 1) + 10, 7));
    LossyProxy proxy(port, [](Direction direction, const Packet &packet) {
        return direction == Direction::ToServer && packet.opcode == Opcode::Ack ? ProxyAction::Duplicate
                                                                               : ProxyAction::Forward;
    });
    ASSERT_EQ(HpaGet(proxy.Port(), QStringLiteral("d.bin"), QStringLiteral("d.bin")), 0);
    EXPECT_TRUE(SameFile(root / "d.bin", local / "d.bin"));
    // The client may exit before the proxy's thread has taken its last ACK off the socket.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (proxy.Count(Direction::ToServer, Opcode::Ack) < blocks && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(proxy.Count(Direction::ToServer, Opcode::Ack), blocks);  // seen once each, sent twice
    EXPECT_EQ(proxy.Count(Direction::ToClient, Opcode::Data), blocks) << "a duplicate ACK caused a resend";
}

TEST_F(TftpInteropTest, ReorderedAndDuplicatedUploadArrivesIntact)
{
    StartServer(300);
    WriteFile(local / "cfg.dcf", RandomBytes(1468 * 50 + 3, 8));
    int data = 0;
    LossyProxy proxy(port, [&](Direction direction, const Packet &packet) {
        if (direction != Direction::ToServer || packet.opcode != Opcode::Data)
            return ProxyAction::Forward;
        ++data;
        if (data == 3 || data == 20)
            return ProxyAction::HoldUntilNext;
        return data % 7 == 0 ? ProxyAction::Duplicate : ProxyAction::Forward;
    });
    ASSERT_EQ(AtftpPut(proxy.Port(), QStringLiteral("cfg.dcf"), QStringLiteral("cfg.dcf"),
                       {QStringLiteral("blksize 1468"), QStringLiteral("windowsize 8")}), 0)
        << lastOutput.toStdString();
    EXPECT_TRUE(SameFile(local / "cfg.dcf", root / "cfg.dcf"));
}

// The daemon alone, driven by the scripted client: needs none of Debian's clients.
class TftpdRestartTest : public TftpInteropTest {
protected:
    void SetUp() override {}
};

TEST_F(TftpdRestartTest, UploadTemporaryOfAKilledServerIsGoneAfterARestart)
{
    const std::vector<std::uint8_t> user = {'m', 'i', 'n', 'e'};
    WriteFile(root / "notes.part", user);
    StartServer();
    ScriptedClient client(port);
    client.SendRequest(Opcode::Wrq, "backup.dcf");
    std::optional<Packet> ack = client.Next();
    ASSERT_TRUE(ack && ack->opcode == Opcode::Ack) << "no ACK 0";
    const auto bytes = RandomBytes(512, 3);
    client.Send(BuildData(1, bytes.data(), bytes.size()));
    ack = client.Next();
    ASSERT_TRUE(ack && ack->opcode == Opcode::Ack && ack->block == 1);

    server.kill(); // SIGKILL in the middle of the upload: nothing of the server cleans up
    server.waitForFinished();
    std::vector<std::string> left;
    for (const auto &entry : std::filesystem::directory_iterator(root.Path()))
        left.push_back(entry.path().filename().string());
    ASSERT_EQ(left.size(), 2u) << "the killed upload should have left its temporary";

    StartServer();
    std::vector<std::string> after;
    for (const auto &entry : std::filesystem::directory_iterator(root.Path()))
        after.push_back(entry.path().filename().string());
    EXPECT_EQ(after, std::vector<std::string>{"notes.part"});
    EXPECT_EQ(ReadFile(root / "notes.part"), user);
}
