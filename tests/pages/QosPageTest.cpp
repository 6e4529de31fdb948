// Advanced > QoS against the simulator: what the page shows, what reaches the device, each bad
// entry's message with nothing sent, deletions and edits that hit exactly the clicked rule, and a
// full rule table that refuses a new rule without touching the others.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <cstring>
#include <string>
#include <vector>

#include "ActionIconListCtrl.h"
#include "PageMessages.h"
#include "PageTestSupport.h"
#include "QosPage.h"
#include "QosRules.h"

using trb::MessageAnswer;
using trb::QosPage;
using namespace trb::test;

namespace {

enum { NameColumn, PriorityColumn, Host1Column, Host2Column, ProtocolColumn, IndexColumn, EditColumn, DeleteColumn };
constexpr int kSlots = 64;

apQosRule DeviceRule(int index, const std::string &name)
{
    apQosRule rule{};
    rule.index = index;
    rule.enabled = 1;
    std::strncpy(rule.name, name.c_str(), sizeof rule.name - 1);
    rule.priority = index % 4;
    rule.protocolNumber = 17;
    rule.protocol = 2;
    std::strcpy(rule.host1Start, "192.168.0.10");
    std::strcpy(rule.host1End, "192.168.0.20");
    rule.host1PortStart = 5000 + index;
    rule.host1PortEnd = 5100;
    std::strcpy(rule.host2Start, "0.0.0.0");
    std::strcpy(rule.host2End, "0.0.0.0");
    return rule;
}

bool SameRule(const apQosRule &a, const apQosRule &b)
{
    return a.index == b.index && a.enabled == b.enabled && std::strcmp(a.name, b.name) == 0 &&
           a.priority == b.priority && a.protocolNumber == b.protocolNumber && a.protocol == b.protocol &&
           std::strcmp(a.host1Start, b.host1Start) == 0 && std::strcmp(a.host1End, b.host1End) == 0 &&
           a.host1PortStart == b.host1PortStart && a.host1PortEnd == b.host1PortEnd &&
           std::strcmp(a.host2Start, b.host2Start) == 0 && a.host2PortStart == b.host2PortStart;
}

class QosPageTest : public PageTest {
protected:
    QosPage *OpenPage()
    {
        auto *page = new QosPage;
        page->resize(710, 730);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->refreshing() && !page->LastMessage().isEmpty(); }));
        return page;
    }

    int Write(uint32_t groups, const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE handle = apAdvQosOpen(session, 0);
        apStyleModify(handle, AP_QOS_GROUP_ALL, 0);
        int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        if (code == 0)
            code = stage(handle);
        apStyleModify(handle, groups, 1);
        if (code == 0)
            code = apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        apHandleClose(handle);
        return code;
    }

    // Rules first..last, eight to a request, QoS switched on.
    void AddRules(int first, int last)
    {
        for (int from = first; from <= last; from += 8)
            ASSERT_EQ(Write(AP_QOS_GROUP_RULES | AP_QOS_GROUP_SWITCHES,
                            [from, last](APHANDLE h) {
                                for (int i = from; i <= last && i < from + 8; ++i) {
                                    const apQosRule rule = DeviceRule(i, "rule" + std::to_string(i));
                                    if (int code = apAdvQosRuleEdit(h, &rule, 0))
                                        return code;
                                }
                                return apAdvQosParaSet(h, 1, 0, 1);
                            }),
                      0);
    }

    std::vector<apQosRule> DeviceRules(int *enable = nullptr, int *http = nullptr)
    {
        const APHANDLE handle = apAdvQosOpen(session, 0);
        apStyleModify(handle, AP_QOS_GROUP_ALL, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apAdvQosParaGet(handle, enable, http, nullptr, nullptr);
        apQosRuleList list{0, nullptr};
        apAdvQosListGet(handle, &list);
        std::vector<apQosRule> rows(list.count);
        list.rules = rows.data();
        apAdvQosListGet(handle, &list);
        apHandleClose(handle);
        std::erase_if(rows, [](const apQosRule &r) { return r.name[0] == '\0'; });
        return rows;
    }

    static void Settle(QosPage *page)
    {
        Spin(300);
        WaitFor([page] { return page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) == 0 && !page->refreshing(); }, 5000);
    }

    static void PressSpace(QWidget *list)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(list, &press);
    }

    // A valid rule in the form: UDP, host 1 192.168.0.10-20 port 80-80.
    static void FillForm(const QosPage::Controls &c, const QString &name)
    {
        c.name->setText(name);
        c.priority->setCurrentIndex(2); // Video
        c.protocol->setCurrentIndex(2);
        c.host1Start->setText("192.168.0.10");
        c.host1End->setText("192.168.0.20");
        c.host1PortStart->setText("80");
        c.host1PortEnd->setText("80");
    }
};

