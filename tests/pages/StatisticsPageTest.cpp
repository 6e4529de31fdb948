// Status > Stats: the row texts on their own, then the page against the simulator.
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <thread>

#include "PageTestSupport.h"
#include "StatisticsPage.h"

using trb::StatisticsPage;
using namespace trb::test;

namespace {

constexpr qulonglong kNearWrap = 4294867296ull; // 2^32 - 100000

TEST(StatisticsTexts, CountersAreUnsignedAndTheFlagShowsZeros)
{
    const struct {
        uint32_t value;
        const char *text;
    } cases[] = {{0, "0"}, {2147483647u, "2147483647"}, {2147483648u, "2147483648"}, {4294967295u, "4294967295"}};
    for (const auto &c : cases) {
        apStatEthernetRecord ethernet{};
        ethernet.txPackets = c.value;
        ethernet.length1519ToMax = c.value;
        apStatWlanRecord wlan{};
        wlan.txRetries[0] = c.value;
        wlan.rxPhyErrors[1] = c.value;
        const QStringList e = StatisticsPage::EthernetTexts(ethernet);
        ASSERT_EQ(e.size(), StatisticsPage::kEthernetRows);
        EXPECT_EQ(e[0], c.text);
        EXPECT_EQ(e[14], c.text);
        EXPECT_EQ(StatisticsPage::WlanTexts(wlan, 1)[3], c.text) << "retries, 2.4 GHz";
        EXPECT_EQ(StatisticsPage::WlanTexts(wlan, 2)[10], c.text) << "PHY errors, 5 GHz";
        EXPECT_EQ(StatisticsPage::WlanTexts(wlan, 2)[3], "0") << "the 2.4 GHz value stays in its column";

        ethernet.showZeros = 1;
        wlan.showZeros = 2;
        EXPECT_EQ(StatisticsPage::EthernetTexts(ethernet), QStringList(15, "0"));
        EXPECT_EQ(StatisticsPage::WlanTexts(wlan, 2), QStringList(11, "0"));
    }
}

class StatisticsPageTest : public PageTest {
protected:
    StatisticsPageTest() = default;
    explicit StatisticsPageTest(std::vector<std::string> args) : PageTest(std::move(args)) {}

    StatisticsPage *OpenPage()
    {
        auto *page = new StatisticsPage;
        page->resize(600, 690);
        page->show();
        EXPECT_TRUE(WaitIdle(page));
        return page;
    }
    static bool WaitIdle(StatisticsPage *page)
    {
        return WaitFor([page] { return !page->refreshing() && page->controls().tabs->isEnabled(); });
    }
    static qulonglong Value(QLabel *label) { return label->text().toULongLong(); }
    static void Press(StatisticsPage *page, QPushButton *button)
    {
        ASSERT_TRUE(button->isEnabled());
        button->click();
        ASSERT_TRUE(WaitIdle(page));
    }
};

TEST_F(StatisticsPageTest, ShowsSixEthernetCountersAndOneColumnOfWlanCounters)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Status \\ Stats");
    EXPECT_EQ(c.tabs->tabText(0), "Ethernet Traffic Statistics");
    EXPECT_EQ(c.tabs->tabText(1), "WLAN Traffic Statistics");
    EXPECT_EQ(c.tabs->currentIndex(), 0);
    for (int row = 0; row < StatisticsPage::kEthernetRows; ++row) {
        EXPECT_EQ(c.ethernet[row]->isVisible(), row < 6) << row;
        EXPECT_EQ(c.ethernetLabels[row]->isVisible(), row < 6) << row;
    }
    EXPECT_EQ(c.ethernetLabels[5]->text(), "Dropped Packet Count ");
    for (int row : {0, 1, 3, 4})
        EXPECT_GT(Value(c.ethernet[row]), 0u) << row;
    EXPECT_GT(Value(c.ethernet[1]), Value(c.ethernet[0])) << "bytes exceed packets";
    EXPECT_TRUE(c.tab[0].refresh->isEnabled());
    EXPECT_TRUE(c.tab[0].clear->isEnabled());
    EXPECT_TRUE(page->statusText().contains("Receive at")) << page->statusText().toStdString();

