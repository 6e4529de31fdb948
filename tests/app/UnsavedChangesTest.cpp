// The journal of changes the device holds only until it restarts: what pages add to it, what
// empties it, the status bar, the list, the close question and the file it survives a crash in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "AdminPage.h"
#include "ArpSpoofingPage.h"
#include "ChangeJournal.h"
#include "IpAddressEdit.h"
#include "LanPage.h"
#include "MainFrame.h"
#include "ProcessValues.h"
#include "QtWait.h"
#include "RecordingMessageBox.h"
#include "SimulatorProcess.h"
#include "UnsavedChangesDialog.h"

using namespace trb;
using test::WaitFor;

namespace {

class UnsavedChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        simulator = std::make_unique<test::SimulatorProcess>(std::vector<std::string>{"--reboot-seconds", "1"});
        ASSERT_TRUE(simulator->ok()) << simulator->error();
        sessionHandle = apSnmpOpenSession(35, "trb3710");
        apSnmpSetSession(sessionHandle, 161, "public", "private", 30, simulator->address().c_str(), 1);
        journal = std::make_unique<ChangeJournal>(directory.filePath("unsaved.json"));
        ChangeJournal::SetCurrent(journal.get());
        frame = std::make_unique<MainFrame>(QStringLiteral("10.0.0.1"));
        frame->show();
    }
    void TearDown() override
    {
        frame.reset();
        journal.reset();
        apHandleClose(sessionHandle);
    }

    template <typename Page>
    Page *Open(PageKind kind)
    {
        auto *page = qobject_cast<Page *>(frame->OpenPage(kind));
        EXPECT_NE(page, nullptr);
        EXPECT_TRUE(WaitFor([page] { return page->ShowsDeviceValues() && page->RequestsInFlight() == 0; }));
        return page;
    }
    // A Save click, then until its write and the read after it are over.
    static void Click(SettingsPage *page, QPushButton *button)
    {
        button->click();
        test::Spin(200);
        WaitFor([page] { return page->RequestsInFlight() == 0 && !page->ReadInFlight(); }, 5000);
        test::Spin(100);
    }
    // The administrator's password changed from the simulator's "admin", with the page's other edits.
    static void SavePassword(AdminPage *admin, const QString &password)
    {
        const auto &a = admin->controls();
        a.oldPassword->setText(QStringLiteral("admin"));
        a.newPassword->setText(password);
        a.confirmPassword->setText(password);
        Click(admin, a.save);
    }
    QString ButtonText() const
    {
        return frame->unsavedChangesButton()->isVisible() ? frame->unsavedChangesButton()->text() : QString();
    }
    // The device's own restart command, sent behind the module's back.
    int RestartDevice()
    {
        APHANDLE handle = apSysCommandObjOpen(sessionHandle, 0);
        int code = apSysCommand(handle, 0, 3000);
        if (code == 0)
            code = apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
        apHandleClose(handle);
        return code;
    }
    void ChangeGateway(const QString &gateway)
    {
        auto *lan = Open<LanPage>(PageKind::Lan);
        lan->controls().gateway->setText(gateway);
        Click(lan, lan->controls().save);
        lan->close();
    }
    QByteArray FileBytes() const
    {
        QFile file(journal->filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir directory;
    std::unique_ptr<test::SimulatorProcess> simulator;
    std::unique_ptr<ChangeJournal> journal;
    std::unique_ptr<MainFrame> frame;
    RecordingMessageBox messages;
};

// The texts of the list, page by page: "page: label old -> new".
QStringList ListTexts(const QTreeWidget &list)
{
    QStringList texts;
    for (int p = 0; p < list.topLevelItemCount(); ++p) {
        const QTreeWidgetItem *page = list.topLevelItem(p);
        for (int i = 0; i < page->childCount(); ++i) {
            const QTreeWidgetItem *entry = page->child(i);
            texts << page->text(0) + ": " + entry->text(0) + " " + entry->text(1) + " -> " + entry->text(2);
        }
    }
    return texts;
}

TEST_F(UnsavedChanges, WritesOnThreePagesAreCountedAndListedByPageWithoutSecretsUntilSaveAndActive)
{
    ChangeGateway(QStringLiteral("192.168.1.254"));
    EXPECT_EQ(ButtonText(), "1 change not saved");

    auto *admin = Open<AdminPage>(PageKind::Administration);
    const auto &a = admin->controls();
    a.systemName->setText(QStringLiteral("Hall"));
    SavePassword(admin, QStringLiteral("s3cret"));

    auto *arp = Open<ArpSpoofingPage>(PageKind::ArpSpoofing);
    arp->controls().state->setCurrentIndex(1);
    arp->controls().ip->setText(QStringLiteral("10.0.0.1"));
    arp->controls().mac->setText(QStringLiteral("021a4820abcd"));
    Click(arp, arp->controls().add);
    ASSERT_EQ(messages.count(), 0) << messages.texts().join("|").toStdString();

    const int count = journal->count();
    const QString adminTitle = admin->pageTitle(), arpTitle = arp->pageTitle();
    for (QWidget *page : {static_cast<QWidget *>(admin), static_cast<QWidget *>(arp)})
        page->close(); // the main window takes input again
    QStringList listed;
    QTimer::singleShot(300, [&] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<UnsavedChangesDialog *>(window); dialog && dialog->isVisible()) {
                listed = ListTexts(*dialog->list());
                dialog->findChild<QPushButton *>("saveAndActiveButton")->click();
            }
    });
    frame->unsavedChangesButton()->click();
    const QStringList expected = {
        "Basic \\ LAN: Default Gateway 192.168.1.1 -> 192.168.1.254",
        adminTitle + ": New Password  -> changed", // secrets are only said to have changed
        adminTitle + ": Old Password  -> changed",
        adminTitle + ": System Name TRB-4820 -> Hall",
        arpTitle + ": ARP Spoofing Prevention Disable -> Enable",
        arpTitle + ": Gateway Address List  -> 10.0.0.1 | 021A4820ABCD", // the row the list gained
    };
    EXPECT_EQ(listed, expected) << listed.join("\n").toStdString();
    EXPECT_EQ(count, expected.size());

    // Save And Active: its question, then the device keeps it all and the journal is empty.
    ASSERT_GE(messages.count(), 1);
    EXPECT_EQ(messages.shown().first().text, "Device will Save and active, continue?");
    EXPECT_TRUE(WaitFor([&] { return journal->count() == 0; }, 5000));
    EXPECT_EQ(ButtonText(), ChangeJournal::kSavedReason);
    EXPECT_FALSE(QFile::exists(journal->filePath()));
}

