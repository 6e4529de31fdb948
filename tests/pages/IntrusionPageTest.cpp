// Advanced > Intrusion: the style bits and filter on their own, then the page against the simulator.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstring>
#include <map>

#include "IntrusionPage.h"
#include "PageTestSupport.h"
#include "RecordListCtrl.h"

using trb::IntrusionPage;
using namespace trb::test;

namespace {

TEST(IntrusionPageRules, StyleBitsFollowTheClassAndTheSizeOfTheChange)
{
    const struct {
        int code, checked;
        uint32_t style;
    } cases[] = {
        {AP_INTRUSION_VALID, 1, 4},     {AP_INTRUSION_NEIGHBORHOOD, 48, 8}, {AP_INTRUSION_ROGUE, 2, 16},
        {AP_INTRUSION_NEW, 3, 32},      {AP_INTRUSION_VALID, 49, 68},       {AP_INTRUSION_NEIGHBORHOOD, 49, 136},
        {AP_INTRUSION_ROGUE, 49, 272},  {AP_INTRUSION_NEW, 256, 544},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IntrusionPage::StyleOf(c.code, c.checked), c.style) << c.code << " x" << c.checked;
}

TEST(IntrusionPageRules, TheFilterComparesTypesIgnoringCase)
{
    apIntrusionRecord record{};
    std::strcpy(record.type, "Neighborhood");
    EXPECT_TRUE(IntrusionPage::PassesFilter(record, "All"));
    EXPECT_TRUE(IntrusionPage::PassesFilter(record, "neighborhood"));
    EXPECT_FALSE(IntrusionPage::PassesFilter(record, "Rogue"));
}

class IntrusionPageTest : public PageTest {
protected:
    explicit IntrusionPageTest(std::vector<std::string> args = {"--neighbours", "6"}) : PageTest(std::move(args)) {}

    IntrusionPage *OpenPage()
    {
        auto *page = new IntrusionPage;
        page->resize(660, 680);
        page->show();
        EXPECT_TRUE(WaitFor([&] { return !page->LastMessage().isEmpty() && !page->refreshing(); }));
        return page;
    }

    static void DetectAndWait(IntrusionPage *page, int rows)
    {
        page->controls().detect->click();
        ASSERT_TRUE(WaitFor([&] { return page->controls().list->rowCount() == rows && !page->waitDialog(); }))
            << page->controls().list->rowCount();
    }

    // The classification of each row of band 1 as a fresh handle reads it.
    std::map<int, std::string> DeviceTypes()
    {
        APHANDLE handle = apAdvInstrusionOpen(session, 0);
        apStyleModify(handle, AP_INTRUSION_GROUP_ALL, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apIntrusionQuery query{0, nullptr};
        apAdvInstrusionInfoGet(handle, nullptr, &query);
        std::vector<apIntrusionRecord> records(std::size_t(query.count));
        query.rows = records.data();
        apAdvInstrusionInfoGet(handle, nullptr, &query);
        apHandleClose(handle);
        std::map<int, std::string> types;
        for (const apIntrusionRecord &r : records)
            if (r.band == 1)
                types[r.index] = r.type;
        return types;
    }

    static int RowOfIndex(IntrusionPage *page, int index)
    {
        for (int row = 0; row < page->controls().list->rowCount(); ++row)
            if (page->controls().list->cellText(row, 7).toInt() == index)
                return row;
        return -1;
    }

    static void WaitForType(IntrusionPage *page, int index, const QString &type)
    {
        EXPECT_TRUE(WaitFor([&] {
            const int row = RowOfIndex(page, index);
            return row >= 0 && page->controls().list->cellText(row, 0) == type;
        })) << index << " " << type.toStdString();
    }
};

TEST_F(IntrusionPageTest, ADetectionFillsTheListWithTheNewAccessPoints)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\ Intrusion");
    EXPECT_FALSE(c.band->isVisible());
    EXPECT_EQ(c.list->rowCount(), 0);
    EXPECT_TRUE(c.markValid->isChecked());
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    const QStringList titles = {"Type", "Band", "CH", "SSID", "BSSID", "LastSeen", "Status", "Index"};
    for (int column = 0; column < titles.size(); ++column)
        EXPECT_EQ(c.list->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
    EXPECT_EQ(c.list->columnWidth(7), 0);
    EXPECT_EQ(c.list->columnWidth(0), page->width() * 2 / 15);
    for (int row = 0; row < c.list->rowCount(); ++row) {
        EXPECT_EQ(c.list->cellText(row, 0), "New");
        EXPECT_EQ(c.list->cellText(row, 1), "2.4GHz");
        EXPECT_EQ(c.list->cellText(row, 4).size(), 12);
        EXPECT_EQ(c.list->cellText(row, 6), "Online");
    }
    // Rows go in under the first: 1, 6, 5, 4, 3, 2.
    EXPECT_EQ(c.list->cellText(0, 7), "1");
    EXPECT_EQ(c.list->cellText(1, 7), "6");
    EXPECT_EQ(c.list->cellText(5, 7), "2");
}

TEST_F(IntrusionPageTest, SetAsReachesTheDeviceAndSurvivesARescan)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    c.list->SetRowChecked(RowOfIndex(page.get(), 2), true);
    c.list->SetRowChecked(RowOfIndex(page.get(), 4), true);
    c.setRogue->click();
    WaitForType(page.get(), 4, "Rogue");
    auto types = DeviceTypes();
    EXPECT_EQ(types[2], "Rogue");
    EXPECT_EQ(types[4], "Rogue");
    EXPECT_EQ(types[1], "New");
    EXPECT_TRUE(messages->texts().isEmpty()) << messages->texts().join('|').toStdString();

