// Advanced > Filter against the simulator: what the page shows after a read, what reaches the
// device, the checks of "Add" with nothing sent, deleting with renumbering, the client list,
// the partition tab and the modes in which the device has nothing to filter.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ActionIconListCtrl.h"
#include "FilterPage.h"
#include "FilterPartitionTab.h"
#include "MacAddressEdit.h"
#include "DeviceReportedAddress.h"
#include "ProcessValues.h"
#include "TransferTestSupport.h"
#include "RecordListCtrl.h"
#include "ScriptedFileDialogs.h"

using trb::FilterPage;
using trb::MessageAnswer;
using namespace trb::test;

namespace {

apFilterAclEntry Entry(const std::string &mac)
{
    apFilterAclEntry entry{};
    std::strncpy(entry.mac, mac.c_str(), sizeof entry.mac - 1);
    return entry;
}

// Stages on a fresh handle that has read the device, then writes.
int StageFilter(APHANDLE session, const std::function<int(APHANDLE)> &stage)
{
    const APHANDLE handle = apAdvFilterOpen(session, 0);
    return ReadStageWrite(handle, stage);
}

int AddAclMacs(APHANDLE session, int band, int mode, const std::vector<std::string> &macs)
{
    return StageFilter(session, [&](APHANDLE h) {
        for (const std::string &mac : macs) {
            const apFilterAclEntry entry = Entry(mac);
            if (int code = apAdvFilterACLAdd(h, band, 0, &entry))
                return code;
        }
        return apAdvFilterACLSet(h, band, mode);
    });
}

QStringList Column(const trb::RecordListCtrl *list, int column)
{
    QStringList cells;
    for (int row = 0; row < list->rowCount(); ++row)
        cells << list->cellText(row, column);
    return cells;
}

TEST(FilterPageTexts, ColonsAreInsertedOnlyIntoTwelveDigitsWithoutThem)
{
    const struct {
        const char *device, *shown;
    } cases[] = {{"021A48000001", "02:1A:48:00:00:01"}, {"02:1A:48:00:00:01", "02:1A:48:00:00:01"},
                 {"0a1b2c3d4e5f", "0a:1b:2c:3d:4e:5f"}, {"", ""}, {"021A4800001", "021A4800001"}};
    for (const auto &c : cases)
        EXPECT_EQ(FilterPage::ShownMac(QString::fromLatin1(c.device)), QString::fromLatin1(c.shown)) << c.device;
}

class FilterPageTest : public PageTest {
protected:
    FilterPage *OpenPage(int clients = 1)
    {
        auto *page = new FilterPage;
        page->resize(570, 700);
        page->show();
        EXPECT_TRUE(WaitFor([page, clients] {
            return !page->refreshing() && page->controls().clientList->rowCount() >= clients;
        }));
        return page;
    }

    int Stage(const std::function<int(APHANDLE)> &stage) { return StageFilter(session, stage); }
    void AddMacs(int band, int mode, const std::vector<std::string> &macs)
    {
        ASSERT_EQ(AddAclMacs(session, band, mode, macs), 0);
    }

    static std::vector<std::string> Macs(int count)
    {
        std::vector<std::string> macs;
        for (int i = 1; i <= count; ++i) {
            char text[13];
            std::snprintf(text, sizeof text, "021A4800%04X", i);
            macs.emplace_back(text);
        }
        return macs;
    }

