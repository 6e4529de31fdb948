#include "FirmwareSslPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "FileDialogService.h"
#include "FileTransfer.h"
#include "FormRows.h"
#include "MainWindowLink.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "TimeScale.h"
#include "TransferFileCheck.h"

namespace trb {
namespace {

const char kPictureFilter[] = "All Files(*.*)|*.*|JPG File(*.jpg)|*.jpg|GIF File(*.gif)|*.gif|HTM File(*.htm)|*.htm|"
                              "HTML File(*.html)|*.html||";

struct RowText {
    const char *label;
    const char *name; // object name stem
    int kind;
    const char *waitText;
};

const RowText kRowTexts[] = {
    {"Upload Firmware From File :", "firmware", kTransferFirmware,
     "Updating Firmware file. The device is active, please don't power it off !"},
    {"Upload Certificate From File:", "certificate", kTransferSslCertificate,
     "Updating Certification file. The device is active, please don't power it off !"},
    {"Upload Key From File :", "key", kTransferSslKey,
     "Updating Certification Key file. The device is active, please don't power it off !"},
    {"Upload :", "language", kTransferLanguagePack,
     "Updating Language Pack file. The device is active, please don't power it off !"},
};

enum TimerId { kStatusTimerShort = 1, kStatusTimer = 2, kEndTimer = 9 };
constexpr int kStatusRetryMs = 2000;
// How long the device may take to answer the image command (before scaling).
constexpr int kImageCommandWaitMs = 30000;

bool IsSuccessStatus(const QString &status)
{
    return status == QLatin1String("success") || status == QLatin1String("correct");
}

} // namespace

FirmwareSslPage::FirmwareSslPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), transfer_(new FileTransfer(this, 50000, 3))
{
    BuildControls();
    resize(kTemplateSize); // the menu keeps this page's own size
    connect(transfer_, &FileTransfer::timerFired, this, &FirmwareSslPage::OnTimer);
    primaryHandle = apSysCommandTftpOpen(sessionHandle, 0);
    // A key goes with the certificate sent before it.
    SetEnabled({c_.browse[KeyRow], c_.upload[KeyRow]}, false);
}

FirmwareSslPage::~FirmwareSslPage() = default;

void FirmwareSslPage::BuildControls()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    int line = 0;
    auto heading = [&](const char *text, const char *name) {
        grid->addWidget(SectionHeading(QString::fromLatin1(text), QString::fromLatin1(name)), line++, 0, 1, 4);
    };
    auto fileRow = [&](Row row) {
        const RowText &t = kRowTexts[row];
        const QString stem = QString::fromLatin1(t.name);
        auto *label = new QLabel(QString::fromLatin1(t.label));
        c_.path[row] = Named(new QLineEdit, stem + QStringLiteral("PathEdit"), label->text().trimmed());
        label->setBuddy(c_.path[row]);
        c_.browse[row] = PageButton(QStringLiteral("Browse"), stem + QStringLiteral("BrowseButton"));
        c_.upload[row] = PageButton(QStringLiteral("Upload"), stem + QStringLiteral("UploadButton"));
        grid->addWidget(label, line, 0);
        grid->addWidget(c_.path[row], line, 1);
        grid->addWidget(c_.browse[row], line, 2);
        grid->addWidget(c_.upload[row], line++, 3);
        connect(c_.browse[row], &QPushButton::clicked, this, [this, row] { Browse(row); });
        connect(c_.upload[row], &QPushButton::clicked, this, [this, row] { Upload(row); });
    };

    heading("Update Firmware From Local Hard Drive", "firmwareHeading");
    grid->addWidget(new QLabel(QStringLiteral("Firmware Version :")), line, 0);
    c_.version = Named(new QLabel(QStringLiteral("1.0000")), QStringLiteral("versionLabel"),
                       QStringLiteral("Firmware Version"));
    grid->addWidget(c_.version, line++, 1, 1, 3);
    fileRow(FirmwareRow);
    heading("Update SSL Certification From Local Hard Drive", "sslHeading");
    fileRow(CertificateRow);
    fileRow(KeyRow);
    heading("Language Pack Upgrade", "languageHeading");
    fileRow(LanguageRow);
    grid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void FirmwareSslPage::Browse(Row row)
{
    const QString filter = row == KeyRow ? QString() : QString::fromLatin1(kPictureFilter);
    const QString path = AskOpenFile(this, filter);
    if (!path.isEmpty())
        c_.path[row]->setText(path);
}

void FirmwareSslPage::Upload(Row row)
{
    kind_ = kRowTexts[row].kind;
    row_ = row;
    QString pcAddress, fileName;
    if (!transfer_->PrepareUpload(c_.path[row]->text(), kind_, pcAddress, fileName))
        return;
    // The status poll stays away while the device is busy with a firmware, key or language pack.
    if (kind_ != kTransferSslCertificate)
        transfer_->PausePoll();
    if (!primaryHandle)
        primaryHandle = apSysCommandTftpOpen(sessionHandle, 0);
    if (!transfer_->Staged(apAdvTFTPSettings(primaryHandle, pcAddress.toLatin1().constData(),
                                             fileName.toLatin1().constData(), 2)))
        return;
    if (RequestWrite() != 0) { // refused or failed at once: its text is in the status bar
        transfer_->End();
        return;
    }
    statusPending_ = true;
    outcome_ = Outcome::Unset;
    transfer_->OpenWaitDialog(QString::fromLatin1(kRowTexts[row].waitText));
    StartTimers();
}

