#pragma once
// upgrade IMAGE: the image's header is checked once before any device is asked; a device
// that runs the image's version already is left alone; the others fetch the image, give their
// verdict, restart and come back, and their old and new versions are reported.
#include <chrono>
#include <memory>

#include "DeviceTask.h"
#include "DeviceTransfers.h"

namespace trb::ctl {

class UpgradeTask : public DeviceTask {
public:
    static constexpr const char *kProductModel = "TRB-4820";

    static std::unique_ptr<UpgradeTask> Create(const CtlOptions &options, std::string &error, int &exitCode);

    std::vector<std::string> Columns() const override { return {"OLD VERSION", "NEW VERSION", "RESULT"}; }
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;
    DeviceTransfers *Transfers() override { return &transfers_; }

private:
    struct Running {
        std::string version;
        int64_t upTimeTicks = 0;
        std::chrono::steady_clock::time_point readAt;
    };
    explicit UpgradeTask(const CtlOptions &options) : transfers_(options), options_(options) {}
    static Outcome ReadRunning(DeviceSession &session, Running &running);
    // Waits until the device answers with an up time that started after `before`.
    Outcome AwaitRestart(DeviceSession &session, const Running &before, Running &after) const;
    DeviceResult Result(const std::string &oldVersion, const std::string &newVersion, const std::string &what) const;

    DeviceTransfers transfers_;
    const CtlOptions &options_;
    std::string fileName_;
    std::string version_;
};

} // namespace trb::ctl
