#pragma once
#include <QDialog>
#include <QString>

#include <cstdint>

#include "TRB4820apHelp.h"

namespace trb {

// Base of every settings page: owns the page's device handles and turns the device
// library's completions into calls of OnReadDone / OnWriteDone on the UI thread.
class SettingsPage : public QDialog {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget *parent = nullptr);
    ~SettingsPage() override;

    // Asynchronous: returns at once, the completion follows. Otherwise waits for the
    // device. 0 on success, the library's code on failure, -600 without a handle.
    int RequestRead(bool async = true);
    // `timeoutMs`: the device's own time to answer this request (0: the session's).
    int RequestWrite(bool async = true, int timeoutMs = 0);

    // Completion callbacks handed to the device library (any thread).
    static int ReadCompletion(uint32_t value, uint32_t more, const char *text, void *context,
                              uint32_t reserved);
    static int WriteCompletion(uint32_t value, uint32_t more, const char *text, void *context,
                               uint32_t reserved);

    // Refreshes a device table (scans, lists) on a monitor handle; OnMonitorDone follows on the
    // UI thread. 0, or the library's code (also shown in the status bar).
    int RequestMonitor(APHANDLE monitor, int selector);
    static int MonitorCompletion(APHANDLE monitor, uint32_t more, uint32_t result, void *context, uint32_t reserved);

    // WM_APP_READ_DONE, WM_APP_WRITE_DONE, WM_APP_QUERY_BUSY.
    intptr_t SendAppMessage(int message, uintptr_t wParam, intptr_t lParam);

    // The value to pass as the library's callback context for this page.
    void *CompletionContext() const;

    const QString &LastMessage() const { return lastMessage; }

    // Why a write, scan or transfer was refused (status bar): nothing of what the page shows
    // came from the device yet, or a read is still filling it.
    static inline const char kNotReadText[] =
        "Nothing was sent: the settings could not be read from the device. Close the page and open it again.";
    static inline const char kReadingRefusal[] = "Nothing was sent: the page is still reading from the device.";
    static inline const char kScanRunningText[] = "Please wait: the page is still waiting for the device.";
    // Whether the values shown came from the device: no read was asked for, or one succeeded.
    bool ShowsDeviceValues() const { return !readRequested_ || readSucceeded_; }
    // Requests that failed, were refused at once or were not sent, since the page was made.
    int FailedRequests() const { return failedRequests_; }
    bool ReadInFlight() const { return readsInFlight_ > 0; }
    // Asynchronous requests sent and not yet completed (reads only where the page shows them).
    int RequestsInFlight() const
    {
        return (readShowsNothing ? 0 : readsInFlight_) + writesInFlight_ + monitorsInFlight_;
    }

    virtual void LayoutContent() {}
    virtual int ReadOnShow() { return 1; }
    // After a write: 0, or the library's error code.
    virtual void OnWriteDone(int /*result*/) {}
    // After RequestMonitor: result 0 when the table was read (take it with apSysMonitorQueryInfor).
    virtual void OnMonitorDone(APHANDLE /*monitor*/, int /*result*/) {}
    // Runs only after a read that succeeded: a failed read never replaces what the page shows
    // with the zeros or defaults of values that did not arrive.
    virtual void OnReadDone() {}
    // After a read that failed or timed out; its text is already in lastMessage.
    virtual void OnReadFailed() {}
    // Computes every enabled and visible state from what the controls hold now. Runs after
    // each completed read; pages also call it from every signal it depends on.
    virtual void UpdateEnabling() {}
    virtual void ShowMessage(const QString & /*text*/) {}

    // Writes, and once the write has completed reads the page again.
    int WriteThenRead();

protected:
    APHANDLE primaryHandle = 0;
    APHANDLE secondaryHandle = 0;
    APHANDLE monitorHandle = 0;
    int busy = 0;
    QString lastMessage;
    // The page shows nothing of what it reads (a command page): its actions neither wait for
    // nor depend on that read.
    bool readShowsNothing = false;
    // Bit 0: enabling the page enables its controls; bit 1: disabling disables them.
    uint32_t enableCascade = 0;

    void changeEvent(QEvent *event) override;
    // The end of a read: OnReadDone or OnReadFailed, then UpdateEnabling.
    virtual void ReadCompleted(bool succeeded);
    static QString ErrorText(int code);
    // The library's text for `code` in the status bar; returns the code.
    int ReportFailure(int code);
    // Whether a request of the user's current action failed: the read after a refused write then
    // keeps what the user typed, to be mended and sent again.
    bool ActionFailed() const { return failureShown_; }
    // Whether the page may act on what it shows (write it, scan, transfer); else shows why not
    // in the status bar. RequestWrite and RequestMonitor ask it themselves.
    bool MayActOnShown();
    // After every change of RequestsInFlight().
    virtual void RequestsInFlightChanged() {}
    // Around every write: before it is sent, and with the device's answer (before OnWriteDone).
    virtual void WriteStarting() {}
    virtual void WriteAnswered(int /*result*/) {}

private:
    enum class Completion { Read, Write };
    static int Complete(Completion kind, uint32_t value, uint32_t more, const char *text,
                        void *context);
    void Deliver(Completion kind, uint32_t value, uint32_t more, const QString &text);

    void CountInFlight(int &counter, int change);
    // The status bar shows the text of every completion, except that once a request of an action
    // has failed, the later ones of the same action (the read after a refused write, the next
    // table of an opening) leave the failure in place until the user's next action.
    void TakeCompletionText(uint32_t value, const QString &text);
    void BeginAction();
    void Refuse(const char *text);

    quint64 serial_;
    bool readAfterWrite_ = false;
    bool readRequested_ = false;
    bool readSucceeded_ = false;
    bool failureShown_ = false;
    int failedRequests_ = 0;
    bool actionTurn_ = false;
    int delivering_ = 0; // inside a completion: requests sent now continue its action
    int readsInFlight_ = 0;
    int writesInFlight_ = 0;
    int monitorsInFlight_ = 0;
};

} // namespace trb
