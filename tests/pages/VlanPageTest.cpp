// Advanced > VLAN: the member-string codec, then the page against the simulator: what it shows,
// what reaches the device, each bad entry's message with nothing sent, the limit of eighteen,
// the warnings and what enabling VLANs changes elsewhere, the port view and the port VIDs.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ActionIconListCtrl.h"
#include "PageMessages.h"
#include "PageTestSupport.h"
#include "VlanMembers.h"
#include "VlanPage.h"
#include "VlanPortEditor.h"
#include "VlanPvidPanel.h"

using trb::MessageAnswer;
using trb::VlanMembers;
using trb::VlanPage;
using namespace trb::test;

namespace {

const char kAllPorts[] = "Mgmt, LAN, Primary, S-1, S-2, S-3, S-4, S-5, S-6, S-7, W-1, W-2, W-3, W-4, W-5, W-6, W-7, W-8";

TEST(VlanMembersText, ListTextBreaksEverySixthNameAndLeavesOutHiddenPorts)
{
    struct Case {
        const char *members, *shown;
    } cases[] = {
        {"", ""},
        {"LAN, W-2", "LAN, W-2"},
        {"Mgmt, LAN, Primary, S-1, S-2, S-3", "Mgmt, LAN, Primary, S-1, S-2, S-3"},
        {"Mgmt, LAN, Primary, S-1, S-2, S-3, W-1", "Mgmt, LAN, Primary, S-1, S-2, S-3,\r\nW-1"},
        {kAllPorts, "Mgmt, LAN, Primary, S-1, S-2, S-3,\r\n W-1, W-2, \r\nW-3, W-4"},
        {"LAN, S-4, S-5, S-6, S-7, W-1", "LAN,  W-1"},
        {"LAN, W-4, W-5, W-6, W-7, W-8", "LAN, W-4"},
        {"S-4, LAN", "S-4, LAN"}, // at the start: kept, as the device's own pages do
    };
    for (const Case &c : cases)
        EXPECT_EQ(VlanMembers::DisplayForm(c.members).toStdString(), c.shown) << c.members;
}

TEST(VlanMembersText, MembershipsComeFromExactNames)
{
    const VlanMembers::Values values = VlanMembers::FromStrings("LAN, S-1", "W-2, W-1");
    EXPECT_EQ(values[1], VlanMembers::Untag);
    EXPECT_EQ(values[3], VlanMembers::Untag);
    EXPECT_EQ(values[11], VlanMembers::Tag);
    EXPECT_EQ(values[10], VlanMembers::Tag);
    EXPECT_EQ(values[0], VlanMembers::NotMember);
    EXPECT_EQ(VlanMembers::Untagged(values), "LAN, S-1");
    EXPECT_EQ(VlanMembers::Tagged(values), "W-1, W-2") << "in port order";
    VlanMembers::Values none;
    none.fill(VlanMembers::NotMember);
    EXPECT_EQ(VlanMembers::FromStrings("", ""), none);
    EXPECT_EQ(VlanMembers::Untagged(VlanMembers::AllUntagged()), kAllPorts);
}

struct DeviceVlan {
    int vid;
    std::string name, untagged, tagged;
    bool operator==(const DeviceVlan &) const = default;
};

class VlanPageTest : public PageTest {
protected:
    VlanPage *OpenPage()
    {
        auto *page = new VlanPage;
        page->resize(700, 710);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->refreshing() && !page->LastMessage().isEmpty(); }));
        Settle(page);
        return page;
    }
    static void Settle(VlanPage *page)
    {
        Spin(100);
        WaitFor([page] { return !page->refreshing() && page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) == 0; }, 5000);
    }
    // Stages on a fresh handle that has read the device, then writes.
    int Stage(const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE handle = apAdvVlanOpen(session, 0);
        apStyleModify(handle, AP_VLAN_GROUP_ALL, 0);
        return ReadStageWrite(handle, stage);
    }
    static apVlanRecord Record(int vid, const std::string &name, const std::string &untagged, const std::string &tagged)
    {
        apVlanRecord r{};
        r.index = AP_VLAN_NEW_ROW;
        r.vid = vid;
        std::strncpy(r.name, name.c_str(), sizeof r.name - 1);
        std::strncpy(r.untagged, untagged.c_str(), sizeof r.untagged - 1);
        std::strncpy(r.tagged, tagged.c_str(), sizeof r.tagged - 1);
        return r;
    }
    void AddVlans(const std::vector<DeviceVlan> &vlans, int status = 1)
    {
        ASSERT_EQ(Stage([&](APHANDLE h) {
                      for (const DeviceVlan &v : vlans)
                          if (int code = apAdvVlanAddVlan(h, Record(v.vid, v.name, v.untagged, v.tagged)))
                              return code;
                      return apAdvVlanVlanSetParameter(h, status, 0);
                  }),
                  0);
    }
    void AddNumbered(int count)
    {
        std::vector<DeviceVlan> vlans;
        for (int i = 1; i <= count; ++i)
            vlans.push_back({100 + i, "v" + std::to_string(i), "LAN", ""});
        AddVlans(vlans);
    }
    std::vector<DeviceVlan> DeviceVlans(int *status = nullptr)
    {
        std::vector<DeviceVlan> vlans;
        Stage([&](APHANDLE h) {
            if (status)
                apAdvVlanVlanGetParameter(h, status, nullptr);
            apVlanList list{0, nullptr};
            apAdvVlanGetVlanList(h, &list);
            std::vector<apVlanRecord> rows(list.count);
            list.entries = rows.data();
            apAdvVlanGetVlanList(h, &list);
            for (const apVlanRecord &r : rows)
                vlans.push_back({r.vid, r.name, r.untagged, r.tagged});
            return 1; // nothing to write
        });
        return vlans;
    }
    static void Fill(VlanPage *page, const QString &vid, const QString &name)
    {
        page->controls().vid->setText(vid);
        page->controls().name->setText(name);
    }
};