TEST_F(QosPageTest, ShowsTheSwitchesAndTheRulesWithTheirTexts)
{
    AddRules(1, 2);
    ASSERT_EQ(Write(AP_QOS_GROUP_RULES, [](APHANDLE h) {
                  apQosRule rule = DeviceRule(3, "icmp");
                  rule.enabled = 0, rule.priority = 3, rule.protocol = 4, rule.protocolNumber = 1;
                  rule.host1PortStart = rule.host1PortEnd = 0;
                  std::strcpy(rule.host2Start, "10.0.0.1");
                  std::strcpy(rule.host2End, "10.0.0.9");
                  rule.host2PortStart = 7, rule.host2PortEnd = 9;
                  return apAdvQosRuleEdit(h, &rule, 0);
              }),
              0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\ QoS");
    EXPECT_EQ(c.qos->currentText(), "Enable");
    EXPECT_FALSE(c.http->isChecked());
    EXPECT_TRUE(c.automatic->isChecked());
    ASSERT_EQ(c.list->rowCount(), 3);
    const QStringList row0{"rule1", "Video", "192.168.0.10 - 192.168.0.20", "Any", "UDP / 5001-5100 / Any", "1"};
    const QStringList row2{"icmp", "Backgroud", "192.168.0.10 - 192.168.0.20", "10.0.0.1 - 10.0.0.9",
                           "ICMP / Any / 7-9", "3"};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(c.list->cellText(0, column), row0[column]);
        EXPECT_EQ(c.list->cellText(2, column), row2[column]);
    }
    EXPECT_EQ(c.list->cellText(1, PriorityColumn), "Best Effort");
    EXPECT_TRUE(c.list->isRowChecked(0));
    EXPECT_FALSE(c.list->isRowChecked(2));
    EXPECT_TRUE(c.list->isColumnHidden(IndexColumn));
    EXPECT_EQ(c.protocolNumber->text(), "256");
    EXPECT_FALSE(c.protocolNumber->isEnabled());
    EXPECT_FALSE(c.host1PortStart->isEnabled()) << "protocol Any has no ports";

    c.qos->setCurrentIndex(0);
    for (QWidget *w : std::initializer_list<QWidget *>{c.http, c.automatic, c.name, c.priority, c.protocol,
                                                       c.host1Start, c.host2End, c.add, c.clear})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(c.list->isEnabled());
}

TEST_F(QosPageTest, AddSendsTheRuleWithItsCountsAndTheSwitches)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.qos->setCurrentIndex(1);
    c.http->setChecked(true);
    FillForm(c, "voip");
    EXPECT_EQ(c.protocolNumber->text(), "17");
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    int enable = -1, http = -1;
    const auto rules = DeviceRules(&enable, &http);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(enable, 1);
    EXPECT_EQ(http, 1);
    EXPECT_STREQ(rules[0].name, "voip");
    EXPECT_EQ(rules[0].priority, 1) << "drop-down index 2 is Video";
    EXPECT_EQ(rules[0].protocolNumber, 17);
    EXPECT_EQ(rules[0].host1Count, 11);
    EXPECT_EQ(rules[0].host1PortStart, 80);
    EXPECT_EQ(rules[0].host1PortCount, 1);
    EXPECT_STREQ(rules[0].host2Start, "0.0.0.0");
    EXPECT_TRUE(c.name->text().isEmpty()) << "the form is cleared after the re-read";
}

TEST_F(QosPageTest, IcmpGreysThePortsAndSendsProtocolOne)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.qos->setCurrentIndex(1);
    FillForm(c, "ping");
    c.protocol->setCurrentIndex(4);
    EXPECT_EQ(c.protocolNumber->text(), "1");
    EXPECT_FALSE(c.host1PortStart->isEnabled());
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    const auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].protocolNumber, 1);
    EXPECT_EQ(rules[0].host1PortStart, 0) << "greyed ports are not sent";
}

