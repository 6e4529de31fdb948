#pragma once
// The check every transfer runs on the chosen local file before it starts.
#include <QString>

namespace trb {

// Transfer kinds, which also select the file-name rule.
enum TransferKind {
    kTransferFirmware = 0,
    kTransferSslCertificate = 1,
    kTransferSslKey = 2,
    kTransferConfigurationUpload = 3,
    kTransferDownload = 4,
    kTransferAclUpload = 5,
    kTransferAclDownload = 6,
    kTransferLanguagePack = 13,
};

// Checks the file name against the kind's rule (kinds 4 and 6 append ".dcf" / ".acl" to
// path instead), then fills an empty or "0.0.0.0" localAddress. Returns 1 to go on, 0 after
// showing a message.
int CheckTransferFile(QString &path, QString &localAddress, int kind);

} // namespace trb
