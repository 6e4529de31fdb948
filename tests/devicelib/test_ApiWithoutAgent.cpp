// Library behaviour that needs no agent: argument checks, unknown hosts, and a UDP port that
// never answers (time-outs, shutdown and handle closing with requests in flight).
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TRB4820apHelp.h"

using namespace std::chrono;

namespace {

// A bound loopback UDP port that reads nothing and answers nothing.
class SilentPort {
public:
    SilentPort()
    {
        fd_ = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        getsockname(fd_, reinterpret_cast<sockaddr *>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~SilentPort() { close(fd_); }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    int fd_ = -1;
    int port_ = 0;
};

// Counts completions; each callback records its code and text.
struct Completions {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<uint32_t, std::string>> reports;
    int moreReports = 0;

    static int onRequest(uint32_t value, uint32_t more, const char *text, void *context, uint32_t)
    {
        auto *self = static_cast<Completions *>(context);
        std::lock_guard lock(self->mutex);
        if (more)
            ++self->moreReports;
        else
            self->reports.emplace_back(value, text ? text : "");
        self->changed.notify_all();
        return 0;
    }
    bool waitFor(std::size_t count, milliseconds limit = 10s)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return reports.size() >= count; });
    }
};

class ApiWithoutAgent : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(apInitSnmpLibrary(), AP_OK);
        session = apSnmpOpenSession(35, "trb3710");
        ASSERT_NE(session, 0u);
    }
    void TearDown() override { apUninitSnmpLibrary(); }

    // A session to the silent port with a time-out of `timeout` x 10 ms and no retries.
    void connectSilent(int timeout)
    {
        ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", timeout, silent.address().c_str(), 0), AP_OK);
    }

    SilentPort silent;
    APHANDLE session = 0;
};

} // namespace

TEST_F(ApiWithoutAgent, SessionArgumentsAreChecked)
{
    EXPECT_EQ(apSnmpSetSession(session, 161, nullptr, "w", 150, "127.0.0.1", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(session, 161, "r", "w", 150, "", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(session, 161, "r", "w", 0, "127.0.0.1", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(session, 0, "r", "w", 150, "127.0.0.1", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(session, 161, "r", "w", 150, "127.0.0.1:99999", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(session, 161, "r", "w", 150, "127.0.0.1:16x", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(session, 161, "r", "w", 150, "::1:161", 1), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSetSession(0, 161, "r", "w", 150, "127.0.0.1", 1), AP_ERR_BAD_HANDLE);
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    EXPECT_EQ(apSnmpSetSession(info, 161, "r", "w", 150, "127.0.0.1", 1), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apSysDeviceInforOpen(info, 0), 0u) << "a group handle is not a session";
}

TEST_F(ApiWithoutAgent, UnknownHostFailsAtOnceWithAText)
{
    auto start = steady_clock::now();
    int code = apSnmpSetSession(session, 161, "public", "private", 150, "nosuchhost.invalid", 1);
    EXPECT_EQ(code, AP_ERR_SEND);
    char text[256];
    apSnmpGetErrorMsg(code, text);
    EXPECT_GT(std::strlen(text), 0u);
    // Requests on the unconfigured session fail too, each with exactly one report.
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_SEND);
    Completions done;
    EXPECT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_TRUE(done.waitFor(1));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(done.reports.size(), 1u);
    EXPECT_EQ(done.reports[0].first, uint32_t(AP_ERR_SEND));
    EXPECT_LT(steady_clock::now() - start, 10s);
}

TEST_F(ApiWithoutAgent, BadInputChangesNothing)
{
    connectSilent(10);
    APHANDLE command = apSysCommandObjOpen(session, 0);
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    ASSERT_NE(command, 0u);
    for (int bad : {-1, 5, 100})
        EXPECT_EQ(apSysCommand(command, bad, 3000), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSendSetRequest(command, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_NOT_WRITABLE);

    apLanSettingsRecord lan{};
    lan.group = AP_DEVINFO_RECORD_GROUP_LAN;
    std::strcpy(lan.ipAddress, "10.0.0.300");
    std::strcpy(lan.subnetMask, "255.255.255.0");
    EXPECT_EQ(apSysDeviceSetInfor(info, &lan), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apStyleModify(info, AP_DEVINFO_GROUP_LAN, 1), AP_OK);
    EXPECT_EQ(apSnmpSendSetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_NOT_WRITABLE);

    EXPECT_EQ(apStyleModify(info, 0x4, 0), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apStyleModify(info, 0, 0), AP_ERR_BAD_ARGUMENT);
    lan.group = 7;
    EXPECT_EQ(apSysDeviceGetInfor(info, &lan), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSysDeviceGetInfor(command, &lan), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, 3, 0), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSysMonitorOpen(session, 9, 0), 0u);
    APHANDLE monitor = apSysMonitorOpen(session, 0, 0);
    EXPECT_EQ(apSysMonitorRefresh(monitor, 7, nullptr, nullptr, AP_MODE_CALLBACK), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSysMonitorQueryInfor(monitor, nullptr), AP_ERR_BAD_ARGUMENT);

    EXPECT_EQ(apHandleClose(info), AP_OK);
    EXPECT_EQ(apHandleClose(info), AP_ERR_BAD_HANDLE);
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_BAD_HANDLE);
}

TEST_F(ApiWithoutAgent, SilentDeviceTimesOutOnceInEveryMode)
{
    connectSilent(20);
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    Completions done;
    ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_TRUE(done.waitFor(1));

    auto start = steady_clock::now();
    EXPECT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_BLOCKING, 0), AP_ERR_TIMEOUT);
    EXPECT_EQ(done.reports.size(), 2u) << "mode 4 reports through its callback before returning";
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_WAIT, 600), AP_ERR_TIMEOUT);
    auto elapsed = steady_clock::now() - start;
    EXPECT_GT(elapsed, 700ms);
    EXPECT_LT(elapsed, 3s);

    std::this_thread::sleep_for(300ms);
    ASSERT_EQ(done.reports.size(), 2u);
    EXPECT_EQ(done.moreReports, 0);
    for (auto &[code, text] : done.reports) {
        EXPECT_EQ(code, uint32_t(AP_ERR_TIMEOUT));
        EXPECT_NE(text.find("timed out"), std::string::npos) << text;
    }
}

