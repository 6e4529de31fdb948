// The status pane's poll against a simulator of each test's own: what a time-out clears, how an
// asynchronous poll reports, and the AP mode it hands to the menu.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>

#include <cstdlib>

#include "DeviceReportedAddress.h"
#include "MainFrame.h"
#include "PageHostView.h"
#include "ProcessValues.h"
#include "QtWait.h"
#include "SimulatorProcess.h"
#include "StatusPane.h"

using namespace trb;
using test::WaitFor;
using Led = FrontPanel::Led;
using Look = FrontPanel::Look;

namespace {

class StatusPanePoll : public ::testing::Test {
protected:
    // timeout in units of 10 ms per try, as the library counts it.
    void Start(std::vector<std::string> simulatorArguments = {}, int timeout = 30, int retries = 1)
    {
        simulator = std::make_unique<test::SimulatorProcess>(std::move(simulatorArguments));
        ASSERT_TRUE(simulator->ok()) << simulator->error();
        sessionHandle = apSnmpOpenSession(35, "trb3710");
        apSnmpSetSession(sessionHandle, 161, "public", "private", timeout, simulator->address().c_str(), retries);
    }
    void TearDown() override
    {
        if (sessionHandle)
            apHandleClose(sessionHandle);
        sessionHandle = 0;
    }
    // Changes the device behind the module's back, with the standard tool: object with its
    // instance ("trbApMode.0"), snmpset's type letter, value.
    void Set(const std::string &object, char type, const std::string &value)
    {
        const std::string command = "snmpset -v2c -c private -t 1 -r 0 -M " TRB4820_MIB_DIR
            " -m TRB4820-MIB -Oqv " + simulator->address() + " TRB4820-MIB::" + object + " " + type
            + " '" + value + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static bool Received(MainFrame &frame)
    {
        return frame.statusText().contains("Receive at ");
    }
    // The longest time the event loop went without running, over `milliseconds`.
    static qint64 LongestStall(int milliseconds, const std::function<bool()> &done = {})
    {
        QElapsedTimer sinceTick;
        sinceTick.start();
        qint64 longest = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
        ticker.start(10);
        WaitFor([&] { return done && done(); }, milliseconds);
        return std::max(longest, sinceTick.elapsed());
    }
    std::unique_ptr<test::SimulatorProcess> simulator;
};

// Blocking (0) and asynchronous (1) polls end the same way when the device goes silent.
class StatusPaneTimeOut : public StatusPanePoll, public ::testing::WithParamInterface<int> {};

TEST_P(StatusPaneTimeOut, TimedOutPollClearsTheWordsAGoodPollFilled)
{
    Start();
    Set("trbBandRadioState.2", 'i', "1"); // both radios on: words 2048 and 2052 are 1
    MainFrame frame("10.0.0.1");
    frame.pollAsync = GetParam();
    frame.show();
    StatusPane *pane = frame.view()->statusPane();
    ASSERT_TRUE(WaitFor([&] { return Received(frame); }));
    ASSERT_TRUE(WaitFor([&] { return pane->record().radio5On == 1; }));
    EXPECT_EQ(pane->record().radio24On, 1u);
    EXPECT_EQ(pane->record().lanLink, 1u);
    // The library binds no object to the word at 2072: it stays 0 however the device is.
    EXPECT_EQ(pane->record().clientCount, 0u);
    EXPECT_EQ(pane->look(Led::Lan), Look::Lit);

    simulator->stop(); // the device goes silent: the next poll times out
    ASSERT_TRUE(WaitFor([&] { return !pane->polling(); }, 15000));
    EXPECT_EQ(frame.statusText(), "Get Error!");
    EXPECT_EQ(pane->record().radio24On, 0u);
    EXPECT_EQ(pane->record().radio5On, 0u);
    EXPECT_EQ(pane->record().lanLink, 0u);
    EXPECT_EQ(pane->record().clientCount, 0u);
    // Words the time-out does not clear keep the last report.
    EXPECT_EQ(pane->record().apMode, 1u);
    EXPECT_STREQ(pane->record().ipAddress, "192.168.1.10");
    EXPECT_TRUE(WaitFor([&] { return pane->look(Led::Lan) == Look::Dark; }));
}

INSTANTIATE_TEST_SUITE_P(PollModes, StatusPaneTimeOut, ::testing::Values(0, 1));

// Each answer comes 800 ms late. Waiting for it on the window thread stalls the event loop for
// that long; the asynchronous poll returns at once and its completion arrives later as the
// page message, which runs OnReadDone: the address the device reports is published again.
// Real timer periods, so that the first report arrives before the first tick.
TEST_F(StatusPanePoll, AsyncPollReturnsAtOnceAndItsCompletionUpdatesThePane)
{
    const QByteArray scale = qgetenv("TRB4820_TIME_SCALE");
    qputenv("TRB4820_TIME_SCALE", "1");
    const auto restore = qScopeGuard([&] { qputenv("TRB4820_TIME_SCALE", scale); });
    Start({"--delay-ms", "800"}, 150, 0);
    {
        MainFrame blocking("10.0.0.1");
        blocking.show();
        ASSERT_TRUE(WaitFor([&] { return Received(blocking); }));
        ASSERT_EQ(blocking.pollAsync, 0);
        blocking.SetStatusText("before the blocking polls");
        EXPECT_GE(LongestStall(2600), 750);
        EXPECT_TRUE(Received(blocking)) << blocking.statusText().toStdString();
    }
    MainFrame async("10.0.0.1");
    async.pollAsync = 1;
    async.show();
    ASSERT_TRUE(WaitFor([&] { return Received(async); }));
    async.SetStatusText("before the asynchronous polls");
    Set("trbLanIpAddress.0", 'a', "192.168.1.77");
    const qint64 stall = LongestStall(8000, [&] {
        return DeviceReportedAddress() == "192.168.1.77" && Received(async);
    });
    EXPECT_EQ(DeviceReportedAddress().toStdString(), "192.168.1.77");
    EXPECT_TRUE(Received(async)) << async.statusText().toStdString();
    EXPECT_LT(stall, 400);
}

TEST_F(StatusPanePoll, ClientAndRepeaterModesFromThePollGreyTheArpEntry)
{
    Start();
    MainFrame frame("10.0.0.1");
    frame.show();
    QAction *arp = frame.action(QStringLiteral("action%1").arg(int(PageKind::ArpSpoofing)));
    ASSERT_NE(arp, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Received(frame); }));
    EXPECT_EQ(frame.apModeName(), "Access Point");
    EXPECT_TRUE(arp->isEnabled());

    const std::pair<int, const char *> modes[] = {
        {4, "Wireless client"}, {1, "Access Point"}, {5, "AP repeater"}, {2, "WDS With AP"}, {4, "Wireless client"},
    };
    for (const auto &[mode, name] : modes) {
        Set("trbApMode.0", 'i', std::to_string(mode));
        EXPECT_TRUE(WaitFor([&] { return frame.apModeName() == name; })) << name << ", shown: " << frame.apModeName().toStdString();
        EXPECT_EQ(arp->isEnabled(), mode != 4 && mode != 5) << name;
    }
}

} // namespace
