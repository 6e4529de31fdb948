#include <gtest/gtest.h>

#include <cstring>
#include <regex>

#include "ErrorText.h"
#include "TRB4820apHelp.h"

using namespace trb::devicelib;

TEST(ErrorText, EveryCodeHasABoundedText)
{
    std::vector<int> codes = {AP_OK, AP_ERR_NOT_INITIALISED, AP_ERR_BAD_HANDLE, AP_ERR_BAD_ARGUMENT,
                              AP_ERR_TIMEOUT, AP_ERR_SEND, AP_ERR_SHUTDOWN, AP_ERR_BAD_RESPONSE,
                              AP_ERR_NOT_WRITABLE, -600, -1, 99999, AP_ERR_SNMP_STATUS + 1,
                              AP_ERR_SNMP_STATUS + 17, AP_ERR_SNMP_STATUS + 77};
    for (int code : codes) {
        char buffer[300];
        std::memset(buffer, 0x55, sizeof buffer);
        EXPECT_EQ(apSnmpGetErrorMsg(code, buffer), AP_OK);
        std::size_t length = strnlen(buffer, 256);
        EXPECT_LT(length, 256u) << code;
        EXPECT_GT(length, 0u) << code;
        EXPECT_EQ(buffer[256], 0x55) << "wrote past 256 bytes for " << code;
    }
    EXPECT_EQ(apSnmpGetErrorMsg(AP_OK, nullptr), AP_ERR_BAD_ARGUMENT);
}

TEST(ErrorText, TimeOutSaysTimedOutAndStatusesAreNamed)
{
    char buffer[256];
    apSnmpGetErrorMsg(AP_ERR_TIMEOUT, buffer);
    EXPECT_NE(std::strstr(buffer, "timed out"), nullptr);
    apSnmpGetErrorMsg(AP_ERR_SNMP_STATUS + 17, buffer);
    EXPECT_STREQ(buffer, "SNMP error: notWritable");
    apSnmpGetErrorMsg(AP_ERR_SNMP_STATUS + 1, buffer);
    EXPECT_STREQ(buffer, "SNMP error: tooBig");
}

TEST(ErrorText, SuccessReportEndsWithReceiveTime)
{
    std::string text = ErrorText::success("Get");
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(Get OK\. Receive at \d\d:\d\d:\d\d\.)"))) << text;
    // The status pane keeps the leading words and replaces from "Receive at " on.
    EXPECT_GT(text.find("Receive at "), 0u);
}
