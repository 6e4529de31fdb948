#pragma once
// backup DIR: each device's configuration file to DIR/<address>-<yyyymmdd-hhmmss>.dcf. The
// devices write into a private folder inside DIR; a file is moved beside the others only
// once it has arrived whole, and never over an existing one.
#include <memory>

#include "DeviceTask.h"
#include "DeviceTransfers.h"

namespace trb::ctl {

class BackupTask : public DeviceTask {
public:
    // Nothing, with the reason, when DIR is not a writable directory or the server cannot start.
    static std::unique_ptr<BackupTask> Create(const CtlOptions &options, std::string &error, int &exitCode);
    ~BackupTask() override;

    std::vector<std::string> Columns() const override { return {"FILE"}; }
    DeviceResult Run(const DeviceAddress &address, DeviceSession &session, const StepFunction &step) override;
    DeviceTransfers *Transfers() override { return &transfers_; }

private:
    explicit BackupTask(const CtlOptions &options) : transfers_(options) {}
    // A name in the directory that no file has, from the device and the time.
    std::string FreshName(const DeviceAddress &address) const;

    DeviceTransfers transfers_;
    std::string directory_;
    std::string staging_; // where the server receives
};

} // namespace trb::ctl
