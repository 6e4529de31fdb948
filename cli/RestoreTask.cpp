#include "RestoreTask.h"

#include <filesystem>
#include <fstream>

#include "TRB4820apRecords.h"

namespace trb::ctl {
namespace {

constexpr int kApplyConfig = 3;
constexpr int kFinish = 4;
constexpr int kFinishWaitMs = 5000;

} // namespace

std::unique_ptr<RestoreTask> RestoreTask::Create(const CtlOptions &options, std::string &error, int &exitCode)
{
    exitCode = 2;
    const std::filesystem::path file = std::filesystem::absolute(options.arguments.at(0)).lexically_normal();
    std::error_code code;
    if (!std::filesystem::is_regular_file(file, code) || !std::ifstream(file) || std::filesystem::file_size(file, code) == 0) {
        error = file.string() + " is not a configuration file this user can read";
        return nullptr;
    }
    std::unique_ptr<RestoreTask> task(new RestoreTask(options));
    task->fileName_ = file.filename().string();
    if (task->fileName_.size() >= AP_TFTP_FILE_NAME_SIZE) {
        error = "the file name " + task->fileName_ + " is longer than the device takes (127 characters)";
        return nullptr;
    }
    exitCode = 1;
    if (!task->transfers_.Start(file.parent_path().string(), error))
        return nullptr;
    return task;
}

DeviceResult RestoreTask::Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step)
{
    const Outcome moved = transfers_.MoveFile(address, session, fileName_, false, AP_TFTP_FROM_PC, kApplyConfig, step);
    if (!moved.Ok())
        return DeviceResult::Failure(moved);
    step("waiting for the device's verdict");
    std::string status;
    const Outcome verdict = transfers_.AwaitVerdict(session, status);
    if (!verdict.Ok())
        return DeviceResult::Failure(verdict);
    if (status != "success")
        return DeviceResult::Failure("the device did not take the configuration file: " + status);
    // The device lets go of the file; its configuration already runs and is saved.
    if (const Outcome finished = session.TransferCommand(kFinish, kFinishWaitMs); !finished.Ok())
        return DeviceResult::Failure(finished, "the configuration was applied, but finishing failed");
    return DeviceResult::Success({{"status", status}});
}

} // namespace trb::ctl