TEST_F(ApiWithoutAgent, ShutdownCompletesEveryRequestInFlightOnce)
{
    connectSilent(1000); // 10 s: nothing ends by itself during the test
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    APHANDLE command = apSysCommandObjOpen(session, 0);
    APHANDLE monitor = apSysMonitorOpen(session, 0, 0);
    Completions done;
    std::atomic<int> tableReports{0};
    auto onTable = [](APHANDLE, uint32_t more, uint32_t code, void *context, uint32_t) -> int {
        if (!more && code == AP_ERR_SHUTDOWN)
            ++*static_cast<std::atomic<int> *>(context);
        return 0;
    };
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_EQ(apSysCommand(command, 2, 6000), AP_OK);
    ASSERT_EQ(apSnmpSendSetRequest(command, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    ASSERT_EQ(apSysMonitorRefresh(monitor, 1, onTable, &tableReports, AP_MODE_CALLBACK), AP_OK);
    // A blocking caller on another thread is released too.
    std::atomic<int> blockingCode{-1};
    steady_clock::time_point blockingEnded;
    std::thread blocked([&] {
        blockingCode = apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        blockingEnded = steady_clock::now();
    });
    std::this_thread::sleep_for(200ms);

    auto start = steady_clock::now();
    EXPECT_EQ(apUninitSnmpLibrary(), AP_OK);
    EXPECT_LT(steady_clock::now() - start, 3s);
    blocked.join();
    EXPECT_EQ(blockingCode, AP_ERR_SHUTDOWN);
    EXPECT_LT(blockingEnded - start, 3s) << "the blocked caller is told at once, not at its time-out";
    // Every report was delivered before apUninitSnmpLibrary returned.
    ASSERT_EQ(done.reports.size(), 6u);
    for (auto &[code, text] : done.reports)
        EXPECT_EQ(code, uint32_t(AP_ERR_SHUTDOWN)) << text;
    EXPECT_EQ(tableReports, 1);
    // Nothing works after shut-down, and the library can start again.
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_NOT_INITIALISED);
    EXPECT_EQ(apSnmpOpenSession(35, "trb3710"), 0u);
    ASSERT_EQ(apInitSnmpLibrary(), AP_OK);
    EXPECT_NE(apSnmpOpenSession(35, "trb3710"), 0u);
}

TEST_F(ApiWithoutAgent, ClosingAHandleOrSessionWithARequestInFlightIsSafe)
{
    connectSilent(30);
    Completions done;
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(apSnmpSendGetRequest(info, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    EXPECT_EQ(apHandleClose(info), AP_OK);
    ASSERT_TRUE(done.waitFor(1));
    EXPECT_EQ(done.reports[0].first, uint32_t(AP_ERR_TIMEOUT));

    APHANDLE pane = apDeviceStatusOpen(session, 0);
    ASSERT_EQ(apSnmpSendGetRequest(pane, &Completions::onRequest, &done, AP_MODE_CALLBACK, 0), AP_OK);
    EXPECT_EQ(apHandleClose(session), AP_OK);
    ASSERT_TRUE(done.waitFor(2));
    EXPECT_EQ(done.reports[1].first, uint32_t(AP_ERR_SHUTDOWN));
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(done.reports.size(), 2u);
}

TEST_F(ApiWithoutAgent, BlockingRequestWhileACallbackWaitsDoesNotDeadlock)
{
    connectSilent(20);
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    struct Gate {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;
        bool entered = false;
    };
    // Kept alive past the test body: the callback may still hold it if an assertion fails.
    static Gate gate;
    // Like a page whose completion waits for the UI thread, while the UI thread waits for a
    // blocking request.
    auto waitingCallback = [](uint32_t, uint32_t more, const char *, void *context, uint32_t) -> int {
        auto *g = static_cast<Gate *>(context);
        if (more)
            return 0;
        std::unique_lock lock(g->mutex);
        g->entered = true;
        g->opened.notify_all();
        g->opened.wait_for(lock, 20s, [&] { return g->open; });
        return 0;
    };
    ASSERT_EQ(apSnmpSendGetRequest(info, waitingCallback, &gate, AP_MODE_CALLBACK, 0), AP_OK);
    {
        std::unique_lock lock(gate.mutex);
        ASSERT_TRUE(gate.opened.wait_for(lock, 5s, [&] { return gate.entered; }));
    }
    auto start = steady_clock::now();
    EXPECT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_TIMEOUT);
    EXPECT_LT(steady_clock::now() - start, 5s);
    {
        std::lock_guard lock(gate.mutex);
        gate.open = true;
    }
    gate.opened.notify_all();
}
