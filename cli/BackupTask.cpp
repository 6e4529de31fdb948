#include "BackupTask.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "TRB4820apRecords.h"

namespace trb::ctl {
namespace {

constexpr int kSendConfig = 2;

std::string Timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

std::unique_ptr<BackupTask> BackupTask::Create(const CtlOptions &options, std::string &error, int &exitCode)
{
    exitCode = 2;
    const std::string directory = options.arguments.at(0);
    struct stat info {};
    if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || ::access(directory.c_str(), W_OK) != 0) {
        error = directory + " is not a directory this user can write to";
        return nullptr;
    }
    std::unique_ptr<BackupTask> task(new BackupTask(options));
    task->directory_ = std::filesystem::absolute(directory).lexically_normal().string();
    std::string staging = task->directory_ + "/.trb4820-ctl-XXXXXX";
    if (!::mkdtemp(staging.data())) {
        error = "cannot make a folder in " + directory + ": " + std::strerror(errno);
        return nullptr;
    }
    task->staging_ = staging;
    exitCode = 1;
    if (!task->transfers_.Start(task->staging_, error))
        return nullptr;
    return task;
}

// Whatever did not arrive whole goes with the private folder.
BackupTask::~BackupTask()
{
    std::error_code ignored;
    if (!staging_.empty())
        std::filesystem::remove_all(staging_, ignored);
}

std::string BackupTask::FreshName(const DeviceAddress &address) const
{
    const std::string stem = address.FileStem() + "-" + Timestamp();
    std::string name = stem + ".dcf";
    for (int n = 2; ::access((directory_ + "/" + name).c_str(), F_OK) == 0; ++n)
        name = stem + "-" + std::to_string(n) + ".dcf";
    return name;
}

DeviceResult BackupTask::Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step)
{
    // Each device's names begin with its own address, so no two devices pick the same one.
    const std::string name = FreshName(address);
    const Outcome moved = transfers_.MoveFile(address, session, name, true, AP_TFTP_CONFIG_TO_PC, kSendConfig, step);
    if (!moved.Ok())
        return DeviceResult::Failure(moved);
    const std::string received = staging_ + "/" + name;
    const std::string path = directory_ + "/" + name;
    // A configuration holds the device's passwords and keys: only its owner may read it.
    if (::chmod(received.c_str(), 0600) != 0)
        return DeviceResult::Failure("cannot make " + received + " private: " + std::strerror(errno));
    // A hard link fails on an existing name, so nothing is ever overwritten.
    if (::link(received.c_str(), path.c_str()) != 0)
        return DeviceResult::Failure("cannot put the file in place as " + path + ": " + std::strerror(errno));
    ::unlink(received.c_str());
    return DeviceResult::Success({{"file", path}});
}

} // namespace trb::ctl
