#include "LogPage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FileTransfer.h"
#include "FormRows.h"
#include "LogSettingsTab.h"
#include "LogViewTab.h"
#include "MainWindowLink.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "TimeScale.h"

namespace trb {
namespace {

constexpr int kBusyMs = 500;
constexpr int kSettleMs = 100;
// How long the device may take to send its log once asked.
constexpr int kDeliveryMs = 30000;
constexpr int kDeliveryTimer = 1;

} // namespace

LogPage::LogPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), transfer_(new FileTransfer(this, 500, 3))
{
    BuildControls();
    primaryHandle = apSysLogSettingsOpen(sessionHandle, 0);
    timer1_.setSingleShot(true);
    connect(&timer1_, &QTimer::timeout, this, &LogPage::EndBusy);
    // The device stores its log some time after it took the request, often after the read
    // that follows it: the file is shown as soon as it has landed whole, and only then.
    connect(transfer_, &FileTransfer::fileCrossed, this, &LogPage::OnLogArrived);
    connect(transfer_, &FileTransfer::fileFailed, this, [this] {
        EndDelivery(QStringLiteral("The device's log did not arrive: %1").arg(transfer_->Failure()));
    });
    connect(transfer_, &FileTransfer::timerFired, this,
            [this] { EndDelivery(QStringLiteral("The device did not send its log.")); });
}

LogPage::~LogPage()
{
    MainWindowLink::SetEnabled(true); // it stays disabled while the page is open
    timer1_.stop();
    if (busyCursor_)
        QApplication::restoreOverrideCursor();
}

void LogPage::BuildControls()
{
    c_.tabs = Named(new QTabWidget, "logTabs", "Log");
    c_.view = new LogViewTab;
    c_.settings = new LogSettingsTab;
    c_.tabs->addTab(c_.view, QStringLiteral("Log View"));
    c_.tabs->addTab(c_.settings, QStringLiteral("Log Settings"));
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(c_.tabs);

    connect(c_.view->controls().refresh, &QPushButton::clicked, this, &LogPage::RequestLog);
    connect(c_.view->controls().clear, &QPushButton::clicked, this, &LogPage::ClearLog);
    connect(c_.settings->controls().save, &QPushButton::clicked, this, &LogPage::Save);
    LayoutContent();
}

QString LogPage::DataDirectory()
{
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(directory);
    return directory;
}

QString LogPage::LogFilePath() { return QDir(DataDirectory()).filePath(QString::fromLatin1(kLogFileName)); }

int LogPage::ReadOnShow()
{
    MainWindowLink::SetEnabled(false);
    StartBusy(kBusyMs);
    return 1;
}

// The log is asked for once the read that showing starts has succeeded: a write is refused
// while the page is still reading.
void LogPage::showEvent(QShowEvent *event)
{
    PopupPage::showEvent(event);
    if (!event->spontaneous())
        logWanted_ = true;
}

// Whatever file lies in the data folder may be an earlier run's or another device's: the list
// shows only the file this device sends for this request.
void LogPage::RequestLog()
{
    QString address; // whatever FindLocalAddressFor leaves is sent, the empty text included
    if (!transfer_->PrepareStore(DataDirectory(), QString::fromLatin1(kLogFileName), address))
        return;
    const QByteArray pc = address.toLatin1();
    if (!transfer_->Staged(apSysLogSettingsGetLog(primaryHandle, pc.constData(), kLogFileName)))
        return;
    if (SendWrite() != 0) {
        transfer_->End();
        return;
    }
    transfer_->StartTimer(kDeliveryTimer, kDeliveryMs);
    StartBusy(kBusyMs);
}

void LogPage::OnLogArrived()
{
    transfer_->End();
    ShowLogFile();
}

// A real failure to deliver: said in the status bar, the list left as it was.
void LogPage::EndDelivery(const QString &why)
{
    transfer_->End();
    lastMessage = why;
    ShowMessage(why);
}

