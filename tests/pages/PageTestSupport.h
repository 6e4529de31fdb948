#pragma once
// What every page test needs: a simulator of its own, the module's session on it, a main
// window the pages can disable, and ways to look at the device behind the pages' backs.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QtWait.h"
#include "RecordingMessageBox.h"
#include "SimulatorProcess.h"
#include "TRB4820apHelp.h"

namespace trb::test {

class PageTest : public ::testing::Test {
protected:
    explicit PageTest(std::vector<std::string> simulatorArgs = {"--reboot-seconds", "1"})
        : simulatorArgs_(std::move(simulatorArgs)) {}
    void SetUp() override;
    void TearDown() override;

    // The device's LAN settings and information as a fresh handle reads them (blocking).
    int ReadLan(apLanSettingsRecord &record);
    int ReadDeviceInfo(apDeviceInfoRecord &record);
    // Sets the LAN settings through a fresh handle (running configuration only).
    int WriteLan(int mode, const char *ip, const char *mask, const char *gateway);
    // A fresh wireless handle that reads `groups` and hands itself to `take` (blocking), or that
    // stages with `stage` and writes (running configuration only). The request's result code.
    int ReadWireless(uint32_t groups, const std::function<void(APHANDLE)> &take);
    int WriteWireless(uint32_t groups, const std::function<int(APHANDLE)> &stage);
    // True when the device answers a short read now.
    bool DeviceAnswers();

    // Net-SNMP's own tools against the simulator, by object name; output of -Oqv, trimmed.
    std::string SnmpGet(const std::string &object);
    bool SnmpSet(const std::string &object, char type, const std::string &value);

    // Bytes of the simulator's state file ("" when it has not saved yet).
    std::string StateFileText() const;
    // Restarts the simulator on a saved configuration from tests/pages/data; false when the file
    // is missing or the simulator does not come back.
    bool LoadSavedConfiguration(const std::string &file);

    std::unique_ptr<SimulatorProcess> simulator;
    std::unique_ptr<QMainWindow> mainWindow;
    std::unique_ptr<RecordingMessageBox> messages;
    APHANDLE session = 0;

private:
    std::vector<std::string> simulatorArgs_;
};

// Reads the device on `handle`, stages with `stage`, writes (blocking), closes the handle; the
// first failing code, else 0.
int ReadStageWrite(APHANDLE handle, const std::function<int(APHANDLE)> &stage);

// Deletes the page at the end of a test unless it deleted itself on closing.
template <typename Page>
struct PageHolder {
    QPointer<Page> page;
    explicit PageHolder(Page *p) : page(p) {}
    ~PageHolder() { delete page.data(); }
    Page *operator->() const { return page; }
    Page *get() const { return page; }
};

} // namespace trb::test
