#pragma once
#include <QStringList>

#include <memory>

#include "CommandLine.h"

namespace trb {

class ChangeJournal;
class InstanceLock;
class MainFrame;

// The application object: one per process, for one device.
class ModuleApp {
public:
    ModuleApp();
    ~ModuleApp();

    // Start-up: false when the module must not run (the user has been told why).
    bool InitInstance(const QStringList &arguments);
    // Shuts the device library down.
    void ExitInstance();

    const QString &deviceAddress() const { return commandLine_.deviceAddress; }
    const QString &readCommunity() const { return commandLine_.readCommunity; }
    const QString &writeCommunity() const { return commandLine_.writeCommunity; }
    MainFrame *mainFrame() const { return mainFrame_.get(); }

private:
    void OpenDeviceSession();

    CommandLine commandLine_;
    std::unique_ptr<InstanceLock> lock_;
    std::unique_ptr<ChangeJournal> changeJournal_;
    std::unique_ptr<MainFrame> mainFrame_;
    bool libraryStarted_ = false;
};

} // namespace trb
