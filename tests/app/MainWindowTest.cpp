// The main window, its menu and the status pane, against the simulator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QStatusTipEvent>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstring>
#include <fstream>
#include <sstream>

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
        "&Configuration: &Save And Active, &Discard Changes, &Unsaved Changes...",
        "Sys&tem: &System",
    };
    EXPECT_EQ(MenuTexts(frame.menuBar()), expected);
    auto *help = qobject_cast<QMenuBar *>(frame.menuBar()->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(MenuTexts(help), QStringList{"He&lp: &About"});
}

// Written out here independently of the table, so a wrong row in either shows.
struct ExpectedCommand {
    const char *entry;
    const char *title;
    QSize size; // empty: the page's own size, centred
    int pollAsync;
    bool clearsStatusText;
};
const ExpectedCommand kExpectedCommands[] = {
    {"&Information", "Home \\ Information", {480, 500}, 0, false},
    {"&Wireless", "Basic \\ Wireless", {620, 710}, 0, false},
    {"&LAN", "Basic \\ LAN", {400, 300}, 0, false},
    {"&Performance", "Advanced \\ Performance", {620, 650}, 0, false},
    {"&Multi-SSID", "Andvanced \\ Multi-SSID", {560, 710}, 0, false},
    {"&VLAN", "Advanced \\ VLAN", {700, 710}, 0, false},
    {"In&trusion", "Advanced \\ Intrusion", {660, 680}, 0, false},
    {"&Schedule", "Advanced \\ Schedule", {660, 710}, 0, false},
    {"&DHCP Server", "Advanced \\ DHCP Server", {580, 610}, 0, false},
    {"&AP Array", "Advanced \\AP Array", {530, 700}, 0, false},
    {"&Filter", "Advanced \\ Filter", {570, 700}, 0, false},
    {"&QoS", "Advanced \\ QoS", {710, 730}, 0, false},
    {"A&RP Spoofing Prevention", "Advanced \\ARP Spoofing Prevention", {500, 550}, 0, false},
    {"&Administration Settings", "Maintenance \\Administration Settings", {530, 630}, 0, false},
    {"&Firmware and SSL", "Maintenance \\ Firmware and SSL", {}, 1, false},
    {"&Configuration File", "Maintenance \\ Configuration File", {590, 240}, 1, false},
    {"&Time and Date", "Maintenance \\ Time and Date", {640, 670}, 0, false},
    {"&Device Information", "Status \\ Device Information", {610, 700}, 0, false},
    {"&Client Information", "Status \\ Client Information", {630, 280}, 0, true},
    {"&WDS Information", "Status \\ WDS Information", {610, 280}, 0, true},
    {"&Stats", "Status \\ Stats", {600, 690}, 0, false},
    {"&Log", "Status \\ Log", {600, 700}, 0, false},
    {"&System", "System", {470, 260}, 1, false},
};

TEST_F(MainWindow, CommandTableIsInMenuOrder)
{
    ASSERT_EQ(PageCommands().size(), std::size(kExpectedCommands));
    int index = 0;
    for (const PageCommand &command : PageCommands()) {
        const ExpectedCommand &expected = kExpectedCommands[index];
        SCOPED_TRACE(expected.entry);
        EXPECT_EQ(int(command.kind), index++);
        EXPECT_STREQ(command.entry, expected.entry);
        EXPECT_STREQ(command.title, expected.title);
        EXPECT_EQ(command.size, expected.size);
        EXPECT_EQ(command.pollAsync, expected.pollAsync);
        EXPECT_EQ(command.clearStatusText, expected.clearsStatusText);
    }
}

