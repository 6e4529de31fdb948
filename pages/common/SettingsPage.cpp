#include "SettingsPage.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#include "PageMessages.h"

namespace trb {
namespace {

// Pages by serial number. The library's callback context is the serial, not the page
// pointer: a completion that arrives after its page was closed finds nothing and is dropped.
QHash<quint64, SettingsPage *> &LivePages()
{
    static QHash<quint64, SettingsPage *> pages;
    return pages;
}
quint64 nextSerial = 1;

// Escape never closes a page and Enter never applies it, whichever control has the focus.
class PageKeyFilter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        return widget && qobject_cast<SettingsPage *>(widget->window());
    }
};

void InstallPageKeyFilter()
{
    static QPointer<PageKeyFilter> filter;
    if (!filter && QCoreApplication::instance()) {
        filter = new PageKeyFilter;
        filter->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
}

} // namespace

SettingsPage::SettingsPage(QWidget *parent) : QDialog(parent), serial_(nextSerial++)
{
    LivePages().insert(serial_, this);
    InstallPageKeyFilter();
}

SettingsPage::~SettingsPage()
{
    LivePages().remove(serial_);
    if (primaryHandle)
        apHandleClose(primaryHandle);
    if (monitorHandle)
        apHandleClose(monitorHandle);
}

void *SettingsPage::CompletionContext() const
{
    return reinterpret_cast<void *>(static_cast<uintptr_t>(serial_));
}

int SettingsPage::RequestRead(bool async)
{
    if (!primaryHandle)
        return kNoHandleResult;
    readRequested_ = true;
    BeginAction();
    int code;
    if (async) {
        busy = 1;
        code = apSnmpSendGetRequest(primaryHandle, ReadCompletion, CompletionContext(),
                                    AP_MODE_CALLBACK, 0);
        if (code == 0)
            CountInFlight(readsInFlight_, 1);
    } else {
        code = apSnmpSendGetRequest(primaryHandle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        readSucceeded_ = readSucceeded_ || code == 0;
    }
    if (code == 0)
        return 0;
    ReportFailure(code);
    busy = 0;
    return code;
}

int SettingsPage::RequestWrite(bool async, int timeoutMs)
{
    if (!MayActOnShown())
        return kRefusedResult;
    BeginAction();
    WriteStarting();
    const apRequestCallback callback = async ? WriteCompletion : nullptr;
    void *context = async ? CompletionContext() : nullptr;
    const int mode = async ? AP_MODE_CALLBACK : AP_MODE_BLOCKING;
    const auto sent = [&](int code) {
        if (code == 0 && async)
            CountInFlight(writesInFlight_, 1);
        else if (code == 0)
            WriteAnswered(0);
        return code == 0;
    };
    if (secondaryHandle)
        sent(apSnmpSendSetRequest(secondaryHandle, callback, context, mode, timeoutMs));
    if (!primaryHandle)
        return kNoHandleResult;
    const int code = apSnmpSendSetRequest(primaryHandle, callback, context, mode, timeoutMs);
    return sent(code) ? 0 : ReportFailure(code);
}

bool SettingsPage::MayActOnShown()
{
    if (readShowsNothing)
        return true;
    if (readsInFlight_ > 0) {
        Refuse(kReadingRefusal);
        return false;
    }
    if (!ShowsDeviceValues()) {
        Refuse(kNotReadText);
        return false;
    }
    return true;
}

void SettingsPage::Refuse(const char *text)
{
    ++failedRequests_;
    failureShown_ = true;
    lastMessage = QString::fromLatin1(text);
    ShowMessage(lastMessage);
}

void SettingsPage::CountInFlight(int &counter, int change)
{
    counter = std::max(0, counter + change);
    RequestsInFlightChanged();
}

QString SettingsPage::ErrorText(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    return QString::fromLatin1(text);
}

int SettingsPage::ReportFailure(int code)
{
    ++failedRequests_;
    failureShown_ = true;
    lastMessage = ErrorText(code);
    ShowMessage(lastMessage);
    return code;
}

// A request the page sends on its own, not as the next step of one whose completion is being
// handled: the user's next action, after which an earlier failure's text may go.
void SettingsPage::BeginAction()
{
    if (delivering_ > 0 || actionTurn_)
        return;
    failureShown_ = false;
    actionTurn_ = true; // requests sent in the same turn of the event loop are one action
    QTimer::singleShot(0, this, [this] { actionTurn_ = false; });
}

int SettingsPage::ReadCompletion(uint32_t value, uint32_t more, const char *text, void *context,
                                 uint32_t)
{
    return Complete(Completion::Read, value, more, text, context);
}

int SettingsPage::WriteCompletion(uint32_t value, uint32_t more, const char *text, void *context,
                                  uint32_t)
{
    return Complete(Completion::Write, value, more, text, context);
}

int SettingsPage::Complete(Completion kind, uint32_t value, uint32_t more, const char *text,
                           void *context)
{
    // Runs on the library's thread: copy the text now, act on the UI thread, never wait.
    const QString copied = QString::fromLatin1(text ? text : "");
    const quint64 serial = reinterpret_cast<uintptr_t>(context);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [kind, value, more, copied, serial] {
            if (SettingsPage *page = LivePages().value(serial))
                page->Deliver(kind, value, more, copied);
        },
        Qt::QueuedConnection);
    return 0;
}

