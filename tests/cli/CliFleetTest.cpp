// trb4820-ctl run as a user runs it, against ten simulated devices on 127.0.0.2 to 127.0.0.11
// sharing one TFTP port; what each device holds afterwards is read from the device itself.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <memory>

#include "FirmwareImage.h"
#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

namespace {

using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;

constexpr int kDevices = 10;
constexpr int kOtherModel = 8; // refuses the TRB-4820's images

struct CtlRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CliFleet : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tftpPort_ = SimulatorProcess::freeUdpPort();
        for (int i = 0; i < kDevices; ++i) {
            std::vector<std::string> args{"--reboot-seconds", "1", "--tftp-port", std::to_string(tftpPort_)};
            if (i == kOtherModel)
                args.insert(args.end(), {"--model", "TRB-4821"});
            sims_.push_back(std::make_unique<SimulatorProcess>(args, "", "127.0.0." + std::to_string(i + 2)));
        }
    }
    static void TearDownTestSuite() { sims_.clear(); }

    void SetUp() override
    {
        for (const auto &sim : sims_) {
            ASSERT_TRUE(sim->ok()) << sim->error();
            sim->control("clear");
        }
    }

    static QStringList Addresses(int count = kDevices)
    {
        QStringList addresses;
        for (int i = 0; i < count; ++i)
            addresses << QString::fromStdString(sims_[i]->address());
        return addresses;
    }

    static CtlRun Ctl(const QStringList &arguments, int timeoutMs = 40000)
    {
        QProcess process;
        process.start(QStringLiteral(TRB4820_CTL_PATH),
                      QStringList{QStringLiteral("--tftp-port"), QString::number(tftpPort_)} + arguments);
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return {-1, process.readAllStandardOutput().toStdString(), "did not end in time"};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }

    // One JSON object a line, by device address.
    static std::map<std::string, QJsonObject> JsonByDevice(const std::string &out)
    {
        std::map<std::string, QJsonObject> objects;
        for (const QByteArray &line : QByteArray::fromStdString(out).split('\n'))
            if (!line.isEmpty()) {
                const QJsonObject object = QJsonDocument::fromJson(line).object();
                objects[object.value(QStringLiteral("device")).toString().toStdString()] = object;
            }
        return objects;
    }

    static std::string Read(int device, const char *name, std::initializer_list<uint32_t> instance = {})
    {
        SnmpTestClient client(sims_[device]->address(), "private", 1000, 1);
        const auto value = client.getObject(name, instance);
        return value ? value->bytes : "<no answer>";
    }

    static long Sets(int device)
    {
        const std::string counts = sims_[device]->control("counts");
        const auto at = counts.find("sets ");
        return at == std::string::npos ? -1 : std::stol(counts.substr(at + 5));
    }

    static std::vector<long> AllSets()
    {
        std::vector<long> sets;
        for (int i = 0; i < kDevices; ++i)
            sets.push_back(Sets(i));
        return sets;
    }

    static std::string WriteImage(const QTemporaryDir &dir, const char *name, const char *model, const char *version)
    {
        trb::image::FirmwareImage image;
        image.model = model;
        image.version = version;
        image.body = trb::image::FirmwareImage::randomBody(256 * 1024, 7);
        const auto bytes = image.encode();
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    static inline std::vector<std::unique_ptr<SimulatorProcess>> sims_;
    static inline int tftpPort_ = 0;
};

TEST_F(CliFleet, InfoReportsWhatEachDeviceHolds)
{
    const CtlRun run = Ctl(QStringList{"info", "--json"} + Addresses());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto results = JsonByDevice(run.out);
    ASSERT_EQ(results.size(), size_t(kDevices)) << run.out;
    for (int i = 0; i < kDevices; ++i) {
        const QJsonObject &info = results.at(sims_[i]->address());
        EXPECT_EQ(info.value("model").toString().toStdString(), Read(i, "trbModelName")) << i;
        EXPECT_EQ(info.value("firmware").toString().toStdString(), Read(i, "trbFirmwareVersion")) << i;
        EXPECT_EQ(info.value("ssid_5ghz").toString().toStdString(), Read(i, "trbBandSsid", {2})) << i;
        EXPECT_FALSE(info.value("mac").toString().isEmpty()) << i;
    }
}