TEST_F(VlanPageTest, ShowsStatusModeAndVlans)
{
    AddVlans({{10, "office", "Mgmt, LAN, Primary, S-1, S-2, S-3, S-4, S-5, S-6, S-7, W-1", "W-2"}, {20, "guest", "S-1", ""}});
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\ VLAN");
    EXPECT_TRUE(c.enable->isChecked());
    EXPECT_EQ(c.mode->text(), "Static");
    ASSERT_EQ(c.list->rowCount(), 2);
    EXPECT_EQ(c.list->cellText(0, VlanPage::VidColumn), "10");
    EXPECT_EQ(c.list->cellText(0, VlanPage::NameColumn), "office");
    EXPECT_EQ(c.list->cellText(0, VlanPage::UntagColumn), "Mgmt, LAN, Primary, S-1, S-2, S-3,\r\n W-1");
    EXPECT_EQ(c.list->cellText(0, VlanPage::TagColumn), "W-2");
    EXPECT_EQ(c.tabs->count(), 4);
    EXPECT_EQ(c.tabs->tabText(3), "PVID Setting");
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();

    c.tabs->setCurrentIndex(VlanPage::PortTab);
    ASSERT_TRUE(WaitFor([&] { return c.ports->rowCount() == 10; })) << "S-4..S-7 and W-5..W-8 are left out";
    EXPECT_EQ(c.ports->cellText(1, 0), "LAN");
    EXPECT_EQ(c.ports->cellText(1, 2), "10");
    EXPECT_EQ(c.ports->cellText(3, 2), "10,20") << "S-1";
    EXPECT_EQ(c.ports->cellText(7, 1), "10") << "W-2 tagged";
    EXPECT_EQ(c.ports->cellText(7, 3), "1");
}

