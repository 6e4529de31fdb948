#pragma once
#include <QList>
#include <QString>
#include <QTimer>

#include "LogLineParser.h"
#include "PopupPage.h"

class QTabWidget;

namespace trb {

class FileTransfer;
class LogSettingsTab;
class LogViewTab;

// Status > Log: the device's log, which the device sends by TFTP as LogFile.RD to the page's
// own server, and the log settings (remote server, log types, e-mail notification).
class LogPage : public PopupPage {
    Q_OBJECT
public:
    explicit LogPage(QWidget *parent = nullptr);
    ~LogPage() override;

    static inline const char kTitle[] = "Status \\ Log";
    static inline const char kLogFileName[] = "LogFile.RD";

    struct Controls {
        QTabWidget *tabs = nullptr;
        LogViewTab *view = nullptr;
        LogSettingsTab *settings = nullptr;
    };
    const Controls &controls() const { return c_; }

    // The per-user folder the log arrives in (created when missing), and the file's path there.
    static QString DataDirectory();
    static QString LogFilePath();

    // Asks the device to send its log; the list shows it once it has arrived.
    void RequestLog();
    void ClearLog();
    void Save();
    bool clearPending() const { return clearPending_; }
    // True while a request is out, the log is on its way or timer 1 runs: what the page shows
    // may still change.
    bool waiting() const;
    FileTransfer &transfer() const { return *transfer_; }

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void UpdateEnabling() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    void ShowLogFile();
    void OnLogArrived();
    void EndDelivery(const QString &why);
    // The busy cursor with timer 1 of `ms`; the timer drops the cursor and shows the last text.
    void StartBusy(int ms);
    void EndBusy();
    void ShowLibraryError(int code);
    // RequestWrite, counting it until its completion.
    int SendWrite();

    Controls c_;
    FileTransfer *transfer_;
    QTimer timer1_;
    bool busyCursor_ = false;
    bool clearPending_ = false;
    QList<LogLine> linesBeforeClear_;
    bool logWanted_ = false; // the log request of the first showing, after its read
    int writesOut_ = 0;
};

} // namespace trb
