// Advanced > DHCP Server against the simulator: what the three tabs show, what each save sends,
// the page checks with nothing sent, duplicates, deletes, the lock, the lease view and a restart.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cstring>
#include <string>
#include <vector>

#include "ActionIconListCtrl.h"
#include "DhcpDynamicTab.h"
#include "DhcpLeaseTab.h"
#include "DhcpServerPage.h"
#include "DhcpStaticTab.h"
#include "IpAddressEdit.h"
#include "PageMessages.h"
#include "PageTestSupport.h"

using trb::DhcpServerPage;
using trb::DhcpStaticTab;
using trb::MessageAnswer;
using namespace trb::test;

namespace {

struct Device {
    int status = -1, state = -1, poolType = -1;
    apDhcpDynamicRecord pool{};
    std::vector<apDhcpStaticEntry> entries;
};

apDhcpStaticEntry Entry(const char *host, const char *mac, const char *ip)
{
    apDhcpStaticEntry entry{};
    entry.index = AP_DHCP_NEW_ENTRY;
    std::strcpy(entry.hostName, host);
    std::strcpy(entry.mac, mac);
    std::strcpy(entry.ipAddress, ip);
    std::strcpy(entry.subnetMask, "255.255.255.0");
    for (char *slot : {entry.gateway, entry.wins, entry.dns})
        std::strcpy(slot, "0.0.0.0");
    return entry;
}

class DhcpServerPageTest : public PageTest {
protected:
    DhcpServerPage *OpenPage()
    {
        auto *page = new DhcpServerPage;
        page->resize(580, 610);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return page->readsDone() > 0; }));
        return page;
    }

    // Waits for the writes and reads a save started.
    static void Settle(DhcpServerPage *page)
    {
        Spin(300);
        WaitFor([page] { return page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) == 0; }, 3000);
        Spin(100);
    }

    int Stage(const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE handle = apAdvDHCPOpen(session, 0);
        apStyleModify(handle, AP_DHCP_GROUP_ALL, 0);
        return ReadStageWrite(handle, stage);
    }

    void AddEntries(int serverState, int poolType, const std::vector<apDhcpStaticEntry> &entries)
    {
        ASSERT_EQ(Stage([&](APHANDLE h) {
                      for (const apDhcpStaticEntry &entry : entries)
                          if (int code = apAdvDHCPStaticPoolAdd(h, &entry))
                              return code;
                      return apAdvDHCPServerControl(h, serverState, poolType);
                  }),
                  0);
    }

    // What the device holds now survives its restarts.
    void SaveAndActivate()
    {
        const APHANDLE commands = apSysCommandObjOpen(session, 0);
        ASSERT_EQ(apSysCommand(commands, 2, 3000), 0);
        ASSERT_EQ(apSnmpSendSetRequest(commands, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apHandleClose(commands);
    }

    Device ReadDevice()
    {
        Device d;
        const APHANDLE handle = apAdvDHCPOpen(session, 0);
        apStyleModify(handle, AP_DHCP_GROUP_ALL, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apDhcpStaticList list{0, nullptr};
        apAdvDHCPGetSetting(handle, &d.status, &d.state, &d.poolType, &d.pool, &list);
        d.entries.resize(list.count);
        list.entries = d.entries.data();
        apAdvDHCPGetSetting(handle, nullptr, nullptr, nullptr, nullptr, &list);
        apHandleClose(handle);
        return d;
    }
};

TEST_F(DhcpServerPageTest, ShowsTheServerThePoolAndTheStaticEntries)
{
    AddEntries(1, 1, {Entry("printer", "02C100000001", "192.168.1.20")});
    PageHolder page(OpenPage());
    EXPECT_EQ(page->windowTitle(), "Advanced \\ DHCP Server");
    EXPECT_FALSE(mainWindow->isEnabled()); // until the page closes
    QStringList tabs;
    for (int i = 0; i < page->tabs()->count(); ++i)
        tabs << page->tabs()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Dynamic Pool Settings", "Static Pool Settings", "Current IP List"}));
    const auto &d = page->dynamicTab()->controls();
    const auto &s = page->staticTab()->controls();
    EXPECT_EQ(d.state->currentText(), "Enable");
    EXPECT_EQ(s.state->currentText(), "Enable");
    EXPECT_EQ(d.poolStart->text(), "192.168.1.100");
    EXPECT_EQ(d.poolSize->text(), "100");
    EXPECT_EQ(d.gateway->text(), "192.168.1.1");
    EXPECT_TRUE(d.wins->isBlank()) << "0.0.0.0 shows blank";
    EXPECT_EQ(d.leaseTime->text(), "86400");
    EXPECT_EQ(s.mask->text(), "255.255.255.0") << "the pool's mask is the default of a new entry";
    EXPECT_EQ(s.gateway->text(), "192.168.1.1");
    ASSERT_EQ(s.list->rowCount(), 1);
    EXPECT_EQ(s.list->cellText(0, DhcpStaticTab::HostColumn), "printer");
    EXPECT_EQ(s.list->cellText(0, DhcpStaticTab::MacColumn), "02C100000001");
    EXPECT_EQ(s.list->cellText(0, DhcpStaticTab::IpColumn), "192.168.1.20");
    for (int hidden : {0, 4, 5, 6, 7, 8})
        EXPECT_TRUE(s.list->isColumnHidden(hidden)) << hidden;
    // Pool type 1: the static tab's domain is the dynamic pool's.
    EXPECT_TRUE(d.domainName->isEnabled());
    EXPECT_FALSE(s.domainName->isEnabled());
    EXPECT_TRUE(s.hostName->isEnabled());

    d.state->setCurrentIndex(0);
    for (QWidget *w : std::initializer_list<QWidget *>{d.poolStart, d.poolSize, d.mask, d.leaseTime, d.domainName})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(s.list->isEnabled());
    page->close();
    EXPECT_TRUE(mainWindow->isEnabled());
}

TEST_F(DhcpServerPageTest, DynamicSaveReachesTheDeviceAndSurvivesARestart)
{
    PageHolder page(OpenPage());
    const auto &d = page->dynamicTab()->controls();
    d.state->setCurrentIndex(1);
    d.poolStart->setText("192.168.1.100");
    d.poolSize->setText("155"); // the last address is .254
    d.mask->setText("255.255.255.0");
    d.gateway->setText("");
    d.dns->setText("192.168.1.53");
    d.domainName->setText("lab.example");
    d.leaseTime->setText("7200");
    d.save->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    Device device = ReadDevice();
    EXPECT_EQ(device.state, 1);
    EXPECT_EQ(device.poolType, 1) << "the first pool set up is the dynamic one";
    EXPECT_EQ(device.pool.poolSize, 155);
    EXPECT_STREQ(device.pool.gateway, "0.0.0.0");
    EXPECT_STREQ(device.pool.dns, "192.168.1.53");
    EXPECT_STREQ(device.pool.domainName, "lab.example");
    EXPECT_EQ(device.pool.leaseTime, 7200);

    ASSERT_NO_FATAL_FAILURE(SaveAndActivate());
    ASSERT_TRUE(simulator->restart());
    ASSERT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
    device = ReadDevice();
    EXPECT_EQ(device.state, 1);
    EXPECT_EQ(device.pool.poolSize, 155);
    EXPECT_EQ(device.pool.leaseTime, 7200);
}

TEST_F(DhcpServerPageTest, BadPoolEntriesAreRefusedAndNothingIsSent)
{
    struct Case {
        const char *start, *size, *mask, *gateway, *wins, *dns, *domain, *lease;
        const char *message, *title;
    } cases[] = {
        {"", "10", "255.255.255.0", "", "", "", "", "3600", "Please input valid IP address", "Warning"},
        {"127.0.0.1", "10", "255.255.255.0", "", "", "", "", "3600", "Please input valid IP address", "Warning"},
        {"192.168.1.100", "0", "255.255.255.0", "", "", "", "", "3600", "Please input a number between 1 and 254.", "Warning"},
        {"192.168.1.100", "255", "255.255.255.0", "", "", "", "", "3600", "Please input a number between 1 and 254.", "Warning"},
        {"192.168.1.100", "ab", "255.255.255.0", "", "", "", "", "3600", "Please input a number between 1 and 254.", "Warning"},
        {"192.168.1.100", "156", "255.255.255.0", "", "", "", "", "3600", "Invalid IP range!", "Error"},
        {"192.168.1.100", "10", "", "", "", "", "", "3600", "Please input valid SubMask.", "Warning"},
        {"192.168.1.100", "10", "255.0.255.0", "", "", "", "", "3600", "Please input valid SubMask.", "Warning"},
        {"192.168.1.100", "10", "255.255.255.0", "224.1.1.1", "", "", "", "3600", "Please input valid Gateway.", "Warning"},
        {"192.168.1.100", "10", "255.255.255.0", "", "224.1.1.1", "", "", "3600", "Please input valid WINS.", "Warning"},
        {"192.168.1.100", "10", "255.255.255.0", "", "", "224.1.1.1", "", "3600", "Please input valid DNS.", "Warning"},
        {"192.168.1.100", "10", "255.255.255.0", "", "", "", "lab\"x", "3600", "Invalid Domain Name!", "Warning"},
        {"192.168.1.100", "10", "255.255.255.0", "", "", "", "", "59", "Please input a number between 60 and 31536000.", "Error"},
        {"192.168.1.100", "10", "255.255.255.0", "", "", "", "", "31536001", "Please input a number between 60 and 31536000.", "Error"},
    };
    PageHolder page(OpenPage());
    const auto &d = page->dynamicTab()->controls();
    d.state->setCurrentIndex(1);
    for (const Case &tc : cases) {
        SCOPED_TRACE(std::string(tc.message) + " " + tc.start + " " + tc.size + " " + tc.lease);
        messages->clear();
        d.poolStart->setText(tc.start);
        d.poolSize->setText(tc.size);
        d.mask->setText(tc.mask);
        d.gateway->setText(tc.gateway);
        d.wins->setText(tc.wins);
        d.dns->setText(tc.dns);
        d.domainName->setText(tc.domain);
        d.leaseTime->setText(tc.lease);
        d.save->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, tc.title);
    }
    Settle(page.get());
    const Device device = ReadDevice();
    EXPECT_EQ(device.state, 0);
    EXPECT_EQ(device.pool.poolSize, 100);
    EXPECT_EQ(device.pool.leaseTime, 86400);
}

TEST_F(DhcpServerPageTest, DisableSendsOnlyTheServerControlWithoutChecks)
{
    AddEntries(1, 2, {});
    PageHolder page(OpenPage());
    const auto &d = page->dynamicTab()->controls();
    d.state->setCurrentIndex(0);
    d.poolSize->setText("999"); // not checked, not sent
    d.save->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0);
    const Device device = ReadDevice();
    EXPECT_EQ(device.state, 0);
    EXPECT_EQ(device.poolType, 2) << "the pool type is sent as it was";
    EXPECT_EQ(device.pool.poolSize, 100);
    EXPECT_EQ(d.poolSize->text(), "100") << "the page shows the device's pool again";
}

