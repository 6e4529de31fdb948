#include "FileTransfer.h"

#include <QDir>
#include <QFileInfo>

#include "DeviceReportedAddress.h"
#include "FileDialogService.h"
#include "LocalAddress.h"
#include "PopupPage.h"
#include "TimeScale.h"
#include "TransferFileCheck.h"

namespace trb {
namespace {

QString FileNameOf(const QString &path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(separator + 1);
}

} // namespace

FileTransfer::FileTransfer(PopupPage *page, unsigned long timeoutMs, int retries) : QObject(page), page_(page)
{
    server_.SetTimeout(timeoutMs, retries);
    connect(&server_, &VtTFTPServer::transferFinished, this, &FileTransfer::OnTransferFinished);
}

FileTransfer::~FileTransfer() { server_.Stop(); }

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
    failure_.clear();
    server_.Expect(ManagedDeviceHost(), fileName, deviceWrites);
    if (server_.Run(directory, VtTFTPServer::kDefaultPort))
        return true;
    server_.ExpectNothing();
    page_->Inform(QStringLiteral("The file transfer cannot start: this computer's TFTP port %1 is not available (%2).")
                      .arg(VtTFTPServer::EffectivePort(VtTFTPServer::kDefaultPort))
                      .arg(server_.LastError()));
    return false;
}

void FileTransfer::Finish()
{
    server_.ExpectNothing();
    expectedName_.clear();
}

void FileTransfer::OnTransferFinished(const QString &fileName, bool upload, bool complete, const QString &error)
{
    if (fileName != expectedName_ || upload != deviceWrites_)
        return;
    if (!complete) {
        failure_ = error;
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
