#pragma once
// What backup, restore and upgrade share: the run's one TFTP server, the address each device
// is told to reach it at, a file moved between one device and the server, and the device's
// verdict on what it fetched.
#include <chrono>
#include <map>
#include <mutex>
#include <string>

#include "CtlOptions.h"
#include "DeviceTask.h"
#include "TransferServer.h"

namespace trb::ctl {

class DeviceTransfers {
public:
    static constexpr int kTransferFailed = -1; // an Outcome code of our own: the file did not cross

    explicit DeviceTransfers(const CtlOptions &options);

    // Serves root for the whole run; false with the reason when the port cannot be had.
    bool Start(const std::string &root, std::string &error);

    // Tells the device to fetch (deviceWrites false) or store fileName, with the command that
    // acts on it, and waits until the file has crossed or the transfer has failed.
    Outcome MoveFile(const DeviceAddress &device, DeviceSession &session, const std::string &fileName,
                     bool deviceWrites, int direction, int command, const StepFunction &step);
    // Reads the device's transfer status until it says more than "fetching"; "success",
    // "wrongImage" or "tftpFailed" come back in status.
    Outcome AwaitVerdict(DeviceSession &session, std::string &status);

    // Bytes moved, by the device's address text as the user gave it.
    void SetProgressFunction(TransferServer::ProgressFunction function);

private:
    std::string PcAddressFor(const std::string &deviceIp, std::string &error) const;

    const CtlOptions &options_;
    TransferServer server_;
    std::mutex mutex_;
    std::map<std::string, std::string> deviceOfHost_; // dotted host -> the device's text
};

} // namespace trb::ctl