void FirmwareSslPage::StartTimers()
{
    transfer_->StopTimers(); // a transfer started after a refused image replaces the old timers
    if (kind_ == kTransferFirmware || kind_ == kTransferLanguagePack) {
        transfer_->StartTimer(kStatusTimer, 200000);
        transfer_->StartTimer(kEndTimer, 280000);
    } else {
        transfer_->StartTimer(kEndTimer, 68000);
        transfer_->StartTimer(kStatusTimerShort, 2000);
    }
}

void FirmwareSslPage::OnWriteDone(int result)
{
    // A step the device did not take ends the transfer: the next command would act on nothing,
    // and no status read after it may stand for a verdict.
    if (result != 0) {
        AbortTransfer();
        return;
    }
    if (kind_ == kTransferFirmware || kind_ == kTransferLanguagePack) {
        apAdvTFTPUpgradeCmd(primaryHandle, 5000, 1);
        kind_ = kImageCommandSent;
        // The device answers the image command only once it has taken the file.
        if (RequestWrite(true, ScaledMilliseconds(kImageCommandWaitMs)) != 0)
            AbortTransfer();
        return;
    }
    // One step at a time: finish goes only after the device took the certificate or key command.
    if (kind_ == kTransferSslCertificate || kind_ == kTransferSslKey) {
        const bool certificate = kind_ == kTransferSslCertificate;
        apAdvTFTPUpgradeCmd(primaryHandle, 5000, certificate ? 7 : 8);
        SetEnabled({c_.browse[CertificateRow], c_.upload[CertificateRow]}, !certificate);
        SetEnabled({c_.browse[KeyRow], c_.upload[KeyRow]}, certificate);
        kind_ = kCommandsSent;
        if (RequestWrite() != 0)
            AbortTransfer();
    } else if (kind_ == kCommandsSent) {
        // The chain is sent; success itself waits for the device's status (CheckStatus).
        apAdvTFTPUpgradeCmd(primaryHandle, 5000, 4);
        kind_ = kFinished;
        if (RequestWrite() != 0)
            AbortTransfer();
    }
}

void FirmwareSslPage::OnReadDone() { CheckStatus(); }

// No status this time: ask again while the wait lasts.
void FirmwareSslPage::OnReadFailed()
{
    if (statusPending_)
        RetryStatus();
}

void FirmwareSslPage::CheckStatus()
{
    // The library fills the version with the get that follows (and may keep it for a later one):
    // it lives as long as the page.
    std::fill(std::begin(version_), std::end(version_), '\0');
    apAdvTftpGetFWversion(primaryHandle, version_);
    const QString status = transfer_->ReadDeviceStatus(primaryHandle);
    if (version_[0])
        c_.version->setText(QString::fromLatin1(version_, qstrnlen(version_, sizeof version_)));
    if (!statusPending_)
        return;
    // No answer, a device still busy, or a result left by an earlier transfer: no verdict yet.
    if (status.isEmpty() || status == QLatin1String(FileTransfer::kBusyStatus) || !transfer_->StatusIsThisTransfers()) {
        RetryStatus();
        return;
    }
    if (status == QLatin1String("wrongImage")) {
        transfer_->StopTimer(kStatusTimerShort);
        CloseWaitDialog();
        ShowMessageBox(QStringLiteral("Wrong Image File!"), MessageIcon::None, QString::fromLatin1(kApplicationTitle),
                       MessageButtons::Ok, messageParent());
        ClearPaths();
        outcome_ = Outcome::Failed;
    } else if (IsSuccessStatus(status)) {
        SendFinish();
        outcome_ = Outcome::Succeeded;
    }
    statusPending_ = false;
    transfer_->ResumePoll();
}

void FirmwareSslPage::RetryStatus()
{
    if (transfer_->TimerActive(kEndTimer))
        transfer_->StartTimer(kStatusTimerShort, kStatusRetryMs);
}

void FirmwareSslPage::SendFinish()
{
    kind_ = kFinished;
    apAdvTFTPUpgradeCmd(primaryHandle, 5000, 4);
    RequestWrite();
}

void FirmwareSslPage::OnTimer(int id)
{
    if (id == kStatusTimerShort || id == kStatusTimer) {
        if (RequestRead() != 0)
            OnReadFailed(); // no completion will come
        return;
    }
    if (id == kEndTimer)
        EndTransfer();
}

void FirmwareSslPage::EndTransfer()
{
    if (outcome_ == Outcome::Succeeded)
        ClearPaths();
    const bool crossed = transfer_->Crossed();
    statusPending_ = false;
    transfer_->End();
    MainWindowLink::SetEnabled(true);
    auto tell = [this](const QString &text) {
        ShowMessageBox(text, MessageIcon::None, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok,
                       messageParent());
    };
    if (outcome_ == Outcome::Succeeded) {
        tell(QStringLiteral("Upgrading file success !"));
        RequestRead();
    } else if (outcome_ == Outcome::Unset) {
        // Neither verdict came: say so rather than end in silence.
        tell(crossed ? QStringLiteral("The device fetched the file but did not report it as applied.")
                     : QStringLiteral("The device did not fetch the file from this computer. Nothing was updated."));
    }
}

// The device refused a step or never answered it: the wait ends now with the news, the refusal
// stays in the status bar, the file stays chosen to be sent again, and a certificate not taken
// still comes before its key.
void FirmwareSslPage::AbortTransfer()
{
    outcome_ = Outcome::Unset;
    if (row_ == CertificateRow || row_ == KeyRow) {
        const bool certificateFirst = row_ == CertificateRow;
        SetEnabled({c_.browse[CertificateRow], c_.upload[CertificateRow]}, certificateFirst);
        SetEnabled({c_.browse[KeyRow], c_.upload[KeyRow]}, !certificateFirst);
    }
    EndTransfer();
}

void FirmwareSslPage::ClearPaths()
{
    for (QLineEdit *path : c_.path)
        path->clear();
}

} // namespace trb
