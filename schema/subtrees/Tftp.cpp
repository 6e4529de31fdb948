#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

// None of these is a setting: they describe one file transfer and are never saved.
Subtree tftp()
{
    return {
        {Group("trbTftp", {20}, "File transfers between the device and a TFTP server on the PC.")},
        {},
        {
            Ip("trbTftpServerAddress", {20, 1}).writable()
                .describe("Address of the PC whose TFTP server the device fetches from or stores to."),
            Text("trbTftpFileName", {20, 2}, 0, 127).writable()
                .describe("Name of the file on the PC's TFTP server, without a directory."),
            Enum("trbTftpDirection", {20, 3}, "none(0),fromPc(2),configToPc(3),aclToPc(5)").writable()
                .describe("Writing fromPc starts fetching the named file; aclToPc stores the device's ACL "
                          "file; configToPc names where the sendConfig command stores the configuration."),
            Enum("trbTftpCommand", {20, 4},
                 "idle(0),applyImage(1),sendConfig(2),applyConfig(3),finish(4),applyCertificate(7),"
                 "applyKey(8),applyAcl(9)")
                .writable().describe("Writing a value acts on the fetched file (once it has arrived); reads "
                                     "return idle."),
            Text("trbTftpStatus", {20, 5}, 0, 23)
                .describe("Outcome of the last transfer or command: idle, fetching (until the file has "
                          "arrived and its command has run), success, wrongImage, tftpFailed."),
            Text("trbSslCertificateSubject", {20, 6}, 0, 255)
                .describe("Subject of the installed SSL certificate; empty when none."),
            Text("trbSslKeyFingerprint", {20, 7}, 0, 95)
                .describe("SHA-256 fingerprint of the installed SSL key's public half; empty when none."),
        },
    };
}

} // namespace trb::schema::subtrees
