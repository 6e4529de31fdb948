#include "PageTestSupport.h"

#include "DeviceReportedAddress.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "MainWindowLink.h"
#include "ProcessValues.h"

namespace trb::test {

void PageTest::SetUp()
{
    simulator = std::make_unique<SimulatorProcess>(simulatorArgs_);
    ASSERT_TRUE(simulator->ok()) << simulator->error();
    session = apSnmpOpenSession(35, "trb3710");
    ASSERT_NE(session, 0u);
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", 50, simulator->address().c_str(), 1), 0);
    trb::sessionHandle = session;
    SetManagedDeviceAddress(QString::fromStdString(simulator->address()));
    mainWindow = std::make_unique<QMainWindow>();
    mainWindow->resize(498, 222);
    mainWindow->show();
    MainWindowLink::Set(mainWindow.get());
    messages = std::make_unique<RecordingMessageBox>();
}

void PageTest::TearDown()
{
    messages.reset();
    MainWindowLink::Set(nullptr);
    mainWindow.reset();
    if (session)
        apHandleClose(session);
    trb::sessionHandle = 0;
    simulator.reset();
}

int PageTest::ReadLan(apLanSettingsRecord &record)
{
    const APHANDLE handle = apSysDeviceInforOpen(session, 0);
    apStyleModify(handle, AP_DEVINFO_GROUP_LAN, 0);
    const int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    std::memset(&record, 0, sizeof record);
    record.group = AP_DEVINFO_RECORD_GROUP_LAN;
    apSysDeviceGetInfor(handle, &record);
    apHandleClose(handle);
    return code;
}

int PageTest::ReadDeviceInfo(apDeviceInfoRecord &record)
{
    const APHANDLE handle = apSysDeviceInforOpen(session, 0);
    const int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    std::memset(&record, 0, sizeof record);
    record.bandCount = 1;
    apSysDeviceGetInfor(handle, &record);
    apHandleClose(handle);
    return code;
}

int PageTest::ReadWireless(uint32_t groups, const std::function<void(APHANDLE)> &take)
{
    const APHANDLE handle = apWirelessOpen(session, 0);
    apStyleModify(handle, groups, 0);
    const int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    if (code == 0)
        take(handle);
    apHandleClose(handle);
    return code;
}

int PageTest::WriteWireless(uint32_t groups, const std::function<int(APHANDLE)> &stage)
{
    const APHANDLE handle = apWirelessOpen(session, 0);
    apStyleModify(handle, groups, 0); // the values the stage call keeps come from this read
    int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    if (code == 0) {
        apStyleModify(handle, groups, 1);
        code = stage(handle);
    }
    if (code == 0)
        code = apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    apHandleClose(handle);
    return code;
}

int PageTest::WriteLan(int mode, const char *ip, const char *mask, const char *gateway)
{
    auto record = std::make_unique<apLanSettingsRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->group = AP_DEVINFO_RECORD_GROUP_LAN;
    record->addressMode = static_cast<uint32_t>(mode);
    std::strncpy(record->ipAddress, ip, sizeof record->ipAddress - 1);
    std::strncpy(record->subnetMask, mask, sizeof record->subnetMask - 1);
    std::strncpy(record->gateway, gateway, sizeof record->gateway - 1);
    const APHANDLE handle = apSysDeviceInforOpen(session, 0);
    apStyleModify(handle, AP_DEVINFO_GROUP_LAN, 1);
    int code = apSysDeviceSetInfor(handle, record.get());
    if (code == 0)
        code = apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    apHandleClose(handle);
    return code;
}

bool PageTest::DeviceAnswers()
{
    const APHANDLE handle = apSysDeviceInforOpen(session, 0);
    apStyleModify(handle, AP_DEVINFO_GROUP_LAN, 0);
    const int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 300);
    apHandleClose(handle);
    return code == 0;
}

namespace {

std::string RunCommand(const std::string &command)
{
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (pclose(pipe) != 0)
            return "<failed>";
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    return output;
}

std::string SnmpTool(const std::string &tool, const std::string &community, int port)
{
    return tool + " -v2c -c " + community + " -t 1 -r 0 -M " TRB4820_MIB_DIR
           " -m TRB4820-MIB -Oqv 127.0.0.1:" + std::to_string(port) + " ";
}

} // namespace

std::string PageTest::SnmpGet(const std::string &object)
{
    std::string value = RunCommand(SnmpTool("snmpget", "public", simulator->port()) + "TRB4820-MIB::" + object
                            + " 2>/dev/null");
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

bool PageTest::SnmpSet(const std::string &object, char type, const std::string &value)
{
    return RunCommand(SnmpTool("snmpset", "private", simulator->port()) + "TRB4820-MIB::" + object + " "
               + type + " '" + value + "' 2>/dev/null")
           != "<failed>";
}

std::string PageTest::StateFileText() const
{
    std::ifstream in(simulator->stateFile());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool PageTest::LoadSavedConfiguration(const std::string &file)
{
    std::ifstream in(TRB4820_SOURCE_DIR "/tests/pages/data/" + file);
    std::stringstream saved;
    saved << in.rdbuf();
    if (saved.str().empty())
        return false;
    simulator->stop();
    std::ofstream(simulator->stateFile(), std::ios::trunc) << saved.str();
    return simulator->start();
}

int ReadStageWrite(APHANDLE handle, const std::function<int(APHANDLE)> &stage)
{
    int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    if (code == 0)
        code = stage(handle);
    if (code == 0)
        code = apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    apHandleClose(handle);
    return code;
}

} // namespace trb::test
