// The fault matrix over the catalogue's commands and file transfers: each write of a command (a
// restart, clearing a log or counters, a list's Delete All) and each request of an upload or a
// download, refused or lost in turn. The wait ends, the failure shows as one, and once a transfer
// is over the page's TFTP server takes no more files.
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include "FaultMatrixSupport.h"
#include "FormRows.h"
#include "PopupPage.h"
#include "RecordListCtrl.h"
#include "ScriptedFileDialogs.h"

using namespace trb;
using namespace trb::test;

namespace {

const QStringList kTransferTexts = {QStringLiteral("Upload"), QStringLiteral("Download")};
// Pressed by the other parts of the matrix, or only picking a file.
const QStringList kOtherTexts = {QStringLiteral("Save"),   QStringLiteral("Refresh"), QStringLiteral("Scan"),
                                 QStringLiteral("Detect"), QStringLiteral("Browse")};

// The page's named buttons that `wanted` picks, downloads before uploads: a download leaves the
// file its upload sends back.
QList<QPushButton *> Buttons(const PopupPage &page, const std::function<bool(const QPushButton &)> &wanted)
{
    QList<QPushButton *> buttons;
    for (QPushButton *button : page.content()->findChildren<QPushButton *>())
        if (!button->objectName().isEmpty() && wanted(*button))
            buttons.append(button);
    std::stable_partition(buttons.begin(), buttons.end(),
                          [](const QPushButton *button) { return button->text() == QLatin1String("Download"); });
    return buttons;
}

// Whether nothing listens on the UDP port: a server that has stopped.
bool PortFree(int port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(uint16_t(port));
    const bool free = bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return free;
}

// With the lists a manager fills (a Delete All has rows to delete) and the PC on the device's
// network (the log arrives).
class FaultMatrixCommand : public FaultMatrix {
protected:
    FaultMatrixCommand() : FaultMatrix({"--long-names"}) {}
    void SetUp() override
    {
        FaultMatrix::SetUp();
        ASSERT_TRUE(LoadFilledLists());
        UseLoopback();
    }

    // Whether the user can press it now, on its tab.
    bool Pressable(PopupPage *page, QPushButton *button)
    {
        ShowTabsOf(button);
        Spin(20);
        return button->isVisibleTo(page) && button->isEnabled();
    }

    // Presses the button as a user would and waits for the page and the device to be back (a
    // command may restart the device); the requests it made.
    Counts Press(PopupPage *page, QPushButton *button, const std::string &where, bool &held)
    {
        const Counts before = DeviceCounts();
        ShowTabsOf(button);
        button->click();
        held = WaitsEnded(page, where) && held;
        const Counts after = DeviceCounts();
        WaitFor([this] { return DeviceAnswers(); }, 8000);
        return {after.gets - before.gets, after.sets - before.sets, after.faults - before.faults};
    }

    // Ticks every row of the page's lists with check boxes, its scan first filling lists that
    // are empty; whether any row is ticked.
    bool ChooseRows(PopupPage *page)
    {
        QList<RecordListCtrl *> lists;
        for (RecordListCtrl *list : page->content()->findChildren<RecordListCtrl *>())
            if (list->hasCheckBoxes())
                lists << list;
        const auto rows = [&lists] {
            int count = 0;
            for (const RecordListCtrl *list : lists)
                count += list->rowCount();
            return count;
        };
        if (!lists.isEmpty() && rows() == 0) {
            for (const QString &text : {QStringLiteral("Scan"), QStringLiteral("Detect")})
                for (QPushButton *scan : ButtonsNamed(*page, text))
                    if (bool held = true; Pressable(page, scan))
                        Press(page, scan, "the scan that fills the list", held);
        }
        for (RecordListCtrl *list : lists)
            for (int row = 0; row < list->rowCount(); ++row)
                list->SetRowChecked(row, true);
        return rows() > 0;
    }

