#pragma once
#include <QString>

namespace trb {

// The two values the management platform keeps for its modules, under the current user:
// organisation "Veltrane", application "Pylonix", group "AdvanceSystem".
class PlatformSettings {
public:
    // 1 (transfer through our own TFTP server) unless "FtpMethod" holds a nonzero number.
    static int ReadLocalTransferMode();

    // The platform's FTP home directory. The platform publishes it only while its own
    // window is up, and that window has no counterpart here, so there is none.
    static QString ReadPlatformHomeDir();
};

} // namespace trb