    // The band's MACs (and mode) as a fresh handle reads them.
    std::vector<std::string> DeviceMacs(int band, int *mode = nullptr)
    {
        std::vector<std::string> macs;
        const APHANDLE handle = apAdvFilterOpen(session, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apFilterAclList list{0, nullptr};
        apAdvFilterACLGet(handle, band, mode, &list);
        std::vector<apFilterAclEntry> entries(list.count);
        list.entries = entries.data();
        apAdvFilterACLGet(handle, band, nullptr, &list);
        for (int i = 0; i < list.count; ++i)
            macs.emplace_back(entries[i].mac);
        apHandleClose(handle);
        return macs;
    }

    static void Settle(FilterPage *page)
    {
        Spin(200);
        WaitFor([page] { return !page->refreshing(); }, 5000);
    }
};

TEST_F(FilterPageTest, ShowsTheDevicesBandDisabledAndTheFirstBandsValues)
{
    struct Case {
        int deviceBand;
        const char *bandText;
        QStringList clientMacs; // the simulator's stations on the device's band
    } cases[] = {
        {1, "2.4GHz", {"02C100000001", "02C100000002", "02C100000004", "02C100000005"}},
        {2, "5GHz", {"02C100000003"}},
    };
    AddMacs(1, AP_FILTER_ACL_REJECT, {"021A48000001", "021A48000002"});
    AddMacs(2, AP_FILTER_ACL_ACCEPT, {"021A48000009"});
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.deviceBand);
        ASSERT_TRUE(SnmpSet("trbCurrentBand.0", 'i', std::to_string(tc.deviceBand)));
        PageHolder page(OpenPage(int(tc.clientMacs.size())));
        const auto &c = page->controls();
        EXPECT_EQ(page->windowTitle(), "Advanced \\ Filter");
        EXPECT_EQ(c.tabs->tabText(0), "Wireless MAC ACL");
        EXPECT_EQ(c.tabs->tabText(1), "WLAN Partition");
        EXPECT_EQ(c.aclBand->currentText(), tc.bandText);
        EXPECT_EQ(c.partition->controls().band->currentText(), tc.bandText);
        EXPECT_FALSE(c.aclBand->isEnabled());
        EXPECT_FALSE(c.partition->controls().band->isEnabled());
        EXPECT_EQ(page->shownBand(), 1);
        EXPECT_EQ(Column(c.aclList, FilterPage::IdColumn), QStringList({"1", "2"}));
        EXPECT_EQ(Column(c.aclList, FilterPage::MacColumn), QStringList({"02:1A:48:00:00:01", "02:1A:48:00:00:02"}));
        EXPECT_EQ(c.accessControl->currentText(), "Reject");
        EXPECT_TRUE(c.mac->isEnabled());
        EXPECT_EQ(c.mac->text(), trb::MacAddressEdit::kEmptyForm);
        QStringList clients = Column(c.clientList, FilterPage::ClientMacColumn);
        clients.sort();
        EXPECT_EQ(clients, tc.clientMacs);
        EXPECT_TRUE(Column(c.clientList, FilterPage::ClientSignalColumn).first().endsWith("%"));
        EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    }
}

TEST_F(FilterPageTest, BadMacsAreRefusedAndNothingIsSent)
{
    AddMacs(1, AP_FILTER_ACL_ACCEPT, {"021A48000001"});
    struct Case {
        const char *mac, *message, *title;
    } cases[] = {
        {"", "Invalid Mac Address!", "TRB-4820"},
        {"00:00:00:00:00:00", "Invalid Mac Address!", "TRB-4820"},
        {"01:00:5E:00:00:01", "Invalid Mac Address!", "TRB-4820"},
        {"FF:FF:FF:FF:FF:FF", "Invalid Mac Address!", "TRB-4820"},
        {"02:1A:48:00:00:01", "Reject: The MAC already exists ", "Warning"},
        {"02:1a:48:00:00:01", "Reject: The MAC already exists ", "Warning"},
    };
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (const auto &tc : cases) {
        SCOPED_TRACE(tc.mac);
        messages->clear();
        ASSERT_TRUE(c.mac->setText(tc.mac));
        c.add->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, tc.title);
        EXPECT_TRUE(c.mac->hasFocus());
        EXPECT_FALSE(page->refreshing()) << "nothing is sent";
    }
    Settle(page.get());
    EXPECT_EQ(DeviceMacs(1), std::vector<std::string>{"021A48000001"});
}

TEST_F(FilterPageTest, AddReachesTheShownBandWithTheMode)
{
    ASSERT_TRUE(SnmpSet("trbCurrentBand.0", 'i', "2"));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.accessControl->setCurrentIndex(0); // Accept
    ASSERT_TRUE(c.mac->setText("02:1a:48:00:ab:cd"));
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.aclList->rowCount() == 1 && !page->refreshing(); }));
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(c.aclList->cellText(0, FilterPage::MacColumn), "02:1A:48:00:AB:CD");
    int mode = 0;
    EXPECT_EQ(DeviceMacs(1, &mode), std::vector<std::string>{"021A4800ABCD"}) << "the band whose list is shown";
    EXPECT_EQ(mode, AP_FILTER_ACL_ACCEPT);
    EXPECT_TRUE(DeviceMacs(2).empty());
    EXPECT_EQ(c.mac->text(), trb::MacAddressEdit::kEmptyForm);
}

