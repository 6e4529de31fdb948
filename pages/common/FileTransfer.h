#pragma once
// The page's side of a file transfer with the device: the page's own TFTP server pointed at
// the one file of the transfer in progress and answering the device only, the evidence that
// the file really crossed and that the device's status speaks of this transfer, the page's
// one-shot transfer timers, and everything the transfer holds until it ends (the server's
// expectation, the paused status poll, the wait dialog).
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "TRB4820apHelp.h"
#include "VtTFTPServer.h"

namespace trb {

class PleaseWaitDialog;
class PopupPage;

class FileTransfer : public QObject {
    Q_OBJECT
public:
    // The server refuses everything until a transfer is prepared; timeoutMs and retries as the
    // page's server takes them.
    FileTransfer(PopupPage *page, unsigned long timeoutMs, int retries);
    // A transfer still running ends with the page (closed or destroyed).
    ~FileTransfer() override;

    // Each Prepare begins a transfer. False after a message; nothing is then asked of the device.
    // The checks of a file to send (kind as CheckTransferFile takes it), then the server
    // pointed at it for the device to read. Fills the PC address the device is to use and the
    // file name to give it.
    bool PrepareUpload(const QString &path, int kind, QString &pcAddress, QString &fileName);
    // The save dialog, then the server waiting for the device to write the chosen file. The
    // suffix is appended unless the name already ends with it; an existing file is replaced
    // only once the device's file has arrived complete. False also when cancelled.
    bool PrepareDownload(const QString &filter, const QString &suffix, QString &pcAddress, QString &fileName);
    // The server waiting for the device to write fileName into directory.
    bool PrepareStore(const QString &directory, const QString &fileName, QString &pcAddress);

    // The result of a call that stages the transfer's values for the device: true for 0.
    // Otherwise the library's refusal is shown, the transfer ends and nothing should be sent.
    bool Staged(int code);
    // The status poll stays off until ResumePoll or the end of the transfer.
    void PausePoll();
    void ResumePoll();
    // The page's wait dialog for this transfer; it goes when the transfer ends.
    PleaseWaitDialog *OpenWaitDialog(const QString &text);
    // The transfer is over, however it went: the server refuses everything (an upload still
    // under way is discarded), the timers stop, the poll resumes and the wait dialog goes.
    void End();
    bool InProgress() const { return inProgress_; }

    // Whether the file of the transfer in progress has crossed completely.
    bool Crossed() const { return crossed_; }
    // The server's reason when the transfer started and failed; empty otherwise.
    const QString &Failure() const { return failure_; }
    // The path a download is written to (after PrepareDownload).
    const QString &LocalPath() const { return localPath_; }

    // The device's transfer status, read now on the TFTP-command handle with a blocking get;
    // "" when the read fails. The device keeps the last transfer's result until the next
    // transfer starts, so a status counts as this transfer's only once the file has crossed or
    // the device has been seen busy since this transfer began (StatusIsThisTransfers).
    QString ReadDeviceStatus(APHANDLE handle);
    bool StatusIsThisTransfers() const { return crossed_ || seenBusy_; }
    static inline const char kBusyStatus[] = "fetching";
    // The device's status as the wait dialog says it.
    static QString DevicePhaseText(const QString &status, bool crossed);

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
    // The transfer of the file started and broke off (Failure() says why).
    void fileFailed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Serve(const QString &directory, const QString &fileName, bool deviceWrites);
    void OnTransferFinished(const QString &fileName, bool upload, bool complete, const QString &error);
    void OnProgress(const QString &fileName, bool upload, quint64 bytes, quint64 total);

    PopupPage *page_;
    VtTFTPServer server_;
    QString expectedName_;
    bool deviceWrites_ = false;
    bool inProgress_ = false;
    bool crossed_ = false;
    bool seenBusy_ = false;
    bool pausesPoll_ = false;
    QString failure_;
    QElapsedTimer moving_; // since the file began to move
    QString localPath_;
    QPointer<PleaseWaitDialog> waitDialog_;
    QHash<int, QTimer *> timers_;
    char status_[24] = {}; // the library fills it with the get that follows
};

} // namespace trb
