// Status > WDS Information: the row texts on their own, then the page against the simulator.
#include <QLabel>
#include <QPushButton>

#include <cstring>

#include "BandListPanel.h"
#include "PageTestSupport.h"
#include "RecordListCtrl.h"
#include "WdsInfoPage.h"

using trb::WdsInfoPage;
using namespace trb::test;

namespace {

TEST(WdsInfoTexts, UnusedMacZeroAuthenticationAndZeroSignalShowEmpty)
{
    const struct {
        const char *mac, *authentication;
        uint32_t signal;
        const char *status;
        QStringList cells;
        bool shown;
    } cases[] = {
        {"02AABB000001", "WPA-Personal", 57, "connected",
         {"3", "AP-000001", "02AABB000001", "WPA-Personal", "57%", "connected"}, true},
        {"000000000000", "0", 0, "disconnected", {"3", "AP-000001", "", "", "", "disconnected"}, true},
        {"02AABB000001", "00", 100, "Linked", {"3", "AP-000001", "02AABB000001", "00", "100%", "Linked"}, true},
        {"000000000000", "0", 0, "empty", {"3", "AP-000001", "", "", "", "empty"}, false},
        {"000000000000", "0", 0, "Empty", {"3", "AP-000001", "", "", "", "Empty"}, true},
    };
    for (const auto &c : cases) {
        apWdsPeerRecord r{};
        r.band = 1;
        r.index = 3;
        std::strcpy(r.mac, c.mac);
        std::strcpy(r.authentication, c.authentication);
        r.signal = c.signal;
        std::strcpy(r.name, "AP-000001");
        std::strcpy(r.status, c.status);
        EXPECT_EQ(WdsInfoPage::RowTexts(r), c.cells) << c.mac << " " << c.status;
        EXPECT_EQ(WdsInfoPage::IsShown(r), c.shown) << c.status;
    }
}

class WdsInfoPageTest : public PageTest {
protected:
    WdsInfoPage *OpenPage()
    {
        auto *page = new WdsInfoPage;
        page->resize(610, 280);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->controls().panel[0].channel->text().isEmpty(); }, 5000));
        return page;
    }
    static QStringList Column(const WdsInfoPage::Panel &panel, int column)
    {
        QStringList cells;
        for (int row = 0; row < panel.box->rowCount(); ++row)
            cells << panel.box->list()->cellText(row, column);
        return cells;
    }
    void SetPeers(int band, int mode, const char *list, int count)
    {
        ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO | AP_WL_GROUP_WDS, [&](APHANDLE h) {
                      int code = apWirelessSetApMode(h, band, 0, mode);
                      code = code ? code : apWirelessSetCurBand(h, band);
                      return code ? code : apWirelessSetWDSList(h, band, 0, count, list);
                  }), 0);
    }
};

TEST_F(WdsInfoPageTest, NoPeerConfiguredShowsNoRowsAndTheBandsChannel)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Status \\ WDS Information");
    EXPECT_EQ(c.panel[0].channel->text(), "6");
    EXPECT_EQ(c.panel[0].frequency->text(), "(2.437GHz)");
    EXPECT_EQ(c.panel[0].box->rowCount(), 0) << "every slot is empty";
    EXPECT_TRUE(c.panel[0].box->isVisible());
    EXPECT_FALSE(c.panel[1].box->isVisible());
}

TEST_F(WdsInfoPageTest, LinkedPeersOfTheServedBandWithTheirSignalAndStatus)
{
    SetPeers(1, 2, "02AABB000001 02AABB000002", 2);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->rowCount() == 2; }));
    EXPECT_EQ(Column(c.panel[0], 2), QStringList({"02AABB000001", "02AABB000002"}));
    EXPECT_EQ(Column(c.panel[0], 1), QStringList({"AP-000001", "AP-000002"}));
    EXPECT_EQ(Column(c.panel[0], 5), QStringList({"connected", "connected"}));
    EXPECT_EQ(Column(c.panel[0], 3)[0], "WPA-Personal");
    EXPECT_TRUE(Column(c.panel[0], 4)[0].endsWith('%'));

    // Back to Access Point: the peers stay configured but have no link.
    SetPeers(1, 0, "02AABB000001 02AABB000002", 2);
    c.panel[0].box->refresh()->click();
    EXPECT_EQ(c.panel[0].box->rowCount(), 0) << "the refresh empties the list first";
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->rowCount() == 2; }));
    EXPECT_EQ(Column(c.panel[0], 5), QStringList({"disconnected", "disconnected"}));
    EXPECT_EQ(Column(c.panel[0], 3), QStringList({"", ""})) << "authentication 0: empty";
    EXPECT_EQ(Column(c.panel[0], 4), QStringList({"", ""})) << "signal 0: empty";
}

TEST_F(WdsInfoPageTest, ARefreshThatFailsLeavesTheListEmptyAndSaysWhy)
{
    SetPeers(1, 2, "02AABB000001", 1);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->rowCount() == 1; }));
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", 20, simulator->address().c_str(), 0), 0);
    simulator->stop();
    c.panel[0].box->refresh()->click();
    ASSERT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000)) << page->statusText().toStdString();
    EXPECT_EQ(c.panel[0].box->rowCount(), 0);
    EXPECT_TRUE(c.panel[0].box->refresh()->isEnabled());
}

TEST_F(WdsInfoPageTest, OnFiveGigahertzTheShownPanelHasThatBandsChannelAndPeers)
{
    SetPeers(2, 1, "02AABB000005", 1);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_TRUE(WaitFor([&] { return c.panel[0].box->rowCount() == 1; }));
    EXPECT_EQ(c.panel[0].channel->text(), "36");
    EXPECT_EQ(c.panel[0].frequency->text(), "(5.180GHz)");
    EXPECT_EQ(Column(c.panel[0], 2), QStringList({"02AABB000005"}));
    EXPECT_EQ(Column(c.panel[0], 5), QStringList({"connected"}));
    EXPECT_EQ(c.panel[1].channel->text(), "6");
}

} // namespace