TEST_F(QosPageTest, BadEntriesAreRefusedWithTheirMessageAndNothingIsSent)
{
    AddRules(1, 1);
    struct Case {
        const char *field, *text, *message;
        int protocol = 2;
    } cases[] = {
        {"ruleNameEdit", "", "The QOS name field can not be blank!"},
        {"ruleNameEdit", "rule1", QosPage::kNameTaken},
        {"host1StartEdit", "", "Invalid IP Address!"},
        {"host1StartEdit", "127.0.0.1", "Invalid IP Address!"},
        {"host1EndEdit", "192.168.0.256", "Invalid IP Address!"},
        {"host1EndEdit", "192.168.1.20", "Invalid IP range."},
        {"host1EndEdit", "192.168.0.9", "Invalid IP range."},
        {"host2StartEdit", "abc", "Invalid IP Address!"},
        {"host2EndEdit", "10.0.0.5", "Invalid IP range."}, // host 2 start is 10.0.0.9 here
        {"host1PortEndEdit", "", "Invalid Port range"},
        {"host1PortEndEdit", "79", "Invalid Port range"},
        {"host2PortStartEdit", "70000", "Please enter an integer between 1 and 65535."},
        {"host2PortEndEdit", "x", "Please enter an integer."},
        {"protocolNumberEdit", "0", "Please enter an integer between 1 and 999.", 5},
        {"protocolNumberEdit", "", "Please enter an integer.", 5},
    };
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (const Case &tc : cases) {
        SCOPED_TRACE(std::string(tc.field) + " = '" + tc.text + "'");
        messages->clear();
        FillForm(c, "new");
        c.protocol->setCurrentIndex(tc.protocol);
        if (std::string(tc.field).starts_with("host2End"))
            c.host2Start->setText("10.0.0.9");
        auto *field = page->findChild<QLineEdit *>(tc.field);
        ASSERT_NE(field, nullptr);
        field->setText(tc.text);
        c.add->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_TRUE(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()));
        c.clear->click();
    }
    Settle(page.get());
    const auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_TRUE(SameRule(rules[0], DeviceRule(1, "rule1")));
}

TEST_F(QosPageTest, DeleteRemovesExactlyTheClickedRule)
{
    AddRules(1, 5);
    const auto before = DeviceRules();
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    messages->queueAnswer(MessageAnswer::Cancel);
    emit c.list->cellClicked(DeleteColumn, 2);
    Settle(page.get());
    EXPECT_EQ(messages->texts(), QStringList{"Are you sure that you want to delete this entry ?"});
    EXPECT_EQ(DeviceRules().size(), 5u) << "cancelled";

    emit c.list->cellClicked(DeleteColumn, 2);
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 4; }));
    auto after = DeviceRules();
    ASSERT_EQ(after.size(), 4u);
    const int kept[] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameRule(after[i], before[kept[i]])) << "rule " << before[kept[i]].name;

    // Rows and slot numbers no longer line up: the second row now holds slot 2, the third slot 4.
    Settle(page.get());
    emit c.list->cellClicked(DeleteColumn, 2);
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 3; }));
    after = DeviceRules();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_STREQ(after[0].name, "rule1");
    EXPECT_STREQ(after[1].name, "rule2");
    EXPECT_STREQ(after[2].name, "rule5");
}

TEST_F(QosPageTest, EditTakesTheRuleByItsIndexAndReplacesOnlyIt)
{
    AddRules(1, 5);
    ASSERT_EQ(Write(AP_QOS_GROUP_REMOVE, [](APHANDLE h) { return apAdvQosRuleDel(h, 2); }), 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(c.list->cellText(1, IndexColumn), "3");
    emit c.list->cellClicked(EditColumn, 1);
    EXPECT_EQ(page->editingIndex(), 3);
    EXPECT_EQ(c.name->text(), "rule3");
    EXPECT_EQ(c.priority->currentIndex(), 0) << "device priority 3 is the drop-down's first";
    EXPECT_EQ(c.protocol->currentText(), "UDP");
    EXPECT_EQ(c.host1PortStart->text(), "5003");
    EXPECT_TRUE(c.host2Start->text().isEmpty()) << "0.0.0.0 shows empty";
    EXPECT_TRUE(c.host2PortStart->text().isEmpty()) << "port 0 shows empty";

    c.priority->setCurrentIndex(3);
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->cellText(1, PriorityColumn) == "Voice"; }));
    const auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_EQ(rules[1].index, 3);
    EXPECT_EQ(rules[1].priority, 0);
    EXPECT_TRUE(SameRule(rules[2], DeviceRule(4, "rule4")));
    EXPECT_EQ(page->editingIndex(), 0);
}

TEST_F(QosPageTest, AFullTableRefusesAddAndReplacesNoRule)
{
    AddRules(1, kSlots);
    const auto before = DeviceRules();
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_EQ(c.list->rowCount(), kSlots);
    FillForm(c, "one more");
    c.add->click();
    EXPECT_EQ(messages->texts(), QStringList{QosPage::kTableFull});
    Settle(page.get());
    const auto after = DeviceRules();
    ASSERT_EQ(after.size(), size_t(kSlots));
    for (int i = 0; i < kSlots; ++i)
        EXPECT_TRUE(SameRule(after[i], before[i])) << i;
}

