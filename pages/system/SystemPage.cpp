#include "SystemPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    : PopupPage(QString::fromLatin1(kTitle), parent),
      restartButton_(PageButton(QStringLiteral("Restart"), "restartButton")),
      restoreButton_(PageButton(QStringLiteral("Restore"), "restoreButton")),
      clearButton_(PageButton(QStringLiteral("Clear"), "clearButton")),
      saveActiveButton_(PageButton(QStringLiteral("SaveActive"), "saveActiveButton")),
      discardButton_(PageButton(QStringLiteral("Discard"), "discardButton"))
{
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
    const QList<QPair<QString, QPushButton *>> rows = {
        {QStringLiteral("Restart the Device"), restartButton_},
        {QStringLiteral("Restore to Factory Default Settings"), restoreButton_},
        {QStringLiteral("Clear Language Pack"), clearButton_},
        {QStringLiteral("Save and Active"), saveActiveButton_},
        {QStringLiteral("Discard Changes"), discardButton_},
    };
    for (int row = 0; row < rows.size(); ++row) {
        auto *label = new QLabel(rows[row].first);
        rows[row].second->setMinimumWidth(90);
        grid->addWidget(label, row, 0);
        grid->addWidget(rows[row].second, row, 1);
        // The menu runs these two; the page never shows them.
        if (rows[row].second == saveActiveButton_ || rows[row].second == discardButton_) {
            label->hide();
            rows[row].second->hide();
        }
    }
    grid->setColumnStretch(0, 1);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(24, 24, 24, 12);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(restartButton_, &QPushButton::clicked, this, &SystemPage::Restart);
    connect(restoreButton_, &QPushButton::clicked, this, &SystemPage::Restore);
    connect(clearButton_, &QPushButton::clicked, this, &SystemPage::Clear);
    connect(saveActiveButton_, &QPushButton::clicked, this, &SystemPage::SaveAndActivate);
    connect(discardButton_, &QPushButton::clicked, this, &SystemPage::Discard);
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
    apSysCommand(primaryHandle, kRestoreCommand, kCommandWait);
    RequestWrite();
    WaitForDevice(QString::fromLatin1(kRebooting), kRestoreWaitMs);
    RestartLater();
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
    apSysCommand(primaryHandle, kSaveActivateCommand, kSaveActivateCommandWait);
    RequestWrite(false);
    WaitForDevice(QString::fromLatin1(kActivating), kSaveActivateWaitMs);
}

void SystemPage::Discard()
{
    if (!Confirm(QStringLiteral("All of your changes will be discarded and device will reboot continue?"))) {
        MainWindowLink::SetEnabled(true);
        return;
    }
    apSysCommand(primaryHandle, kDiscardCommand, kCommandWait);
    RequestWrite();
    WaitForDevice(QString::fromLatin1(kRebooting), kDiscardWaitMs);
    RestartLater();
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
    apSysCommand(primaryHandle, kRestartCommand, kCommandWait);
    RequestWrite(false);
}

void SystemPage::EndWait()
{
    endWaitTimer_.stop();
    CloseWaitDialog();
    MainWindowLink::SetEnabled(true);
}

} // namespace trb
