#include "FileTransfer.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>

#include "DeviceReportedAddress.h"
#include "FileDialogService.h"
#include "LocalAddress.h"
#include "MessageBoxService.h"
#include "PleaseWaitDialog.h"
#include "PopupPage.h"
#include "ProcessValues.h"
#include "TimeScale.h"
#include "TransferFileCheck.h"

namespace trb {
namespace {

QString FileNameOf(const QString &path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(separator + 1);
}

// Transfers of every page that hold the status poll off: the poll resumes when the last ends.
int pollPauses = 0;

} // namespace

FileTransfer::FileTransfer(PopupPage *page, unsigned long timeoutMs, int retries) : QObject(page), page_(page)
{
    server_.SetTimeout(timeoutMs, retries);
    connect(&server_, &VtTFTPServer::transferFinished, this, &FileTransfer::OnTransferFinished);
    connect(&server_, &VtTFTPServer::progressed, this, &FileTransfer::OnProgress);
    page_->installEventFilter(this);
}

// The page is half gone by now: End lets go of what the transfer holds and nothing else.
FileTransfer::~FileTransfer()
{
    End();
    server_.Stop();
}

bool FileTransfer::eventFilter(QObject *watched, QEvent *event)
{
    // Closing the page mid-wait ends its transfer; the page goes afterwards.
    if (watched == page_ && event->type() == QEvent::Close && inProgress_)
        End();
    return QObject::eventFilter(watched, event);
}

bool FileTransfer::PrepareUpload(const QString &path, int kind, QString &pcAddress, QString &fileName)
{
    QString checked = path;
    pcAddress.clear();
    if (!CheckTransferFile(checked, pcAddress, kind))
        return false;
    // A typed relative name means the working directory's file, not a directory of that name.
    const QFileInfo file(checked);
    if (!file.isFile() || !file.isReadable()) {
        page_->Inform(QStringLiteral("The file %1 does not exist or cannot be read. Nothing was sent.")
                          .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
        return false;
    }
    fileName = FileNameOf(checked);
    if (!Serve(file.absolutePath(), fileName, false))
        return false;
    FindLocalAddressFor(pcAddress);
    return true;
}

bool FileTransfer::PrepareDownload(const QString &filter, const QString &suffix, QString &pcAddress, QString &fileName)
{
    QString path = AskSaveFile(page_, filter);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    const QFileInfo file(path);
    fileName = file.fileName();
    localPath_ = file.absoluteFilePath();
    return PrepareStore(file.absolutePath(), fileName, pcAddress);
}

bool FileTransfer::PrepareStore(const QString &directory, const QString &fileName, QString &pcAddress)
{
    if (!Serve(directory, fileName, true))
        return false;
    pcAddress.clear();
    FindLocalAddressFor(pcAddress);
    return true;
}

bool FileTransfer::Serve(const QString &directory, const QString &fileName, bool deviceWrites)
{
    expectedName_ = fileName;
    deviceWrites_ = deviceWrites;
    crossed_ = false;
    seenBusy_ = false;
    failure_.clear();
    moving_.invalidate();
    inProgress_ = true;
    server_.Expect(ManagedDeviceHost(), fileName, deviceWrites);
    if (server_.Run(directory, VtTFTPServer::kDefaultPort))
        return true;
    End();
    page_->Inform(QStringLiteral("The file transfer cannot start: this computer's TFTP port %1 is not available (%2).")
                      .arg(VtTFTPServer::EffectivePort(VtTFTPServer::kDefaultPort))
                      .arg(server_.LastError()));
    return false;
}

bool FileTransfer::Staged(int code)
{
    if (code == 0)
        return true;
    End();
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    page_->ShowMessage(QString::fromLatin1(text));
    ShowMessageBox(QStringLiteral("The device cannot be asked to move this file (%1). Nothing was sent.")
                       .arg(QString::fromLatin1(text)),
                   MessageIcon::Exclamation, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok,
                   page_->messageParent());
    return false;
}

void FileTransfer::PausePoll()
{
    if (pausesPoll_)
        return;
    pausesPoll_ = true;
    ++pollPauses;
    transferInProgress = 1;
}

void FileTransfer::ResumePoll()
{
    if (!pausesPoll_)
        return;
    pausesPoll_ = false;
    pollPauses = std::max(0, pollPauses - 1);
    transferInProgress = pollPauses > 0 ? 1 : 0;
}

PleaseWaitDialog *FileTransfer::OpenWaitDialog(const QString &text)
{
    waitDialog_ = page_->OpenWaitDialog(text);
    return waitDialog_;
}

void FileTransfer::End()
{
    server_.RefuseEverything();
    expectedName_.clear();
    inProgress_ = false;
    StopTimers();
    ResumePoll();
    delete waitDialog_; // gives the main window back
}

QString FileTransfer::ReadDeviceStatus(APHANDLE handle)
{
    std::fill(std::begin(status_), std::end(status_), '\0');
    apAdvTftpGetUpdStatus(handle, status_);
    if (apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0) != 0)
        return {};
    const QString status = QString::fromLatin1(status_, qstrnlen(status_, sizeof status_));
    if (inProgress_ && status == QLatin1String(kBusyStatus))
        seenBusy_ = true;
    if (PleaseWaitDialog *dialog = page_->waitDialog(); dialog && inProgress_ && !status.isEmpty())
        dialog->ShowDevicePhase(DevicePhaseText(status, crossed_));
    return status;
}

QString FileTransfer::DevicePhaseText(const QString &status, bool crossed)
{
    if (status == QLatin1String(kBusyStatus))
        return crossed ? QStringLiteral("The file has arrived; the device is working on it.")
                       : QStringLiteral("The device is moving the file.");
    return QStringLiteral("Device status: %1").arg(status);
}

// What the page's server knows of the file in flight, for the wait dialog.
void FileTransfer::OnProgress(const QString &fileName, bool upload, quint64 bytes, quint64 total)
{
    if (!inProgress_ || fileName != expectedName_ || upload != deviceWrites_)
        return;
    if (!moving_.isValid())
        moving_.start();
    const qint64 ms = moving_.elapsed();
    const double rate = ms >= 200 ? double(bytes) * 1000.0 / double(ms) : 0.0;
    if (PleaseWaitDialog *dialog = page_->waitDialog())
        dialog->ShowProgress(fileName, bytes, total, rate);
}

void FileTransfer::OnTransferFinished(const QString &fileName, bool upload, bool complete, const QString &error)
{
    if (!inProgress_ || fileName != expectedName_ || upload != deviceWrites_)
        return;
    if (!complete) {
        failure_ = error;
        emit fileFailed();
        return;
    }
    crossed_ = true;
    failure_.clear();
    emit fileCrossed();
}

void FileTransfer::StartTimer(int id, int milliseconds)
{
    QTimer *&timer = timers_[id];
    if (!timer) {
        timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, id] { emit timerFired(id); });
    }
    timer->start(ScaledMilliseconds(milliseconds));
}

void FileTransfer::StopTimer(int id)
{
    if (QTimer *timer = timers_.value(id))
        timer->stop();
}

void FileTransfer::StopTimers()
{
    for (QTimer *timer : std::as_const(timers_))
        timer->stop();
}

bool FileTransfer::TimerActive(int id) const
{
    const QTimer *timer = timers_.value(id);
    return timer && timer->isActive();
}

} // namespace trb
