// The administration family through the library, against a simulator: every setting reaches the
// device, the address ranges keep their item numbers, and bad arguments stage nothing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

class LibraryAdmin : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
        admin = Open();
    }
    APHANDLE Open()
    {
        APHANDLE handle = apSysAdministratorOpen(session, 0);
        EXPECT_NE(handle, 0u);
        EXPECT_EQ(apStyleModify(handle, AP_ADMIN_GROUP_ALL, 0), AP_OK);
        return handle;
    }
    int read(APHANDLE handle) { return apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    int write(APHANDLE handle) { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }

    // The range list as a fresh handle reads it.
    std::string DeviceRanges(int *count = nullptr)
    {
        APHANDLE fresh = Open();
        EXPECT_EQ(read(fresh), AP_OK);
        char text[AP_ADMIN_RANGE_TEXT_SIZE] = {};
        EXPECT_EQ(apSysLimitAdministratorGet(fresh, nullptr, nullptr, nullptr, text, count), AP_OK);
        return text;
    }

    APHANDLE admin = 0;
};

TEST_F(LibraryAdmin, EverySettingReachesTheDevice)
{
    ASSERT_EQ(read(admin), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorSet(admin, 1, 42, 0, 0), AP_OK);
    ASSERT_EQ(apSysNameSettingSet(admin, "North AP", "Roof"), AP_OK);
    ASSERT_EQ(apSysTrapSettingSet(admin, 1, "10.1.2.3"), AP_OK);
    ASSERT_EQ(apSysConsolSettingSet(admin, 1, 1, 5, 0), AP_OK);
    ASSERT_EQ(write(admin), AP_OK);

    APHANDLE fresh = Open();
    ASSERT_EQ(read(fresh), AP_OK);
    int vlanLimit = -1, vlanId = -1, ipLimit = -1;
    ASSERT_EQ(apSysLimitAdministratorGet(fresh, &vlanLimit, &vlanId, &ipLimit, nullptr, nullptr), AP_OK);
    EXPECT_EQ(vlanLimit, 1);
    EXPECT_EQ(vlanId, 42);
    EXPECT_EQ(ipLimit, 0);
    char name[AP_ADMIN_TEXT_SIZE], location[AP_ADMIN_TEXT_SIZE], server[AP_ADMIN_TRAP_TEXT_SIZE];
    ASSERT_EQ(apSysNameSettingGet(fresh, name, location), AP_OK);
    EXPECT_STREQ(name, "North AP");
    EXPECT_STREQ(location, "Roof");
    int trap = -1;
    ASSERT_EQ(apSysTrapSettingGet(fresh, &trap, server), AP_OK);
    EXPECT_EQ(trap, 1);
    EXPECT_STREQ(server, "10.1.2.3");
    int console = -1, protocol = -1, timeout = -1, ping = -1;
    ASSERT_EQ(apSysConsolSettingGet(fresh, &console, &protocol, &timeout, &ping), AP_OK);
    EXPECT_EQ(console, 1);
    EXPECT_EQ(protocol, 1);
    EXPECT_EQ(timeout, 5);
    EXPECT_EQ(ping, 0);
    int vlan = -1, web = -1, protection = -1, mode = -1;
    ASSERT_EQ(apSysLimitAdminFunctionStatusGet(fresh, &vlan, &web, &protection, &mode), AP_OK);
    EXPECT_EQ(vlan + web + protection, 0);
    EXPECT_EQ(mode, 0) << "Access Point counted from 0";
}

TEST_F(LibraryAdmin, RangesKeepTheirItemNumbers)
{
    ASSERT_EQ(read(admin), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorAdd(admin, "192.168.1.10", "192.168.1.20"), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorAdd(admin, "10.0.0.1", "10.0.0.9"), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorAdd(admin, "172.16.5.1", "172.16.5.1"), AP_OK);
    ASSERT_EQ(write(admin), AP_OK);
    ASSERT_EQ(read(admin), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorDelete(admin, 2), AP_OK);
    ASSERT_EQ(write(admin), AP_OK);
    int count = 0;
    EXPECT_EQ(DeviceRanges(&count),
              "192.168.1.10 192.168.1.20 0.0.0.0 0.0.0.0 172.16.5.1 172.16.5.1 0.0.0.0 0.0.0.0");
    EXPECT_EQ(count, 2);

    ASSERT_EQ(read(admin), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorAdd(admin, "10.9.9.1", "10.9.9.2"), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorAdd(admin, "10.9.8.1", "10.9.8.2"), AP_OK);
    EXPECT_EQ(apSysLimitAdministratorAdd(admin, "10.9.7.1", "10.9.7.2"), AP_ERR_BAD_ARGUMENT) << "a fifth range";
    ASSERT_EQ(write(admin), AP_OK);
    EXPECT_EQ(DeviceRanges(&count),
              "192.168.1.10 192.168.1.20 10.9.9.1 10.9.9.2 172.16.5.1 172.16.5.1 10.9.8.1 10.9.8.2");
    EXPECT_EQ(count, 4);
}

TEST_F(LibraryAdmin, BadArgumentsStageNothing)
{
    ASSERT_EQ(read(admin), AP_OK);
    const struct {
        const char *what;
        std::function<int(APHANDLE)> call;
    } cases[] = {
        {"VLAN ID 0", [](APHANDLE h) { return apSysLimitAdministratorSet(h, 1, 0, 0, 0); }},
        {"VLAN ID 4095", [](APHANDLE h) { return apSysLimitAdministratorSet(h, 1, 4095, 0, 0); }},
        {"VLAN limit 2", [](APHANDLE h) { return apSysLimitAdministratorSet(h, 2, 1, 0, 0); }},
        {"reversed range", [](APHANDLE h) { return apSysLimitAdministratorAdd(h, "10.0.0.9", "10.0.0.1"); }},
        {"two networks", [](APHANDLE h) { return apSysLimitAdministratorAdd(h, "192.168.0.10", "192.168.1.5"); }},
        {"no range", [](APHANDLE h) { return apSysLimitAdministratorAdd(h, "0.0.0.0", "0.0.0.0"); }},
        {"bad address", [](APHANDLE h) { return apSysLimitAdministratorAdd(h, "10.0.0", "10.0.0.1"); }},
        {"item not there", [](APHANDLE h) { return apSysLimitAdministratorDelete(h, 3); }},
        {"name of 33", [](APHANDLE h) { return apSysNameSettingSet(h, std::string(33, 'n').c_str(), ""); }},
        {"trap server", [](APHANDLE h) { return apSysTrapSettingSet(h, 1, "10.1.2"); }},
        {"trap status 3", [](APHANDLE h) { return apSysTrapSettingSet(h, 3, "0.0.0.0"); }},
        {"protocol 2", [](APHANDLE h) { return apSysConsolSettingSet(h, 1, 2, 0, 1); }},
        {"time-out 6", [](APHANDLE h) { return apSysConsolSettingSet(h, 1, 0, 6, 1); }},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.call(admin), AP_ERR_BAD_ARGUMENT) << c.what;
        EXPECT_EQ(write(admin), AP_ERR_NOT_WRITABLE) << c.what << " staged something";
    }
    EXPECT_EQ(apSysNameSettingSet(session, "a", "b"), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apSysConsolSettingGet(session, nullptr, nullptr, nullptr, nullptr), AP_ERR_BAD_HANDLE);
}

} // namespace
