// Advanced > ARP Spoofing Prevention against the simulator: what the page shows, what reaches the
// device, the page checks with nothing sent, and the list limit of eight.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

#include "ActionIconListCtrl.h"
#include "ArpSpoofingPage.h"
#include "IpAddressEdit.h"
#include "PageMessages.h"
#include "PageTestSupport.h"

using trb::ArpSpoofingPage;
using trb::MessageAnswer;
using namespace trb::test;

namespace {

enum { IpColumn = 1, MacColumn = 2, EditColumn = 3, DeleteColumn = 4 };

struct Pair {
    std::string ip, mac;
    bool operator==(const Pair &) const = default;
};

class ArpSpoofingPageTest : public PageTest {
protected:
    ArpSpoofingPage *OpenPage()
    {
        auto *page = new ArpSpoofingPage;
        page->resize(500, 550);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->refreshing() && page->controls().total->text() != "Total Entries:"; }));
        return page;
    }

    // Stages on a fresh handle that has read the device, then writes.
    int Stage(const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE handle = apAdvARPOpen(session, 0);
        return ReadStageWrite(handle, stage);
    }

    void AddPairs(int count)
    {
        ASSERT_EQ(Stage([count](APHANDLE h) {
                      for (int i = 1; i <= count; ++i) {
                          const std::string ip = "192.168.1." + std::to_string(i);
                          const std::string mac = "021A4820000" + std::to_string(i);
                          if (int code = apAdvARPAdd(h, ip.c_str(), mac.c_str()))
                              return code;
                      }
                      return apAdvARPSetParam(h, 1);
                  }),
                  0);
    }

    std::vector<Pair> DevicePairs(int *state = nullptr)
    {
        std::vector<Pair> pairs;
        const APHANDLE handle = apAdvARPOpen(session, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        if (state)
            apAdvARPGetParam(handle, state);
        apArpList list{0, nullptr};
        apAdvARPGetList(handle, &list);
        std::vector<apArpEntry> entries(list.count);
        list.entries = entries.data();
        apAdvARPGetList(handle, &list);
        for (const apArpEntry &e : entries)
            pairs.push_back({e.ipAddress, e.macAddress});
        apHandleClose(handle);
        return pairs;
    }

    static void Settle(ArpSpoofingPage *page)
    {
        Spin(300);
        WaitFor([page] { return page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) == 0; }, 3000);
    }
};

TEST_F(ArpSpoofingPageTest, ShowsTheStateAndTheGatewayPairs)
{
    AddPairs(2);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\ARP Spoofing Prevention");
    EXPECT_EQ(c.state->currentText(), "Enable");
    EXPECT_EQ(c.total->text(), "Total Entries: 2");
    ASSERT_EQ(c.list->rowCount(), 2);
    EXPECT_EQ(c.list->cellText(1, IpColumn), "192.168.1.2");
    EXPECT_EQ(c.list->cellText(1, MacColumn), "021A48200002");
    EXPECT_TRUE(c.list->isColumnHidden(0));
    EXPECT_TRUE(c.add->isEnabled());
    EXPECT_TRUE(c.deleteAll->isEnabled());

    c.state->setCurrentIndex(0);
    for (QWidget *w : std::initializer_list<QWidget *>{c.ip, c.mac, c.add, c.clear, c.deleteAll})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(c.list->isEnabled());
}

TEST_F(ArpSpoofingPageTest, AddStoresThePairWithItsMacUpperCased)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.state->setCurrentIndex(1);
    c.ip->setText("10.0.0.1");
    c.mac->setText("021a4820abcd");
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    int state = -1;
    EXPECT_EQ(DevicePairs(&state), (std::vector<Pair>{{"10.0.0.1", "021A4820ABCD"}}));
    EXPECT_EQ(state, 1) << "the combo's state goes with the pair";
    EXPECT_TRUE(c.ip->isBlank());
    EXPECT_TRUE(c.mac->text().isEmpty());
    EXPECT_EQ(c.mac->maxLength(), 12) << "a MAC with colons does not fit";
}