// Every bad command line is refused with its reason before any device is written to.
TEST_F(CliFleet, BadInputIsRefusedAndChangesNothing)
{
    QTemporaryDir dir;
    const std::string badCrc = WriteImage(dir, "bad.bin", "TRB-4820", "9.9.99");
    std::fstream(badCrc, std::ios::in | std::ios::out | std::ios::binary).seekp(100).put('\x55');
    const std::string otherModel = WriteImage(dir, "other.bin", "TRB-9999", "9.9.99");
    const std::string communities = dir.filePath("communities").toStdString();
    std::ofstream(communities) << "read=public\nwrite=private\n";
    ::chmod(communities.c_str(), 0644);
    const QString all = Addresses().join(' ');
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{"set", "trbBandSsid.1=" + QString(33, 'x')}, "takes 1 to 32 characters"},
        {{"set", "trbSystemName=ok", "trbLanGateway=300.1.1.1"}, "dotted IPv4"},
        {{"set", "trbApMode=hovering"}, "takes one of"},
        {{"set", "trbModelName=X"}, "read-only"},
        {{"set", "trbBandSsid.3=x"}, "trbBandIndex is 1 to 2"},
        {{"get", "trbNoSuchThing"}, "needs object names"},
        {{"info", "--jobs", "0"}, "--jobs"},
        {{"info", "--communities", QString::fromStdString(communities)}, "must be 0600"},
        {{"upgrade", QString::fromStdString(badCrc)}, "CRC"},
        {{"upgrade", QString::fromStdString(otherModel)}, "TRB-9999"},
        {{"backup", dir.filePath("missing")}, "not a directory"},
        {{"reboot", "bad host:name"}, "not host or host:port"},
    };
    const std::vector<long> before = AllSets();
    for (const auto &c : cases) {
        const CtlRun run = Ctl(c.arguments + all.split(' '));
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString() << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments.join(' ').toStdString() << "\n" << run.err;
    }
    EXPECT_EQ(AllSets(), before);
    EXPECT_EQ(Read(0, "trbFirmwareVersion"), Read(1, "trbFirmwareVersion"));
}

// All values of a device go in one request; a device that refuses is reported with its own
// error and the others are written all the same.
TEST_F(CliFleet, SetWritesEveryDeviceInOneRequestAndReportsARefusal)
{
    const int refusing = 3;
    const std::string keptSsid = Read(refusing, "trbBandSsid", {1});
    sims_[refusing]->control("fault set all 1 error notWritable");
    const std::vector<long> before = AllSets();
    const CtlRun run = Ctl(QStringList{"set", "trbSystemName=fleet-a", "trbBandSsid.1=Fleet-A"} + Addresses());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find(sims_[refusing]->address() + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("notWritable"), std::string::npos) << run.err;
    for (int i = 0; i < kDevices; ++i) {
        EXPECT_EQ(Sets(i), before[i] + 1) << i;
        EXPECT_EQ(Read(i, "trbBandSsid", {1}), i == refusing ? keptSsid : "Fleet-A") << i;
    }
    const CtlRun get = Ctl(QStringList{"get", "trbSystemName", "--json"} + Addresses(2));
    EXPECT_EQ(get.exitCode, 0) << get.err;
    EXPECT_EQ(JsonByDevice(get.out)[sims_[1]->address()].value("trbSystemName").toString(), "fleet-a");
}

TEST_F(CliFleet, BackupChangeAndRestoreEveryDevice)
{
    QTemporaryDir dir;
    std::vector<std::string> original;
    for (int i = 0; i < kDevices; ++i)
        original.push_back(Read(i, "trbLocation"));
    const CtlRun backup = Ctl(QStringList{"backup", dir.path(), "--json"} + Addresses());
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    const auto files = JsonByDevice(backup.out);
    std::size_t entries = 0;
    for (const auto &entry : std::filesystem::directory_iterator(dir.path().toStdString())) {
        EXPECT_EQ(entry.path().extension(), ".dcf") << entry.path(); // nothing half-written left
        // It holds the device's passwords and keys.
        EXPECT_EQ(entry.status().permissions() & std::filesystem::perms::all, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write) << entry.path();
        ++entries;
    }
    EXPECT_EQ(entries, size_t(kDevices));

    for (int i = 0; i < kDevices; ++i) {
        SnmpTestClient client(sims_[i]->address(), "private");
        ASSERT_EQ(client.setObject("trbLocation", {}, ASN_OCTET_STR, "moved"), 0);
    }
    ASSERT_EQ(Ctl(QStringList{"save"} + Addresses()).exitCode, 0);

    // One file for all: the devices held the same location before the change. The device of
    // another model refuses a TRB-4820's file, and says so.
    const QString file = files.at(sims_[0]->address()).value("file").toString();
    const CtlRun restore = Ctl(QStringList{"restore", file, "--json"} + Addresses());
    EXPECT_EQ(restore.exitCode, 1) << restore.err;
    auto results = JsonByDevice(restore.out);
    for (int i = 0; i < kDevices; ++i) {
        EXPECT_EQ(results[sims_[i]->address()].value("ok").toBool(), i != kOtherModel) << i << restore.out;
        EXPECT_EQ(Read(i, "trbLocation"), i == kOtherModel ? "moved" : original[0]) << i;
    }
    EXPECT_NE(results[sims_[kOtherModel]->address()].value("error").toString().indexOf("wrongImage"), -1);
}

