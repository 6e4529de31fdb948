// The file-name rules of each transfer kind, their messages, and the address fill-in.
#include "DeviceReportedAddress.h"
#include "FakeNetworkSource.h"
#include "RecordingMessageBox.h"
#include "TransferFileCheck.h"

#include <gtest/gtest.h>

using namespace trb;

namespace {

struct Case {
    const char *path;
    int kind;
    bool accepted;
    const char *pathAfter;  // nullptr: unchanged
};

} // namespace

TEST(CheckTransferFile, EachKindsRule)
{
    const Case cases[] = {
        {"/home/u/image.tfp", kTransferFirmware, true, nullptr},
        {"/home/u/image.bin.old", kTransferFirmware, true, nullptr},
        {"/home/u/my.tfp.v2/image", kTransferFirmware, false, nullptr},  // only the name counts
        {"/home/u/firmware.BIN", kTransferFirmware, false, nullptr},
        {"C:\\fw\\image.bin", kTransferFirmware, true, nullptr},
        {"C:\\fw.bin\\image", kTransferFirmware, false, nullptr},
        {"cert.pem", kTransferSslCertificate, true, nullptr},
        {"key.der", kTransferSslKey, true, nullptr},
        {"key.PEM", kTransferSslKey, false, nullptr},
        {"a/b.dcf", kTransferConfigurationUpload, true, nullptr},
        {"a/b.DCF", kTransferConfigurationUpload, true, nullptr},
        {"a/b.Dcf", kTransferConfigurationUpload, false, nullptr},
        {"a/backup", kTransferDownload, true, "a/backup.dcf"},
        {"a/backup.DCF", kTransferDownload, true, nullptr},
        {"a/x.acl", kTransferAclUpload, true, nullptr},
        {"a/x.ACL", kTransferAclUpload, true, nullptr},
        {"a/x.Acl", kTransferAclUpload, false, nullptr},
        {"a/list", kTransferAclDownload, true, "a/list.acl"},
        {"a/list.ACL", kTransferAclDownload, true, nullptr},
        {"a/pack.anything", kTransferLanguagePack, true, nullptr},
    };
    FakeNetworkSource network;
    for (const Case &c : cases) {
        RecordingMessageBox messages;
        QString path = QString::fromLatin1(c.path);
        QString address = QStringLiteral("10.0.0.2");
        EXPECT_EQ(CheckTransferFile(path, address, c.kind), c.accepted ? 1 : 0) << c.path;
        EXPECT_EQ(path, QString::fromLatin1(c.pathAfter ? c.pathAfter : c.path));
        if (c.accepted) {
            EXPECT_EQ(messages.count(), 0) << c.path;
        } else {
            ASSERT_EQ(messages.texts(), QStringList{QStringLiteral("File format error! Please try again!")}) << c.path;
            EXPECT_EQ(messages.last().title, QStringLiteral("TRB-4820"));
            EXPECT_EQ(messages.last().buttons, MessageButtons::Ok);
        }
    }
}

TEST(CheckTransferFile, EmptyPathIsRefusedForEveryKind)
{
    for (int kind : {0, 1, 2, 3, 4, 5, 6, 13}) {
        RecordingMessageBox messages;
        QString path, address;
        EXPECT_EQ(CheckTransferFile(path, address, kind), 0);
        EXPECT_TRUE(path.isEmpty()) << "nothing appended to an empty path";
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Empty file is not accepted!")});
    }
}

TEST(CheckTransferFile, FillsOnlyAMissingAddress)
{
    FakeNetworkSource network;
    network.AddInterface(QStringLiteral("192.168.0.10"), QStringLiteral("255.255.255.0"));
    SetDeviceReportedAddress(QStringLiteral("192.168.0.50"), QStringLiteral("255.255.255.0"));
    RecordingMessageBox messages;
    QString path = QStringLiteral("image.bin");
    for (const char *missing : {"", "0.0.0.0"}) {
        QString address = QString::fromLatin1(missing);
        EXPECT_EQ(CheckTransferFile(path, address, kTransferFirmware), 1);
        EXPECT_EQ(address, QStringLiteral("192.168.0.10"));
    }
    QString given = QStringLiteral("10.1.1.1");
    EXPECT_EQ(CheckTransferFile(path, given, kTransferFirmware), 1);
    EXPECT_EQ(given, QStringLiteral("10.1.1.1"));

    // Nothing found: the check still passes and the address stays as it was.
    network.interfaces.clear();
    QString none;
    EXPECT_EQ(CheckTransferFile(path, none, kTransferFirmware), 1);
    EXPECT_TRUE(none.isEmpty());
    SetDeviceReportedAddress(QString(), QString());
}
