// The ARP family's table rows and the login secret through the library, against a simulator.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using namespace std::chrono_literals;
using trb::test::SimulatorSessionTest;

namespace {

struct Completion {
    std::atomic<bool> done{false};
    uint32_t code = 0;
    std::string text;

    static int report(uint32_t value, uint32_t more, const char *text, void *context, uint32_t)
    {
        auto *self = static_cast<Completion *>(context);
        if (more)
            return 0;
        self->code = value;
        self->text = text ? text : "";
        self->done = true;
        return 0;
    }
    bool wait()
    {
        for (int i = 0; i < 300 && !done; ++i)
            std::this_thread::sleep_for(10ms);
        return done;
    }
};

class LibraryRows : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession());
        openArp();
    }
    // On the current session: a test that opens another session opens this again.
    void openArp()
    {
        arp = apAdvARPOpen(session, 0);
        ASSERT_NE(arp, 0u);
    }
    int read(APHANDLE handle) { return apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    int write(APHANDLE handle) { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }

    // The list by the two-call pattern, checking that the second call writes no further.
    std::vector<apArpEntry> list()
    {
        apArpList header{0, nullptr};
        EXPECT_EQ(apAdvARPGetList(arp, &header), AP_OK);
        std::vector<apArpEntry> entries(std::size_t(header.count) + 1);
        std::memset(entries.data(), 0x5A, entries.size() * sizeof(apArpEntry));
        const int32_t count = header.count;
        header.entries = entries.data();
        EXPECT_EQ(apAdvARPGetList(arp, &header), AP_OK);
        EXPECT_EQ(header.count, count);
        EXPECT_EQ(reinterpret_cast<const uint8_t *>(&entries.back())[0], 0x5A) << "wrote past the count";
        entries.pop_back();
        return entries;
    }

    APHANDLE arp = 0;
};

TEST_F(LibraryRows, AddEditDeleteAndList)
{
    ASSERT_EQ(read(arp), AP_OK);
    EXPECT_TRUE(list().empty());
    int state = -1;
    ASSERT_EQ(apAdvARPGetParam(arp, &state), AP_OK);
    EXPECT_EQ(state, 0);

    ASSERT_EQ(apAdvARPSetParam(arp, 1), AP_OK);
    ASSERT_EQ(apAdvARPAdd(arp, "192.168.1.1", "021A48200001"), AP_OK);
    ASSERT_EQ(apAdvARPAdd(arp, "192.168.1.2", "021a48200002"), AP_OK);
    ASSERT_EQ(write(arp), AP_OK);

    ASSERT_EQ(read(arp), AP_OK);
    ASSERT_EQ(apAdvARPGetParam(arp, &state), AP_OK);
    EXPECT_EQ(state, 1);
    auto entries = list();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].index, 1);
    EXPECT_STREQ(entries[0].ipAddress, "192.168.1.1");
    EXPECT_STREQ(entries[0].macAddress, "021A48200001");
    EXPECT_EQ(entries[1].index, 2);
    EXPECT_STREQ(entries[1].macAddress, "021A48200002") << "read back upper-case";

    ASSERT_EQ(apAdvARPEdit(arp, 1, "192.168.1.3", "021A48200003"), AP_OK);
    ASSERT_EQ(write(arp), AP_OK);
    ASSERT_EQ(apAdvARPDel(arp, "192.168.1.1", "021a48200001"), AP_OK);
    ASSERT_EQ(write(arp), AP_OK);
    // Added after the delete without a read in between: the freed index is not reused blindly.
    ASSERT_EQ(apAdvARPAdd(arp, "192.168.1.4", "021A48200004"), AP_OK);
    ASSERT_EQ(write(arp), AP_OK);

    ASSERT_EQ(read(arp), AP_OK);
    entries = list();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(entries[0].ipAddress, "192.168.1.4");
    EXPECT_EQ(entries[1].index, 2);
    EXPECT_STREQ(entries[1].ipAddress, "192.168.1.3");
    EXPECT_STREQ(entries[1].macAddress, "021A48200003");
}