// One device takes the image but is of another model, one never answers: both are reported
// failed with their reasons, keep their version, and the rest run the new one.
TEST_F(CliFleet, UpgradeEveryDeviceThatCanTakeTheImage)
{
    QTemporaryDir dir;
    const std::string image = WriteImage(dir, "fw.bin", "TRB-4820", "2.0.01");
    const int silent = 9;
    const std::string oldVersion = Read(silent, "trbFirmwareVersion");
    sims_[silent]->control("fault any all -1 drop");

    const std::vector<long> before = AllSets();
    const CtlRun dryRun = Ctl(QStringList{"upgrade", QString::fromStdString(image), "--dry-run", "--timeout", "300",
                                          "--retries", "0"} + Addresses());
    EXPECT_EQ(dryRun.exitCode, 1) << dryRun.err; // the silent device
    EXPECT_EQ(AllSets(), before);

    const CtlRun run = Ctl(QStringList{"upgrade", QString::fromStdString(image), "--json", "--timeout", "300",
                                       "--retries", "0"} + Addresses());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    auto results = JsonByDevice(run.out);
    sims_[silent]->control("clear");
    for (int i = 0; i < kDevices; ++i) {
        const QJsonObject &result = results[sims_[i]->address()];
        const bool fails = i == kOtherModel || i == silent;
        EXPECT_EQ(result.value("ok").toBool(), !fails) << i << " " << run.out;
        EXPECT_EQ(Read(i, "trbFirmwareVersion"), fails ? oldVersion : "2.0.01") << i;
        if (!fails) {
            EXPECT_EQ(result.value("old_version").toString().toStdString(), oldVersion) << i;
        }
    }
    EXPECT_NE(results[sims_[kOtherModel]->address()].value("error").toString().indexOf("wrongImage"), -1);
    EXPECT_NE(results[sims_[silent]->address()].value("error").toString().indexOf("timed out"), -1);

    // Devices that run the version already are left alone.
    const std::vector<long> upgraded = AllSets();
    const CtlRun again = Ctl(QStringList{"upgrade", QString::fromStdString(image), "--json"} + Addresses(3));
    EXPECT_EQ(again.exitCode, 0) << again.err;
    const std::vector<long> after = AllSets();
    EXPECT_EQ(std::vector<long>(after.begin(), after.begin() + 3), std::vector<long>(upgraded.begin(), upgraded.begin() + 3));
}

// Ctrl+C starts no more devices; the one in flight finishes its upgrade.
TEST_F(CliFleet, InterruptLetsTheDeviceInFlightFinish)
{
    QTemporaryDir dir;
    const std::string image = WriteImage(dir, "fw3.bin", "TRB-4820", "3.0.00");
    const std::string oldVersion = Read(1, "trbFirmwareVersion");
    QProcess process;
    process.start(QStringLiteral(TRB4820_CTL_PATH), QStringList{"--tftp-port", QString::number(tftpPort_), "upgrade",
                                                                QString::fromStdString(image), "--jobs", "1"}
                                                        + Addresses(4));
    process.setReadChannel(QProcess::StandardError);
    QByteArray err;
    while (!err.contains("sending") && process.waitForReadyRead(10000))
        err += process.readAllStandardError();
    ASSERT_TRUE(err.contains("sending")) << err.toStdString();
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    err += process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("4 devices: 1 succeeded, 3 failed")) << err.toStdString();
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(err.contains(QByteArray::fromStdString("  " + sims_[i]->address() + ": not started: interrupted")));
    EXPECT_EQ(Read(0, "trbFirmwareVersion"), "3.0.00");
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(Read(i, "trbFirmwareVersion"), oldVersion) << i;
}

// A device that does not answer at first is tried again while the retry time lasts.
TEST_F(CliFleet, RetryOfflineReachesADeviceThatComesBack)
{
    sims_[2]->control("fault get all 2 drop");
    const CtlRun gaveUp = Ctl({"get", "trbModelName", "--timeout", "300", "--retries", "0",
                               QString::fromStdString(sims_[2]->address())});
    EXPECT_EQ(gaveUp.exitCode, 1) << gaveUp.err;
    const CtlRun retried = Ctl({"get", "trbModelName", "--timeout", "300", "--retries", "0", "--retry-offline",
                                "10s", QString::fromStdString(sims_[2]->address())});
    EXPECT_EQ(retried.exitCode, 0) << retried.err;
    EXPECT_NE(retried.err.find("trying again"), std::string::npos) << retried.err;
}

} // namespace