    void SkipSilent(const QPushButton *button, qsizetype boxesBefore)
    {
        row.skipped << button->objectName() + QStringLiteral(" sends nothing")
                           + (messages->count() > boxesBefore ? QStringLiteral(" (") + messages->last().text + u')' : QString());
    }

    // One faulted press: `plan` hits one request of it. A refused write must count as a failure;
    // a failure counted is shown as one and changes nothing shown. A read the page asks again (a
    // progress poll) may fail and the action still succeed: a success shown is then the device's.
    void PressUnderFault(PopupPage *page, QPushButton *button, const std::string &plan, const std::string &where,
                         bool refusedWrite, const char *action)
    {
        SCOPED_TRACE(where);
        Prepare(button);
        const Snapshot before = ShownValues(*page);
        const qsizetype boxes = messages->count();
        const int failedBefore = page->FailedRequests();
        Plan(plan);
        bool held = true;
        Press(page, button, where, held);
        Plan("clear");
        const bool failed = page->FailedRequests() > failedBefore;
        EXPECT_FALSE(refusedWrite && !failed) << where << ": a request the device refused counted as done";
        if (failed && refusedWrite) {
            held = FailureShown(page, where, boxes) && held;
            const std::string diff = Differences(before, ShownValues(*page));
            EXPECT_EQ(diff, "") << where << ": the refused request changed what the page shows:\n" << diff;
            held = held && diff.empty();
        } else if (failed && SuccessNoticed(boxes)) {
            const bool succeeded = DeviceSucceeded(button);
            EXPECT_TRUE(succeeded) << where << ": \"" << messages->last().text.toStdString()
                                   << "\" though the device did not succeed";
            held = held && succeeded;
        }
        held = held && (failed || !refusedWrite) && ServerClosed(where);
        Count(held, action);
    }

    // What a transfer's button needs before it is pressed: the file to send, the place to save.
    virtual void Prepare(QPushButton *) {}
    virtual bool ServerClosed(const std::string &) { return true; }
    virtual bool DeviceSucceeded(const QPushButton *) { return false; }
};

// Each write of a command, in turn, meets each fault that refuses a write.
TEST_P(FaultMatrixCommand, ARefusedCommandShowsAsRefusedAndEndsItsWait)
{
    part = "command";
    std::optional<PageHolder<PopupPage>> page(Open());
    QStringList names;
    for (QPushButton *button : Buttons(*page->get(), [](const QPushButton &button) {
             return !kOtherTexts.contains(button.text()) && !kTransferTexts.contains(button.text())
                    && !button.property(kWritesEditedRowProperty).toBool();
         }))
        names << button->objectName();
    if (names.isEmpty())
        row.skipped << QStringLiteral("no command button");
    for (const QString &objectName : names) {
        const std::string name = objectName.toStdString();
        const auto button = [&page, &objectName] { return page->get()->findChild<QPushButton *>(objectName); };
        if (!Pressable(page->get(), button())) {
            row.skipped << objectName + QStringLiteral(" not available");
            continue;
        }
        const qsizetype cleanBoxes = messages->count();
        bool held = true;
        // Where the user ticks the rows a command acts on (reclassifying access points), every
        // press has every row ticked.
        const bool choosing = ChooseRows(page->get());
        const int writes = Press(page->get(), button(), name + ", without a fault", held).sets;
        if (writes == 0) {
            SkipSilent(button(), cleanBoxes);
            continue;
        }
        if (choosing)
            ChooseRows(page->get());
        // A command that takes what it acts on (Delete All, Clear) meets each fault on the device
        // as it was, the page opened afresh.
        const bool once = !Pressable(page->get(), button()) || Press(page->get(), button(), name + ", again", held).sets == 0;
        for (int k = 0; k < writes; ++k) {
            for (const FaultKind &kind : kFaultKinds) {
                if (!kind.writeFails)
                    continue;
                if (once) {
                    page.reset();
                    ASSERT_TRUE(LoadFilledLists());
                    page.emplace(Open());
                }
                if (choosing)
                    ChooseRows(page->get());
                PressUnderFault(page->get(), button(),
                                "fault set all " + std::to_string(kind.count) + " " + kind.action + " after "
                                    + std::to_string(k),
                                name + ", write " + std::to_string(k + 1) + " of " + std::to_string(writes) + ", "
                                    + kind.name,
                                true, "command");
            }
        }
    }
}

// A file for each upload, by its button, that the device accepts, under a name the page takes.
struct Sample {
    const char *name;
    QByteArray bytes;
};

Sample SampleFor(const QString &upload)
{
    if (upload == QLatin1String("firmwareUploadButton"))
        return {"firmware.bin", FirmwareImageFile("1.3.00")};
    if (upload == QLatin1String("languageUploadButton"))
        return {"language.bin", FirmwareImageFile("Deutsch 1.3.00", "TRB-4820", true)};
    if (upload == QLatin1String("certificateUploadButton"))
        return {"device-cert.pem", TestDataFile("device-cert.pem")};
    if (upload == QLatin1String("keyUploadButton"))
        return {"device-key.pem", TestDataFile("device-key.pem")};
    return {};
}

// Each request of an upload or a download, in turn, refused or lost: every write under each fault,
// the first and the last read (the ones between are the same progress poll) lost or refused.
class FaultMatrixTransfer : public FaultMatrixCommand {
protected:
    QPushButton *BrowseFor(const QPushButton *upload) const
    {
        QString name = upload->objectName();
        name.replace(QLatin1String("UploadButton"), QLatin1String("BrowseButton"));
        name.replace(QLatin1String("uploadButton"), QLatin1String("browseButton"));
        return upload->window()->findChild<QPushButton *>(name);
    }

