#include "SystemPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ChangeJournal.h"
#include "MainWindowLink.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "TimeScale.h"

namespace trb {
namespace {

const char kRebooting[] = "Device is rebooting,Please Wait...";
const char kActivating[] = "Device is activing,Please Wait...";

// Fixed waits (before scaling) until the device is back.
constexpr int kRestartWaitMs = 75000;
constexpr int kRestoreWaitMs = 70000;
constexpr int kDiscardWaitMs = 50000;
constexpr int kSaveActivateWaitMs = 20000;
// The restart itself follows Restart, Restore and Discard after this long.
constexpr int kRestartDelayMs = 2000;
// The library's time-outs for the command's set request.
constexpr int kCommandWait = 3000;
constexpr int kSaveActivateCommandWait = 6000;

} // namespace

SystemPage::SystemPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent)
{
    readShowsNothing = true; // the command handle's read fills nothing on the page
    BuildControls();
    endWaitTimer_.setSingleShot(true);
    restartTimer_.setSingleShot(true);
    connect(&endWaitTimer_, &QTimer::timeout, this, &SystemPage::EndWait);
    connect(&restartTimer_, &QTimer::timeout, this, &SystemPage::SendRestart);
    primaryHandle = apSysCommandObjOpen(sessionHandle, 0);
}

void SystemPage::BuildControls()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(16);
    grid->setColumnStretch(0, 1);
    FormRows rows(grid);
    const auto button = [&rows](const char *label, const char *text, const char *name) {
        auto *button = rows.Add(QString::fromLatin1(label), PageButton(QString::fromLatin1(text), name), name);
        button->setMinimumWidth(90);
        return button;
    };
    c_.restart = button("Restart the Device", "Restart", "restartButton");
    c_.restore = button("Restore to Factory Default Settings", "Restore", "restoreButton");
    c_.clear = button("Clear Language Pack", "Clear", "clearButton");
    // The menu runs these two; the page never shows them.
    c_.saveActive = button("Save and Active", "SaveActive", "saveActiveButton");
    SetVisible({rows.lastLabel(), c_.saveActive}, false);
    c_.discard = button("Discard Changes", "Discard", "discardButton");
    SetVisible({rows.lastLabel(), c_.discard}, false);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(24, 24, 24, 12);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(c_.restart, &QPushButton::clicked, this, &SystemPage::Restart);
    connect(c_.restore, &QPushButton::clicked, this, &SystemPage::Restore);
    connect(c_.clear, &QPushButton::clicked, this, &SystemPage::Clear);
    connect(c_.saveActive, &QPushButton::clicked, this, &SystemPage::SaveAndActivate);
    connect(c_.discard, &QPushButton::clicked, this, &SystemPage::Discard);
    LayoutContent();
}

void SystemPage::Restart()
{
    if (!Confirm(QStringLiteral("Device will reboot, continue?")))
        return;
    WaitForDevice(QString::fromLatin1(kRebooting), kRestartWaitMs);
    RestartLater();
}

void SystemPage::Restore()
{
    if (!Confirm(QStringLiteral("Device will reboot and module will be disconnected, continue?")))
        return;
    CommandThenRestart(kRestoreCommand, kRestoreWaitMs);
}

void SystemPage::Clear()
{
    if (!Confirm(QStringLiteral("Clear the language pack?")))
        return;
    // Success is what the device answered, not merely that the command could be staged:
    // wait for the answer before saying so.
    int result = apSysCommand(primaryHandle, kClearLanguageCommand, kCommandWait);
    if (result == 0)
        result = RequestWrite(false);
    ShowMessageBox(result == 0 ? QStringLiteral("Clear the language pack success.")
                               : QStringLiteral("Clear the language pack fail."),
                   MessageIcon::None, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok, this);
}

void SystemPage::SaveAndActivate()
{
    if (!Confirm(QStringLiteral("Device will Save and active, continue?"))) {
        MainWindowLink::SetEnabled(true);
        return;
    }
    SaveAndActivateAsked();
}

void SystemPage::SaveAndActivateAsked()
{
    // Refused or unanswered, nothing was saved: the failure stays in the status bar, no wait.
    if (SendCommand(kSaveActivateCommand, kSaveActivateCommandWait, false) != 0) {
        MainWindowLink::SetEnabled(true);
        return;
    }
    WaitForDevice(QString::fromLatin1(kActivating), kSaveActivateWaitMs);
}

void SystemPage::Discard()
{
    if (!Confirm(QStringLiteral("All of your changes will be discarded and device will reboot continue?"))) {
        MainWindowLink::SetEnabled(true);
        return;
    }
    CommandThenRestart(kDiscardCommand, kDiscardWaitMs);
}

int SystemPage::SendCommand(Command command, int waitMs, bool async)
{
    const int code = apSysCommand(primaryHandle, command, waitMs);
    if (code != 0)
        return ReportFailure(code);
    sentCommand_ = command;
    const int result = RequestWrite(async);
    if (!async && result == 0)
        CommandCarriedOut(command);
    return result;
}

// What the device's running configuration lost or kept: the unsaved changes end here.
void SystemPage::CommandCarriedOut(Command command)
{
    const char *reason = nullptr;
    switch (command) {
    case kSaveActivateCommand: reason = ChangeJournal::kSavedReason; break;
    case kDiscardCommand: reason = ChangeJournal::kDiscardedReason; break;
    case kRestoreCommand: reason = ChangeJournal::kFactoryResetReason; break;
    case kRestartCommand: reason = ChangeJournal::kRebootedReason; break;
    case kClearLanguageCommand: return;
    }
    if (ChangeJournal *journal = ChangeJournal::Current())
        journal->Clear(QString::fromLatin1(reason));
}

void SystemPage::CommandThenRestart(Command command, int waitMs)
{
    WaitForDevice(QString::fromLatin1(kRebooting), waitMs);
    if (SendCommand(command, kCommandWait, true) != 0) {
        EndWait();
        return;
    }
    RestartLater();
}

void SystemPage::OnWriteDone(int result)
{
    if (result == 0) {
        CommandCarriedOut(sentCommand_);
        return;
    }
    // The device refused the command or never answered: restarting now would look as if it had
    // been carried out. The failure stays in the status bar.
    restartTimer_.stop();
    EndWait();
}

void SystemPage::WaitForDevice(const QString &text, int waitMs)
{
    MainWindowLink::SetEnabled(false);
    OpenWaitDialog(text);
    endWaitTimer_.start(ScaledMilliseconds(waitMs));
}

void SystemPage::RestartLater() { restartTimer_.start(ScaledMilliseconds(kRestartDelayMs)); }

void SystemPage::SendRestart()
{
    restartTimer_.stop();
    if (RequestsInFlight() > 0) {
        RestartLater(); // the command before it has not been answered yet
        return;
    }
    if (SendCommand(kRestartCommand, kCommandWait, false) != 0)
        EndWait(); // the device is not rebooting: no wait for it
}

void SystemPage::EndWait()
{
    endWaitTimer_.stop();
    CloseWaitDialog();
    MainWindowLink::SetEnabled(true);
}

} // namespace trb