TEST_F(ArpSpoofingPageTest, BadEntriesAreRefusedAndNothingIsSent)
{
    AddPairs(1); // 192.168.1.1 / 021A48200001
    struct Case {
        const char *ip, *mac, *message, *title;
        bool focusOnMac;
    } cases[] = {
        {"", "021A48200009", "Please Input IP Address!", "Warning", false},
        {"127.0.0.1", "021A48200009", "Invalid IP Address.", "Warning", false},
        {"192.168.1.1", "021A48200009", "The IP Address has already been added in the list!", "Warning", false},
        {"10.0.0.2", "", "Please Input MAC Address!", "Warning", true},
        {"10.0.0.2", "021A4820000G", "Please input valid MAC Address.", "Error", true},
        {"10.0.0.2", "000000000000", "Please input valid MAC Address.", "Error", true},
        {"10.0.0.2", "01005E000001", "Please input valid MAC Address.", "Error", true},
        {"10.0.0.2", "021a48200001", "The MAC Address has already been added in the list!", "Warning", true},
    };
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.message);
        messages->clear();
        c.ip->setText(tc.ip);
        c.mac->setText(tc.mac);
        c.add->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, tc.title);
        QWidget *focused = tc.focusOnMac ? static_cast<QWidget *>(c.mac) : c.ip;
        EXPECT_TRUE(focused->hasFocus() || focused->isAncestorOf(QApplication::focusWidget()));
    }
    EXPECT_TRUE(c.ip->isBlank() || c.ip->text() == "10.0.0.2");
    Settle(page.get());
    EXPECT_EQ(DevicePairs(), (std::vector<Pair>{{"192.168.1.1", "021A48200001"}}));
}

TEST_F(ArpSpoofingPageTest, EightPairsDisableAddAndClearUntilOneIsDeleted)
{
    AddPairs(8);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(c.list->rowCount(), 8);
    EXPECT_FALSE(c.add->isEnabled());
    EXPECT_FALSE(c.clear->isEnabled());
    EXPECT_TRUE(c.ip->isEnabled());

    emit c.list->cellClicked(EditColumn, 7);
    EXPECT_TRUE(c.add->isEnabled()) << "an edit replaces a pair: the list does not grow";
    EXPECT_EQ(c.ip->text(), "192.168.1.8");
    emit c.list->cellClicked(DeleteColumn, 0);
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 7; }));
    EXPECT_EQ(messages->count(), 0) << "a row is deleted without a question";
    EXPECT_TRUE(c.add->isEnabled());
    EXPECT_TRUE(c.clear->isEnabled());
    EXPECT_EQ(page->editingRow(), -1);
    EXPECT_EQ(DevicePairs().size(), 7u);
}

TEST_F(ArpSpoofingPageTest, AnEditedRowSavedUnchangedIsAcceptedAndAnEditReplacesItsPair)
{
    AddPairs(2);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    emit c.list->cellClicked(EditColumn, 1);
    c.add->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DevicePairs().size(), 2u);

    emit c.list->cellClicked(EditColumn, 0);
    c.mac->setText("021A4820FFFF");
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->cellText(0, MacColumn) == "021A4820FFFF"; }));
    EXPECT_EQ(DevicePairs(), (std::vector<Pair>{{"192.168.1.1", "021A4820FFFF"}, {"192.168.1.2", "021A48200002"}}));
}

TEST_F(ArpSpoofingPageTest, SaveWritesTheStateWithoutReReading)
{
    AddPairs(1);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(Stage([](APHANDLE h) { return apAdvARPAdd(h, "10.0.0.5", "021A48205555"); }), 0); // behind its back
    c.state->setCurrentIndex(0);
    c.save->click();
    Settle(page.get());
    int state = -1;
    EXPECT_EQ(DevicePairs(&state).size(), 2u);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(c.list->rowCount(), 1) << "Save does not re-read";
}

TEST_F(ArpSpoofingPageTest, DeleteAllAsksThenRemovesEveryPairInOneWrite)
{
    AddPairs(3);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    messages->queueAnswer(MessageAnswer::Cancel);
    c.deleteAll->click();
    Settle(page.get());
    EXPECT_EQ(messages->texts(), QStringList{"Are you sure delete all the rules?"});
    EXPECT_EQ(messages->last().title, "Warning");
    EXPECT_EQ(DevicePairs().size(), 3u);

    c.deleteAll->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 0; }));
    EXPECT_TRUE(DevicePairs().empty());
    EXPECT_EQ(c.total->text(), "Total Entries: 0");
    EXPECT_FALSE(c.deleteAll->isEnabled());
}

} // namespace