    c.tabs->setCurrentIndex(1);
    ASSERT_TRUE(WaitIdle(page.get()));
    EXPECT_FALSE(c.wlanHeaders[0]->isVisible());
    EXPECT_FALSE(c.wlanHeaders[1]->isVisible());
    for (int row = 0; row < StatisticsPage::kWlanRows; ++row) {
        EXPECT_TRUE(c.wlan[row][0]->isVisible()) << row;
        EXPECT_FALSE(c.wlan[row][1]->isVisible()) << row;
    }
    EXPECT_GT(Value(c.wlan[0][0]), 0u) << "the WLAN tab was read when chosen";
    EXPECT_GT(Value(c.wlan[5][0]), 0u);
}

TEST_F(StatisticsPageTest, CountersMoveBetweenRefreshesAndEveryTabChangeReadsAgain)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const qulonglong first = Value(c.ethernet[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Press(page.get(), c.tab[0].refresh);
    const qulonglong second = Value(c.ethernet[0]);
    EXPECT_GT(second, first);

    c.tabs->setCurrentIndex(1);
    ASSERT_TRUE(WaitIdle(page.get()));
    const qulonglong wlan = Value(c.wlan[0][0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    c.tabs->setCurrentIndex(0);
    ASSERT_TRUE(WaitIdle(page.get()));
    EXPECT_GT(Value(c.ethernet[0]), second) << "back on Ethernet: read again";
    c.tabs->setCurrentIndex(1);
    ASSERT_TRUE(WaitIdle(page.get()));
    EXPECT_GT(Value(c.wlan[0][0]), wlan);
}

// Counters that start high, so that counting again from zero shows.
class StatisticsPageClearTest : public StatisticsPageTest {
protected:
    StatisticsPageClearTest() : StatisticsPageTest({"--counter-start", "1000000000"}) {}
};

TEST_F(StatisticsPageClearTest, ClearShowsZerosOnceThenTheDevicesFreshCounts)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (int tab : {0, 1}) {
        SCOPED_TRACE(tab);
        c.tabs->setCurrentIndex(tab);
        ASSERT_TRUE(WaitIdle(page.get()));
        QLabel *packets = tab == 0 ? c.ethernet[0] : c.wlan[0][0];
        ASSERT_GE(Value(packets), 1000000000u);
        c.tab[tab].clear->click();
        EXPECT_FALSE(c.tab[tab].clear->isEnabled());
        ASSERT_TRUE(WaitFor([&] { return packets->text() == "0"; }));
        ASSERT_TRUE(WaitIdle(page.get()));
        const int rows = tab == 0 ? StatisticsPage::kEthernetRows : StatisticsPage::kWlanRows;
        for (int row = 0; row < rows; ++row)
            EXPECT_EQ((tab == 0 ? c.ethernet[row] : c.wlan[row][0])->text(), "0") << row;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Press(page.get(), c.tab[tab].refresh);
        EXPECT_GT(Value(packets), 0u) << "the next refresh shows the device's values";
        EXPECT_LT(Value(packets), 1000000u) << "counted again from zero";
    }
}

TEST_F(StatisticsPageClearTest, AClearTheDeviceDoesNotTakeLeavesTheCountersAndSaysWhy)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    // The device ignores requests with an unknown write community: the clear times out.
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "not-the-community", 20, simulator->address().c_str(), 0), 0);
    c.tab[0].clear->click();
    ASSERT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000)) << page->statusText().toStdString();
    ASSERT_TRUE(WaitIdle(page.get()));
    EXPECT_TRUE(c.tab[0].clear->isEnabled());
    EXPECT_GE(Value(c.ethernet[0]), 1000000000u) << "no zeros for a clear that did not happen";
    Press(page.get(), c.tab[0].refresh);
    EXPECT_GE(Value(c.ethernet[0]), 1000000000u) << "nor on the next refresh";
    EXPECT_GE(Value(c.ethernet[1]), 1000000000u);
}

class StatisticsPageNearWrapTest : public StatisticsPageTest {
protected:
    StatisticsPageNearWrapTest() : StatisticsPageTest({"--counter-start", std::to_string(kNearWrap)}) {}
};

TEST_F(StatisticsPageNearWrapTest, CountersPastTwoToThe31AndWrappedCountersShowAsUnsigned)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // the byte counters wrap first
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (int row = 0; row < 6; ++row)
        EXPECT_FALSE(c.ethernet[row]->text().startsWith('-')) << c.ethernet[row]->text().toStdString();
    EXPECT_GE(Value(c.ethernet[0]), kNearWrap) << "packets: above 2147483647, shown as they are";
    EXPECT_LE(Value(c.ethernet[0]), 4294967295ull);
    EXPECT_LT(Value(c.ethernet[1]), 2000000u) << "bytes: wrapped past 2^32";
}

} // namespace