int SettingsPage::RequestMonitor(APHANDLE monitor, int selector)
{
    // One scan at a time: a second would read the table the first is still filling.
    if (monitorsInFlight_ > 0) {
        Refuse(kScanRunningText);
        return kRefusedResult;
    }
    if (!MayActOnShown())
        return kRefusedResult;
    BeginAction();
    const int code = apSysMonitorRefresh(monitor, selector, MonitorCompletion, CompletionContext(), AP_MODE_CALLBACK);
    if (code != 0)
        return ReportFailure(code);
    CountInFlight(monitorsInFlight_, 1);
    return 0;
}

int SettingsPage::MonitorCompletion(APHANDLE monitor, uint32_t more, uint32_t result, void *context, uint32_t)
{
    if (more)
        return 0;
    const quint64 serial = reinterpret_cast<uintptr_t>(context);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [monitor, result, serial] {
            if (SettingsPage *page = LivePages().value(serial)) {
                page->CountInFlight(page->monitorsInFlight_, -1);
                // A failed scan's text stays through the reads that follow it in the same action.
                if (result != 0)
                    page->ReportFailure(int(result));
                ++page->delivering_;
                page->OnMonitorDone(monitor, int(result));
                --page->delivering_;
            }
        },
        Qt::QueuedConnection);
    return 0;
}

void SettingsPage::Deliver(Completion kind, uint32_t value, uint32_t more, const QString &text)
{
    TakeCompletionText(more ? 0 : value, text);
    if (more)
        return;
    if (kind == Completion::Read) {
        readSucceeded_ = readSucceeded_ || value == 0;
        CountInFlight(readsInFlight_, -1);
    } else {
        CountInFlight(writesInFlight_, -1);
    }
    ++delivering_;
    SendAppMessage(kind == Completion::Read ? WM_APP_READ_DONE : WM_APP_WRITE_DONE, value, 0);
    --delivering_;
}

void SettingsPage::TakeCompletionText(uint32_t value, const QString &text)
{
    if (value != 0) {
        ++failedRequests_;
        failureShown_ = true;
    } else if (failureShown_) {
        return; // a later request of the same action must not make the failure look mended
    }
    ShowMessage(text);
    lastMessage = text;
}

void SettingsPage::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    const bool enabled = isEnabled();
    if (!(enabled ? enableCascade & 1 : enableCascade & 2))
        return;
    for (QWidget *child : findChildren<QWidget *>()) {
        if (!qobject_cast<QLabel *>(child))
            child->setEnabled(enabled);
    }
}

int SettingsPage::WriteThenRead()
{
    readAfterWrite_ = true;
    const int code = RequestWrite();
    if (code != 0)
        readAfterWrite_ = false;
    return code;
}

void SettingsPage::ReadCompleted(bool succeeded)
{
    if (succeeded)
        OnReadDone();
    else
        OnReadFailed();
    UpdateEnabling();
}

intptr_t SettingsPage::SendAppMessage(int message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_APP_READ_DONE:
        busy = 0;
        if (lParam == 0)
            ReadCompleted(wParam == 0);
        return 0;
    case WM_APP_WRITE_DONE:
        WriteAnswered(int(wParam));
        OnWriteDone(int(wParam)); // the result: a page refreshes only after a write that worked
        if (readAfterWrite_) {
            readAfterWrite_ = false;
            RequestRead();
        }
        return 0;
    case WM_APP_QUERY_BUSY:
        return busy ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace trb