TEST_F(DhcpServerPageTest, StaticSaveAddsTheEntryWithItsMacUpperCased)
{
    PageHolder page(OpenPage());
    page->tabs()->setCurrentIndex(DhcpServerPage::StaticTab);
    const auto &s = page->staticTab()->controls();
    s.state->setCurrentIndex(1);
    s.hostName->setText("printer");
    s.ip->setText("192.168.1.20");
    s.mac->setText("02c1000000ab");
    s.save->click();
    EXPECT_EQ(s.mac->text(), "02C1000000AB");
    ASSERT_TRUE(WaitFor([&] { return s.list->rowCount() == 1; }));
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const Device device = ReadDevice();
    EXPECT_EQ(device.state, 1);
    EXPECT_EQ(device.poolType, 2) << "the first pool set up is the static one";
    ASSERT_EQ(device.entries.size(), 1u);
    EXPECT_STREQ(device.entries[0].mac, "02C1000000AB");
    EXPECT_STREQ(device.entries[0].gateway, "192.168.1.1") << "the pool's gateway was the default";
    EXPECT_TRUE(s.hostName->text().isEmpty());
}

TEST_F(DhcpServerPageTest, BadStaticEntriesAndDuplicatesAreRefusedAndNothingIsSent)
{
    AddEntries(1, 1, {Entry("printer", "02C100000001", "192.168.1.20"), Entry("camera", "02C100000002", "192.168.1.21")});
    struct Case {
        const char *host, *ip, *mac, *message;
    } cases[] = {
        {"", "192.168.1.30", "02C100000009", "Invalid Host Name!"},
        {" pc", "192.168.1.30", "02C100000009", "Invalid Host Name!"},
        {"pc ", "192.168.1.30", "02C100000009", "Invalid Host Name!"},
        {"pc", "", "02C100000009", "Please input valid IP address"},
        {"pc", "192.168.1.20", "02C100000009",
         "There is a existent entry with the same IP Address.Please change the IP Address. "},
        {"pc", "192.168.1.30", "02C10000000G", "Please input valid MAC."},
        {"pc", "192.168.1.30", "000000000000", "Please input valid MAC."},
        {"pc", "192.168.1.30", "01005E000001", "Please input valid MAC."},
        {"pc", "192.168.1.30", "02c100000002",
         "There is a existent entry with the same MAC Address.Please change the MAC Address. "},
    };
    PageHolder page(OpenPage());
    const auto &s = page->staticTab()->controls();
    for (const Case &tc : cases) {
        SCOPED_TRACE(std::string(tc.message) + " [" + tc.host + "] " + tc.ip + " " + tc.mac);
        messages->clear();
        s.hostName->setText(tc.host);
        s.ip->setText(tc.ip);
        s.mac->setText(tc.mac);
        s.save->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, "Warning");
    }
    // What the entry hands out besides its address.
    struct OptionCase {
        const char *mask, *gateway, *wins, *dns, *domain, *message;
    } optionCases[] = {
        {"255.0.255.0", "", "", "", "", "Please input valid Submask."},
        {"255.255.255.0", "224.1.1.1", "", "", "", "Please input valid Gateway."},
        {"255.255.255.0", "", "255.255.255.255", "", "", "Please input valid WINS."},
        {"255.255.255.0", "", "", "224.1.1.1", "", "Please input valid DNS."},
        {"255.255.255.0", "", "", "", "lab\"x", "Invalid Domain Name!"},
    };
    for (const OptionCase &tc : optionCases) {
        SCOPED_TRACE(tc.message);
        messages->clear();
        s.hostName->setText("pc");
        s.ip->setText("192.168.1.30");
        s.mac->setText("02C100000009");
        s.mask->setText(tc.mask);
        s.gateway->setText(tc.gateway);
        s.wins->setText(tc.wins);
        s.dns->setText(tc.dns);
        s.domainName->setText(tc.domain);
        s.save->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, "Warning");
    }
    s.mask->setText("255.255.255.0");
    s.domainName->clear();
    // An edited row keeps its own IP and MAC; another row's MAC in lower case is refused.
    emit s.list->cellClicked(DhcpStaticTab::EditColumn, 1);
    EXPECT_EQ(page->staticTab()->editingRow(), 1);
    EXPECT_EQ(s.ip->text(), "192.168.1.21");
    s.mac->setText("02c100000001");
    messages->clear();
    s.save->click();
    EXPECT_EQ(messages->texts(),
              QStringList{"There is a existent entry with the same MAC Address.Please change the MAC Address. "});
    Settle(page.get());
    EXPECT_EQ(ReadDevice().entries.size(), 2u);

    s.mac->setText("02C100000002");
    s.hostName->setText("camera-2");
    messages->clear();
    s.save->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const Device device = ReadDevice();
    ASSERT_EQ(device.entries.size(), 2u) << "the edit replaced its row";
    EXPECT_STREQ(device.entries[1].hostName, "camera-2");
    EXPECT_EQ(page->staticTab()->editingRow(), -1);
}