TEST_F(VlanPageTest, ANewVlanWithUntouchedPortsHasEveryPortUntaggedAndSurvivesARestart)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_FALSE(c.vid->isEnabled()) << "VLAN is off";
    c.enable->click();
    ASSERT_TRUE(c.vid->isEnabled());
    Fill(page.get(), "42", "lab");
    c.formSave->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    Settle(page.get());
    int status = -1;
    EXPECT_EQ(DeviceVlans(&status), (std::vector<DeviceVlan>{{42, "lab", kAllPorts, ""}}));
    EXPECT_EQ(status, 1) << "the status goes with the VLAN";
    EXPECT_EQ(page->editingRow(), -1);
    EXPECT_EQ(c.tabs->currentIndex(), VlanPage::ListTab);

    const APHANDLE commands = apSysCommandObjOpen(session, 0);
    ASSERT_EQ(apSysCommand(commands, 2, 3000), 0);
    ASSERT_EQ(apSnmpSendSetRequest(commands, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
    apHandleClose(commands);
    ASSERT_TRUE(simulator->restart());
    ASSERT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
    EXPECT_EQ(DeviceVlans(&status), (std::vector<DeviceVlan>{{42, "lab", kAllPorts, ""}}));
    EXPECT_EQ(status, 1);
}

TEST_F(VlanPageTest, BadEntriesAreRefusedWithNothingSent)
{
    AddVlans({{10, "office", "LAN", ""}});
    struct Case {
        const char *vid, *name, *message, *title;
    } cases[] = {
        {"5", "caf\xc3\xa9", "There are some invalid characters !", "TRB-4820"},
        {"0", "x", "The VID value range is 1~4094.", "Warning"},
        {"4095", "x", "The VID value range is 1~4094.", "Warning"},
        {"", "x", "The VID value range is 1~4094.", "Warning"},
        {"1a", "x", "The VID value range is 1~4094.", "Warning"},
        {"10", "x", "There is an existent entry with the same VID.\nPlease change the VID.", "Warning"},
        {"11", "", "The VLAN Name field can't be blank!", "Warning"},
        {"11", " x", "The first character can't be blank!", "Warning"},
    };
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.message);
        messages->clear();
        Fill(page.get(), QString::fromUtf8(tc.vid), QString::fromUtf8(tc.name));
        c.formSave->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, tc.title);
    }
    Settle(page.get());
    EXPECT_EQ(DeviceVlans(), (std::vector<DeviceVlan>{{10, "office", "LAN", ""}}));
}

TEST_F(VlanPageTest, ANineteenthVlanIsRefusedButEditingOneOfEighteenIsNot)
{
    AddNumbered(18);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(c.list->rowCount(), 18);
    Fill(page.get(), "999", "extra");
    c.formSave->click();
    EXPECT_EQ(messages->texts(), QStringList{"Maximum Number of VLAN list is 18!"});

    messages->clear();
    emit c.list->cellClicked(VlanPage::EditColumn, 17);
    EXPECT_EQ(c.tabs->currentIndex(), VlanPage::FormTab);
    EXPECT_FALSE(c.vid->isEnabled()) << "a VLAN's VID cannot change";
    EXPECT_EQ(c.vid->text(), "118");
    c.name->setText("renamed");
    c.formSave->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const auto vlans = DeviceVlans();
    ASSERT_EQ(vlans.size(), 18u);
    EXPECT_EQ(vlans[17], (DeviceVlan{118, "renamed", "LAN", ""}));
}

// The list leaves the hidden ports out; an edit must not drop their memberships.
TEST_F(VlanPageTest, AnEditShowsTheMembershipsAndKeepsThoseOfHiddenPorts)
{
    AddVlans({{30, "links", "LAN, S-5, W-6", "Mgmt, W-2"}});
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    emit c.list->cellClicked(VlanPage::EditColumn, 0);
    const trb::VlanPortEditor &editor = *c.portEditor;
    EXPECT_TRUE(editor.button("W-2", VlanMembers::Tag)->isChecked());
    EXPECT_TRUE(editor.button("Mgmt", VlanMembers::Tag)->isChecked());
    EXPECT_TRUE(editor.button("LAN", VlanMembers::Untag)->isChecked());
    EXPECT_TRUE(editor.button("W-1", VlanMembers::NotMember)->isChecked());
    EXPECT_EQ(editor.button("S-5", VlanMembers::Untag), nullptr) << "hidden";
    EXPECT_FALSE(editor.button("Primary", VlanMembers::Tag)->isEnabled()) << "an SSID is never tagged";
    editor.allButton(2, VlanMembers::Tag)->click(); // every shown WDS port tagged
    c.formSave->click();
    Settle(page.get());
    EXPECT_EQ(DeviceVlans(), (std::vector<DeviceVlan>{{30, "links", "LAN, S-5, W-6", "Mgmt, W-1, W-2, W-3, W-4"}}));
}

