// The real module program, started as the platform starts it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSettings>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

#include "InstanceLock.h"
#include "PlatformSettings.h"

using trb::InstanceLock;

namespace {

class ModuleProcess {
public:
    ModuleProcess(const QString &lockDir, const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TRB4820_MESSAGES", "stderr");
        env.insert("TRB4820_LOCK_DIR", lockDir);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TRB4820_MODULE_PATH), arguments);
        process.waitForStarted();
    }
    ~ModuleProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    // Output and exit code of a module that refuses to start.
    std::pair<QString, int> Refusal()
    {
        process.waitForFinished(20000);
        return {QString::fromLocal8Bit(process.readAllStandardError()), process.exitCode()};
    }
    QProcess process;
};

// True once some process holds the lock for the address. Read from /proc/locks: taking
// the lock to find out would itself refuse a module that starts at that moment.
bool IsLockedByAnyone(const QString &address)
{
    struct stat info {};
    if (::stat(QFile::encodeName(InstanceLock::LockFileFor(address)).constData(), &info) != 0)
        return false;
    QFile locks("/proc/locks");
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inode = ":" + QByteArray::number(qulonglong(info.st_ino)) + " ";
    for (const QByteArray &line : locks.readAll().split('\n')) {
        if (line.contains("FLOCK") && line.contains(inode))
            return true;
    }
    return false;
}

bool WaitUntilLocked(const QString &address)
{
    for (int i = 0; i < 200; ++i) {
        if (IsLockedByAnyone(address))
            return true;
        QThread::msleep(50);
    }
    return false;
}

class Startup : public ::testing::Test {
protected:
    QTemporaryDir lockDir;
    void SetUp() override { qputenv("TRB4820_LOCK_DIR", lockDir.path().toLocal8Bit()); }
};

const char kLaunchMessage[] = "This module can only be used in platform Vantix or HP-Openview!";
const char kRunningMessage[] = "Another TRB-4820 module is still running!";

TEST_F(Startup, WithoutAnAddressShowsTheLaunchMessageAndEnds)
{
    for (const QStringList &arguments : {QStringList{}, QStringList{"/Rpublic", "/Wprivate"},
                                         QStringList{"/I10.0.0.1", "/Wprivate"}}) {
        ModuleProcess module(lockDir.path(), arguments);
        auto [output, code] = module.Refusal();
        EXPECT_TRUE(output.contains(kLaunchMessage)) << output.toStdString();
        EXPECT_NE(code, 0);
    }
}

TEST_F(Startup, SecondModuleForTheSameAddressIsRefusedAndOthersRun)
{
    ModuleProcess first(lockDir.path(), {"/I127.0.0.1:9", "/Rpublic", "/Wprivate"});
    ASSERT_TRUE(WaitUntilLocked("127.0.0.1:9"));

    ModuleProcess second(lockDir.path(), {"/I127.0.0.1:9", "/Rpublic", "/Wprivate"});
    auto [output, code] = second.Refusal();
    EXPECT_TRUE(output.contains(kRunningMessage)) << output.toStdString();
    EXPECT_NE(code, 0);
    EXPECT_EQ(first.process.state(), QProcess::Running);

    // Another spelling of the same device is another address text.
    ModuleProcess spelledApart(lockDir.path(), {"/I127.000.0.1:9", "/Rpublic", "/Wprivate"});
    EXPECT_TRUE(WaitUntilLocked("127.000.0.1:9"));
    EXPECT_EQ(spelledApart.process.state(), QProcess::Running);
}

TEST_F(Startup, LockOfAKilledModuleIsReleased)
{
    {
        ModuleProcess crashed(lockDir.path(), {"/I127.0.0.1:9", "/Rpublic", "/Wprivate"});
        ASSERT_TRUE(WaitUntilLocked("127.0.0.1:9"));
        crashed.process.kill(); // SIGKILL: no clean-up runs
        crashed.process.waitForFinished();
    }
    ModuleProcess next(lockDir.path(), {"/I127.0.0.1:9", "/Rpublic", "/Wprivate"});
    EXPECT_TRUE(WaitUntilLocked("127.0.0.1:9"));
    QThread::msleep(300);
    EXPECT_EQ(next.process.state(), QProcess::Running)
        << next.process.readAllStandardError().toStdString();
}

TEST_F(Startup, LockIsKeyedByTheExactAddressText)
{
    InstanceLock first(" 10.0.0.1");
    ASSERT_TRUE(first.TryAcquire());
    InstanceLock same(" 10.0.0.1");
    EXPECT_FALSE(same.TryAcquire());
    InstanceLock withoutBlank("10.0.0.1");
    EXPECT_TRUE(withoutBlank.TryAcquire());
    InstanceLock withSlash("a/b");
    EXPECT_TRUE(withSlash.TryAcquire());
}

// Each test runs in a process of its own, so the settings root can be moved there.
class PlatformSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        settings.remove(QStringLiteral("AdvanceSystem"));
        settings.sync();
    }
    void Store(const QString &name, const QVariant &value)
    {
        settings.setValue(QStringLiteral("AdvanceSystem/") + name, value);
        settings.sync();
    }
    QTemporaryDir config;
    QSettings settings{QStringLiteral("Veltrane"), QStringLiteral("Pylonix")};
};

TEST_F(PlatformSettingsTest, FtpMethodSelectsTheTransferMode)
{
    EXPECT_EQ(trb::PlatformSettings::ReadLocalTransferMode(), 1); // missing

    // Only the number zero keeps our own server; any other number, of any width, does not.
    // Text that is no number was not readable as one and counts as missing. The file holds
    // only text, so a value read at a later start arrives as the text forms below.
    const std::pair<QVariant, int> cases[] = {
        {QString("0"), 1}, {0, 1}, {QString("000"), 1}, {QString("-0"), 1},
        {2, 0}, {1, 0}, {QString("2"), 0}, {-1, 0}, {QString("-1"), 0},
        {qlonglong(4294967296), 0}, {QString("4294967296"), 0}, {QString("99999999999999999999"), 0},
        {QString("abc"), 1}, {QString("junk"), 1}, {QString(""), 1}, {QString("1x"), 1},
    };
    for (const auto &[value, mode] : cases) {
        Store(QStringLiteral("FtpMethod"), value);
        EXPECT_EQ(trb::PlatformSettings::ReadLocalTransferMode(), mode) << value.toString().toStdString();
    }
}

TEST_F(PlatformSettingsTest, HomeDirIsEmptyEvenWhenTheValueIsStored)
{
    EXPECT_EQ(trb::PlatformSettings::ReadPlatformHomeDir(), QString());
    Store(QStringLiteral("homedir"), "/srv/ftp/home");
    EXPECT_EQ(settings.value(QStringLiteral("AdvanceSystem/homedir")).toString(), "/srv/ftp/home");
    EXPECT_EQ(trb::PlatformSettings::ReadPlatformHomeDir(), QString());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