TEST_F(DhcpServerPageTest, DeleteAsksThenRemovesTheEntryAndSendsPoolTypeOne)
{
    AddEntries(1, 2, {Entry("printer", "02C100000001", "192.168.1.20"), Entry("camera", "02C100000002", "192.168.1.21")});
    ASSERT_NO_FATAL_FAILURE(SaveAndActivate()); // kept while the device is down below
    ASSERT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
    PageHolder page(OpenPage());
    const auto &s = page->staticTab()->controls();
    emit s.list->cellClicked(DhcpStaticTab::EditColumn, 1);
    messages->queueAnswer(MessageAnswer::Cancel);
    emit s.list->cellClicked(DhcpStaticTab::DeleteColumn, 0);
    EXPECT_EQ(messages->texts(), QStringList{"Are you sure that you want to delete this entry ?"});
    Settle(page.get());
    EXPECT_EQ(ReadDevice().entries.size(), 2u) << "Cancel deletes nothing";

    // A delete the device never answers: the list and the edit stay as they were.
    simulator->stop();
    messages->queueAnswer(MessageAnswer::Ok);
    emit s.list->cellClicked(DhcpStaticTab::DeleteColumn, 0);
    EXPECT_EQ(page->staticTab()->editingRow(), 1) << "not before the device has answered";
    ASSERT_TRUE(WaitFor([&] { return page->LastMessage().contains("timed out"); }));
    Settle(page.get()); // the read after the write fails too
    EXPECT_EQ(s.list->rowCount(), 2);
    EXPECT_EQ(page->staticTab()->editingRow(), 1);
    ASSERT_TRUE(simulator->start());
    ASSERT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));

    messages->queueAnswer(MessageAnswer::Ok);
    emit s.list->cellClicked(DhcpStaticTab::DeleteColumn, 0);
    EXPECT_EQ(page->staticTab()->editingRow(), 1) << "not before the device has answered";
    ASSERT_TRUE(WaitFor([&] { return s.list->rowCount() == 1; }));
    Settle(page.get());
    const Device device = ReadDevice();
    ASSERT_EQ(device.entries.size(), 1u);
    EXPECT_STREQ(device.entries[0].hostName, "camera");
    EXPECT_EQ(device.poolType, 1);
    EXPECT_EQ(device.state, 1);
    EXPECT_EQ(page->staticTab()->editingRow(), 0) << "the edit follows its entry up the list";
}

