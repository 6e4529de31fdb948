#pragma once
// The task of the command line, with everything it needs checked before any device is asked:
// object names and values, the directory, file or image, and the TFTP server's port.
#include <memory>
#include <string>

#include "CtlOptions.h"
#include "DeviceTask.h"

namespace trb::ctl {

class TaskFactory {
public:
    struct Prepared {
        std::unique_ptr<DeviceTask> task; // null: nothing is run
        int exitCode = 0;                 // then 2 for bad usage, 1 when this computer cannot serve
        std::string error;
    };
    static Prepared Create(const CtlOptions &options);
};

} // namespace trb::ctl
