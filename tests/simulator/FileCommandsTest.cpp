// The device's side of file transfers, with a TFTP client that serves files from memory: firmware
// images, language packs, certificates, keys and configuration files, each good and damaged.
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <unistd.h>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "ConfigFile.h"
#include "DefaultDevice.h"
#include "Device.h"
#include "FirmwareImage.h"

using namespace trb::sim;
using trb::image::FirmwareImage;
using Bytes = std::vector<uint8_t>;

namespace {

// Serves the files put into it; records what the device stores. A held gate keeps fetches
// waiting until released.
class MemoryMover : public FileMover {
public:
    Result fetch(const std::string &, uint16_t, const std::string &name, Bytes &data) override
    {
        std::unique_lock lock(mutex);
        released.wait(lock, [this] { return !held; });
        auto it = files.find(name);
        if (it == files.end())
            return {false, "File not found"};
        data = it->second;
        return {true, {}};
    }
    Result store(const std::string &, uint16_t, const std::string &name, const Bytes &data) override
    {
        std::lock_guard lock(mutex);
        files[name] = data;
        return {true, {}};
    }
    void hold(bool on)
    {
        {
            std::lock_guard lock(mutex);
            held = on;
        }
        released.notify_all();
    }

    std::mutex mutex;
    std::condition_variable released;
    bool held = false;
    std::map<std::string, Bytes> files;
};

Bytes imageFile(const std::string &version, const std::string &model = "TRB-4820",
                FirmwareImage::Kind kind = FirmwareImage::Kind::Firmware)
{
    FirmwareImage image;
    image.kind = kind;
    image.model = model;
    image.version = version;
    image.body = FirmwareImage::randomBody(4096, 1);
    return image.encode();
}

Bytes bytesOf(const std::string &text) { return Bytes(text.begin(), text.end()); }

// A configuration file body closed with its CRC line.
Bytes withCrc(const std::string &body)
{
    char line[32];
    std::snprintf(line, sizeof line, "crc32=%08x\n",
                  trb::image::crc32({reinterpret_cast<const uint8_t *>(body.data()), body.size()}));
    return bytesOf(body + line);
}

// A fresh EC key and a certificate for it, signed by itself, in PEM and DER.
struct SslMaterial {
    Bytes certificatePem, certificateDer, keyPem, keyDer;

    SslMaterial()
    {
        EVP_PKEY *key = EVP_EC_gen("P-256");
        X509 *certificate = X509_new();
        ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
        X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
        X509_gmtime_adj(X509_getm_notAfter(certificate), 86400);
        X509_set_pubkey(certificate, key);
        X509_NAME *name = X509_get_subject_name(certificate);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("ap.test"), -1,
                                   -1, 0);
        X509_set_issuer_name(certificate, name);
        X509_sign(certificate, key, EVP_sha256());
        certificatePem = pem([&](BIO *bio) { PEM_write_bio_X509(bio, certificate); });
        keyPem = pem([&](BIO *bio) { PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr); });
        certificateDer = der(i2d_X509(certificate, nullptr), [&](unsigned char **out) { i2d_X509(certificate, out); });
        keyDer = der(i2d_PrivateKey(key, nullptr), [&](unsigned char **out) { i2d_PrivateKey(key, out); });
        X509_free(certificate);
        EVP_PKEY_free(key);
    }
    template <typename Write> static Bytes pem(Write write)
    {
        BIO *bio = BIO_new(BIO_s_mem());
        write(bio);
        char *data = nullptr;
        const long length = BIO_get_mem_data(bio, &data);
        Bytes bytes(data, data + length);
        BIO_free(bio);
        return bytes;
    }
    template <typename Write> static Bytes der(int length, Write write)
    {
        Bytes bytes(size_t(length > 0 ? length : 0));
        unsigned char *out = bytes.data();
        write(&out);
        return bytes;
    }
};

