#include "FileCommands.h"

#include <arpa/inet.h>

#include <cstdio>

#include "ConfigFile.h"
#include "Device.h"
#include "FirmwareImage.h"
#include "SslFiles.h"

namespace trb::sim {
namespace {

constexpr const char *kIdle = "idle";
constexpr const char *kFetching = "fetching";
constexpr const char *kSuccess = "success";
constexpr const char *kWrongImage = "wrongImage";
constexpr const char *kTftpFailed = "tftpFailed";

std::string dotted(const std::string &octets)
{
    char text[INET_ADDRSTRLEN] = "0.0.0.0";
    if (octets.size() == 4)
        inet_ntop(AF_INET, octets.data(), text, sizeof text);
    return text;
}

} // namespace

FileCommands::FileCommands(Device &device)
    : device_(device), directionOid_(DeviceStore::instanceOf("trbTftpDirection")),
      commandOid_(DeviceStore::instanceOf("trbTftpCommand")), statusOid_(DeviceStore::instanceOf("trbTftpStatus"))
{
    setStatus(kIdle);
}

void FileCommands::write(const Oid &name, const SnmpValue &value)
{
    if (name == commandOid_) { // not stored: it reads as idle
        run(long(value.number));
        return;
    }
    device_.store_.set(name, value);
    if (value.number == FromPc)
        startFetch();
    else if (value.number == AclToPc)
        send(device_.aclFileOf());
}

std::string FileCommands::status() const { return text("trbTftpStatus"); }

void FileCommands::startFetch()
{
    fetching_ = true;
    file_.reset();
    waiting_.reset();
    finishWaiting_ = false;
    setStatus(kFetching);
    const uint64_t number = ++fetchNumber_;
    device_.transfers_.fetch(dotted(text("trbTftpServerAddress")), text("trbTftpFileName"),
                             [this, number](const FileMover::Result &result, Bytes file) {
                                 if (number == fetchNumber_)
                                     fetched(result, std::move(file));
                             });
}

void FileCommands::fetched(const FileMover::Result &result, Bytes file)
{
    fetching_ = false;
    if (result.ok) {
        file_ = std::move(file);
    } else {
        std::fprintf(stderr, "trb4820-sim: fetching %s failed: %s\n", text("trbTftpFileName").c_str(),
                     result.error.c_str());
        waiting_.reset();
        setStatus(kTftpFailed);
    }
    if (waiting_) {
        const long command = *waiting_;
        waiting_.reset();
        applyFetched(command);
    }
    if (finishWaiting_) {
        finishWaiting_ = false;
        finish();
    }
}

// The module sends finish right after a certificate, key or configuration command, and reads
// the status only later: a refusal or a failed transfer must still be there to read.
void FileCommands::finish()
{
    if (status() == kSuccess)
        setStatus(kIdle);
}

void FileCommands::run(long command)
{
    switch (command) {
    case Finish:
        if (fetching_)
            finishWaiting_ = true;
        else
            finish();
        return;
    case SendConfig:
        send(ConfigFile::write(device_.store_.config(), text("trbModelName"), text("trbFirmwareVersion")));
        return;
    case ApplyImage:
    case ApplyConfig:
    case ApplyCertificate:
    case ApplyKey:
    case ApplyAcl:
        if (fetching_)
            waiting_ = command;
        else
            applyFetched(command);
        return;
    default: // idle: nothing to do
        return;
    }
}

// A command without a fetched file refuses it, unless the fetch failed: that is the news.
void FileCommands::applyFetched(long command)
{
    if (!file_) {
        if (status() != kTftpFailed)
            setStatus(kWrongImage);
        return;
    }
    const Bytes file = std::move(*file_);
    file_.reset();
    switch (command) {
    case ApplyImage: setStatus(applyImage(file)); break;
    case ApplyConfig: setStatus(applyConfig(file)); break;
    case ApplyCertificate: setStatus(applyCertificate(file)); break;
    case ApplyKey: setStatus(applyKey(file)); break;
    case ApplyAcl: setStatus(applyAcl(file)); break;
    default: break;
    }
}

// A firmware image reboots the device into its version; a language pack installs at once.
const char *FileCommands::applyImage(const Bytes &file)
{
    std::string error;
    const auto image = image::FirmwareImage::decode(file, error);
    if (image && image->model != text("trbModelName"))
        error = "image for model " + image->model;
    if (!image || !error.empty()) {
        std::fprintf(stderr, "trb4820-sim: refused image: %s\n", error.c_str());
        return kWrongImage;
    }
    if (image->kind == image::FirmwareImage::Kind::LanguagePack)
        return install("trbLanguagePack", image->version) ? kSuccess : kWrongImage;
    if (!install("trbFirmwareVersion", image->version))
        return kWrongImage;
    device_.rebootPending_ = true;
    return kSuccess;
}

const char *FileCommands::applyCertificate(const Bytes &file)
{
    const auto subject = SslFiles::certificateSubject(file);
    const auto *object = schema::findObject("trbSslCertificateSubject");
    return subject && install(object->name, subject->substr(0, size_t(object->high))) ? kSuccess : kWrongImage;
}

const char *FileCommands::applyKey(const Bytes &file)
{
    const auto fingerprint = SslFiles::keyFingerprint(file);
    return fingerprint && install("trbSslKeyFingerprint", *fingerprint) ? kSuccess : kWrongImage;
}

// All or nothing: the file's configuration runs and is saved, or nothing changes.
const char *FileCommands::applyConfig(const Bytes &file)
{
    std::string error;
    const auto config = ConfigFile::read(file, device_.store_, text("trbModelName"), error);
    if (!config) {
        std::fprintf(stderr, "trb4820-sim: refused configuration file: %s\n", error.c_str());
        return kWrongImage;
    }
    SavedState next = device_.savedState();
    next.config = *config;
    if (std::string failure = device_.persist(next); !failure.empty()) {
        std::fprintf(stderr, "trb4820-sim: %s\n", failure.c_str());
        return kWrongImage;
    }
    device_.savedConfig_ = *config;
    device_.store_.applyConfig(*config);
    device_.refreshLeases();
    device_.followVlans();
    return kSuccess;
}

const char *FileCommands::applyAcl(const Bytes &file)
{
    std::string error;
    if (device_.applyAclFile(file, error))
        return kSuccess;
    std::fprintf(stderr, "trb4820-sim: refused ACL file: %s\n", error.c_str());
    return kWrongImage;
}

void FileCommands::send(Bytes file)
{
    device_.transfers_.store(dotted(text("trbTftpServerAddress")), text("trbTftpFileName"), std::move(file),
                             [this](const FileMover::Result &result) {
                                 if (!result.ok)
                                     std::fprintf(stderr, "trb4820-sim: storing %s failed: %s\n",
                                                  text("trbTftpFileName").c_str(), result.error.c_str());
                                 setStatus(result.ok ? kSuccess : kTftpFailed);
                             });
}

bool FileCommands::install(const char *object, const std::string &value)
{
    const Oid name = DeviceStore::instanceOf(object);
    const SnmpValue *old = device_.store_.find(name);
    if (!old)
        return false;
    const SnmpValue previous = *old;
    device_.store_.set(name, SnmpValue::text(value));
    if (std::string failure = device_.persist(device_.savedState()); !failure.empty()) {
        std::fprintf(stderr, "trb4820-sim: %s\n", failure.c_str());
        device_.store_.set(name, previous);
        return false;
    }
    return true;
}

void FileCommands::setStatus(const char *status)
{
    if (device_.store_.contains(statusOid_))
        device_.store_.set(statusOid_, SnmpValue::text(status));
}

std::string FileCommands::text(const char *object) const
{
    const SnmpValue *value = device_.store_.find(DeviceStore::instanceOf(object));
    return value ? value->bytes : std::string();
}

} // namespace trb::sim