TEST_F(FilterPageTest, DeleteAsksThenRemovesTheRowAndRenumbers)
{
    AddMacs(1, AP_FILTER_ACL_REJECT, Macs(4));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(c.aclList->rowCount(), 4);

    messages->queueAnswer(MessageAnswer::Cancel);
    emit c.aclList->cellClicked(FilterPage::DeleteColumn, 1);
    EXPECT_EQ(messages->texts(), QStringList{"Do you want to delete this item ?"});
    EXPECT_EQ(c.aclList->rowCount(), 4);
    EXPECT_FALSE(page->refreshing()) << "cancelled: nothing sent";

    emit c.aclList->cellClicked(FilterPage::DeleteColumn, 1);
    EXPECT_EQ(Column(c.aclList, FilterPage::IdColumn), QStringList({"1", "2", "3"}));
    Settle(page.get());
    EXPECT_EQ(Column(c.aclList, FilterPage::IdColumn), QStringList({"1", "2", "3"}));
    EXPECT_EQ(Column(c.aclList, FilterPage::MacColumn),
              QStringList({"02:1A:48:00:00:01", "02:1A:48:00:00:03", "02:1A:48:00:00:04"}));
    EXPECT_EQ(DeviceMacs(1), (std::vector<std::string>{"021A48000001", "021A48000003", "021A48000004"}));
}

TEST_F(FilterPageTest, TheTwoHundredFiftySeventhEntryIsRefused)
{
    AddMacs(1, AP_FILTER_ACL_ACCEPT, Macs(256));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(c.aclList->rowCount(), 256);
    ASSERT_TRUE(c.mac->setText("02:1A:48:00:FF:FF"));
    c.add->click();
    EXPECT_EQ(messages->texts(), QStringList{"Maximum number of Access Country List is 256!"});
    EXPECT_FALSE(page->refreshing());
    EXPECT_EQ(DeviceMacs(1).size(), 256u);
}

TEST_F(FilterPageTest, ClickingAClientRejectsItUnlessAccessControlIsDisabled)
{
    PageHolder page(OpenPage(4));
    const auto &c = page->controls();
    ASSERT_EQ(c.accessControl->currentText(), "Disable");
    const QString station = c.clientList->cellText(0, FilterPage::ClientMacColumn);
    page->ClientClicked(0);
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0);
    EXPECT_EQ(c.mac->text(), trb::MacAddressEdit::kEmptyForm);
    EXPECT_TRUE(DeviceMacs(1).empty());

    c.accessControl->setCurrentIndex(0);
    page->ClientClicked(0);
    ASSERT_TRUE(WaitFor([&] { return c.aclList->rowCount() == 1 && !page->refreshing(); }));
    int mode = 0;
    EXPECT_EQ(DeviceMacs(1, &mode), std::vector<std::string>{station.toStdString()});
    EXPECT_EQ(mode, AP_FILTER_ACL_REJECT);
    EXPECT_EQ(c.accessControl->currentText(), "Reject");
}