    // A download saves where the user says (the page adds its file type); an upload sends what
    // the Browse button picked: the file its page's download saved, else a sample the device
    // accepts.
    void Prepare(QPushButton *button) override
    {
        dialogs.emplace(); // no answer left over from a press that failed before asking
        if (button->text() == QLatin1String("Download")) {
            dialogs->queueAnswer(files.filePath(button->objectName()));
            return;
        }
        QString path = lastDownload;
        if (const Sample sample = SampleFor(button->objectName()); sample.name)
            path = WriteFile(QString::fromLatin1(sample.name), sample.bytes);
        QPushButton *browse = BrowseFor(button);
        ASSERT_NE(browse, nullptr) << button->objectName().toStdString() << ": no Browse button beside it";
        ASSERT_FALSE(path.isEmpty()) << button->objectName().toStdString() << ": no sample file";
        dialogs->queueAnswer(path);
        browse->click();
    }

    // The file a download saved: under the name given, with the page's file type added.
    QString Saved(const QPushButton *download) const
    {
        const QDir folder(files.path());
        const QStringList found = folder.entryList({download->objectName() + u'*'}, QDir::Files);
        return found.isEmpty() ? QString() : folder.filePath(found.first());
    }

    // After the transfer the page's server takes nothing: it has stopped, or it refuses a file
    // sent to it now.
    bool ServerClosed(const std::string &where) override
    {
        const bool refused = PortFree(tftpPort) || !DeviceUpload::Put(tftpPort, "late.bin", QByteArray(600, 'x'));
        EXPECT_TRUE(refused) << where << ": the page's TFTP server still takes files after the transfer";
        return refused;
    }

    // The device's own word on the upload, or the file a download saved.
    bool DeviceSucceeded(const QPushButton *button) override
    {
        if (button->text() == QLatin1String("Download"))
            return QFileInfo(Saved(button)).size() > 0;
        const std::string status = SnmpGet("trbTftpStatus.0");
        return status == "success" || status == "correct";
    }

