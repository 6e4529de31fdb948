// Maintenance > Configuration File against the simulator: a backup really holds the device's
// configuration, a restore really restores it, and nothing is reported without evidence.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ConfigFilePage.h"
#include "FileTransfer.h"
#include "ProcessValues.h"
#include "ScriptedFileDialogs.h"
#include "TransferTestSupport.h"

using trb::ConfigFilePage;
using namespace trb::test;

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

class ConfigFilePageTest : public TransferPageTest {
protected:
    ConfigFilePage *OpenPage()
    {
        auto *page = new ConfigFilePage;
        page->show();
        EXPECT_TRUE(WaitFor([page] { return page->ShowsDeviceValues(); })) << "a page acts once it has read";
        return page;
    }
    // The transfer's end: its message box.
    void WaitForVerdict()
    {
        ASSERT_TRUE(WaitFor([&] { return messages->count() > 0; }, 20000));
    }
    trb::ScriptedFileDialogs dialogs;
};

TEST_F(ConfigFilePageTest, ABackupRestoresAChangedSetting)
{
    UseLoopback();
    ASSERT_TRUE(SnmpSet("trbSystemName.0", 's', "before-backup"));
    PageHolder page(OpenPage());
    dialogs.queueAnswer(files.filePath("backup")); // ".dcf" is added
    page->controls().download->click();
    WaitForVerdict();
    EXPECT_EQ(messages->texts(), QStringList{"Downloading Configuration file success !"});
    EXPECT_EQ(dialogs.asked().value(0).mode, trb::FileDialogRequest::Mode::Save);
    const QString backup = files.filePath("backup.dcf");
    EXPECT_TRUE(Contents(backup).contains("before-backup"));

    ASSERT_TRUE(SnmpSet("trbSystemName.0", 's', "changed-later"));
    messages->clear();
    page->controls().uploadPath->setText(backup);
    page->controls().upload->click();
    WaitForVerdict();
    EXPECT_EQ(messages->texts(), QStringList{"Upgrading Configuration file success !"});
    EXPECT_EQ(SnmpGet("trbSystemName.0"), "before-backup");
    EXPECT_TRUE(page->controls().uploadPath->text().isEmpty());
}

TEST_F(ConfigFilePageTest, RefusedFilesChangeNothingAndSaySo)
{
    UseLoopback();
    ASSERT_TRUE(SnmpSet("trbSystemName.0", 's', "kept"));
    const struct {
        const char *name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"", {}, "Empty file is not accepted!"},
        {"settings.txt", "x", "File format error! Please try again!"},
        {"corrupt.dcf", "TRB4820-DCF 1\ntrbSystemName.0 = s:hacked\n", // no checksum
         "The device refused the configuration file. Its configuration was not changed."},
    };
    PageHolder page(OpenPage());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        messages->clear();
        page->controls().uploadPath->setText(*c.name ? WriteFile(c.name, c.bytes) : QString());
        page->controls().upload->click();
        WaitForVerdict();
        EXPECT_EQ(messages->texts(), QStringList{c.message});
        EXPECT_EQ(SnmpGet("trbSystemName.0"), "kept");
    }
}

TEST_F(ConfigFilePageTest, ADownloadThatNeverArrivesLeavesTheOldFileAlone)
{
    // No interface on the device's network: the device has nowhere to send its file.
    const QString existing = WriteFile("a.dcf", "the previous backup");
    PageHolder page(OpenPage());
    dialogs.queueAnswer(existing);
    page->controls().download->click();
    EXPECT_EQ(SnmpGet("trbTftpFileName.0"), "a.dcf") << "the name is not given \".dcf\" twice";
    EXPECT_EQ(Contents(existing), "the previous backup") << "not deleted before anything arrived";
    WaitForVerdict();
    EXPECT_EQ(messages->texts(), QStringList{"The device did not send its configuration file. Nothing was saved."});
    EXPECT_EQ(Contents(existing), "the previous backup");

    messages->clear();
    page->controls().download->click(); // cancelled in the dialog
    EXPECT_EQ(messages->count(), 0);
    EXPECT_EQ(page->waitDialog(), nullptr);
}

TEST_F(ConfigFilePageTest, FtpServerModeTypesTheUploadPath)
{
    for (const int mode : {1, 0}) {
        trb::localTransferMode = mode;
        PageHolder page(OpenPage());
        const auto &c = page->controls();
        EXPECT_EQ(c.browse->isVisible(), mode == 1);
        EXPECT_EQ(c.remoteName->isVisible(), mode == 0);
        EXPECT_EQ(c.downloadLabel->text(), mode ? "Load settings to Local Hard Drive"
                                                : "Load settings to Remote the ftp server home directory.");
    }
    trb::localTransferMode = 1;
}

} // namespace