const SslMaterial &ssl()
{
    static const SslMaterial material;
    return material;
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest()
    {
        std::filesystem::remove(statePath);
        makeDevice();
    }
    ~FileCommandsTest() override { std::filesystem::remove(statePath); }

    void makeDevice()
    {
        device = std::make_unique<Device>(DefaultDevice::build(0), statePath, std::chrono::milliseconds(30));
        EXPECT_EQ(device->loadState(), "");
        auto owned = std::make_unique<MemoryMover>();
        mover = owned.get();
        device->transfers().setMover(std::move(owned));
    }
    void set(const char *object, SnmpValue value) { device->apply(DeviceStore::instanceOf(object), value); }
    void settings(const std::string &name, int direction)
    {
        set("trbTftpServerAddress", SnmpValue::ipAddress(0x0a000002));
        set("trbTftpFileName", SnmpValue::text(name));
        set("trbTftpDirection", SnmpValue::integer(direction));
    }
    void command(int code) { set("trbTftpCommand", SnmpValue::integer(code)); }
    void settle()
    {
        device->transfers().waitIdle();
        device->tick();
    }
    // Fetches `file` and applies it with `code`, as the firmware page does in one set request.
    std::string upload(const Bytes &file, int code)
    {
        mover->files["upload"] = file;
        settings("upload", FileCommands::FromPc);
        command(code);
        settle();
        return status();
    }
    std::string status() const { return device->fileCommands().status(); }
    std::string text(const char *object) const
    {
        return device->read(DeviceStore::instanceOf(object)).value_or(SnmpValue{}).bytes;
    }
    // Waits for the reboot a command asked for to end.
    void rebootEnds()
    {
        ASSERT_TRUE(device->rebooting()) << "the device reboots";
        while (device->rebooting())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Bytes downloadConfig()
    {
        settings("backup.dcf", FileCommands::ConfigToPc);
        command(FileCommands::SendConfig);
        settle();
        EXPECT_EQ(status(), "success");
        return mover->files["backup.dcf"];
    }

    // Tests run in parallel processes: each has a state file of its own.
    const std::string statePath = testing::TempDir() + "/file-commands-" + std::to_string(::getpid()) + "-" +
                                  testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    std::unique_ptr<Device> device;
    MemoryMover *mover = nullptr;
};

TEST_F(FileCommandsTest, BootsIdle) { EXPECT_EQ(status(), "idle"); }

TEST_F(FileCommandsTest, AGoodImageRebootsIntoItsVersionWhichSurvivesARestart)
{
    EXPECT_EQ(upload(imageFile("1.3.00"), FileCommands::ApplyImage), "success");
    rebootEnds();
    EXPECT_EQ(text("trbFirmwareVersion"), "1.3.00");
    EXPECT_EQ(status(), "success") << "the status survives the reboot";

    makeDevice();
    EXPECT_EQ(text("trbFirmwareVersion"), "1.3.00");
}

TEST_F(FileCommandsTest, ACommandThatArrivesDuringTheFetchRunsWhenTheFileHasArrived)
{
    mover->hold(true);
    mover->files["fw.bin"] = imageFile("1.4.00");
    settings("fw.bin", FileCommands::FromPc);
    command(FileCommands::ApplyImage);
    device->tick();
    EXPECT_EQ(status(), "fetching");
    EXPECT_EQ(text("trbFirmwareVersion"), "1.2.07");
    mover->hold(false);
    settle();
    EXPECT_EQ(status(), "success");
    rebootEnds();
    EXPECT_EQ(text("trbFirmwareVersion"), "1.4.00");
}

struct RefusedImage {
    const char *name;
    Bytes file;
};

TEST_F(FileCommandsTest, ImagesTheDeviceRefusesLeaveTheVersionAlone)
{
    Bytes badCrc = imageFile("1.3.00");
    badCrc.back() ^= 0xff;
    Bytes truncated = imageFile("1.3.00");
    truncated.resize(truncated.size() / 2);
    const RefusedImage cases[] = {
        {"another model", imageFile("1.3.00", "TRB-3710")},
        {"bad CRC", badCrc},
        {"truncated", truncated},
        {"no header", FirmwareImage::randomBody(4096, 3)},
        {"empty", {}},
    };
    for (const RefusedImage &refused : cases) {
        SCOPED_TRACE(refused.name);
        EXPECT_EQ(upload(refused.file, FileCommands::ApplyImage), "wrongImage");
        EXPECT_FALSE(device->rebooting());
        EXPECT_EQ(text("trbFirmwareVersion"), "1.2.07");
    }
}

TEST_F(FileCommandsTest, ALanguagePackInstallsItsNameWithoutAReboot)
{
    EXPECT_EQ(upload(imageFile("Deutsch 1.3", "TRB-4820", FirmwareImage::Kind::LanguagePack), FileCommands::ApplyImage),
              "success");
    EXPECT_FALSE(device->rebooting());
    EXPECT_EQ(text("trbLanguagePack"), "Deutsch 1.3");
    EXPECT_EQ(text("trbFirmwareVersion"), "1.2.07");
    makeDevice();
    EXPECT_EQ(text("trbLanguagePack"), "Deutsch 1.3");
}

TEST_F(FileCommandsTest, AFailedFetchReportsTftpFailedAndTheCommandDoesNothing)
{
    settings("missing.bin", FileCommands::FromPc);
    command(FileCommands::ApplyImage);
    settle();
    EXPECT_EQ(status(), "tftpFailed");
    EXPECT_FALSE(device->rebooting());
    command(FileCommands::Finish);
    EXPECT_EQ(status(), "tftpFailed") << "the failure stays to be read";
}

TEST_F(FileCommandsTest, FinishAcknowledgesASuccessButKeepsARefusalToBeRead)
{
    EXPECT_EQ(upload(ssl().certificatePem, FileCommands::ApplyCertificate), "success");
    command(FileCommands::Finish);
    EXPECT_EQ(status(), "idle");
    EXPECT_EQ(upload(bytesOf("not a key"), FileCommands::ApplyKey), "wrongImage");
    command(FileCommands::Finish);
    EXPECT_EQ(status(), "wrongImage");
}

// The certificate chain sends apply and finish at once, before the file has arrived.
TEST_F(FileCommandsTest, AFinishDuringTheFetchWaitsForTheApply)
{
    struct Case {
        const char *name;
        Bytes file;
        const char *status;
    };
    const Case cases[] = {{"good certificate", ssl().certificateDer, "idle"},
                          {"bad certificate", bytesOf("nonsense"), "wrongImage"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        mover->hold(true);
        mover->files["cert.der"] = c.file;
        settings("cert.der", FileCommands::FromPc);
        command(FileCommands::ApplyCertificate);
        command(FileCommands::Finish);
        mover->hold(false);
        settle();
        EXPECT_EQ(status(), c.status);
    }
    EXPECT_EQ(text("trbSslCertificateSubject"), "CN = ap.test");
}

TEST_F(FileCommandsTest, SavingTheConfigurationOrAFactoryResetKeepsTheInstalledFirmware)
{
    EXPECT_EQ(upload(imageFile("1.3.00"), FileCommands::ApplyImage), "success");
    rebootEnds();
    for (auto command : {Device::SaveAndActivate, Device::RestoreDefaults}) {
        ASSERT_EQ(device->runCommand(command), SNMP_ERR_NOERROR);
        makeDevice();
        EXPECT_EQ(text("trbFirmwareVersion"), "1.3.00");
    }
}

struct SslCase {
    const char *name;
    int command;
    Bytes file;
    const char *status;
};

TEST_F(FileCommandsTest, CertificatesAndKeysInPemOrDerAreAcceptedAndGarbageRefused)
{
    const SslCase cases[] = {
        {"certificate PEM", FileCommands::ApplyCertificate, ssl().certificatePem, "success"},
        {"certificate DER", FileCommands::ApplyCertificate, ssl().certificateDer, "success"},
        {"key PEM", FileCommands::ApplyKey, ssl().keyPem, "success"},
        {"key DER", FileCommands::ApplyKey, ssl().keyDer, "success"},
        {"garbage as certificate", FileCommands::ApplyCertificate, bytesOf("-----BEGIN CERTIFICATE-----\nAAAA\n"),
         "wrongImage"},
        {"key as certificate", FileCommands::ApplyCertificate, ssl().keyPem, "wrongImage"},
        {"certificate as key", FileCommands::ApplyKey, ssl().certificatePem, "wrongImage"},
        {"garbage as key", FileCommands::ApplyKey, FirmwareImage::randomBody(300, 5), "wrongImage"},
        {"empty key", FileCommands::ApplyKey, {}, "wrongImage"},
    };
    for (const SslCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(upload(c.file, c.command), c.status);
    }
    EXPECT_EQ(text("trbSslCertificateSubject"), "CN = ap.test") << "the refused files changed nothing";
    const std::string fingerprint = text("trbSslKeyFingerprint");
    EXPECT_EQ(fingerprint.size(), 64u);
    makeDevice();
    EXPECT_EQ(text("trbSslKeyFingerprint"), fingerprint) << "kept across a restart";
}

TEST_F(FileCommandsTest, AConfigurationFileRestoresTheSettingsItWasTakenWith)
{
    set("trbSystemName", SnmpValue::text("Backed up"));
    const Bytes backup = downloadConfig();
    ASSERT_FALSE(backup.empty());
    set("trbSystemName", SnmpValue::text("Changed later"));

    EXPECT_EQ(upload(backup, FileCommands::ApplyConfig), "success");
    EXPECT_EQ(text("trbSystemName"), "Backed up");
    makeDevice();
    EXPECT_EQ(text("trbSystemName"), "Backed up") << "the saved configuration took it too";
}

TEST_F(FileCommandsTest, DamagedOrForeignConfigurationFilesChangeNothing)
{
    set("trbSystemName", SnmpValue::text("Backed up"));
    const Bytes backup = downloadConfig();
    set("trbSystemName", SnmpValue::text("Current"));

    const std::string text(backup.begin(), backup.end());
    Bytes changedValue = backup;
    changedValue[text.find("Backed up")] = 'b';
    ConfigValues badZone = device->store().config();
    badZone[DeviceStore::instanceOf("trbTimeZone")] = SnmpValue::integer(99);
    const RefusedImage cases[] = {
        {"value changed after the CRC", changedValue},
        {"truncated", Bytes(backup.begin(), backup.begin() + long(backup.size() / 2))},
        {"CRC line missing", Bytes(backup.begin(), backup.begin() + long(text.rfind("crc32=")))},
        {"another model", ConfigFile::write(device->store().config(), "TRB-3710", "1.2.07")},
        {"a value the device refuses", ConfigFile::write(badZone, "TRB-4820", "1.2.07")},
        {"a firmware image", imageFile("1.3.00")},
        {"empty", {}},
        {"only a CRC line", bytesOf("crc32=00000000\n")},
        {"a line without a value", withCrc("format=trb4820-dcf/1\nmodel=\"TRB-4820\"\nfirmware=\"1\"\ntrbSystemName.0\n")},
        {"an unknown object", withCrc("format=trb4820-dcf/1\nmodel=\"TRB-4820\"\nfirmware=\"1\"\ntrbNoSuch.0=1\n")},
    };
    for (const RefusedImage &refused : cases) {
        SCOPED_TRACE(refused.name);
        EXPECT_EQ(upload(refused.file, FileCommands::ApplyConfig), "wrongImage");
        EXPECT_EQ(this->text("trbSystemName"), "Current");
    }
}

TEST_F(FileCommandsTest, SecretsTravelInTheConfigurationFile)
{
    const Bytes backup = downloadConfig();
    const std::string text(backup.begin(), backup.end());
    EXPECT_NE(text.find(std::string("trbLoginPassword.0=\"") + DefaultDevice::kLoginPassword + "\""), std::string::npos);
}

TEST_F(FileCommandsTest, TheAclDirectionStoresTheDevicesAclFile)
{
    settings("filter.acl", FileCommands::AclToPc);
    settle();
    EXPECT_EQ(status(), "success");
    EXPECT_EQ(mover->files["filter.acl"], device->aclFileOf());
}

} // namespace