void LogPage::OnReadDone()
{
    char server[AP_LOG_ADDRESS_SIZE] = {};
    apLogSettingsRecord log{};
    apEmailNtfRecord mail{};
    apSysLogSettingsParaGet(primaryHandle, server, &log.systemActivity, &log.wirelessActivity, &log.notice);
    std::copy(std::begin(server), std::end(server), log.serverAddress);
    apSysLogSettingsEmailNtfGet(primaryHandle, nullptr, &mail);
    LogSettingsTab::Values values = LogSettingsTab::FromRecords(log, mail);
    DataExchange dx(DataExchange::Loading);
    c_.settings->Exchange(dx, values);
    timer1_.start(ScaledMilliseconds(kSettleMs));
    if (std::exchange(logWanted_, false))
        RequestLog();
}

void LogPage::ShowLogFile()
{
    c_.view->ShowLines({});
    QFile file(LogFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageBox(QStringLiteral("Cannot open file %1.").arg(QDir::toNativeSeparators(file.fileName())),
                       MessageIcon::Exclamation, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok,
                       messageParent());
        return;
    }
    c_.view->ShowLines(ParseLogText(QString::fromLatin1(file.readAll())));
}

void LogPage::OnWriteDone(int result)
{
    writesOut_ = std::max(writesOut_ - 1, 0);
    const bool cleared = clearPending_;
    clearPending_ = false;
    if (!cleared) {
        RequestRead();
        return;
    }
    if (result != 0)
        c_.view->ShowLines(linesBeforeClear_); // refused: the device still holds them
    linesBeforeClear_.clear();
    timer1_.start(ScaledMilliseconds(kSettleMs));
}

// The list empties at once; a clear the device refuses brings its lines back.
void LogPage::ClearLog()
{
    if (c_.view->rowCount() == 0)
        return;
    linesBeforeClear_ = c_.view->lines();
    c_.view->ShowLines({});
    clearPending_ = true;
    apSysLogSettingsClearLog(primaryHandle);
    MainWindowLink::SetEnabled(false);
    StartBusy(kBusyMs);
    if (SendWrite() != 0) {
        clearPending_ = false; // no completion will come
        c_.view->ShowLines(std::exchange(linesBeforeClear_, {}));
    }
}

// The mail record is staged first: it is the one the library may refuse (a port out of range
// with notification off), and then nothing at all is sent.
void LogPage::Save()
{
    LogSettingsTab::Values values;
    DataExchange dx(DataExchange::Saving);
    c_.settings->Exchange(dx, values);
    if (dx.failed())
        return;
    apLogSettingsRecord log;
    apEmailNtfRecord mail;
    LogSettingsTab::ToRecords(values, log, mail);
    if (const int refused = apSysLogSettingsEmailNtfSet(primaryHandle, mail.serverType, &mail))
        return ShowLibraryError(refused);
    if (const int refused = apSysLogSettingsParaSet(primaryHandle, log.serverAddress, log.systemActivity,
                                                    log.wirelessActivity, log.notice, log.remoteLogEnable))
        return ShowLibraryError(refused);
    SendWrite();
}

bool LogPage::waiting() const
{
    return busy || writesOut_ > 0 || timer1_.isActive() || transfer_->InProgress();
}

int LogPage::SendWrite()
{
    const int code = RequestWrite();
    if (code == 0)
        ++writesOut_;
    return code;
}

void LogPage::UpdateEnabling() { c_.settings->UpdateEnabling(); }

void LogPage::StartBusy(int ms)
{
    if (!busyCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busyCursor_ = true;
    }
    timer1_.start(ScaledMilliseconds(ms));
}

void LogPage::EndBusy()
{
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
    ShowMessage(lastMessage);
}

void LogPage::ShowLibraryError(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    ShowMessage(QString::fromLatin1(text));
}

} // namespace trb