    c.list->SetRowChecked(RowOfIndex(page.get(), 3), true);
    c.setNeighborhood->click();
    WaitForType(page.get(), 3, "Neighborhood");
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    EXPECT_EQ(c.list->cellText(RowOfIndex(page.get(), 2), 0), "Rogue");
    EXPECT_EQ(c.list->cellText(RowOfIndex(page.get(), 3), 0), "Neighborhood");
}

TEST_F(IntrusionPageTest, TheFilterShowsOneTypeAndFixesTheRadios)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    c.list->SetRowChecked(RowOfIndex(page.get(), 5), true);
    c.setRogue->click();
    WaitForType(page.get(), 5, "Rogue");
    c.markRogue->click();
    c.typeFilter->setCurrentText("Rogue");
    emit c.typeFilter->activated(3);
    ASSERT_EQ(c.list->rowCount(), 1);
    EXPECT_EQ(c.list->cellText(0, 7), "5");
    EXPECT_FALSE(c.markValid->isEnabled());
    EXPECT_FALSE(c.markRogue->isEnabled());
    EXPECT_TRUE(c.markValid->isChecked());
    c.typeFilter->setCurrentText("New");
    emit c.typeFilter->activated(4);
    EXPECT_EQ(c.list->rowCount(), 5);
    EXPECT_TRUE(c.markRogue->isEnabled());
}

TEST_F(IntrusionPageTest, TheMarkRadiosCheckTheNewRowsAndSelectAllChecksEveryRow)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    c.list->SetRowChecked(RowOfIndex(page.get(), 1), true);
    c.setValid->click();
    WaitForType(page.get(), 1, "Valid");
    c.markRogue->click();
    for (int row = 0; row < c.list->rowCount(); ++row)
        EXPECT_EQ(c.list->isRowChecked(row), c.list->cellText(row, 0) == "New") << row;
    c.selectAll->click();
    for (int row = 0; row < c.list->rowCount(); ++row)
        EXPECT_TRUE(c.list->isRowChecked(row)) << row;
    c.selectAll->click();
    for (int row = 0; row < c.list->rowCount(); ++row)
        EXPECT_FALSE(c.list->isRowChecked(row)) << row;
}

TEST_F(IntrusionPageTest, NothingCheckedSaysSoAndSendsNothing)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.setValid->click(); // empty list
    EXPECT_EQ(messages->texts(), QStringList{"No entry click !"});
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    messages->clear();
    for (QPushButton *button : {c.setValid, c.setNeighborhood, c.setRogue, c.setNew})
        button->click();
    EXPECT_EQ(messages->count(), 4);
    for (const auto &shown : messages->shown())
        EXPECT_EQ(shown.text, "No entry click !");
    // Checked rows that already have the type: nothing happens.
    messages->clear();
    c.list->SetRowChecked(0, true);
    c.setNew->click();
    EXPECT_TRUE(messages->texts().isEmpty());
    for (const auto &[index, type] : DeviceTypes())
        EXPECT_EQ(type, "New") << index;
}

