#include "ConfigFilePage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ChangeJournal.h"
#include "FileDialogService.h"
#include "FileTransfer.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "TransferFileCheck.h"

namespace trb {
namespace {

enum TimerId { kUploadTimer = 1, kDownloadTimer = 2, kDownloadGraceTimer = 3 };
// How long a download may still take once the page's own wait is over.
constexpr int kDownloadGraceMs = 30000;
// A device still busy with an uploaded file is asked again this often, this many times.
constexpr int kStatusRetryMs = 2000;
constexpr int kMaxStatusRetries = 15;

} // namespace

ConfigFilePage::ConfigFilePage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), transfer_(new FileTransfer(this, 3000, 3))
{
    BuildControls();
    ApplyTransferMode();
    connect(transfer_, &FileTransfer::timerFired, this, &ConfigFilePage::OnTimer);
    connect(transfer_, &FileTransfer::fileCrossed, this, &ConfigFilePage::OnFileCrossed);
    primaryHandle = apSysCommandTftpOpen(sessionHandle, 0);
}

ConfigFilePage::~ConfigFilePage() = default;

void ConfigFilePage::BuildControls()
{
    c_.uploadPath = Named(new QLineEdit, QStringLiteral("uploadPathEdit"), QStringLiteral("Upload File"));
    c_.browse = PageButton(QStringLiteral("Browse"), QStringLiteral("browseButton"));
    c_.upload = PageButton(QStringLiteral("Upload"), QStringLiteral("uploadButton"));
    c_.downloadLabel = new QLabel;
    c_.downloadLabel->setObjectName(QStringLiteral("downloadLabel"));
    c_.remoteName = Named(new QLineEdit, QStringLiteral("remoteNameEdit"), QStringLiteral("Remote file name"));
    c_.remoteName->setFixedSize(80, 20);
    c_.download = PageButton(QStringLiteral("Download"), QStringLiteral("downloadButton"));

    auto *grid = new QGridLayout;
    grid->addWidget(SectionHeading(QStringLiteral("Upload Configuration File"), QStringLiteral("uploadHeading")), 0, 0, 1, 4);
    auto *uploadLabel = new QLabel(QStringLiteral("Upload File :"));
    uploadLabel->setBuddy(c_.uploadPath);
    grid->addWidget(uploadLabel, 1, 0);
    grid->addWidget(c_.uploadPath, 1, 1);
    grid->addWidget(c_.browse, 1, 2);
    grid->addWidget(c_.upload, 1, 3);
    grid->addWidget(SectionHeading(QStringLiteral("Download Configuration File"), QStringLiteral("downloadHeading")), 2, 0, 1, 4);
    grid->addWidget(c_.downloadLabel, 3, 0, 1, 2);
    grid->addWidget(c_.remoteName, 3, 2);
    grid->addWidget(c_.download, 3, 3);
    grid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(c_.browse, &QPushButton::clicked, this, &ConfigFilePage::Browse);
    connect(c_.upload, &QPushButton::clicked, this, &ConfigFilePage::Upload);
    connect(c_.download, &QPushButton::clicked, this, &ConfigFilePage::Download);
}

void ConfigFilePage::ApplyTransferMode()
{
    const bool local = localTransferMode != 0;
    c_.browse->setVisible(local);
    c_.remoteName->setVisible(!local);
    c_.downloadLabel->setText(local ? QStringLiteral("Load settings to Local Hard Drive")
                                    : QStringLiteral("Load settings to Remote the ftp server home directory."));
}

void ConfigFilePage::Browse()
{
    const QString path = AskOpenFile(this, QStringLiteral("Config File(*.dcf)|*.dcf||"));
    if (!path.isEmpty())
        c_.uploadPath->setText(path);
}

void ConfigFilePage::Upload()
{
    kind_ = kTransferConfigurationUpload;
    QString pcAddress, fileName;
    if (!transfer_->PrepareUpload(c_.uploadPath->text(), kind_, pcAddress, fileName))
        return;
    if (!transfer_->Staged(apAdvTFTPSettings(primaryHandle, pcAddress.toLatin1().constData(),
                                             fileName.toLatin1().constData(), 2)))
        return;
    if (RequestWrite() != 0) { // refused or failed at once: its text is in the status bar
        transfer_->End();
        return;
    }
    transfer_->OpenWaitDialog(QStringLiteral("Upgrading config file, please wait..."));
    transfer_->StopTimers();
    transfer_->StartTimer(kUploadTimer, 80002);
}