TEST_F(LibraryRows, TheNinthAddReportsTheDevicesErrorAndChangesNothing)
{
    ASSERT_EQ(read(arp), AP_OK);
    for (int i = 1; i <= 8; ++i) {
        char ip[20], mac[20];
        std::snprintf(ip, sizeof ip, "10.0.0.%d", i);
        std::snprintf(mac, sizeof mac, "021A482000%02X", i);
        ASSERT_EQ(apAdvARPAdd(arp, ip, mac), AP_OK);
    }
    ASSERT_EQ(write(arp), AP_OK) << "eight rows in one set request";
    ASSERT_EQ(read(arp), AP_OK);
    ASSERT_EQ(list().size(), 8u);

    ASSERT_EQ(apAdvARPAdd(arp, "10.0.0.9", "021A48200009"), AP_OK);
    Completion completion;
    ASSERT_EQ(apSnmpSendSetRequest(arp, &Completion::report, &completion, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_TRUE(completion.wait());
    EXPECT_EQ(completion.code, uint32_t(AP_ERR_SNMP_STATUS + 13));
    EXPECT_NE(completion.text.find("resourceUnavailable"), std::string::npos) << completion.text;
    EXPECT_NE(completion.text.find("no room"), std::string::npos) << completion.text;

    ASSERT_EQ(read(arp), AP_OK);
    auto entries = list();
    ASSERT_EQ(entries.size(), 8u);
    for (const auto &entry : entries)
        EXPECT_STRNE(entry.ipAddress, "10.0.0.9");
}

TEST_F(LibraryRows, ARowSurvivesSaveAndSimulatorRestart)
{
    ASSERT_EQ(read(arp), AP_OK);
    ASSERT_EQ(apAdvARPAdd(arp, "172.16.0.1", "021A48200011"), AP_OK);
    ASSERT_EQ(write(arp), AP_OK);
    APHANDLE commands = apSysCommandObjOpen(session, 0);
    ASSERT_EQ(apSysCommand(commands, 2, 3000), AP_OK); // save and activate
    ASSERT_EQ(write(commands), AP_OK);

    ASSERT_TRUE(sim->restart()) << sim->error();
    ASSERT_EQ(read(arp), AP_OK);
    auto entries = list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[0].ipAddress, "172.16.0.1");
    EXPECT_STREQ(entries[0].macAddress, "021A48200011");
}

TEST_F(LibraryRows, BadArgumentsStageNothing)
{
    ASSERT_EQ(read(arp), AP_OK);
    ASSERT_EQ(apAdvARPAdd(arp, "192.168.1.1", "021A48200001"), AP_OK);
    ASSERT_EQ(write(arp), AP_OK);
    ASSERT_EQ(read(arp), AP_OK);

    struct Case {
        const char *what;
        int (*call)(APHANDLE);
    };
    const Case cases[] = {
        {"add: three-part address", [](APHANDLE h) { return apAdvARPAdd(h, "192.168.1", "021A48200002"); }},
        {"add: name instead of address", [](APHANDLE h) { return apAdvARPAdd(h, "gateway", "021A48200002"); }},
        {"add: MAC with colons", [](APHANDLE h) { return apAdvARPAdd(h, "10.0.0.1", "02:1A:48:20:00"); }},
        {"add: MAC not hex", [](APHANDLE h) { return apAdvARPAdd(h, "10.0.0.1", "021A4820000G"); }},
        {"add: MAC too short", [](APHANDLE h) { return apAdvARPAdd(h, "10.0.0.1", "021A482000"); }},
        {"add: null MAC", [](APHANDLE h) { return apAdvARPAdd(h, "10.0.0.1", nullptr); }},
        {"edit: row past the list", [](APHANDLE h) { return apAdvARPEdit(h, 1, "10.0.0.1", "021A48200002"); }},
        {"edit: negative row", [](APHANDLE h) { return apAdvARPEdit(h, -1, "10.0.0.1", "021A48200002"); }},
        {"edit: bad MAC", [](APHANDLE h) { return apAdvARPEdit(h, 0, "10.0.0.1", "xyz"); }},
        {"delete: pair not in the list", [](APHANDLE h) { return apAdvARPDel(h, "192.168.1.1", "021A48200009"); }},
        {"state 2", [](APHANDLE h) { return apAdvARPSetParam(h, 2); }},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.call(arp), AP_ERR_BAD_ARGUMENT) << c.what;
        EXPECT_EQ(write(arp), AP_ERR_NOT_WRITABLE) << c.what << " staged something";
    }
    EXPECT_EQ(apAdvARPGetList(arp, nullptr), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apAdvARPAdd(session, "10.0.0.1", "021A48200002"), AP_ERR_BAD_HANDLE);
    ASSERT_EQ(read(arp), AP_OK);
    EXPECT_EQ(list().size(), 1u);
}

TEST_F(LibraryRows, TheLoginPasswordIsReadWithTheWriteCommunity)
{
    APHANDLE admin = apSysAdministratorOpen(session, 0);
    ASSERT_EQ(read(admin), AP_OK);
    char name[AP_ADMIN_TEXT_SIZE], password[AP_ADMIN_TEXT_SIZE];
    ASSERT_EQ(apSysLoginGet(admin, name, password), AP_OK);
    EXPECT_STREQ(name, "admin");
    EXPECT_STREQ(password, "admin") << "the read community would get noSuchObject";

    ASSERT_EQ(apSysLoginSet(admin, "root", "n3w-Secret"), AP_OK);
    ASSERT_EQ(write(admin), AP_OK);
    APHANDLE again = apSysAdministratorOpen(session, 0);
    ASSERT_EQ(read(again), AP_OK);
    ASSERT_EQ(apSysLoginGet(again, name, password), AP_OK);
    EXPECT_STREQ(name, "root");
    EXPECT_STREQ(password, "n3w-Secret");

    EXPECT_EQ(apSysLoginSet(admin, "root", std::string(65, 'x').c_str()), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(write(admin), AP_ERR_NOT_WRITABLE);
}

TEST_F(LibraryRows, WithAWrongWriteCommunityOnlyTheSecretReadFails)
{
    ASSERT_NO_FATAL_FAILURE(OpenSession({.writeCommunity = "not-the-write-community"}));
    openArp();
    APHANDLE admin = apSysAdministratorOpen(session, 0);
    EXPECT_EQ(read(admin), AP_ERR_TIMEOUT);
    EXPECT_EQ(read(arp), AP_OK) << "reads without secrets use the read community";
}

} // namespace
