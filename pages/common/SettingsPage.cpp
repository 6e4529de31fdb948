#include "SettingsPage.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

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
    int code;
    if (async) {
        busy = 1;
        code = apSnmpSendGetRequest(primaryHandle, ReadCompletion, CompletionContext(),
                                    AP_MODE_CALLBACK, 0);
    } else {
        code = apSnmpSendGetRequest(primaryHandle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    }
    if (code == 0)
        return 0;
    ReportFailure(code);
    busy = 0;
    return code;
}

int SettingsPage::RequestWrite(bool async)
{
    const apRequestCallback callback = async ? WriteCompletion : nullptr;
    void *context = async ? CompletionContext() : nullptr;
    const int mode = async ? AP_MODE_CALLBACK : AP_MODE_BLOCKING;
    if (secondaryHandle)
        apSnmpSendSetRequest(secondaryHandle, callback, context, mode, 0);
    if (!primaryHandle)
        return kNoHandleResult;
    const int code = apSnmpSendSetRequest(primaryHandle, callback, context, mode, 0);
    return code == 0 ? 0 : ReportFailure(code);
}

int SettingsPage::ReportFailure(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    ShowMessage(QString::fromLatin1(text));
    return code;
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

void SettingsPage::Deliver(Completion kind, uint32_t value, uint32_t more, const QString &text)
{
    ShowMessage(text);
    lastMessage = text;
    if (more)
        return;
    if (kind == Completion::Write)
        lastWriteResult = int(value);
    SendAppMessage(kind == Completion::Read ? WM_APP_READ_DONE : WM_APP_WRITE_DONE, value, 0);
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
        OnWriteDone(0);
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
