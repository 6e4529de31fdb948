// The main window, its menu and the status pane, against the simulator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "AboutBox.h"
#include "DeviceReportedAddress.h"
#include "MainFrame.h"
#include "PageHostView.h"
#include "PopupPage.h"
#include "ProcessValues.h"
#include "QtWait.h"
#include "RecordingMessageBox.h"
#include "SimulatorProcess.h"
#include "StatusPane.h"

using namespace trb;
using Led = FrontPanel::Led;
using Look = FrontPanel::Look;

namespace {

using test::WaitFor;

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { simulator = new test::SimulatorProcess(); }
    static void TearDownTestSuite() { delete simulator; }
    void SetUp() override
    {
        ASSERT_TRUE(simulator->ok()) << simulator->error();
        OpenSession(simulator->address());
    }
    void TearDown() override { apHandleClose(sessionHandle); }
    static void OpenSession(const std::string &address)
    {
        sessionHandle = apSnmpOpenSession(35, "trb3710");
        apSnmpSetSession(sessionHandle, 161, "public", "private", 30, address.c_str(), 1);
    }
    static test::SimulatorProcess *simulator;
};
test::SimulatorProcess *MainWindow::simulator = nullptr;

QStringList MenuTexts(QMenuBar *bar)
{
    QStringList texts;
    for (QAction *menu : bar->actions()) {
        QStringList entries;
        for (QAction *entry : menu->menu()->actions())
            entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        texts << menu->text() + ": " + entries.join(", ");
    }
    return texts;
}

TEST_F(MainWindow, HasTheTitleSizeAndMenus)
{
    MainFrame frame("192.0.2.50");
    EXPECT_EQ(frame.windowTitle(), "TRB-4820 : 192.0.2.50");
    EXPECT_EQ(frame.size(), QSize(498, 222));
    EXPECT_FALSE(frame.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(frame.statusText(), "Reading config from... ...");
    const QStringList expected = {
        "&Home: &Information, -, &Close",
        "&Basic: &Wireless, &LAN",
        "&Advanced: &Performance, &Multi-SSID, &VLAN, In&trusion, &Schedule, &DHCP Server, "
        "&AP Array, &Filter, &QoS, A&RP Spoofing Prevention",
        "&Maintenance: &Administration Settings, &Firmware and SSL, &Configuration File, &Time and Date",
        "&Status: &Device Information, &Client Information, &WDS Information, &Stats, &Log",
        "&Configuration: &Save And Active, &Discard Changes",
        "Sys&tem: &System",
    };
    EXPECT_EQ(MenuTexts(frame.menuBar()), expected);
    auto *help = qobject_cast<QMenuBar *>(frame.menuBar()->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(MenuTexts(help), QStringList{"He&lp: &About"});
}

TEST_F(MainWindow, CommandTableIsInMenuOrder)
{
    int index = 0;
    for (const PageCommand &command : PageCommands())
        EXPECT_EQ(int(command.kind), index++) << command.title;
}

TEST_F(MainWindow, ArpEntryIsGreyedInClientAndRepeaterModes)
{
    MainFrame frame("10.0.0.1");
    QAction *arp = frame.action(QStringLiteral("action%1").arg(int(PageKind::ArpSpoofing)));
    ASSERT_NE(arp, nullptr);
    frame.SetApModeName("Wireless client", "");
    EXPECT_FALSE(arp->isEnabled());
    frame.SetApModeName("Access Point", "");
    EXPECT_TRUE(arp->isEnabled());
    frame.SetApModeName("AP repeater", "");
    EXPECT_FALSE(arp->isEnabled());
    frame.SetApModeName("WDS With AP", "");
    EXPECT_TRUE(arp->isEnabled());
}

TEST_F(MainWindow, EachCommandOpensANewPageAndClosingEnablesTheMainWindow)
{
    MainFrame frame("10.0.0.1");
    frame.show();
    PopupPage *first = frame.OpenPage(PageKind::QoS);
    EXPECT_FALSE(frame.isEnabled());
    EXPECT_EQ(first->size(), QSize(710, 730));
    EXPECT_EQ(first->windowTitle(), "Advanced \\ QoS");
    PopupPage *second = frame.OpenPage(PageKind::QoS);
    EXPECT_NE(first, second);
    EXPECT_EQ(frame.view()->page(PageKind::QoS), second);
    second->close();
    EXPECT_TRUE(frame.isEnabled());
    first->close();
    EXPECT_EQ(frame.pollAsync, 0);
    frame.OpenPage(PageKind::ConfigurationFile)->close();
    EXPECT_EQ(frame.pollAsync, 1);
}

TEST_F(MainWindow, SaveAndActiveCancelledSendsNothingAndEnablesTheMainWindow)
{
    RecordingMessageBox messages;
    messages.queueAnswer(MessageAnswer::Cancel);
    MainFrame frame("10.0.0.1");
    frame.show();
    frame.SaveAndActive();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.shown().front().text, "Device will Save and active, continue?");
    EXPECT_TRUE(frame.isEnabled());
    EXPECT_EQ(frame.pollAsync, 1);
}

TEST_F(MainWindow, HomeCloseEndsTheModuleWithPagesStillOpen)
{
    MainFrame frame("10.0.0.1");
    frame.show();
    frame.OpenPage(PageKind::Vlan);
    QTimer::singleShot(0, frame.action("actionClose"), &QAction::trigger);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); }); // safety net
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(frame.isVisible());
}

