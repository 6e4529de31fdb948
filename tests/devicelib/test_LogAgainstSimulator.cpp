// The log family through the library, against a simulator.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "ObjectSchema.h"
#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

apEmailNtfRecord Mail()
{
    apEmailNtfRecord mail{};
    std::strcpy(mail.serverAddress, "10.0.0.25");
    mail.authentication = 1;
    std::strcpy(mail.userName, "mailer");
    std::strcpy(mail.password, "pa55-word");
    std::strcpy(mail.schedule, "0.5");
    mail.smtpPort = 587;
    mail.sslTls = 1;
    mail.serverType = 1;
    mail.enable = 1;
    std::strcpy(mail.fromAddress, "ap@example.org");
    std::strcpy(mail.toAddress, "admin@example.org");
    return mail;
}

class LibraryLog : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
        handle = apSysLogSettingsOpen(session, 0);
        ASSERT_NE(handle, 0u);
    }
    int write() { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    // A fresh handle's read.
    APHANDLE freshRead()
    {
        const APHANDLE fresh = apSysLogSettingsOpen(session, 0);
        EXPECT_EQ(apSnmpSendGetRequest(fresh, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        return fresh;
    }

    APHANDLE handle = 0;
};

TEST_F(LibraryLog, SettingsAndMailTravelThroughAFreshHandle)
{
    ASSERT_EQ(apSysLogSettingsParaSet(handle, "192.168.1.77", 1, 0, 1, 1), AP_OK);
    apEmailNtfRecord sent = Mail();
    ASSERT_EQ(apSysLogSettingsEmailNtfSet(handle, 3, &sent), AP_OK);
    ASSERT_EQ(write(), AP_OK);

    const APHANDLE fresh = freshRead();
    char server[AP_LOG_ADDRESS_SIZE] = "x";
    int system = -1, wireless = -1, notice = -1;
    ASSERT_EQ(apSysLogSettingsParaGet(fresh, server, &system, &wireless, &notice), AP_OK);
    EXPECT_STREQ(server, "192.168.1.77");
    EXPECT_EQ(system, 1);
    EXPECT_EQ(wireless, 0);
    EXPECT_EQ(notice, 1);
    apEmailNtfRecord read{};
    char reserved[8] = "x";
    ASSERT_EQ(apSysLogSettingsEmailNtfGet(fresh, reserved, &read), AP_OK);
    EXPECT_STREQ(reserved, "");
    sent.serverType = 3; // the argument's, not the record's
    EXPECT_EQ(std::memcmp(&read, &sent, sizeof read), 0) << "the password comes back with the write community";
}

TEST(LibraryLogSchema, TheMailPasswordIsASecret)
{
    const auto *password = trb::schema::findObject("trbEmailPassword");
    ASSERT_NE(password, nullptr);
    EXPECT_TRUE(password->secret);
}

TEST_F(LibraryLog, AnEmptyServerIsSentAsNone)
{
    ASSERT_EQ(apSysLogSettingsParaSet(handle, "", 1, 1, 1, 0), AP_OK);
    apEmailNtfRecord mail = Mail();
    mail.serverAddress[0] = '\0';
    ASSERT_EQ(apSysLogSettingsEmailNtfSet(handle, 1, &mail), AP_OK);
    ASSERT_EQ(write(), AP_OK);
    const APHANDLE fresh = freshRead();
    char server[AP_LOG_ADDRESS_SIZE] = {};
    ASSERT_EQ(apSysLogSettingsParaGet(fresh, server, nullptr, nullptr, nullptr), AP_OK);
    EXPECT_STREQ(server, "0.0.0.0");
    apSysLogSettingsEmailNtfGet(fresh, nullptr, &mail);
    EXPECT_STREQ(mail.serverAddress, "0.0.0.0");
}

TEST_F(LibraryLog, BadArgumentsStageNothing)
{
    const std::function<int(APHANDLE)> calls[] = {
        [](APHANDLE h) { return apSysLogSettingsParaSet(h, "10.0.0", 1, 1, 1, 1); },
        [](APHANDLE h) { return apSysLogSettingsParaSet(h, "10.0.0.1", 2, 1, 1, 1); },
        [](APHANDLE h) { return apSysLogSettingsParaSet(h, nullptr, 1, 1, 1, 1); },
        [](APHANDLE h) { apEmailNtfRecord m = Mail(); return apSysLogSettingsEmailNtfSet(h, 4, &m); },
        [](APHANDLE h) { apEmailNtfRecord m = Mail(); m.smtpPort = 70000; return apSysLogSettingsEmailNtfSet(h, 1, &m); },
        [](APHANDLE h) { apEmailNtfRecord m = Mail(); std::memset(m.userName, 'u', 65); return apSysLogSettingsEmailNtfSet(h, 1, &m); },
        [](APHANDLE h) { apEmailNtfRecord m = Mail(); std::memset(m.toAddress, 't', sizeof m.toAddress); return apSysLogSettingsEmailNtfSet(h, 1, &m); },
        [](APHANDLE h) { apEmailNtfRecord m = Mail(); std::memset(m.schedule, '9', sizeof m.schedule); return apSysLogSettingsEmailNtfSet(h, 1, &m); },
        [](APHANDLE h) { return apSysLogSettingsEmailNtfSet(h, 1, nullptr); },
        [](APHANDLE h) { return apSysLogSettingsGetLog(h, "10.0.0.2", ""); },
        [](APHANDLE h) { return apSysLogSettingsGetLog(h, "PC", "LogFile.RD"); },
    };
    int index = 0;
    for (const auto &call : calls) {
        EXPECT_EQ(call(handle), AP_ERR_BAD_ARGUMENT) << "call " << index;
        EXPECT_EQ(write(), AP_ERR_NOT_WRITABLE) << "call " << index << " staged something";
        ++index;
    }
    EXPECT_EQ(apSysLogSettingsClearLog(session), AP_ERR_BAD_HANDLE);
}

TEST_F(LibraryLog, LogRequestAndClearReachTheDevice)
{
    ASSERT_EQ(apSysLogSettingsGetLog(handle, "127.0.0.1", "LogFile.RD"), AP_OK);
    ASSERT_EQ(write(), AP_OK);
    ASSERT_EQ(apSysLogSettingsGetLog(handle, "", "LogFile.RD"), AP_OK) << "no PC address: sent as none";
    ASSERT_EQ(write(), AP_OK);
    ASSERT_EQ(apSysLogSettingsClearLog(handle), AP_OK);
    EXPECT_EQ(write(), AP_OK);
}

} // namespace