TEST_F(FilterPageTest, PartitionSettingsReachTheDevice)
{
    PageHolder page(OpenPage());
    const auto &p = page->controls().partition->controls();
    page->controls().tabs->setCurrentIndex(1);
    EXPECT_FALSE(p.rows[4]->isVisible()) << "Multi-SSID 4 to 7 are hidden";
    EXPECT_TRUE(p.rows[3]->isVisible());
    EXPECT_FALSE(p.internalStation->isVisible());
    p.linkIntegrity->setChecked(true);
    p.choices[0]->button(2)->setChecked(true); // Guest mode
    p.save->click();
    Settle(page.get());

    const APHANDLE handle = apAdvFilterOpen(session, 0);
    ASSERT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
    int link = -1, ethernet = -1;
    int32_t values[8] = {};
    apFilterIntList list{8, values};
    apAdvFilterWLANPartitionGet(handle, 1, &link, &ethernet, nullptr, nullptr, &list);
    apHandleClose(handle);
    EXPECT_EQ(link, 1);
    EXPECT_EQ(ethernet, 1);
    EXPECT_EQ(std::vector<int32_t>(values, values + 8), (std::vector<int32_t>{2, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(p.linkIntegrity->isChecked()) << "the page shows what it read back";
    EXPECT_EQ(p.choices[0]->checkedId(), 2);
}

TEST_F(FilterPageTest, MultiSsidRowsFollowTheMultiSsidState)
{
    PageHolder page(OpenPage());
    const auto &p = page->controls().partition->controls();
    EXPECT_TRUE(p.choices[0]->button(0)->isEnabled());
    EXPECT_FALSE(p.choices[1]->button(0)->isEnabled()) << "multi-SSID is off";

    ASSERT_TRUE(SnmpSet("trbRadioMultiSsid.1", 'i', "1"));
    page->close();
    PageHolder again(OpenPage());
    const auto &q = again->controls().partition->controls();
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(q.choices[row]->button(1)->isEnabled()) << row;
}

TEST_F(FilterPageTest, ModesWithoutStationsForceDisableAndLockThePartitionTab)
{
    AddMacs(1, AP_FILTER_ACL_ACCEPT, {"021A48000001"});
    ASSERT_TRUE(SnmpSet("trbApMode.0", 'i', "4")); // wireless client
    PageHolder page(OpenPage(0));
    const auto &c = page->controls();
    const auto &p = c.partition->controls();
    EXPECT_EQ(c.accessControl->currentText(), "Disable");
    EXPECT_FALSE(c.accessControl->isEnabled());
    EXPECT_FALSE(c.mac->isEnabled());
    EXPECT_FALSE(c.add->isEnabled());
    EXPECT_FALSE(p.linkIntegrity->isEnabled());
    EXPECT_FALSE(p.ethernetToWlan->isEnabled());
    EXPECT_FALSE(p.choices[0]->button(0)->isEnabled());

    c.aclSave->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    ASSERT_TRUE(SnmpSet("trbApMode.0", 'i', "1"));
    int mode = 0;
    DeviceMacs(1, &mode);
    EXPECT_EQ(mode, AP_FILTER_ACL_ACCEPT) << "saving the forced Disable keeps the device's own mode";
}

TEST_F(FilterPageTest, UntickingEthernetToWlanWarnsAndStaysUnticked)
{
    PageHolder page(OpenPage());
    const auto &p = page->controls().partition->controls();
    page->controls().tabs->setCurrentIndex(1);
    ASSERT_TRUE(p.ethernetToWlan->isChecked());
    p.ethernetToWlan->click();
    EXPECT_EQ(messages->texts(),
              QStringList{"AP will block all multicast/broadcast packets from Ethernet to Wireless,except DHCP's."});
    EXPECT_FALSE(p.ethernetToWlan->isChecked());
    messages->clear();
    p.ethernetToWlan->click();
    EXPECT_EQ(messages->count(), 0) << "ticking says nothing";
}

TEST_F(FilterPageTest, BrowsePutsTheChosenAclFileIntoTheUploadField)
{
    trb::ScriptedFileDialogs dialogs;
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    dialogs.queueAnswer("/tmp/stations.acl");
    c.browse->click();
    EXPECT_EQ(c.uploadFile->text(), "/tmp/stations.acl");
    c.browse->click(); // cancelled
    EXPECT_EQ(c.uploadFile->text(), "/tmp/stations.acl");
    ASSERT_EQ(dialogs.asked().size(), 2);
    EXPECT_EQ(dialogs.asked()[0].mode, trb::FileDialogRequest::Mode::Open);
    EXPECT_EQ(dialogs.asked()[0].filter, "ACL File(*.acl)|*.acl|All Files(*.*)|*.*||");
}

// The ACL file crosses for real: the device fetches it from the page's server and replaces the
// shown band's list, or sends its list to a file of the user's choice.
class FilterAclFileTest : public TransferPageTest {
protected:
    FilterPage *OpenPage()
    {
        auto *page = new FilterPage;
        page->resize(570, 700);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return Idle(page); }));
        return page;
    }
    // No read, write or client scan under way: the page takes input.
    static bool Idle(FilterPage *page) { return !page->refreshing() && page->content()->isEnabled(); }
    void WaitForVerdict()
    {
        ASSERT_TRUE(WaitFor([&] { return messages->count() > 0; }, 20000));
    }
    static QStringList ShownMacs(FilterPage *page) { return Column(page->controls().aclList, FilterPage::MacColumn); }
    trb::ScriptedFileDialogs dialogs;
};

