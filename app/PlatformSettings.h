#pragma once
#include <QString>

namespace trb {

// The two values the management platform keeps for its modules, under the current user:
// organisation "Veltrane", application "Pylonix", group "AdvanceSystem".
class PlatformSettings {
public:
    // 1 (transfer through our own TFTP server) unless "FtpMethod" holds a nonzero number.
    static int ReadLocalTransferMode();

    // The platform's FTP home directory ("homedir"); empty when it has none.
    static QString ReadPlatformHomeDir();
};

} // namespace trb
