#pragma once
// The page's side of a file transfer with the device: the page's own TFTP server pointed at
// the one file of the transfer in progress and answering the device only, the evidence that
// the file really crossed, and the page's one-shot transfer timers.
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include "VtTFTPServer.h"

namespace trb {

class PopupPage;

class FileTransfer : public QObject {
    Q_OBJECT
public:
    // The server starts serving nothing; timeoutMs and retries as the page's server takes them.
    FileTransfer(PopupPage *page, unsigned long timeoutMs, int retries);
    ~FileTransfer() override;

    // The checks of a file to send (kind as CheckTransferFile takes it), then the server
    // pointed at it for the device to read. Fills the PC address the device is to use and the
    // file name to give it. False after a message; nothing is then asked of the device.
    bool PrepareUpload(const QString &path, int kind, QString &pcAddress, QString &fileName);
    // The save dialog, then the server waiting for the device to write the chosen file. The
    // suffix is appended unless the name already ends with it; an existing file is replaced
    // only once the device's file has arrived complete. False when cancelled or after a message.
    bool PrepareDownload(const QString &filter, const QString &suffix, QString &pcAddress, QString &fileName);
    // The server waiting for the device to write fileName into directory.
    bool PrepareStore(const QString &directory, const QString &fileName, QString &pcAddress);
    // The server serves nothing again.
    void Finish();

    // Whether the file of the transfer in progress has crossed completely.
    bool Crossed() const { return crossed_; }
    // The server's reason when the transfer started and failed; empty otherwise.
    const QString &Failure() const { return failure_; }
    // The path a download is written to (after PrepareDownload).
    const QString &LocalPath() const { return localPath_; }

    // Scaled one-shot timers by id; starting an id again replaces it.
    void StartTimer(int id, int milliseconds);
    void StopTimer(int id);
    void StopTimers();
    bool TimerActive(int id) const;

    VtTFTPServer &server() { return server_; }

signals:
    void timerFired(int id);
    // The file of the transfer in progress has crossed completely.
    void fileCrossed();

private:
    bool Serve(const QString &directory, const QString &fileName, bool deviceWrites);
    void OnTransferFinished(const QString &fileName, bool upload, bool complete, const QString &error);

    PopupPage *page_;
    VtTFTPServer server_;
    QString expectedName_;
    bool deviceWrites_ = false;
    bool crossed_ = false;
    QString failure_;
    QString localPath_;
    QHash<int, QTimer *> timers_;
};

} // namespace trb