TEST_F(IntrusionPageTest, MoreThan256CheckedRowsAreRefusedWhole)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    // A band's list could only grow this long on a device with more rows; the rule is the page's.
    while (c.list->rowCount() < 257) {
        const int row = c.list->InsertRecordRow(-1, "New");
        c.list->SetCellText(row, 7, "1");
    }
    c.selectAll->click();
    c.setRogue->click();
    EXPECT_EQ(messages->texts(), QStringList{IntrusionPage::kTooManyText});
    QTest::qWait(100);
    for (const auto &[index, type] : DeviceTypes())
        EXPECT_EQ(type, "New") << "nothing partial was sent: " << index;
}

TEST_F(IntrusionPageTest, SaveWithNothingCheckedMarksTheNewEntriesValid)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    c.list->SetRowChecked(RowOfIndex(page.get(), 6), true);
    c.setRogue->click();
    WaitForType(page.get(), 6, "Rogue");
    c.save->click();
    EXPECT_EQ(messages->texts(), QStringList{"No entry click !"});
    WaitForType(page.get(), 1, "Valid");
    const auto types = DeviceTypes();
    for (const auto &[index, type] : types)
        EXPECT_EQ(type, index == 6 ? "Rogue" : "Valid") << index;
}

TEST_F(IntrusionPageTest, SaveWithCheckedRowsFollowsTheChosenRadio)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    c.markRogue->click(); // checks every new row
    c.save->click();
    WaitForType(page.get(), 3, "Rogue");
    for (const auto &[index, type] : DeviceTypes())
        EXPECT_EQ(type, "Rogue") << index;
}

// Every request of this device is answered late, so a test can act while one is on its way.
class IntrusionSlowDeviceTest : public IntrusionPageTest {
protected:
    IntrusionSlowDeviceTest() : IntrusionPageTest({"--neighbours", "6", "--delay-ms", "200"}) {}
};

// One request at a time: a Detect while the list is read again after a reclassification would
// have that read's answer end the detection's wait over the list from before the scan.
TEST_F(IntrusionSlowDeviceTest, DetectIsRefusedWhileTheListIsReadAndItsWaitEndsWithItsOwnList)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 6));
    c.list->SetRowChecked(RowOfIndex(page.get(), 2), true);
    c.setRogue->click();
    ASSERT_TRUE(WaitFor([&] { return page->LastMessage().startsWith("Set OK"); })) << "the re-read has begun";
    EXPECT_FALSE(c.detect->isEnabledTo(page->content()));
    page->Detect(); // as a click would, were the button not disabled
    EXPECT_EQ(page->waitDialog(), nullptr);
    EXPECT_EQ(c.list->rowCount(), 6) << "a refused Detect leaves the list";
    WaitForType(page.get(), 2, "Rogue");
    ASSERT_TRUE(WaitFor([&] { return c.detect->isEnabledTo(page->content()); }));

    page->Detect();
    ASSERT_NE(page->waitDialog(), nullptr);
    EXPECT_FALSE(c.detect->isEnabledTo(page->content())) << "while the scan runs";
    // The wait may end on its timer first (the test's timers are short); Detect comes back only
    // with the detection's own list.
    ASSERT_TRUE(WaitFor([&] { return c.detect->isEnabledTo(page->content()); }));
    EXPECT_EQ(page->waitDialog(), nullptr);
    EXPECT_EQ(c.list->rowCount(), 6);
    EXPECT_EQ(c.list->cellText(RowOfIndex(page.get(), 2), 0), "Rogue");
}

class IntrusionLargeNeighbourhoodTest : public IntrusionPageTest {
protected:
    IntrusionLargeNeighbourhoodTest() : IntrusionPageTest({"--neighbours", "64"}) {}
};

// Its time is measured by bench/pages (bench_intrusion), not here.
TEST_F(IntrusionLargeNeighbourhoodTest, ADetectionListsAllSixtyFourAccessPoints)
{
    PageHolder page(OpenPage());
    ASSERT_NO_FATAL_FAILURE(DetectAndWait(page.get(), 64));
}

} // namespace
