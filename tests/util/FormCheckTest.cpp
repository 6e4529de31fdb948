#include "DataExchange.h"
#include "FormCheck.h"
#include "RecordingMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace trb;

namespace {

// A page with three line edits, shown so that focus and selection behave as for a user.
class FormCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&page);
        for (QLineEdit **edit : {&ipEdit, &maskEdit, &nameEdit}) {
            *edit = new QLineEdit(&page);
            layout->addWidget(*edit);
        }
        ipEdit->setText("10.0.0.255");
        maskEdit->setText("255.0.255.0");
        nameEdit->setText("ok");
        page.show();
    }

    QWidget page;
    QLineEdit *ipEdit = nullptr;
    QLineEdit *maskEdit = nullptr;
    QLineEdit *nameEdit = nullptr;
    RecordingMessageBox messages;
};

} // namespace

TEST_F(FormCheckTest, FailureShowsMessageFocusesAndSelectsTheLastField)
{
    DataExchange dx(DataExchange::Saving);
    QString ip;
    QString mask;
    EXPECT_TRUE(ExchangeText(dx, maskEdit, mask));
    EXPECT_TRUE(ExchangeText(dx, ipEdit, ip));
    EXPECT_FALSE(CheckHostIp(dx, ip, "Invalid IP Address!"));

    EXPECT_TRUE(dx.failed());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Invalid IP Address!");
    EXPECT_EQ(messages.last().title, "TRB-4820");
    EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.last().buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.last().parent, &page);
    EXPECT_EQ(page.focusWidget(), ipEdit);
    EXPECT_EQ(ipEdit->selectedText(), "10.0.0.255");
}

TEST_F(FormCheckTest, FirstFailureAbortsLaterChecksAndExchanges)
{
    DataExchange dx(DataExchange::Saving);
    QString ip;
    QString mask = "unchanged";
    ExchangeText(dx, ipEdit, ip);
    CheckHostIp(dx, ip, "Invalid IP Address!");
    EXPECT_FALSE(ExchangeText(dx, maskEdit, mask));
    EXPECT_FALSE(CheckSubnetMask(dx, mask, "Invalid Subnet Mask!"));
    EXPECT_FALSE(FailWith(dx, "never shown"));

    EXPECT_EQ(mask, "unchanged");
    EXPECT_EQ(messages.texts(), QStringList({"Invalid IP Address!"}));
    EXPECT_EQ(page.focusWidget(), ipEdit);
}

