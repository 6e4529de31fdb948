#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

Subtree log()
{
    constexpr const char *kOnOff = "disabled(0),enabled(1)";
    return {
        {Group("trbLog", {22}, "The device log: where it goes, what it records, and e-mail notification.")},
        {},
        {
            Ip("trbLogServer", {22, 1}).writable().setting()
                .describe("Address of the remote log server; 0.0.0.0 when none."),
            Enum("trbLogSystemActivity", {22, 2}, kOnOff).writable().setting()
                .describe("Whether system activity is logged."),
            Enum("trbLogWirelessActivity", {22, 3}, kOnOff).writable().setting()
                .describe("Whether wireless activity is logged."),
            Enum("trbLogNotice", {22, 4}, kOnOff).writable().setting().describe("Whether notices are logged."),
            Enum("trbRemoteLogEnable", {22, 5}, kOnOff).writable().setting()
                .describe("Whether the log also goes to trbLogServer."),
            Ip("trbEmailServer", {22, 6}).writable().setting()
                .describe("Address of the SMTP server the log is mailed through."),
            Enum("trbEmailAuthentication", {22, 7}, kOnOff).writable().setting()
                .describe("Whether the SMTP server asks for the user name and password."),
            Text("trbEmailUserName", {22, 8}, 0, 64).writable().setting().describe("SMTP user name."),
            Text("trbEmailPassword", {22, 9}, 0, 64).writable().setting().confidential()
                .describe("SMTP password. Served to the write community only."),
            Text("trbEmailSchedule", {22, 10}, 0, 11).writable().setting()
                .describe("Hours between mailings of the log (\"0\", \"0.5\" .. \"24\"); the log is "
                          "also mailed when full."),
            Int("trbEmailSmtpPort", {22, 11}, 0, 65535).writable().setting()
                .describe("TCP port of the SMTP server; 0 when not set."),
            Enum("trbEmailSslTls", {22, 12}, kOnOff).writable().setting()
                .describe("Whether the SMTP connection uses SSL/TLS."),
            Enum("trbEmailServerType", {22, 13}, "internal(1),gmail(2),hotmail(3)").writable().setting()
                .describe("Kind of outgoing mail server."),
            Enum("trbEmailNotification", {22, 14}, kOnOff).writable().setting()
                .describe("Whether the log is mailed."),
            Text("trbEmailFrom", {22, 15}, 0, 255).writable().setting().describe("Sender of the mailed log."),
            Text("trbEmailTo", {22, 16}, 0, 255).writable().setting().describe("Recipient of the mailed log."),
            // Not settings: a request runs once and is never saved.
            Ip("trbLogRequestAddress", {22, 17}).writable()
                .describe("Address of the PC whose TFTP server receives the log."),
            Text("trbLogRequestFile", {22, 18}, 0, 63).writable()
                .describe("Name under which the log is stored on the PC."),
            Enum("trbLogRequestAction", {22, 19}, "idle(0),send(1)").writable()
                .describe("Writing send(1) stores the log on trbLogRequestAddress as trbLogRequestFile by "
                          "TFTP; reads return idle."),
            Enum("trbLogClear", {22, 20}, "idle(0),clear(1)").writable()
                .describe("Writing clear(1) empties the log; reads return idle."),
            Gauge("trbLogEntryCount", {22, 21}, 0, 4294967295LL)
                .describe("Number of entries the log holds now."),
        },
    };
}

} // namespace trb::schema::subtrees