TEST_F(DhcpServerPageTest, ALockedServerDisablesBothStateDropDowns)
{
    ASSERT_EQ(WriteLan(1, "192.168.1.10", "255.255.255.0", "192.168.1.1"), 0);
    PageHolder page(OpenPage());
    EXPECT_FALSE(page->dynamicTab()->controls().state->isEnabled());
    EXPECT_FALSE(page->staticTab()->controls().state->isEnabled());
}

TEST_F(DhcpServerPageTest, TheCurrentIpListShowsTheLeases)
{
    AddEntries(1, 1, {Entry("bound", "02C100000004", "192.168.1.40")});
    PageHolder page(OpenPage());
    EXPECT_EQ(page->leaseViewsDone(), 0) << "the leases are read only when their tab is selected";
    page->tabs()->setCurrentIndex(DhcpServerPage::LeaseTab);
    ASSERT_TRUE(WaitFor([&] { return page->leaseViewsDone() == 1; }));
    const auto *dynamicList = page->leaseTab()->dynamicList();
    const auto *staticList = page->leaseTab()->staticList();
    ASSERT_EQ(dynamicList->rowCount(), 4); // five stations, one of them bound
    EXPECT_EQ(dynamicList->cellText(0, 2), "02C100000001");
    EXPECT_EQ(dynamicList->cellText(0, 3), "192.168.1.100");
    EXPECT_TRUE(dynamicList->cellText(0, 4).startsWith("0 days, 23:59:")) << dynamicList->cellText(0, 4).toStdString();
    ASSERT_EQ(staticList->rowCount(), 1);
    EXPECT_EQ(staticList->cellText(0, 1), "bound");
    EXPECT_EQ(staticList->cellText(0, 3), "192.168.1.40");
}

} // namespace