TEST_F(FilterAclFileTest, UploadAndDownloadRoundTrip)
{
    UseLoopback();
    PageHolder page(OpenPage());
    page->controls().uploadFile->setText(WriteFile("stations.acl", "02:1A:48:20:00:01\r\n021a48200002\n\n"));
    page->controls().upload->click();
    EXPECT_EQ(trb::transferInProgress, 1);
    WaitForVerdict();
    EXPECT_EQ(messages->texts(), QStringList{"Upgrading ACL file Success,Please refersh this page."});
    EXPECT_EQ(trb::transferInProgress, 0);
    ASSERT_TRUE(WaitFor([&] { return Idle(page.get()); }));
    EXPECT_EQ(ShownMacs(page.get()), (QStringList{"02:1A:48:20:00:01", "02:1A:48:20:00:02"}));

    messages->clear();
    dialogs.queueAnswer(files.filePath("saved.acl")); // already ends with ".acl": kept as it is
    page->controls().download->click();
    WaitForVerdict();
    EXPECT_EQ(messages->texts(), QStringList{"Save ACL file Success !"});
    QFile saved(files.filePath("saved.acl"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(saved.readAll()).toUpper(), "02:1A:48:20:00:01\n02:1A:48:20:00:02\n");
}

TEST_F(FilterAclFileTest, RefusedOrUnsentFilesChangeNothingAndSaySo)
{
    ASSERT_EQ(AddAclMacs(session, 1, 1, {"021A48200009"}), 0);
    PageHolder page(OpenPage());
    const struct {
        const char *name;
        QByteArray bytes;
        bool loopback;
        QString message;
    } cases[] = {
        {"list.txt", "021a48200001\n", true, "File format error! Please try again!"},
        {"bad.acl", "021a48200001\nnot a mac\n", true, "The device refused the ACL file. Its list was not changed."},
        {"good.acl", "021a48200001\n", false, // no PC address for the device
         "The device did not fetch the ACL file from this computer. Its list was not changed."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.loopback) {
            UseLoopback();
        } else {
            network.interfaces.clear();
            trb::SetDeviceReportedAddress({}, {});
        }
        messages->clear();
        page->controls().uploadFile->setText(WriteFile(c.name, c.bytes));
        page->controls().upload->click();
        WaitForVerdict();
        EXPECT_EQ(messages->texts(), QStringList{c.message});
        ASSERT_TRUE(WaitFor([&] { return Idle(page.get()); }));
        EXPECT_EQ(ShownMacs(page.get()), QStringList{"02:1A:48:20:00:09"});
    }
}

// The device keeps saying "success" until its next transfer starts: an upload that never reaches
// it is no success; and a name the library refuses sends nothing at all.
TEST_F(FilterAclFileTest, AnEarlierSuccessOrARefusedNameIsNotThisUploadsSuccess)
{
    UseLoopback();
    PageHolder page(OpenPage());
    page->controls().uploadFile->setText(WriteFile("first.acl", "021a48200009\n"));
    page->controls().upload->click();
    WaitForVerdict();
    ASSERT_EQ(messages->texts(), QStringList{"Upgrading ACL file Success,Please refersh this page."});
    ASSERT_TRUE(WaitFor([&] { return Idle(page.get()); }));
    ASSERT_EQ(SnmpGet("trbTftpStatus.0"), "success");
    const QString longName = QString(130, u'a') + QStringLiteral(".acl");
    const struct {
        const char *fault; // "" for none
        QString name;
        QString message;
    } cases[] = {
        {"fault set 20 -1 error genErr", "second.acl",
         "The device did not fetch the ACL file from this computer. Its list was not changed."},
        {"", longName, "The device cannot be asked to move this file (Invalid argument). Nothing was sent."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        if (*c.fault) {
            ASSERT_EQ(simulator->control(c.fault), "ok");
        }
        messages->clear();
        page->controls().uploadFile->setText(WriteFile(c.name, "021a48200001\n"));
        page->controls().upload->click();
        WaitForVerdict();
        EXPECT_EQ(messages->texts(), QStringList{c.message});
        ASSERT_EQ(simulator->control("clear"), "ok");
        ASSERT_TRUE(WaitFor([&] { return Idle(page.get()) && !page->waitDialog(); }));
        EXPECT_EQ(trb::transferInProgress, 0);
        EXPECT_EQ(SnmpGet("trbTftpFileName.0"), "first.acl") << "the device was told nothing new";
        EXPECT_EQ(ShownMacs(page.get()), QStringList{"02:1A:48:20:00:09"});
    }
}

TEST_F(FilterAclFileTest, ADownloadThatNeverArrivesSavesNothing)
{
    PageHolder page(OpenPage()); // no PC address: the device sends nowhere
    dialogs.queueAnswer(files.filePath("list")); // ".acl" is added
    page->controls().download->click();
    EXPECT_EQ(SnmpGet("trbTftpFileName.0"), "list.acl");
    WaitForVerdict();
    EXPECT_EQ(messages->texts(), QStringList{"The device did not send its ACL file. Nothing was saved."});
    EXPECT_FALSE(QFile::exists(files.filePath("list.acl")));
}

} // namespace