// Every menu entry opens its page through the table's factory, with the table's caption,
// size and poll mode, as a window of its own kept above the main window.
TEST_F(MainWindow, EveryCommandOpensItsPageWithTitleSizeAndPollMode)
{
    RecordingMessageBox messages;
    MainFrame frame("10.0.0.1");
    frame.show();
    for (const ExpectedCommand &expected : kExpectedCommands) {
        SCOPED_TRACE(expected.entry);
        const PageKind kind = PageKind(&expected - kExpectedCommands);
        frame.pollAsync = 1 - expected.pollAsync;
        QAction *entry = frame.action(QStringLiteral("action%1").arg(int(kind)));
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        PopupPage *page = frame.view()->page(kind);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->windowTitle(), expected.title);
        if (!expected.size.isEmpty())
            EXPECT_EQ(page->size(), expected.size);
        EXPECT_EQ(frame.pollAsync, expected.pollAsync);
        if (expected.clearsStatusText)
            EXPECT_EQ(page->statusText(), "");
        EXPECT_TRUE(page->isWindow());
        ASSERT_NE(page->windowHandle(), nullptr);
        EXPECT_EQ(page->windowHandle()->transientParent(), frame.windowHandle());
        page->close();
    }
    EXPECT_TRUE(frame.isEnabled());
}

// Menu hints must not wipe the poll's text: it stays until the next report replaces it.
TEST_F(MainWindow, StatusTextSurvivesMenuHints)
{
    MainFrame frame("10.0.0.1");
    frame.SetStatusText("Get Error!");
    QStatusTipEvent hint(QString{});
    QApplication::sendEvent(&frame, &hint);
    QStatusTipEvent other(QStringLiteral("some entry's hint"));
    QApplication::sendEvent(&frame, &other);
    QApplication::sendEvent(&frame, &hint);
    EXPECT_EQ(frame.statusText(), "Get Error!");
    EXPECT_FALSE(frame.findChild<QLabel *>("mainStatusText")->isHidden());
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

// The state file is what a save writes; a running change that it lacks afterwards proves no
// save reached the device.
std::string FileText(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int SetRunningGateway(const char *gateway)
{
    const APHANDLE handle = apSysDeviceInforOpen(sessionHandle, 0);
    static apLanSettingsRecord lan;
    std::memset(&lan, 0, sizeof lan);
    lan.group = 2;
    apStyleModify(handle, AP_DEVINFO_GROUP_LAN, 0);
    int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    apSysDeviceGetInfor(handle, &lan);
    std::strcpy(lan.gateway, gateway);
    apSysDeviceSetInfor(handle, &lan);
    if (code == 0)
        code = apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    apHandleClose(handle);
    return code;
}

TEST_F(MainWindow, SaveAndActiveCancelledSendsNothingAndEnablesTheMainWindow)
{
    ASSERT_EQ(SetRunningGateway("192.168.1.99"), 0);
    const std::string savedBefore = FileText(simulator->stateFile());
    RecordingMessageBox messages;
    messages.queueAnswer(MessageAnswer::Cancel);
    messages.queueAnswer(MessageAnswer::Cancel);
    MainFrame frame("10.0.0.1");
    frame.show();
    frame.SaveAndActive();
    frame.DiscardChanges();
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.shown().front().text, "Device will Save and active, continue?");
    // Centred over the main window, not over the hidden page that asks.
    EXPECT_EQ(messages.shown().front().parent, &frame);
    EXPECT_EQ(messages.shown().back().parent, &frame);
    EXPECT_TRUE(frame.isEnabled());
    EXPECT_EQ(frame.pollAsync, 1);
    PopupPage *hidden = frame.view()->page(PageKind::System);
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(hidden->windowHandle()->transientParent(), frame.windowHandle());

    QTest::qWait(500);
    EXPECT_EQ(FileText(simulator->stateFile()), savedBefore);
    EXPECT_EQ(FileText(simulator->stateFile()).find("192.168.1.99"), std::string::npos);
    EXPECT_EQ(SetRunningGateway("192.168.1.1"), 0); // still running, so no discard reached it
}

TEST_F(MainWindow, HomeCloseEndsTheModuleWithPagesStillOpen)
{
    MainFrame frame("10.0.0.1");
    frame.show();
    frame.OpenPage(PageKind::Lan);
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