TEST_F(VlanPageTest, DeleteAsksAndIsIgnoredWhileDisabled)
{
    AddVlans({{10, "office", "LAN", ""}, {20, "guest", "S-1", ""}});
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    messages->queueAnswer(MessageAnswer::Cancel);
    emit c.list->cellClicked(VlanPage::DeleteColumn, 1);
    EXPECT_EQ(messages->texts(), QStringList{"Are you sure that you want to delete guest ?"});
    Settle(page.get());
    EXPECT_EQ(DeviceVlans().size(), 2u);

    emit c.list->cellClicked(VlanPage::DeleteColumn, 1);
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    Settle(page.get());
    EXPECT_EQ(DeviceVlans(), (std::vector<DeviceVlan>{{10, "office", "LAN", ""}}));

    messages->clear();
    c.disable->click();
    emit c.list->cellClicked(VlanPage::DeleteColumn, 0);
    EXPECT_EQ(messages->count(), 0);
    Settle(page.get());
    EXPECT_EQ(DeviceVlans().size(), 1u);
}

TEST_F(VlanPageTest, EnablingWarnsAndTheDeviceLiftsTheVlanLimitAndLeavesClientMode)
{
    struct Case {
        const char *limits[2]; // trbAdminVlanLimit, trbAdminIpLimit
        const char *apMode;
        QStringList warnings;
        const char *limitAfter;
    } cases[] = {
        {{"1", "1"}, "1", {"If VLAN Status enable, Limit Administrator Status will be disable!"}, "ipaddress"},
        {{"1", "0"}, "3", {"If VLAN Status enable, Limit Administrator Status will be disable!",
                            "If you enable VLAN, AP Mode will be set to 'Access Point'!"}, "disable"},
        {{"0", "1"}, "4", {"If you enable VLAN, AP Mode will be set to 'Access Point'!"}, "ipaddress"},
        {{"0", "0"}, "2", {}, "disable"}, // WDS with AP: no warning
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.apMode);
        ASSERT_TRUE(SnmpSet("trbVlanFunction.0", 'i', "0"));
        ASSERT_TRUE(SnmpSet("trbApMode.0", 'i', tc.apMode));
        ASSERT_TRUE(SnmpSet("trbAdminVlanLimit.0", 'i', tc.limits[0]));
        ASSERT_TRUE(SnmpSet("trbAdminIpLimit.0", 'i', tc.limits[1]));
        PageHolder page(OpenPage());
        messages->clear();
        page->controls().enable->click();
        page->controls().enable->click(); // the AP-mode warning once per read
        QStringList expected = tc.warnings;
        if (tc.warnings.size() && tc.warnings[0].startsWith("If VLAN"))
            expected << tc.warnings[0];
        EXPECT_EQ(messages->texts(), expected);
        page->controls().save->click();
        Settle(page.get());
        EXPECT_EQ(page->limitType().toStdString(), tc.limitAfter);
        EXPECT_EQ(SnmpGet("trbVlanFunction.0"), "enabled");
        const bool client = std::string(tc.apMode) == "3" || std::string(tc.apMode) == "4";
        EXPECT_EQ(SnmpGet("trbApMode.0"), client ? "accessPoint" : std::string(tc.apMode) == "2" ? "wdsWithAp" : "accessPoint");
    }
}

TEST_F(VlanPageTest, MixedModeShowsItsNameAndRefusesTheStatus)
{
    ASSERT_TRUE(SnmpSet("trbVlanMode.0", 'i', "1"));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(c.mode->text(), "Dynamic");
    c.enable->click();
    EXPECT_FALSE(c.name->isEnabled()) << "VLANs are edited only in static mode";
    EXPECT_FALSE(c.pvid->controls().autoOn->isEnabled());
    c.save->click();
    EXPECT_EQ(messages->texts(),
              QStringList{"VLAN doesn't take effect if one vlan mode is Static the other one is Dynamic!"});
    EXPECT_TRUE(c.disable->isChecked());
    Settle(page.get());
    EXPECT_EQ(SnmpGet("trbVlanFunction.0"), "disabled");
}

