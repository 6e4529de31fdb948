// The page request helpers against the simulator over real UDP.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QThread>

#include <cstring>

#include "PageMessages.h"
#include "QtWait.h"
#include "SettingsPage.h"
#include "SimulatorProcess.h"
#include "TRB4820apHelp.h"

using trb::SettingsPage;
using trb::test::SimulatorProcess;

namespace {

// Records what the base delivers, and on which thread.
class RecordingPage : public SettingsPage {
public:
    using SettingsPage::busy;
    using SettingsPage::monitorHandle;
    using SettingsPage::primaryHandle;
    using SettingsPage::secondaryHandle;

    void OnReadDone() override
    {
        events << "read";
        onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    }
    void OnReadFailed() override { events << "read failed"; }
    void UpdateEnabling() override { ++enablingUpdates; }
    void OnWriteDone(int result) override
    {
        events << QString("write %1").arg(result);
        onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    }
    void ShowMessage(const QString &text) override { shown << text; }

    QStringList events;
    QStringList shown;
    bool onUiThread = true;
    int enablingUpdates = 0;
};

using trb::test::WaitFor;

APHANDLE OpenSession(const std::string &address)
{
    const APHANDLE session = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(session, 161, "public", "private", 50, address.c_str(), 1);
    return session;
}

class PageRequests : public ::testing::Test {
protected:
    static void SetUpTestSuite() { simulator = new SimulatorProcess({"--reboot-seconds", "1"}); }
    static void TearDownTestSuite() { delete simulator; }
    void SetUp() override
    {
        ASSERT_TRUE(simulator->ok()) << simulator->error();
        session = OpenSession(simulator->address());
    }
    void TearDown() override { apHandleClose(session); }

    static SimulatorProcess *simulator;
    APHANDLE session = 0;
};
SimulatorProcess *PageRequests::simulator = nullptr;

TEST_F(PageRequests, WithoutAHandleNothingIsSent)
{
    RecordingPage page;
    EXPECT_EQ(page.RequestRead(), trb::kNoHandleResult);
    EXPECT_EQ(page.RequestWrite(), trb::kNoHandleResult);
    EXPECT_EQ(page.RequestRead(false), trb::kNoHandleResult);
    EXPECT_EQ(page.busy, 0);
    QTest::qWait(100);
    EXPECT_TRUE(page.events.isEmpty());
    EXPECT_TRUE(page.shown.isEmpty());
}

TEST_F(PageRequests, AsyncReadCompletesOnTheUiThreadAndFillsTheRecord)
{
    RecordingPage page;
    page.primaryHandle = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(page.RequestRead(), 0);
    EXPECT_EQ(page.busy, 1);
    EXPECT_EQ(page.SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0), 1);
    ASSERT_TRUE(WaitFor([&] { return !page.events.isEmpty(); }));

    EXPECT_EQ(page.events, QStringList{"read"});
    EXPECT_TRUE(page.onUiThread);
    EXPECT_EQ(page.busy, 0);
    EXPECT_TRUE(page.LastMessage().contains("Receive at ")) << page.LastMessage().toStdString();
    EXPECT_EQ(page.shown.last(), page.LastMessage());

    static apDeviceInfoRecord record;
    std::memset(&record, 0, sizeof record);
    record.bandCount = 1;
    apSysDeviceGetInfor(page.primaryHandle, &record);
    EXPECT_STREQ(record.modelName, "TRB-4820");
}

TEST_F(PageRequests, BlockingReadReturnsWithTheValuesAndNoCompletion)
{
    RecordingPage page;
    page.primaryHandle = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(page.RequestRead(false), 0);
    static apDeviceInfoRecord record;
    std::memset(&record, 0, sizeof record);
    apSysDeviceGetInfor(page.primaryHandle, &record);
    EXPECT_STREQ(record.modelName, "TRB-4820");
    QTest::qWait(100);
    EXPECT_TRUE(page.events.isEmpty());
}

