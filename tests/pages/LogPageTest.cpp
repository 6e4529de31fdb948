// Status > Log against the simulator: the settings tab round trip, its checks with nothing sent,
// the log the device sends (and nothing else), Clear, and the list's columns.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>

#include "DeviceReportedAddress.h"
#include "IpAddressEdit.h"
#include "LocalNetworkSource.h"
#include "LogPage.h"
#include "LogSettingsTab.h"
#include "LogViewTab.h"
#include "TransferTestSupport.h"
#include "FileTransfer.h"

using trb::LogPage;
using trb::LogSettingsTab;
using namespace trb::test;

namespace {

const char kDeviceLines[] = "2026-12-08 14:20:00 | [info] System started\n"
                            "\n"
                            "2026-12-08 14:20:01 | [notice] Setting trbLogServer changed to 10.0.0.9\n"
                            "12:00:00[error] boom\n";

// The page's server and the device's transfers meet on a free port. Without an interface the
// page finds no PC address, so the device sends nothing behind a test's back.
class LogPageTest : public TransferPageTest {
protected:

    LogPage *OpenPage(bool settle = true)
    {
        auto *page = new LogPage;
        page->resize(600, 700);
        page->show();
        if (settle)
            Settle(page);
        return page;
    }
    // The page opened, and the device's log sent to it by the test in the device's place (the
    // simulator finds no PC address to send to).
    LogPage *OpenPageWithLog(const QByteArray &log)
    {
        LogPage *page = OpenPage(false);
        EXPECT_TRUE(WaitForLogRequest(page));
        EXPECT_TRUE(DeviceUpload::Put(tftpPort, LogPage::kLogFileName, log));
        Settle(page);
        return page;
    }
    // Until the page has asked the device for its log and waits for it.
    static bool WaitForLogRequest(LogPage *page)
    {
        return WaitFor([page] { return page->transfer().InProgress(); });
    }
    static void Settle(LogPage *page)
    {
        Spin(20);
        EXPECT_TRUE(WaitFor([page] { return !page->waiting(); }));
    }
    // Until the device's log stops growing.
    void WaitForQuietLog()
    {
        std::string previous, now = SnmpGet("trbLogEntryCount.0");
        for (int tries = 0; tries < 50 && now != previous; ++tries) {
            Spin(100);
            previous = now;
            now = SnmpGet("trbLogEntryCount.0");
        }
    }
    static void PlaceLogFile(const QByteArray &text)
    {
        QFile file(LogPage::LogFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // The device's settings through a fresh handle.
    LogSettingsTab::Values Device()
    {
        const APHANDLE handle = apSysLogSettingsOpen(session, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apLogSettingsRecord log{};
        apEmailNtfRecord mail{};
        apSysLogSettingsParaGet(handle, log.serverAddress, &log.systemActivity, &log.wirelessActivity, &log.notice);
        apSysLogSettingsEmailNtfGet(handle, nullptr, &mail);
        apHandleClose(handle);
        return LogSettingsTab::FromRecords(log, mail);
    }
    int WriteDevice(const LogSettingsTab::Values &values)
    {
        apLogSettingsRecord log;
        apEmailNtfRecord mail;
        LogSettingsTab::ToRecords(values, log, mail);
        const APHANDLE handle = apSysLogSettingsOpen(session, 0);
        int code = apSysLogSettingsParaSet(handle, log.serverAddress, log.systemActivity, log.wirelessActivity,
                                           log.notice, log.remoteLogEnable);
        code = code ? code : apSysLogSettingsEmailNtfSet(handle, mail.serverType, &mail);
        code = code ? code : apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        apHandleClose(handle);
        return code;
    }
    static LogSettingsTab::Values Sample()
    {
        LogSettingsTab::Values v;
        v.logServer = "192.168.1.50";
        v.systemActivity = true;
        v.notice = true;
        v.enable = true;
        v.from = "ap@example.org";
        v.to = "admin@example.org";
        v.mailServer = "192.168.1.25";
        v.port = 587;
        v.userName = "mailer";
        v.password = v.confirm = "pa55";
        v.serverType = 2;
        v.authentication = true;
        v.sslTls = true;
        v.schedule = "0.5";
        return v;
    }
    static const LogSettingsTab::Controls &Form(LogPage *page) { return page->controls().settings->controls(); }
    static void Save(LogPage *page)
    {
        Form(page).save->click();
        Settle(page);
    }
};

TEST_F(LogPageTest, ShowsTheDevicesSettings)
{
    ASSERT_EQ(WriteDevice(Sample()), 0);
    PageHolder page(OpenPage());
    const auto &f = Form(page.get());
    EXPECT_EQ(f.logServer->text(), "192.168.1.50");
    EXPECT_TRUE(f.systemActivity->isChecked());
    EXPECT_FALSE(f.wirelessActivity->isChecked());
    EXPECT_TRUE(f.notice->isChecked());
    EXPECT_TRUE(f.enable->isChecked());
    EXPECT_EQ(f.from->text(), "ap@example.org");
    EXPECT_EQ(f.to->text(), "admin@example.org");
    EXPECT_EQ(f.mailServer->text(), "192.168.1.25");
    EXPECT_EQ(f.port->text(), "587");
    EXPECT_EQ(f.userName->text(), "mailer");
    EXPECT_EQ(f.password->text(), "pa55");
    EXPECT_EQ(f.confirm->text(), "pa55") << "the password fills both fields";
    EXPECT_EQ(f.schedule->currentText(), "0.5");
    EXPECT_EQ(page->controls().tabs->tabText(0), "Log View");
    EXPECT_EQ(page->controls().tabs->tabText(1), "Log Settings");
}

TEST_F(LogPageTest, HiddenRowsStayHiddenAndTheirValuesTravel)
{
    ASSERT_EQ(WriteDevice(Sample()), 0);
    PageHolder page(OpenPage());
    const auto &f = Form(page.get());
    for (QWidget *hidden : std::initializer_list<QWidget *>{f.serverType, f.authentication, f.sslTls})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_FALSE(f.port->isHidden());
    Save(page.get());
    const auto device = Device();
    EXPECT_EQ(device.serverType, 2);
    EXPECT_TRUE(device.authentication);
    EXPECT_TRUE(device.sslTls);
}

TEST_F(LogPageTest, SaveReachesTheDevice)
{
    const struct {
        QString server;
        QString expectServer;
        const char *remote;
    } cases[] = {{"10.1.2.3", "10.1.2.3", "enabled"}, {"", "", "disabled"}};
    PageHolder page(OpenPage());
    for (const auto &c : cases) {
        const auto &f = Form(page.get());
        f.logServer->setText(c.server);
        f.wirelessActivity->setChecked(true);
        f.enable->setChecked(true);
        f.from->setText("from@example.org");
        f.to->setText("to@example.org");
        f.mailServer->setText("10.1.2.4");
        f.port->setText("2525");
        f.userName->setText("user.name");
        f.password->setText("secret");
        f.confirm->setText("secret");
        f.schedule->setCurrentText("24");
        Save(page.get());
        EXPECT_EQ(messages->count(), 0) << messages->texts().join('|').toStdString();
        const auto device = Device();
        EXPECT_EQ(device.logServer, c.expectServer);
        EXPECT_TRUE(device.wirelessActivity);
        EXPECT_TRUE(device.enable);
        EXPECT_EQ(device.from, "from@example.org");
        EXPECT_EQ(device.mailServer, "10.1.2.4");
        EXPECT_EQ(device.port, 2525);
        EXPECT_EQ(device.userName, "user.name");
        EXPECT_EQ(device.password, "secret");
        EXPECT_EQ(device.schedule, "24");
        EXPECT_EQ(f.logServer->text(), c.expectServer) << "read again after the save";
        EXPECT_NE(SnmpGet("trbRemoteLogEnable.0").find(c.remote), std::string::npos) << SnmpGet("trbRemoteLogEnable.0");
    }
}

TEST_F(LogPageTest, BadEntriesShowTheirMessageAndSendNothing)
{
    using Form_ = LogSettingsTab::Controls;
    const struct {
        const char *what;
        std::function<void(const Form_ &)> enter;
        QString message;
    } cases[] = {
        {"log server", [](const Form_ &f) { f.logServer->setText("127.0.0.1"); }, "Invalid IP Address!"},
        {"user not ASCII", [](const Form_ &f) { f.userName->setText(QString::fromUtf8("us\u00e9r")); },
         "There are some invalid characters !"},
        {"from", [](const Form_ &f) { f.from->setText("not-an-address"); }, "Wrong Email Address !"},
        {"to", [](const Form_ &f) { f.to->setText("a@"); }, "Wrong Email Address !"},
        {"port zero", [](const Form_ &f) { f.port->setText("0"); }, "Please enter an integer between 1 and 65535."},
        {"port text", [](const Form_ &f) { f.port->setText("smtp"); }, "Please enter an integer."},
        {"passwords", [](const Form_ &f) { f.password->setText("one"); f.confirm->setText("two"); },
         "The PassPhrase and Confirm PassPhrase are not matched "},
        {"confirm only", [](const Form_ &f) { f.password->clear(); f.confirm->setText("two"); },
         "The PassPhrase and Confirm PassPhrase are not matched "},
        {"mail server", [](const Form_ &f) { f.mailServer->clear(); }, "Invalid IP Address!"},
        {"user blank", [](const Form_ &f) { f.userName->setText("  "); }, "The filed can not be blank"},
        {"user chars", [](const Form_ &f) { f.userName->setText("a b"); }, "There are some invalid characters !"},
    };
    ASSERT_EQ(WriteDevice(Sample()), 0);
    const auto before = Device();
    PageHolder page(OpenPage());
    for (const auto &c : cases) {
        const auto &f = Form(page.get());
        f.logServer->setText("192.168.1.60"); // a change that must not arrive
        f.password->setText("pa55");
        f.confirm->setText("pa55");
        c.enter(f);
        messages->clear();
        Save(page.get());
        ASSERT_EQ(messages->count(), 1) << c.what;
        EXPECT_EQ(messages->last().text, c.message) << c.what;
        EXPECT_EQ(messages->last().icon, trb::MessageIcon::Exclamation) << c.what;
        EXPECT_TRUE(Device() == before) << c.what << ": something was sent";
        page->OnReadDone(); // the device's values again for the next case
        messages->clear();
    }
}

TEST_F(LogPageTest, WithEnableUntickedBadMailEntriesAreSaved)
{
    PageHolder page(OpenPage());
    const auto &f = Form(page.get());
    f.enable->setChecked(true); // typed while ticked, then unticked
    f.from->setText("not-an-address");
    f.to->setText("a@");
    f.userName->setText("a b");
    f.password->setText("one");
    f.confirm->setText("two");
    f.enable->setChecked(false);
    Save(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join('|').toStdString();
    const auto device = Device();
    EXPECT_FALSE(device.enable);
    EXPECT_EQ(device.from, "not-an-address");
    EXPECT_EQ(device.to, "a@");
    EXPECT_EQ(device.userName, "a b");
    EXPECT_EQ(device.password, "one");
}

// Unchecked with notification off, a port the device cannot take is refused by the library:
// the page says so and sends nothing, rather than a part of the settings.
TEST_F(LogPageTest, APortOutOfRangeWithEnableUntickedSendsNothing)
{
    ASSERT_EQ(WriteDevice(Sample()), 0);
    const auto before = Device();
    PageHolder page(OpenPage());
    const auto &f = Form(page.get());
    f.port->setText("70000");
    f.logServer->setText("192.168.1.61");
    f.enable->setChecked(false);
    Save(page.get());
    EXPECT_EQ(messages->count(), 0);
    EXPECT_NE(page->statusText().indexOf("argument", 0, Qt::CaseInsensitive), -1) << page->statusText().toStdString();
    EXPECT_TRUE(Device() == before) << "something was sent";
    page->controls().view->controls().refresh->click(); // the next write carries only the log request
    Settle(page.get());
    EXPECT_TRUE(Device() == before) << "the refused save went out later";
}

TEST_F(LogPageTest, EnableGovernsTheMailFields)
{
    PageHolder page(OpenPage());
    const auto &f = Form(page.get());
    const std::initializer_list<QWidget *> mail = {f.from, f.to, f.mailServer, f.port, f.userName, f.password, f.confirm};
    for (bool on : {true, false}) {
        f.enable->setChecked(on);
        for (QWidget *field : mail)
            EXPECT_EQ(field->isEnabled(), on) << field->objectName().toStdString();
        EXPECT_TRUE(f.logServer->isEnabled());
        EXPECT_TRUE(f.schedule->isEnabled());
    }
}

TEST_F(LogPageTest, PasswordFieldsEmptyWhenEntered)
{
    PageHolder page(OpenPage());
    const auto &f = Form(page.get());
    f.enable->setChecked(true);
    for (QLineEdit *edit : {f.password, f.confirm, f.userName}) {
        edit->setText("typed");
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &focus);
        EXPECT_EQ(edit->text().isEmpty(), edit != f.userName) << edit->objectName().toStdString();
    }
}

TEST_F(LogPageTest, ScheduleOffersHalfHoursUpToADay)
{
    const QStringList entries = LogSettingsTab::ScheduleEntries();
    ASSERT_EQ(entries.size(), 49);
    EXPECT_EQ(entries.mid(0, 4), (QStringList{"0", "0.5", "1", "1.5"}));
    EXPECT_EQ(entries.last(), "24");
    EXPECT_EQ(entries[47], "23.5");
}

TEST_F(LogPageTest, ShowsTheLogTheDeviceSends)
{
    PageHolder page(OpenPageWithLog(kDeviceLines));
    const auto &v = page->controls().view->controls();
    EXPECT_TRUE(LogPage::LogFilePath().startsWith(dataHome.path())) << LogPage::LogFilePath().toStdString();
    ASSERT_EQ(v.list->rowCount(), 3) << "the empty line is skipped";
    EXPECT_EQ(v.total->text(), "3");
    const QStringList first = {v.list->item(0, 0)->text(), v.list->item(0, 1)->text(), v.list->item(0, 2)->text()};
    EXPECT_EQ(first, (QStringList{"2026-12-08 14:20:00", "info", " System started"}));
    EXPECT_EQ(v.list->item(2, 0)->text(), "12:00:0");
    EXPECT_EQ(messages->count(), 0);
    EXPECT_EQ(page->transfer().server().BoundPort(), tftpPort);
}

// Whatever lies in the data folder (an earlier run's log, another device's) is not this
// device's answer; nor is an upload that the page had stopped waiting for.
TEST_F(LogPageTest, OnlyALogThatArrivesForTheRequestIsShown)
{
    const struct {
        const char *what;
        bool leftInFolder;
        bool halfSentLate;
    } cases[] = {{"a file left in the folder", true, false},
                 {"no file at all", false, false},
                 {"an upload still under way when the wait ends", false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(LogPage::LogFilePath());
        if (c.leftInFolder)
            PlaceLogFile(kDeviceLines);
        messages->clear();
        PageHolder page(OpenPage(false));
        std::unique_ptr<DeviceUpload> late;
        if (c.halfSentLate) {
            ASSERT_TRUE(WaitForLogRequest(page.get()));
            late = std::make_unique<DeviceUpload>(tftpPort, LogPage::kLogFileName);
            ASSERT_TRUE(late->Acknowledged(0));
            late->SendBlock(1, QByteArray(512, 'x'));
            ASSERT_TRUE(late->Acknowledged(1));
        }
        Settle(page.get());
        if (late) {
            late->SendBlock(2, "the rest");
            EXPECT_FALSE(late->Acknowledged(2)) << "the page had stopped waiting";
            Spin(50);
            EXPECT_EQ(QFile::exists(LogPage::LogFilePath()), c.leftInFolder);
        }
        EXPECT_EQ(page->controls().view->rowCount(), 0);
        EXPECT_EQ(page->controls().view->controls().total->text(), "0");
        EXPECT_EQ(messages->count(), 0) << messages->texts().join('|').toStdString();
        EXPECT_EQ(page->statusText(), "The device did not send its log.");
    }
}

// The file itself arrives only with the device's TFTP client; here, that the request reaches it.
TEST_F(LogPageTest, OpeningAndRefreshAskTheDeviceForItsLog)
{
    PageHolder page(OpenPage());
    EXPECT_EQ(SnmpGet("trbLogRequestFile.0"), "LogFile.RD");
    EXPECT_EQ(SnmpGet("trbLogRequestAddress.0"), "0.0.0.0") << "no PC address found: sent as none";
    ASSERT_TRUE(SnmpSet("trbLogRequestFile.0", 's', "other.RD"));
    page->controls().view->controls().refresh->click();
    EXPECT_TRUE(page->waiting());
    Settle(page.get());
    EXPECT_EQ(SnmpGet("trbLogRequestFile.0"), "LogFile.RD");
}

TEST_F(LogPageTest, ClearEmptiesTheListAndTheDeviceLog)
{
    PageHolder page(OpenPageWithLog(kDeviceLines));
    ASSERT_EQ(page->controls().view->rowCount(), 3);
    WaitForQuietLog(); // the outcome of the page's log request is logged too
    ASSERT_NE(SnmpGet("trbLogEntryCount.0"), "1");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    page->controls().view->controls().clear->click();
    EXPECT_EQ(page->controls().view->rowCount(), 0);
    EXPECT_EQ(page->controls().view->controls().total->text(), "0");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_FALSE(mainWindow->isEnabled());
    Settle(page.get());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "timer 1 drops the busy cursor";
    EXPECT_FALSE(page->clearPending());
    EXPECT_EQ(page->controls().view->rowCount(), 0) << "no re-read follows a clear";
    EXPECT_EQ(SnmpGet("trbLogEntryCount.0"), "1") << "only the line saying so";
}

TEST_F(LogPageTest, ClearWithAnEmptyListDoesNothing)
{
    QFile::remove(LogPage::LogFilePath());
    PageHolder page(OpenPage());
    page->controls().view->controls().clear->click();
    EXPECT_FALSE(page->clearPending());
    EXPECT_FALSE(page->waiting()) << "a request went out";
}

TEST_F(LogPageTest, ColumnsShareTheListsWidth)
{
    PageHolder page(OpenPage());
    const auto *view = page->controls().view;
    for (const QSize size : {QSize(600, 700), QSize(820, 640)}) {
        page->resize(size);
        Spin(20);
        const int width = view->listWidth();
        const QHeaderView *header = view->controls().list->horizontalHeader();
        EXPECT_EQ(header->sectionSize(0), width / 4) << size.width();
        EXPECT_EQ(header->sectionSize(1), width / 8) << size.width();
        EXPECT_EQ(header->sectionSize(2), width * 5 / 8) << size.width();
    }
}

} // namespace

namespace {

// End to end: the device's TFTP client stores its log with the page's server, on loopback.
class LogPageTransferTest : public LogPageTest {
protected:
    void SetUp() override
    {
        LogPageTest::SetUp();
        UseLoopback(); // the PC address is then 127.0.0.1
    }
};

TEST_F(LogPageTransferTest, TheDevicesLogArrivesAndIsShown)
{
    QFile::remove(LogPage::LogFilePath());
    PageHolder page(OpenPage());
    const auto &v = page->controls().view->controls();
    ASSERT_TRUE(WaitFor([&] { return v.list->rowCount() > 0; }, 5000)) << "shown once it has landed";
    WaitForQuietLog();
    messages->clear();
    const int before = v.list->rowCount();
    page->controls().view->controls().refresh->click();
    Settle(page.get());
    ASSERT_TRUE(WaitFor([&] { return v.list->rowCount() > before; }, 5000));
    EXPECT_EQ(messages->count(), 0) << messages->texts().join('|').toStdString();
    EXPECT_EQ(v.list->item(0, 1)->text(), "info");
    EXPECT_EQ(v.list->item(0, 2)->text(), " System started");
    EXPECT_EQ(v.total->text(), QString::number(v.list->rowCount()));
    // The second request's file holds the first one's outcome.
    const QList<QTableWidgetItem *> sent = v.list->findItems(" Log sent to 127.0.0.1 as LogFile.RD", Qt::MatchExactly);
    EXPECT_FALSE(sent.isEmpty());
}

} // namespace