TEST(AboutBox, ReleaseLineAppearsOnlyWithKeyCode0x72)
{
    AboutBox about;
    about.show();
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_FALSE(about.releaseLineVisible());
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_A);
    EXPECT_FALSE(about.releaseLineVisible());
    QTest::keyClick(&about, Qt::Key_F3);
    EXPECT_TRUE(about.releaseLineVisible());
    AboutBox typed;
    typed.show();
    QTest::keyClicks(&typed, "r");
    EXPECT_TRUE(typed.releaseLineVisible());
}

TEST(StatusPaneText, ReceiveTimeReplacesTheTailOnlyAfterTheFirstCharacter)
{
    EXPECT_EQ(StatusPane::WithReceiveTime("Get OK. Receive at 01:02:03.", "10:11:12"),
              "Get OK. Receive at 10:11:12.");
    EXPECT_EQ(StatusPane::WithReceiveTime("Receive at 01:02:03.", "10:11:12"), "Receive at 01:02:03.");
    EXPECT_EQ(StatusPane::WithReceiveTime("Request timed out", "10:11:12"), "Request timed out");
    EXPECT_EQ(StatusPane::ApModeName(4), "Wireless client");
    EXPECT_EQ(StatusPane::ApModeName(5), "AP repeater");
    EXPECT_EQ(StatusPane::ApModeName(0), "");
    EXPECT_EQ(StatusPane::ApModeName(6), "");
}

TEST_F(MainWindow, StatusPaneShowsTheDeviceAndPublishesItsAddress)
{
    MainFrame frame("10.0.0.1");
    frame.show();
    StatusPane *pane = frame.view()->statusPane();
    ASSERT_TRUE(WaitFor([&] { return frame.statusText().contains("Receive at "); }));
    EXPECT_EQ(DeviceReportedAddress(), "192.168.1.10");
    EXPECT_EQ(DeviceReportedMask(), "255.255.255.0");
    EXPECT_EQ(frame.apModeName(), "Access Point");
    EXPECT_EQ(pane->look(Led::Lan), Look::Lit);
    EXPECT_EQ(pane->look(Led::FiveGHz), Look::Picture);
    // The active band's LED blinks: the poll darkens it, the LED timer lights it again.
    bool sawDark = false, sawLit = false;
    WaitFor([&] {
        sawDark |= pane->look(Led::TwoFourGHz) == Look::Dark;
        sawLit |= pane->look(Led::TwoFourGHz) == Look::Lit;
        return sawDark && sawLit;
    });
    EXPECT_TRUE(sawDark && sawLit);
    EXPECT_TRUE(pane->polling());
}

TEST_F(MainWindow, PollSkipsItsTicksDuringATransfer)
{
    MainFrame frame("10.0.0.1");
    frame.show();
    ASSERT_TRUE(WaitFor([&] { return frame.statusText().contains("Receive at "); }));
    transferInProgress = 1;
    frame.SetStatusText("transfer running");
    QTest::qWait(600);
    EXPECT_EQ(frame.statusText(), "transfer running");
    transferInProgress = 0;
    EXPECT_TRUE(WaitFor([&] { return frame.statusText().contains("Receive at "); }));
}

TEST(StatusPaneUnreachable, BlockingPollErrorEndsPollingWithGetError)
{
    qputenv("TRB4820_TIME_SCALE", "1");
    sessionHandle = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(sessionHandle, 161, "public", "private", 20, "127.0.0.1:9", 0);
    MainFrame frame("127.0.0.1:9");
    frame.show();
    StatusPane *pane = frame.view()->statusPane();
    ASSERT_TRUE(WaitFor([&] { return !pane->polling(); }, 10000));
    EXPECT_EQ(frame.statusText(), "Get Error!");
    QTest::qWait(1500); // a further LED refresh must not light a band again
    EXPECT_EQ(pane->look(Led::TwoFourGHz), Look::Dark);
    EXPECT_EQ(pane->look(Led::FiveGHz), Look::Dark);
    EXPECT_EQ(pane->look(Led::Lan), Look::Dark);
    EXPECT_EQ(pane->record().lanLink, 0u);
    apHandleClose(sessionHandle);
}

} // namespace
