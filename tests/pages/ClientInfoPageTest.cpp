// Status > Client Information: the row texts on their own, then the page against the simulator.
#include <QLabel>
#include <QPushButton>

#include <cstring>

#include "BandListPanel.h"
#include "ClientInfoPage.h"
#include "PageTestSupport.h"
#include "RecordListCtrl.h"

using trb::ClientInfoPage;
using namespace trb::test;

namespace {

TEST(ClientInfoTexts, RowCellsFromTheRecord)
{
    const struct {
        const char *phy;
        const char *letter;
    } bands[] = {{"dot11a", "A"}, {"dot11b", "B"}, {"dot11g", "G"}, {"dot11n", "N"},
                 {"dot11ac", "dot11ac"}, {"", ""}, {"DOT11A", "DOT11A"}};
    for (const auto &b : bands) {
        apClientRecord r{};
        r.band = 1;
        r.index = 7;
        std::strcpy(r.mac, "02C100000007");
        std::strcpy(r.phyMode, b.phy);
        std::strcpy(r.authentication, "WPA-Personal");
        r.signal = 57;
        std::strcpy(r.powerSave, "off");
        std::strcpy(r.ssid, "TRB4820-2G");
        EXPECT_EQ(ClientInfoPage::RowTexts(r),
                  QStringList({"7", "TRB4820-2G", "02C100000007", b.letter, "WPA-Personal", "57%", "OFF"}))
            << b.phy;
    }
}

class ClientInfoPageTest : public PageTest {
protected:
    ClientInfoPageTest() = default;
    explicit ClientInfoPageTest(std::vector<std::string> args) : PageTest(std::move(args)) {}

    ClientInfoPage *OpenPage()
    {
        auto *page = new ClientInfoPage;
        page->resize(630, 280);
        page->show();
        EXPECT_TRUE(WaitFor([page] {
            return !page->statusText().isEmpty() && page->controls().panel[0].box->refresh()->isEnabled() &&
                   page->controls().panel[0].count->text() != "0";
        }, 5000));
        return page;
    }
    static QStringList Column(const ClientInfoPage::Panel &panel, int column)
    {
        QStringList cells;
        for (int row = 0; row < panel.box->rowCount(); ++row)
            cells << panel.box->list()->cellText(row, column);
        return cells;
    }
};

// Five stations: 3 on 5 GHz, 1, 2, 4 and 5 on 2.4 GHz.
TEST_F(ClientInfoPageTest, ListsTheServedBandsStationsFirstRowOnTopThenNewestFirst)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Status \\ Client Information");
    EXPECT_EQ(c.panel[0].band->text(), "(2.4GHz):");
    EXPECT_EQ(c.panel[0].count->text(), "4");
    EXPECT_EQ(Column(c.panel[0], 0), QStringList({"1", "5", "4", "2"}));
    EXPECT_EQ(Column(c.panel[0], 2)[0], "02C100000001");
    EXPECT_EQ(Column(c.panel[0], 3)[0], "G");
    EXPECT_EQ(Column(c.panel[0], 5)[0], "57%");
    EXPECT_EQ(Column(c.panel[0], 6)[2], "ON") << "station 4 saves power";
    EXPECT_TRUE(c.panel[0].box->isVisible());
    EXPECT_FALSE(c.panel[1].box->isVisible());
    EXPECT_EQ(c.panel[1].count->text(), "1") << "the other band goes to the hidden panel";
    EXPECT_TRUE(c.panel[0].box->list()->isColumnHidden(0)) << "the index column has no width";

    c.panel[0].box->refresh()->click();
    EXPECT_FALSE(c.panel[0].box->refresh()->isEnabled());
    EXPECT_EQ(c.panel[0].count->text(), "0");
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->refresh()->isEnabled(); }));
    EXPECT_EQ(c.panel[0].count->text(), "4");
}

TEST_F(ClientInfoPageTest, OnFiveGigahertzTheShownPanelListsTheFiveGigahertzStations)
{
    ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO, [](APHANDLE h) { return apWirelessSetCurBand(h, 2); }), 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(c.panel[0].band->text(), "(5GHz):");
    EXPECT_EQ(c.panel[0].count->text(), "1");
    EXPECT_EQ(Column(c.panel[0], 2), QStringList({"02C100000003"}));
    EXPECT_EQ(Column(c.panel[0], 1), QStringList({"TRB4820-5G"}));
    EXPECT_EQ(c.panel[1].count->text(), "4");
}

TEST_F(ClientInfoPageTest, ARefreshThatFailsLeavesEmptyListsAndRefreshUsable)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", 20, simulator->address().c_str(), 0), 0);
    simulator->stop();
    c.panel[0].box->refresh()->click();
    EXPECT_FALSE(c.panel[0].box->refresh()->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->refresh()->isEnabled(); }, 5000));
    EXPECT_TRUE(page->statusText().contains("timed out")) << page->statusText().toStdString();
    EXPECT_EQ(c.panel[0].count->text(), "0");
    EXPECT_EQ(c.panel[0].box->rowCount(), 0);

    ASSERT_TRUE(simulator->start());
    c.panel[0].box->refresh()->click();
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].count->text() == "4"; }, 5000)) << "usable again";
}

class ClientInfoPageNoStationTest : public ClientInfoPageTest {
protected:
    ClientInfoPageNoStationTest() : ClientInfoPageTest({"--clients", "0"}) {}
};

TEST_F(ClientInfoPageNoStationTest, NoStationLeavesBothCountsAtZeroAndRefreshUsable)
{
    PageHolder page(new ClientInfoPage);
    page->show();
    const auto &c = page->controls();
    ASSERT_TRUE(WaitFor([&] { return page->statusText().contains("Receive at"); }));
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->refresh()->isEnabled(); }));
    for (const auto &panel : c.panel) {
        EXPECT_EQ(panel.count->text(), "0");
        EXPECT_EQ(panel.box->rowCount(), 0);
    }
}

} // namespace