TEST_F(PageRequests, WriteOnBothHandlesCompletesTwiceAndReachesTheDevice)
{
    RecordingPage page;
    page.primaryHandle = apSysDeviceInforOpen(session, 0);
    page.secondaryHandle = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(page.RequestRead(false), 0);

    static apLanSettingsRecord lan;
    std::memset(&lan, 0, sizeof lan);
    lan.group = 2;
    apStyleModify(page.primaryHandle, AP_DEVINFO_GROUP_LAN, 0);
    ASSERT_EQ(page.RequestRead(false), 0);
    apSysDeviceGetInfor(page.primaryHandle, &lan);
    ASSERT_STRNE(lan.ipAddress, "");
    std::strcpy(lan.gateway, "192.168.1.254");
    for (APHANDLE handle : {page.primaryHandle, page.secondaryHandle}) {
        apStyleModify(handle, AP_DEVINFO_GROUP_LAN, 1);
        apSysDeviceSetInfor(handle, &lan);
    }
    ASSERT_EQ(page.RequestWrite(), 0);
    ASSERT_TRUE(WaitFor([&] { return page.events.size() == 2; }));
    EXPECT_EQ(page.events, (QStringList{"write 0", "write 0"}));

    RecordingPage reader;
    reader.primaryHandle = apSysDeviceInforOpen(session, 0);
    apStyleModify(reader.primaryHandle, AP_DEVINFO_GROUP_LAN, 0);
    ASSERT_EQ(reader.RequestRead(false), 0);
    static apLanSettingsRecord readBack;
    std::memset(&readBack, 0, sizeof readBack);
    readBack.group = 2;
    apSysDeviceGetInfor(reader.primaryHandle, &readBack);
    EXPECT_STREQ(readBack.gateway, "192.168.1.254");
    apHandleClose(page.secondaryHandle); // the base closes only the primary and monitor handles
}

// A list edited on the device is read again after the write, whatever the write's outcome,
// so the page never shows a row the device does not hold.
TEST_F(PageRequests, WriteThenReadReadsTheDeviceAgainAfterTheWrite)
{
    RecordingPage page;
    page.primaryHandle = apSysDeviceInforOpen(session, 0);
    apStyleModify(page.primaryHandle, AP_DEVINFO_GROUP_LAN, 0);
    ASSERT_EQ(page.RequestRead(false), 0);
    static apLanSettingsRecord lan;
    std::memset(&lan, 0, sizeof lan);
    lan.group = 2;
    apSysDeviceGetInfor(page.primaryHandle, &lan);
    apSysDeviceSetInfor(page.primaryHandle, &lan);
    ASSERT_EQ(page.WriteThenRead(), 0);
    ASSERT_TRUE(WaitFor([&] { return page.events.size() == 2; }));
    EXPECT_EQ(page.events, (QStringList{"write 0", "read"}));
    QTest::qWait(100);
    EXPECT_EQ(page.events.size(), 2); // one read back, not one per later write
}

TEST_F(PageRequests, ReadRefusedAtOnceClearsBusyAndShowsTheTextWithoutCompletion)
{
    RecordingPage page;
    page.primaryHandle = 0x7fff1234; // no such handle
    const int code = page.RequestRead();
    EXPECT_NE(code, 0);
    EXPECT_EQ(page.busy, 0);
    ASSERT_EQ(page.shown.size(), 1);
    EXPECT_FALSE(page.shown.first().isEmpty());
    QTest::qWait(100);
    EXPECT_TRUE(page.events.isEmpty());
    page.primaryHandle = 0; // not ours to close
}

TEST_F(PageRequests, CompletionsArriveInOrderWhileTheUiThreadBlocks)
{
    RecordingPage asyncPage;
    asyncPage.primaryHandle = apSysDeviceInforOpen(session, 0);
    RecordingPage blockingPage;
    blockingPage.primaryHandle = apSysDeviceInforOpen(session, 0);

    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(asyncPage.RequestRead(), 0);
    // A blocking request from the UI thread while those completions are pending.
    EXPECT_EQ(blockingPage.RequestRead(false), 0);
    ASSERT_TRUE(WaitFor([&] { return asyncPage.events.size() == 5; }));
    EXPECT_EQ(asyncPage.events, QStringList(5, "read"));
    EXPECT_TRUE(asyncPage.onUiThread);
}

TEST_F(PageRequests, CompletionForAClosedPageIsDropped)
{
    QPointer<RecordingPage> page = new RecordingPage;
    page->primaryHandle = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(page->RequestRead(), 0);
    delete page; // closes the handle with the request in flight
    QTest::qWait(300);
    EXPECT_TRUE(page.isNull());
}

// The completion still arrives, but as a failed read: the page keeps what it shows.
TEST(PageRequestsUnreachable, TimeOutStillCompletesWithTheLibraryText)
{
    const APHANDLE session = OpenSession("127.0.0.1:9"); // discard port: nobody answers
    RecordingPage page;
    page.primaryHandle = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(page.RequestRead(), 0);
    ASSERT_TRUE(WaitFor([&] { return !page.events.isEmpty(); }));
    EXPECT_EQ(page.events, QStringList{"read failed"});
    EXPECT_EQ(page.enablingUpdates, 1);
    EXPECT_TRUE(page.LastMessage().contains("timed out")) << page.LastMessage().toStdString();
    apHandleClose(session);
}

TEST(PageKeys, EscapeAndEnterDoNothingOnAPage)
{
    RecordingPage page;
    auto *edit = new QLineEdit(&page);
    bool returnPressed = false;
    QObject::connect(edit, &QLineEdit::returnPressed, [&] { returnPressed = true; });
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(returnPressed);
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.result(), 0);
}

} // namespace
