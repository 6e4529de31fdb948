#include "ModuleApp.h"

#include "DeviceReportedAddress.h"

#include <QApplication>

#include "AppIcon.h"
#include "ChangeJournal.h"
#include "InstanceLock.h"
#include "MainFrame.h"
#include "MessageBoxService.h"
#include "PlatformSettings.h"
#include "ProcessValues.h"
#include "TRB4820apHelp.h"

namespace trb {
namespace {
// How the device library is asked to open and set up the session.
constexpr int kSessionVersion = 35;
constexpr char kSessionName[] = "trb3710";
constexpr int kSnmpPort = 161;
constexpr int kTimeoutTenMs = 150;
constexpr int kRetries = 1;
} // namespace

ModuleApp::ModuleApp() = default;
ModuleApp::~ModuleApp() = default;

bool ModuleApp::InitInstance(const QStringList &arguments)
{
    commandLine_ = CommandLine::FromArguments(arguments);
    if (commandLine_.deviceAddress.isEmpty()) {
        ShowMessageBox(QStringLiteral("This module can only be used in platform Vantix or HP-Openview!"));
        return false;
    }
    lock_ = std::make_unique<InstanceLock>(commandLine_.deviceAddress);
    if (!lock_->TryAcquire()) {
        ShowMessageBox(QStringLiteral("Another TRB-4820 module is still running!"));
        lock_.reset();
        return false;
    }
    OpenDeviceSession();
    localTransferMode = PlatformSettings::ReadLocalTransferMode();
    QApplication::setWindowIcon(ApplicationIcon());
    changeJournal_ = std::make_unique<ChangeJournal>(ChangeJournal::FilePathFor(commandLine_.deviceAddress));
    ChangeJournal::SetCurrent(changeJournal_.get());
    mainFrame_ = std::make_unique<MainFrame>(commandLine_.deviceAddress);
    mainFrame_->show();
    mainFrame_->repaint();
    return true;
}

void ModuleApp::OpenDeviceSession()
{
    apInitSnmpLibrary();
    libraryStarted_ = true;
    sessionHandle = apSnmpOpenSession(kSessionVersion, kSessionName);
    const QByteArray read = commandLine_.readCommunity.toLatin1();
    const QByteArray write = commandLine_.writeCommunity.toLatin1();
    const QByteArray address = commandLine_.deviceAddress.toLatin1();
    SetManagedDeviceAddress(commandLine_.deviceAddress);
    apSnmpSetSession(sessionHandle, kSnmpPort, read.constData(), write.constData(), kTimeoutTenMs,
                     address.constData(), kRetries);
}

void ModuleApp::ExitInstance()
{
    mainFrame_.reset();
    changeJournal_.reset();
    if (libraryStarted_)
        apUninitSnmpLibrary();
    libraryStarted_ = false;
}

} // namespace trb