    std::optional<ScriptedFileDialogs> dialogs;
    QString lastDownload;
};

TEST_P(FaultMatrixTransfer, AFailedTransferShowsAsFailedEndsItsWaitAndClosesTheServer)
{
    part = "transfer";
    std::optional<PageHolder<PopupPage>> page(Open());
    QStringList names;
    for (QPushButton *button :
         Buttons(*page->get(), [](const QPushButton &button) { return kTransferTexts.contains(button.text()); }))
        names << button->objectName();
    if (names.isEmpty())
        row.skipped << QStringLiteral("no transfer");
    QString previousName;
    for (const QString &objectName : names) {
        const std::string name = objectName.toStdString();
        const auto button = [&page, &objectName] { return page->get()->findChild<QPushButton *>(objectName); };
        const bool upload = button()->text() == QLatin1String("Upload");
        // An upload is enabled once its file is chosen.
        const auto ready = [&] {
            if (upload)
                Prepare(button());
            return Pressable(page->get(), button());
        };
        if (!ready()) {
            row.skipped << objectName + QStringLiteral(" not available");
            continue;
        }
        if (!upload)
            Prepare(button());
        const qsizetype cleanBoxes = messages->count();
        bool held = true;
        const Counts clean = Press(page->get(), button(), name + ", without a fault", held);
        Count(held && ServerClosed(name + ", without a fault"), "transfer");
        if (clean.sets + clean.gets == 0) {
            SkipSilent(button(), cleanBoxes);
            continue;
        }
        if (!upload)
            lastDownload = Saved(button());
        const QString previous = previousName;
        previousName = objectName;
        // A transfer that changes what comes next (a certificate, then its key) meets a fault on a
        // page opened afresh.
        bool available = true;
        const auto underFault = [&](const std::string &plan, const std::string &where, bool refusedWrite) {
            if (available && !ready()) {
                page.reset();
                ASSERT_TRUE(LoadFilledLists());
                page.emplace(Open());
                available = ready();
                // A transfer that follows another (a key after its certificate): that one first.
                if (!available && !previous.isEmpty()) {
                    QPushButton *first = page->get()->findChild<QPushButton *>(previous);
                    bool clean = true;
                    Prepare(first);
                    Press(page->get(), first, previous.toStdString() + ", before " + name, clean);
                    available = clean && ready();
                }
                if (!available)
                    row.skipped << objectName + QStringLiteral(": faults not tried, not available on a fresh page");
            }
            if (available)
                PressUnderFault(page->get(), button(), plan, where, refusedWrite, "transfer");
        };
        for (int k = 0; k < clean.sets; ++k)
            for (const FaultKind &kind : kFaultKinds)
                if (kind.writeFails)
                    underFault("fault set all " + std::to_string(kind.count) + " " + kind.action + " after "
                                   + std::to_string(k),
                               name + ", write " + std::to_string(k + 1) + " of " + std::to_string(clean.sets) + ", "
                                   + kind.name,
                               true);
        std::vector<int> reads;
        if (clean.gets > 0)
            reads.push_back(0);
        if (clean.gets > 1)
            reads.push_back(clean.gets - 1);
        if (clean.gets > 2)
            row.skipped << objectName + QStringLiteral(": reads 2 to %1 of %2 (the same poll)").arg(clean.gets - 1).arg(clean.gets);
        // The device's error statuses all end a read alike: one of them stands for the rest.
        for (int k : reads)
            for (const FaultKind &kind : kFaultKinds)
                if (kind.readFails && kind.writeFails && (kind.name == std::string("drop") || kind.name == std::string("genErr")))
                    underFault("fault get all " + std::to_string(kind.count) + " " + kind.action + " after "
                                   + std::to_string(k),
                               name + ", read " + std::to_string(k + 1) + " of " + std::to_string(clean.gets) + ", "
                                   + kind.name,
                               false);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixCommand, ::testing::Range(0, int(kPageKindCount)), PageName);
INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixTransfer, ::testing::Range(0, int(kPageKindCount)), PageName);

} // namespace