void ConfigFilePage::Download()
{
    QString pcAddress, fileName;
    if (!transfer_->PrepareDownload(QStringLiteral("(*.DCF)|*.dcf|(*.*)|*.*||"), QStringLiteral(".dcf"), pcAddress,
                                    fileName))
        return;
    kind_ = kTransferDownload;
    // Every download starts on a handle of its own.
    if (primaryHandle)
        apHandleClose(primaryHandle);
    primaryHandle = apSysCommandTftpOpen(sessionHandle, 0);
    if (!transfer_->Staged(apAdvTFTPSettings(primaryHandle, pcAddress.toLatin1().constData(),
                                             fileName.toLatin1().constData(), 3)))
        return;
    if (RequestWrite() != 0) {
        transfer_->End();
        return;
    }
    transfer_->OpenWaitDialog(QStringLiteral("Downloading config file, please wait..."));
    transfer_->StopTimers();
    transfer_->StartTimer(kDownloadTimer, 2000);
}

void ConfigFilePage::OnWriteDone(int result)
{
    // A step the device did not take ends the transfer now: the next command would act on
    // nothing, and no status read after it may stand for a verdict. The refusal stays in the
    // status bar and the file stays chosen.
    if (result != 0) {
        transfer_->End();
        return;
    }
    // One step at a time: finish goes only after the device took the configuration.
    if (kind_ == kTransferDownload) {
        apAdvTFTPUpgradeCmd(primaryHandle, 5000, 2);
        RequestWrite();
        kind_ = kDownloadCommandSent;
    } else if (kind_ == kTransferConfigurationUpload) {
        apAdvTFTPUpgradeCmd(primaryHandle, 5000, 3);
        RequestWrite();
        kind_ = kUploadCommandsSent;
    } else if (kind_ == kUploadCommandsSent) {
        apAdvTFTPUpgradeCmd(primaryHandle, 5000, 4);
        RequestWrite();
        kind_ = kUploadFinished;
    }
}

void ConfigFilePage::OnTimer(int id)
{
    const bool downloading = kind_ == kTransferDownload || kind_ == kDownloadCommandSent;
    // The page's own wait can end before the device has sent its file: wait for the file a
    // while longer instead of calling a download that has not arrived a success.
    if (id == kDownloadTimer && downloading && !transfer_->Crossed() && transfer_->Failure().isEmpty()) {
        transfer_->StartTimer(kDownloadGraceTimer, kDownloadGraceMs);
        return;
    }
    if (id == kUploadTimer && statusRetries_ < kMaxStatusRetries
        && transfer_->ReadDeviceStatus(primaryHandle) == QLatin1String(FileTransfer::kBusyStatus)) {
        ++statusRetries_;
        transfer_->StartTimer(kUploadTimer, kStatusRetryMs);
        return;
    }
    statusRetries_ = 0;
    EndTransfer();
}

void ConfigFilePage::OnFileCrossed()
{
    if (transfer_->TimerActive(kDownloadGraceTimer)) {
        transfer_->StopTimer(kDownloadGraceTimer);
        EndTransfer();
    }
}

void ConfigFilePage::EndTransfer()
{
    const bool downloading = kind_ == kTransferDownload || kind_ == kDownloadCommandSent;
    const QString verdict = downloading ? DownloadVerdict() : UploadVerdict();
    // A file the device did not take stays chosen, to be sent again.
    if (verdict.contains(QLatin1String("success"))) {
        c_.uploadPath->clear();
        c_.remoteName->clear();
        ChangeJournal *journal = ChangeJournal::Current();
        if (!downloading && journal)
            journal->Clear(QString::fromLatin1(ChangeJournal::kUploadReason));
    }
    transfer_->End();
    if (!verdict.isEmpty())
        ShowMessageBox(verdict, MessageIcon::None, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok,
                       messageParent());
}

QString ConfigFilePage::DownloadVerdict() const
{
    if (!transfer_->Crossed())
        return QStringLiteral("The device did not send its configuration file. Nothing was saved.");
    return kind_ == kTransferDownload ? QStringLiteral("Download Configuration file success!")
                                      : QStringLiteral("Downloading Configuration file success !");
}

QString ConfigFilePage::UploadVerdict()
{
    if (kind_ != kTransferConfigurationUpload && kind_ != kUploadCommandsSent && kind_ != kUploadFinished)
        return {};
    const QString status = transfer_->ReadDeviceStatus(primaryHandle);
    if (status == QLatin1String("wrongImage") && transfer_->StatusIsThisTransfers())
        return QStringLiteral("The device refused the configuration file. Its configuration was not changed.");
    if (!transfer_->Crossed())
        return QStringLiteral("The device did not fetch the configuration file. Its configuration was not changed.");
    if (kind_ == kTransferConfigurationUpload)
        return QStringLiteral("Upgrade Configuration file success !");
    return kind_ == kUploadFinished ? QStringLiteral("Upgrading Configuration file success !") : QString();
}

} // namespace trb