TEST_F(UnsavedChanges, TheFileIsTheUsersOwnAndHoldsNoSecret)
{
    auto *admin = Open<AdminPage>(PageKind::Administration);
    const auto &a = admin->controls();
    a.location->setText(QStringLiteral("Roof"));
    SavePassword(admin, QStringLiteral("Pa55-word"));
    ASSERT_GE(journal->count(), 2);
    const QByteArray bytes = FileBytes();
    EXPECT_TRUE(bytes.contains("Roof"));
    EXPECT_FALSE(bytes.contains("Pa55-word"));
    EXPECT_FALSE(bytes.contains("admin"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(journal->filePath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(UnsavedChanges, ARefusedWriteOrOneThatChangesNothingAddsNothing)
{
    ASSERT_EQ(simulator->control("fault set trbLanGateway 1 error commitFailed"), "ok");
    ChangeGateway(QStringLiteral("192.168.1.254"));
    EXPECT_EQ(journal->count(), 0);
    EXPECT_EQ(ButtonText(), "");

    auto *lan = Open<LanPage>(PageKind::Lan);
    Click(lan, lan->controls().save); // what the device holds already
    EXPECT_EQ(journal->count(), 0);
}

TEST_F(UnsavedChanges, ADeviceRestartEmptiesItAndTheStatusBarSaysWhy)
{
    ChangeGateway(QStringLiteral("192.168.1.254"));
    ASSERT_EQ(journal->count(), 1);
    test::Spin(2500); // the status poll has seen the device's up time
    ASSERT_EQ(RestartDevice(), 0);
    EXPECT_TRUE(WaitFor([&] { return journal->count() == 0; }, 10000));
    EXPECT_EQ(ButtonText(), ChangeJournal::kRebootedReason);
}

TEST_F(UnsavedChanges, ClosingWithChangesAsksOnceAndClosesOnlyOnceTheyAreSaved)
{
    ChangeGateway(QStringLiteral("192.168.1.254"));
    ASSERT_EQ(journal->count(), 1);
    messages.clear();
    messages.queueAnswer(MessageAnswer::Cancel);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text,
              "1 change is not saved on the device and will be lost when it restarts. Save And Active before closing?");
    EXPECT_EQ(messages.last().buttons, MessageButtons::SaveCloseCancel);

    messages.queueAnswer(MessageAnswer::Yes);
    frame->close();
    EXPECT_EQ(messages.count(), 2) << "no second question before saving";
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(journal->count(), 0);
    std::ifstream saved(simulator->stateFile());
    const std::string state((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(state.find("192.168.1.254"), std::string::npos) << "saved on the device";
}

TEST(UnsavedChangesFile, SurvivesTheModuleAndIsDroppedWhenTheDeviceRestartedSince)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("state/trb4820/unsaved.json");
    {
        ChangeJournal journal(path);
        journal.NoteDeviceUpTime(100000);
        journal.Add({{"Basic \\ LAN", "Gateway IP Address", "192.168.1.1", "192.168.1.254", QDateTime::currentDateTime()}});
    }
    {
        ChangeJournal again(path);
        ASSERT_EQ(again.count(), 1) << "kept across a crash";
        EXPECT_EQ(again.entries().first().newValue, "192.168.1.254");
        again.NoteDeviceUpTime(100100); // the same boot, a second later
        EXPECT_EQ(again.count(), 1);
    }
    ChangeJournal afterRestart(path);
    ASSERT_EQ(afterRestart.count(), 1);
    QString reason;
    QObject::connect(&afterRestart, &ChangeJournal::cleared, [&](const QString &why) { reason = why; });
    afterRestart.NoteDeviceUpTime(3000); // 30 s up: it restarted while the module was away
    EXPECT_EQ(afterRestart.count(), 0);
    EXPECT_EQ(reason, ChangeJournal::kRebootedReason);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
