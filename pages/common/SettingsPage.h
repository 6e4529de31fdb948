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
    int RequestWrite(bool async = true);

    // Completion callbacks handed to the device library (any thread).
    static int ReadCompletion(uint32_t value, uint32_t more, const char *text, void *context,
                              uint32_t reserved);
    static int WriteCompletion(uint32_t value, uint32_t more, const char *text, void *context,
                               uint32_t reserved);

    // WM_APP_READ_DONE, WM_APP_WRITE_DONE, WM_APP_QUERY_BUSY.
    intptr_t SendAppMessage(int message, uintptr_t wParam, intptr_t lParam);

    // The value to pass as the library's callback context for this page.
    void *CompletionContext() const;

    const QString &LastMessage() const { return lastMessage; }

    virtual void LayoutContent() {}
    virtual int ReadOnShow() { return 1; }
    virtual void OnWriteDone(int /*result*/) {}
    virtual void OnReadDone() {}
    virtual void ShowMessage(const QString & /*text*/) {}

protected:
    APHANDLE primaryHandle = 0;
    APHANDLE secondaryHandle = 0;
    APHANDLE monitorHandle = 0;
    int busy = 0;
    QString lastMessage;
    // Bit 0: enabling the page enables its controls; bit 1: disabling disables them.
    uint32_t enableCascade = 0;

    void changeEvent(QEvent *event) override;

private:
    enum class Completion { Read, Write };
    static int Complete(Completion kind, uint32_t value, uint32_t more, const char *text,
                        void *context);
    void Deliver(Completion kind, uint32_t value, uint32_t more, const QString &text);
    int ReportFailure(int code);

    quint64 serial_;
};

} // namespace trb
