#include "UpgradeTask.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "FirmwareImage.h"
#include "TRB4820apRecords.h"

namespace trb::ctl {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kApplyImage = 1;
constexpr auto kRestartPoll = std::chrono::seconds(1);
// Up time runs in whole seconds on the device; anything this much shorter than expected is a restart.
constexpr int64_t kRestartMarginTicks = 200;

std::optional<image::FirmwareImage> ReadImage(const std::filesystem::path &path, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + " cannot be read";
        return std::nullopt;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string reason;
    auto decoded = image::FirmwareImage::decode(bytes, reason);
    if (!decoded)
        error = path.string() + " is not a firmware image: " + reason;
    return decoded;
}

} // namespace

std::unique_ptr<UpgradeTask> UpgradeTask::Create(const CtlOptions &options, std::string &error, int &exitCode)
{
    exitCode = 2;
    const std::filesystem::path file = std::filesystem::absolute(options.arguments.at(0)).lexically_normal();
    const auto image = ReadImage(file, error);
    if (!image)
        return nullptr;
    if (image->kind != image::FirmwareImage::Kind::Firmware) {
        error = file.string() + " is a language pack, not a firmware image";
        return nullptr;
    }
    if (image->model != kProductModel) {
        error = file.string() + " is an image for " + image->model + ", not for the " + kProductModel;
        return nullptr;
    }
    std::unique_ptr<UpgradeTask> task(new UpgradeTask(options));
    task->fileName_ = file.filename().string();
    task->version_ = image->version;
    if (task->fileName_.size() >= AP_TFTP_FILE_NAME_SIZE) {
        error = "the file name " + task->fileName_ + " is longer than the device takes (127 characters)";
        return nullptr;
    }
    exitCode = 1;
    if (!options.dryRun && !task->transfers_.Start(file.parent_path().string(), error))
        return nullptr;
    return task;
}

Outcome UpgradeTask::ReadRunning(DeviceSession &session, Running &running)
{
    std::vector<std::string> texts;
    std::vector<devicelib::SnmpValue> raw;
    const Outcome read = session.ReadNamed({"trbFirmwareVersion", "trbUpTime"}, texts, &raw);
    if (read.Ok()) {
        running.version = texts[0];
        running.upTimeTicks = raw[1].integer;
        running.readAt = Clock::now();
    }
    return read;
}

Outcome UpgradeTask::AwaitRestart(DeviceSession &session, const Running &before, Running &after) const
{
    const auto until = Clock::now() + options_.rebootWait;
    Outcome last = Outcome::Failed(DeviceTransfers::kTransferFailed, "no answer yet");
    while (Clock::now() < until && !last.Ok()) {
        last = ReadRunning(session, after);
        const auto sinceBefore = std::chrono::duration_cast<std::chrono::milliseconds>(after.readAt - before.readAt);
        const int64_t expected = before.upTimeTicks + sinceBefore.count() / 10;
        if (last.Ok() && after.upTimeTicks + kRestartMarginTicks >= expected)
            last = Outcome::Failed(DeviceTransfers::kTransferFailed, "the device has not restarted yet");
        if (!last.Ok())
            std::this_thread::sleep_for(kRestartPoll);
    }
    return last.Ok() ? last : Outcome::Failed(last.code, "the device did not come back in time (" + last.text + ")");
}

DeviceResult UpgradeTask::Result(const std::string &oldVersion, const std::string &newVersion,
                                 const std::string &what) const
{
    return DeviceResult::Success({{"old_version", oldVersion}, {"new_version", newVersion}, {"result", what}});
}

DeviceResult UpgradeTask::Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step)
{
    Running before;
    if (const Outcome read = ReadRunning(session, before); !read.Ok())
        return DeviceResult::Failure(read);
    if (before.version == version_)
        return Result(before.version, before.version, "already runs " + version_ + "; skipped");
    if (options_.dryRun)
        return Result(before.version, version_, "would upgrade (dry run)");
    const Outcome moved = transfers_.MoveFile(address, session, fileName_, false, AP_TFTP_FROM_PC, kApplyImage, step);
    if (!moved.Ok())
        return DeviceResult::Failure(moved);
    step("waiting for the device's verdict");
    std::string status;
    if (const Outcome verdict = transfers_.AwaitVerdict(session, status); !verdict.Ok())
        return DeviceResult::Failure(verdict);
    if (status != "success")
        return DeviceResult::Failure("the device refused the image (" + status + "); it still runs " + before.version);
    step("restarting");
    Running after;
    if (const Outcome back = AwaitRestart(session, before, after); !back.Ok())
        return DeviceResult::Failure(back);
    if (after.version != version_)
        return DeviceResult::Failure("the device came back with version " + after.version + ", not " + version_);
    return Result(before.version, after.version, "upgraded");
}

} // namespace trb::ctl
