#pragma once
#include <QString>

namespace trb {

// The two values the management platform keeps for its modules, under the current user:
// organisation "Veltrane", application "Pylonix", group "AdvanceSystem".
class PlatformSettings {
public:
    // 1 (transfer through our own TFTP server) unless "FtpMethod" holds a number other than 0.
    static int ReadLocalTransferMode();

    // The platform's FTP home directory: always empty here, since the platform window that
    // would publish "homedir" does not exist on this system.
    static QString ReadPlatformHomeDir();
};

} // namespace trb