TEST_F(VlanPageTest, PortVidsAreSavedCheckedAndAssignedAutomatically)
{
    AddVlans({{200, "b", "LAN, Primary", ""}, {300, "a", "W-1", ""}});
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &p = c.pvid->controls();
    EXPECT_EQ(p.band->title(), "2.4GHZ");
    EXPECT_TRUE(p.portGroup->isEnabled());
    EXPECT_FALSE(p.ssids[4]->isVisibleTo(c.pvid)) << "S-4";
    for (const char *bad : {"0", "4095", ""}) {
        SCOPED_TRACE(bad);
        messages->clear();
        p.wds[2]->setText(bad);
        p.save->click();
        EXPECT_EQ(messages->texts(), QStringList{"The PVID value range is 1~4094."});
        EXPECT_EQ(messages->last().title, "Warning");
    }
    p.wds[2]->setText("300");
    p.ports[1]->setText("200");
    p.save->click();
    Settle(page.get());
    EXPECT_EQ(SnmpGet("trbVlanPortPvid.2"), "200");
    EXPECT_EQ(SnmpGet("trbVlanPortPvid.13"), "300") << "W-3";

    p.autoOn->click();
    EXPECT_FALSE(p.portGroup->isEnabled());
    p.save->click();
    Settle(page.get());
    EXPECT_EQ(SnmpGet("trbVlanPvidAuto.0"), "enabled");
    EXPECT_EQ(SnmpGet("trbVlanPortPvid.13"), "1");
    ASSERT_TRUE(WaitFor([&] { return p.wds[0]->text() == "300"; })) << "W-1 from its VLAN, re-read";
    EXPECT_EQ(p.ssids[0]->text(), "200");
}

// Each write selects the groups it stages itself: a narrower selection left by the write
// before it (and its read-back) must not drop what the user changed.
TEST_F(VlanPageTest, AWriteAfterAListChangeSendsEverythingItStages)
{
    using Step = std::function<void(VlanPage *)>;
    const Step addVlan = [](VlanPage *page) {
        Fill(page, "30", "lab");
        page->controls().formSave->click();
    };
    const Step deleteVlan = [](VlanPage *page) { emit page->controls().list->cellClicked(VlanPage::DeleteColumn, 1); };
    const Step autoPvids = [](VlanPage *page) {
        page->controls().pvid->controls().autoOn->click();
        page->controls().pvid->controls().save->click();
    };
    const Step disableAndSave = [](VlanPage *page) {
        page->controls().disable->click();
        page->controls().save->click();
    };
    const Step lanPvidByHand = [](VlanPage *page) {
        page->controls().pvid->controls().ports[1]->setText("10");
        page->controls().pvid->controls().save->click();
    };
    struct Case {
        const char *name;
        Step first, then;
        std::function<bool()> reached;
    } cases[] = {
        {"add, then disable", addVlan, disableAndSave, [&] { return SnmpGet("trbVlanFunction.0") == "disabled"; }},
        {"delete, then disable", deleteVlan, disableAndSave, [&] { return SnmpGet("trbVlanFunction.0") == "disabled"; }},
        {"delete, then a PVID", deleteVlan, lanPvidByHand, [&] { return SnmpGet("trbVlanPortPvid.2") == "10"; }},
        {"automatic PVIDs, then add", autoPvids, addVlan, [&] { return DeviceVlans().size() == 3; }},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.name);
        ASSERT_TRUE(SnmpSet("trbVlanPvidAuto.0", 'i', "0"));
        for (std::size_t left = DeviceVlans().size(); left > 0; --left)
            ASSERT_EQ(Stage([](APHANDLE h) { return apAdvVlanDelVlan(h, 0); }), 0);
        AddVlans({{10, "office", "LAN", ""}, {20, "guest", "S-1", ""}});
        PageHolder page(OpenPage());
        tc.first(page.get());
        Settle(page.get());
        tc.then(page.get());
        Settle(page.get());
        EXPECT_TRUE(tc.reached());
        EXPECT_FALSE(page->statusText().contains("Nothing to write")) << page->statusText().toStdString();
    }
}

TEST_F(VlanPageTest, WithVlanDisabledTheFormOnlyWritesTheStatus)
{
    AddVlans({{10, "office", "LAN", ""}}, 1);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.disable->click();
    c.formSave->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0);
    EXPECT_EQ(SnmpGet("trbVlanFunction.0"), "disabled");
    EXPECT_EQ(DeviceVlans().size(), 1u);
}

} // namespace
