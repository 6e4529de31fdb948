// The TFTP command family through the library, against a simulator (which has no TFTP client
// here, so every fetch it starts fails).
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

class LibraryTftp : public SimulatorSessionTest {
protected:
    void start(std::vector<std::string> args = {})
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession(std::move(args)));
        handle = apSysCommandTftpOpen(session, 0);
        ASSERT_NE(handle, 0u);
    }
    void SetUp() override { start(); }
    int write() { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    // The status the next get fills in, as the firmware page reads it.
    std::string status()
    {
        char buffer[AP_TFTP_STATUS_SIZE] = {};
        EXPECT_EQ(apAdvTftpGetUpdStatus(handle, buffer), AP_OK);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        return buffer;
    }
    std::string statusAfterTransfer()
    {
        std::string now = status();
        // A PC that does not answer costs the device's client all its retries.
        for (int i = 0; i < 500 && now == "fetching"; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            now = status();
        }
        return now;
    }

    APHANDLE handle = 0;
};

TEST_F(LibraryTftp, StatusAndVersionBuffersAreFilledByTheGet)
{
    char status[AP_TFTP_STATUS_SIZE];
    char version[AP_TFTP_VERSION_SIZE];
    std::memset(status, 'x', sizeof status);
    std::memset(version, 'x', sizeof version);
    ASSERT_EQ(apAdvTftpGetUpdStatus(handle, status), AP_OK);
    ASSERT_EQ(apAdvTftpGetFWversion(handle, version), AP_OK);
    EXPECT_STREQ(status, "") << "nothing read yet";
    ASSERT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    EXPECT_STREQ(status, "idle");
    EXPECT_STREQ(version, "1.2.07");
}

TEST_F(LibraryTftp, SettingsAndCommandTravelInOneSet)
{
    ASSERT_EQ(apAdvTFTPSettings(handle, "127.0.0.1", "image.bin", AP_TFTP_FROM_PC), AP_OK);
    ASSERT_EQ(apAdvTFTPUpgradeCmd(handle, 5000, 1), AP_OK);
    ASSERT_EQ(write(), AP_OK);
    // The fetch started (the settings arrived first); the command waited for it, and no TFTP
    // server answered.
    EXPECT_EQ(statusAfterTransfer(), "tftpFailed");

    ASSERT_EQ(apAdvTFTPUpgradeCmd(handle, 5000, 4), AP_OK);
    ASSERT_EQ(write(), AP_OK) << "a command alone in a later request";
    EXPECT_EQ(status(), "tftpFailed") << "finish leaves a failure to be read";
}

TEST_F(LibraryTftp, AConfigurationDownloadWithoutAddressReachesTheDevice)
{
    ASSERT_EQ(apAdvTFTPSettings(handle, "", "backup.dcf", AP_TFTP_CONFIG_TO_PC), AP_OK);
    ASSERT_EQ(write(), AP_OK) << "an empty address goes out as 0.0.0.0";
    EXPECT_EQ(status(), "idle") << "direction 3 alone does nothing";
    ASSERT_EQ(apAdvTFTPUpgradeCmd(handle, 5000, 2), AP_OK);
    ASSERT_EQ(write(), AP_OK);
    std::string now = status();
    for (int i = 0; i < 50 && now == "idle"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        now = status();
    }
    EXPECT_EQ(now, "tftpFailed") << "the device tried to store its configuration file";
}

struct BadCall {
    const char *name;
    int (*call)(APHANDLE);
};

const std::string kLongName(AP_TFTP_FILE_NAME_SIZE, 'a');

const BadCall kBadCalls[] = {
    {"null address", [](APHANDLE h) { return apAdvTFTPSettings(h, nullptr, "a.bin", 2); }},
    {"null file name", [](APHANDLE h) { return apAdvTFTPSettings(h, "10.0.0.2", nullptr, 2); }},
    {"address not dotted", [](APHANDLE h) { return apAdvTFTPSettings(h, "10.0.2", "a.bin", 2); }},
    {"address out of range", [](APHANDLE h) { return apAdvTFTPSettings(h, "10.0.0.256", "a.bin", 2); }},
    {"file name too long", [](APHANDLE h) { return apAdvTFTPSettings(h, "10.0.0.2", kLongName.c_str(), 2); }},
    {"direction 0", [](APHANDLE h) { return apAdvTFTPSettings(h, "10.0.0.2", "a.bin", 0); }},
    {"direction 4", [](APHANDLE h) { return apAdvTFTPSettings(h, "10.0.0.2", "a.bin", 4); }},
    {"command 0", [](APHANDLE h) { return apAdvTFTPUpgradeCmd(h, 5000, 0); }},
    {"command 5", [](APHANDLE h) { return apAdvTFTPUpgradeCmd(h, 5000, 5); }},
    {"command 6", [](APHANDLE h) { return apAdvTFTPUpgradeCmd(h, 5000, 6); }},
    {"command 10", [](APHANDLE h) { return apAdvTFTPUpgradeCmd(h, 5000, 10); }},
    {"null status buffer", [](APHANDLE h) { return apAdvTftpGetUpdStatus(h, nullptr); }},
    {"null version buffer", [](APHANDLE h) { return apAdvTftpGetFWversion(h, nullptr); }},
};

TEST_F(LibraryTftp, BadArgumentsAreRefusedWithNothingStaged)
{
    for (const BadCall &bad : kBadCalls) {
        SCOPED_TRACE(bad.name);
        EXPECT_EQ(bad.call(handle), AP_ERR_BAD_ARGUMENT);
        EXPECT_EQ(write(), AP_ERR_NOT_WRITABLE) << "nothing to send";
    }
}

TEST_F(LibraryTftp, AHandleOfAnotherFamilyIsRefused)
{
    const APHANDLE time = apSysTimeConfigOpen(session, 0);
    char buffer[AP_TFTP_VERSION_SIZE];
    EXPECT_EQ(apAdvTFTPSettings(time, "10.0.0.2", "a.bin", 2), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apAdvTFTPUpgradeCmd(time, 5000, 1), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apAdvTftpGetUpdStatus(time, buffer), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apAdvTftpGetFWversion(0, buffer), AP_ERR_BAD_HANDLE);
}

class LibraryTftpOversize : public LibraryTftp {
protected:
    void SetUp() override { start({"--oversize-strings"}); }
};

TEST_F(LibraryTftpOversize, BuffersStayBoundedWhateverTheAgentSends)
{
    char status[AP_TFTP_STATUS_SIZE + 8];
    char version[AP_TFTP_VERSION_SIZE + 8];
    std::memset(status, '#', sizeof status);
    std::memset(version, '#', sizeof version);
    ASSERT_EQ(apAdvTftpGetUpdStatus(handle, status), AP_OK);
    ASSERT_EQ(apAdvTftpGetFWversion(handle, version), AP_OK);
    ASSERT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    EXPECT_EQ(std::strlen(status), size_t(AP_TFTP_STATUS_SIZE - 1));
    EXPECT_EQ(std::strlen(version), size_t(AP_TFTP_VERSION_SIZE - 1));
    EXPECT_EQ(status[AP_TFTP_STATUS_SIZE], '#') << "nothing past the buffer";
    EXPECT_EQ(version[AP_TFTP_VERSION_SIZE], '#');
}

} // namespace