TEST_F(QosPageTest, ASlotTakenBehindThePageShowsTheDeviceErrorAndTheDevicesList)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    AddRules(1, 1); // another manager takes slot 1 after the page read
    c.qos->setCurrentIndex(1);
    FillForm(c, "mine");
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    Settle(page.get());
    EXPECT_EQ(c.list->cellText(0, NameColumn), "rule1") << "the list is the device's";
    EXPECT_TRUE(page->statusText().contains("inconsistentValue")) << page->statusText().toStdString();
    const auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_STREQ(rules[0].name, "rule1") << "the other manager's rule is not replaced";
}

TEST_F(QosPageTest, SaveResendsTheCheckStatesOnlyWithQosEnabled)
{
    AddRules(1, 2);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.list->selectRow(1);
    PressSpace(c.list);
    ASSERT_FALSE(c.list->isRowChecked(1));
    c.save->click();
    Settle(page.get());
    auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].enabled, 1);
    EXPECT_EQ(rules[1].enabled, 0);

    c.qos->setCurrentIndex(0);
    c.list->selectRow(0);
    PressSpace(c.list);
    EXPECT_TRUE(c.list->isRowChecked(0)) << "rules cannot be switched while QoS is off";
    c.list->SetRowChecked(0, false); // as a program may: still nothing is re-sent
    c.save->click();
    Settle(page.get());
    int enable = -1;
    rules = DeviceRules(&enable);
    EXPECT_EQ(enable, 0);
    EXPECT_EQ(rules[0].enabled, 1) << "no rule is re-sent with QoS off";
}

TEST_F(QosPageTest, SaveWithNoClassifierAndNoRuleWarnsAndSaves)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.automatic->setChecked(false);
    c.save->click();
    Settle(page.get());
    EXPECT_EQ(messages->texts(), QStringList{"All traffic will be treated as priority of 'Best Effort'\n because of "
                                             "priority classifier specified and empty rule table."});
    int enable = -1, http = -1, automatic = -1;
    const APHANDLE handle = apAdvQosOpen(session, 0);
    apStyleModify(handle, AP_QOS_GROUP_ALL, 0);
    ASSERT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
    apAdvQosParaGet(handle, &enable, &http, &automatic, nullptr);
    EXPECT_EQ(automatic, 0);
}

TEST_F(QosPageTest, ClientAndRepeaterModesForceQosOff)
{
    AddRules(1, 1);
    for (int mode : {3, 4}) { // wireless client, AP repeater (the library counts from 0)
        SCOPED_TRACE(mode);
        ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO, [mode](APHANDLE h) { return apWirelessSetApMode(h, 1, 0, mode); }), 0);
        PageHolder page(OpenPage());
        const auto &c = page->controls();
        EXPECT_EQ(c.qos->currentText(), "Disable");
        EXPECT_FALSE(c.qos->isEnabled());
        EXPECT_FALSE(c.add->isEnabled());
    }
    ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO, [](APHANDLE h) { return apWirelessSetApMode(h, 1, 0, 0); }), 0);
    PageHolder page(OpenPage());
    EXPECT_TRUE(page->controls().qos->isEnabled());
    EXPECT_EQ(page->controls().qos->currentText(), "Enable");
}

// The codec alone: what "Add" builds from the form and what "Edit" shows from a record.
TEST(QosRulesCodec, FormToRecordAndBack)
{
    trb::QosRuleForm form;
    form.name = "cam";
    form.priorityIndex = 1;
    form.protocolIndex = 3;
    form.protocolNumber = 257;
    form.host1Start = "10.1.1.5";
    form.host1PortStart = 554;
    form.host2Start = "10.1.2.1";
    form.host2End = "10.1.2.200";
    const apQosRule rule = trb::QosRules::ToRecord(form, 7);
    EXPECT_EQ(rule.index, 7);
    EXPECT_EQ(rule.priority, 2);
    EXPECT_STREQ(rule.host1End, "10.1.1.5") << "an empty end takes the start";
    EXPECT_EQ(rule.host1Count, 1);
    EXPECT_EQ(rule.host1PortEnd, 554) << "an empty port end takes the start";
    EXPECT_EQ(rule.host2Count, 200);
    EXPECT_STREQ(rule.host2Start, "10.1.2.1");
    const trb::QosRuleForm back = trb::QosRules::FromRecord(rule);
    EXPECT_EQ(back.name, "cam");
    EXPECT_EQ(back.priorityIndex, 1);
    EXPECT_EQ(back.host1End, "10.1.1.5");
    EXPECT_EQ(back.host2End, "10.1.2.200");
}

} // namespace