TEST_F(FormCheckTest, LoadingFillsControlsAndChecksNothing)
{
    DataExchange dx(DataExchange::Loading);
    QString ip = "1.2.3.4";
    QString empty;
    EXPECT_TRUE(ExchangeText(dx, ipEdit, ip));
    EXPECT_TRUE(CheckHostIp(dx, empty, "Invalid IP Address!"));
    EXPECT_TRUE(FailWith(dx, "never shown"));
    EXPECT_TRUE(CheckExactLength(dx, ip, "%1 %2", 3, "ASCII"));

    EXPECT_EQ(ipEdit->text(), "1.2.3.4");
    EXPECT_EQ(ipEdit->maxLength(), 32767); // loading sets no limit
    EXPECT_FALSE(dx.failed());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(FormCheckTest, LengthMessagesAreFormatted)
{
    const QString message = "The length of the passphrase should be %1~%2";
    for (int length : {8, 63}) {
        DataExchange dx(DataExchange::Saving);
        EXPECT_TRUE(CheckLengthRange(dx, QString(length, u'k'), 8, 63, message)) << length;
    }
    for (int length : {7, 64}) {
        RecordingMessageBox local;
        DataExchange dx(DataExchange::Saving);
        EXPECT_FALSE(CheckLengthRange(dx, QString(length, u'k'), 8, 63, message)) << length;
        EXPECT_EQ(local.texts(), QStringList({"The length of the passphrase should be 8~63"}));
    }

    RecordingMessageBox local;
    DataExchange dx(DataExchange::Saving);
    QString key;
    ExchangeText(dx, nameEdit, key);
    CheckExactLength(dx, key, "The Lenth of key must be %1 %2 number ", 10, "hexadecimal");
    EXPECT_EQ(local.texts(), QStringList({"The Lenth of key must be 10 hexadecimal number "}));
}

TEST_F(FormCheckTest, PlaceholdersAreReplacedByNumberInOnePass)
{
    const std::pair<QString, QString> cases[] = {
        {"at most %2", "at most 63"},
        {"%2 before %1", "63 before 8"},
        {"plain text", "plain text"},
        {"100% of %1", "100% of 8"},
        {"ends with %", "ends with %"},
    };
    for (const auto &[message, shown] : cases) {
        RecordingMessageBox local;
        DataExchange dx(DataExchange::Saving);
        CheckLengthRange(dx, "", 8, 63, message);
        EXPECT_EQ(local.texts(), QStringList({shown})) << message.toStdString();
    }
    RecordingMessageBox local;
    DataExchange dx(DataExchange::Saving);
    CheckExactLength(dx, "abc", "%1 %2", 5, "%1%2");
    EXPECT_EQ(local.texts(), QStringList({"5 %1%2"}));
}

TEST_F(FormCheckTest, ExactLengthLimitsTheFieldWhenItPasses)
{
    nameEdit->setText("12345");
    DataExchange dx(DataExchange::Saving);
    QString key;
    ExchangeText(dx, nameEdit, key);
    EXPECT_TRUE(CheckExactLength(dx, key, "%1 %2", 5, "ASCII"));
    EXPECT_EQ(nameEdit->maxLength(), 5);
    EXPECT_EQ(nameEdit->text(), "12345");
}

TEST_F(FormCheckTest, EachCheckPassesAndFailsOnItsOwnRule)
{
    using Check = std::function<bool(DataExchange &)>;
    struct Case {
        const char *name;
        Check check;
        bool passes;
    };
    const Case cases[] = {
        {"blank", [](DataExchange &d) { return CheckNotBlank(d, " \t ", "m"); }, false},
        {"empty", [](DataExchange &d) { return CheckNotBlank(d, "", "m"); }, false},
        {"not blank", [](DataExchange &d) { return CheckNotBlank(d, " a", "m"); }, true},
        {"edge", [](DataExchange &d) { return CheckNoEdgeBlanks(d, "a ", "m"); }, false},
        {"no edge", [](DataExchange &d) { return CheckNoEdgeBlanks(d, "a b", "m"); }, true},
        {"mail", [](DataExchange &d) { return CheckEmailAddress(d, "a@b.c", "m"); }, true},
        {"no mail", [](DataExchange &d) { return CheckEmailAddress(d, "", "m"); }, false},
        {"8-bit mail",
         [](DataExchange &d) { return CheckEmailAddress(d, QString::fromUtf8("a@\u00e9"), "m"); },
         false},
        {"name", [](DataExchange &d) { return CheckNameChars(d, "ap-1.lan", "m"); }, true},
        {"bad name", [](DataExchange &d) { return CheckNameChars(d, "ap 1", "m"); }, false},
        {"ascii", [](DataExchange &d) { return CheckAscii(d, "plain", "m"); }, true},
        {"8-bit", [](DataExchange &d) { return CheckAscii(d, QString::fromUtf8("\u00fc"), "m"); },
         false},
        {"device text", [](DataExchange &d) { return CheckDeviceText(d, "P@ss w0rd~!"); }, true},
        {"Latin-1 secret", [](DataExchange &d) { return CheckDeviceText(d, QString::fromUtf8("caf\u00e9")); }, false},
        {"secret beyond Latin-1", [](DataExchange &d) { return CheckDeviceText(d, QString::fromUtf8("\u20ac100")); }, false},
        {"control character", [](DataExchange &d) { return CheckDeviceText(d, "a\tb"); }, false},
        {"match", [](DataExchange &d) { return CheckMatch(d, "pw", "pw", "m"); }, true},
        {"no match", [](DataExchange &d) { return CheckMatch(d, "pw", "Pw", "m"); }, false},
        {"ip", [](DataExchange &d) { return CheckHostIp(d, "192.168.1.2", "m"); }, true},
        {"no ip", [](DataExchange &d) { return CheckHostIp(d, "", "m"); }, false},
        {"zero", [](DataExchange &d) { return CheckHostIpNotZero(d, "0.0.0.0", "m"); }, false},
        {"not zero", [](DataExchange &d) { return CheckHostIpNotZero(d, "10.0.0.1", "m"); }, true},
        {"mask", [](DataExchange &d) { return CheckSubnetMask(d, "255.255.0.0", "m"); }, true},
        {"bad mask", [](DataExchange &d) { return CheckSubnetMask(d, "255.0.255.0", "m"); }, false},
        {"flag", [](DataExchange &d) { return CheckFlag(d, true, "m"); }, true},
        {"no flag", [](DataExchange &d) { return CheckFlag(d, false, "m"); }, false},
        {"fail", [](DataExchange &d) { return FailWith(d, "m"); }, false},
    };
    for (const Case &c : cases) {
        RecordingMessageBox local;
        DataExchange dx(DataExchange::Saving);
        EXPECT_EQ(c.check(dx), c.passes) << c.name;
        EXPECT_EQ(dx.failed(), !c.passes) << c.name;
        EXPECT_EQ(local.count(), c.passes ? 0 : 1) << c.name;
    }
}

TEST_F(FormCheckTest, OtherControlsExchangeAndTakeTheFocus)
{
    auto *combo = new QComboBox(&page);
    combo->addItems({"Static IP( Manual)", "Dynamic IP( DHCP)"});
    auto *check = new QCheckBox("Enable", &page);
    page.layout()->addWidget(combo);
    page.layout()->addWidget(check);
    combo->show();
    check->show();

    DataExchange load(DataExchange::Loading);
    int index = 1;
    bool checked = true;
    ExchangeIndex(load, combo, index);
    ExchangeChecked(load, check, checked);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_TRUE(check->isChecked());

    DataExchange save(DataExchange::Saving);
    QString text;
    index = -1;
    ExchangeText(save, combo, text);
    ExchangeIndex(save, combo, index);
    EXPECT_EQ(text, "Dynamic IP( DHCP)");
    EXPECT_EQ(index, 1);
    CheckFlag(save, index == 0, "Static only");
    EXPECT_EQ(page.focusWidget(), combo);
}

TEST_F(FormCheckTest, FailureSurvivesADeletedControl)
{
    DataExchange dx(DataExchange::Saving);
    QString text;
    auto *edit = new QLineEdit(&page);
    ExchangeText(dx, edit, text);
    delete edit;
    EXPECT_FALSE(FailWith(dx, "gone"));
    EXPECT_EQ(messages.texts(), QStringList({"gone"}));
    EXPECT_EQ(messages.last().parent, nullptr);
}

TEST_F(FormCheckTest, CompositeFieldSelectsTheEditItsFocusGoesTo)
{
    // An address field built of several edits, with a "text" property and a focus proxy.
    auto *field = new QWidget(&page);
    auto *inner = new QLineEdit(field);
    field->setFocusProxy(inner);
    field->setProperty("text", "0.0.0.0");
    inner->setText("300");
    page.layout()->addWidget(field);
    field->show();

    DataExchange dx(DataExchange::Saving);
    QString ip;
    ExchangeText(dx, field, ip);
    EXPECT_EQ(ip, "0.0.0.0");
    CheckHostIpNotZero(dx, ip, "Invalid Gateway Address!");
    EXPECT_EQ(page.focusWidget(), inner);
    EXPECT_EQ(inner->selectedText(), "300");
}
