// Maintenance > Firmware and SSL against the simulator: each file really crosses from the page's
// TFTP server to the device's client, and the page reports what the device made of it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "ConfigFilePage.h"
#include "FileTransfer.h"
#include "FilterPage.h"
#include "FirmwareSslPage.h"
#include "LogPage.h"
#include "PleaseWaitDialog.h"
#include "ProcessValues.h"
#include "TransferTestSupport.h"

using trb::FirmwareSslPage;
using namespace trb::test;

namespace {

using Row = FirmwareSslPage::Row;

class FirmwareSslPageTest : public TransferPageTest {
protected:
    explicit FirmwareSslPageTest(int port = FreeUdpPort(), std::vector<std::string> extraArgs = {})
        : TransferPageTest(port, std::move(extraArgs)) {}
    FirmwareSslPage *OpenPage()
    {
        auto *page = new FirmwareSslPage;
        page->show();
        EXPECT_TRUE(WaitFor([page] { return page->controls().version->text() != "1.0000"; }));
        return page;
    }
    // Starts the row's upload of `path`.
    void Upload(FirmwareSslPage *page, Row row, const QString &path)
    {
        page->controls().path[row]->setText(path);
        page->controls().upload[row]->click();
    }
    // The wait over, and the read that may follow it done (the page takes input again).
    static bool Finished(FirmwareSslPage *page)
    {
        return !page->transfer().TimerActive(9) && !page->waitDialog() && page->content()->isEnabled();
    }
};

TEST_F(FirmwareSslPageTest, AGoodImageUpgradesTheVersion)
{
    UseLoopback();
    PageHolder page(OpenPage());
    EXPECT_EQ(page->controls().version->text(), "1.2.07");
    Upload(page.get(), Row::FirmwareRow, WriteFile("fw-1.3.00.bin", FirmwareImageFile("1.3.00")));
    EXPECT_EQ(trb::transferInProgress, 1) << "the status poll stays away meanwhile";
    ASSERT_TRUE(WaitFor([&] { return messages->count() > 0; }, 20000));
    EXPECT_EQ(messages->texts(), QStringList{"Upgrading file success !"});
    EXPECT_TRUE(WaitFor([&] { return page->controls().version->text() == "1.3.00"; }));
    EXPECT_EQ(SnmpGet("trbFirmwareVersion.0"), "1.3.00");
    EXPECT_TRUE(page->controls().path[Row::FirmwareRow]->text().isEmpty());
    EXPECT_EQ(trb::transferInProgress, 0);
}

TEST_F(FirmwareSslPageTest, ARefusedImageSaysWrongImageAndKeepsTheVersion)
{
    UseLoopback();
    struct Case {
        const char *name;
        QByteArray file;
    };
    QByteArray badCrc = FirmwareImageFile("1.3.00");
    badCrc[badCrc.size() - 1] = char(badCrc.back() ^ 0x55);
    const Case cases[] = {{"foreign.bin", FirmwareImageFile("1.3.00", "TRB-3710")}, {"damaged.bin", badCrc}};
    PageHolder page(OpenPage());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        messages->clear();
        Upload(page.get(), Row::FirmwareRow, WriteFile(c.name, c.file));
        ASSERT_TRUE(WaitFor([&] { return messages->count() > 0; }, 20000));
        EXPECT_EQ(messages->texts(), QStringList{"Wrong Image File!"});
        EXPECT_EQ(page->outcome(), FirmwareSslPage::Outcome::Failed);
        ASSERT_TRUE(WaitFor([&] { return Finished(page.get()); }, 20000));
        EXPECT_EQ(messages->count(), 1) << "the end of the wait adds nothing";
        EXPECT_EQ(SnmpGet("trbFirmwareVersion.0"), "1.2.07");
    }
}

TEST_F(FirmwareSslPageTest, ACertificateThenItsKeyFlipTheButtonsAndInstall)
{
    UseLoopback();
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_FALSE(c.upload[Row::KeyRow]->isEnabled()) << "a key goes after its certificate";
    const struct {
        Row row;
        const char *file;
        bool certificateEnabled;
    } steps[] = {{Row::CertificateRow, "device-cert.pem", false}, {Row::KeyRow, "device-key.pem", true}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.file);
        messages->clear();
        Upload(page.get(), step.row, WriteFile(step.file, TestDataFile(step.file)));
        ASSERT_TRUE(WaitFor([&] { return Finished(page.get()); }, 20000));
        EXPECT_EQ(messages->texts(), QStringList{"Upgrading file success !"});
        EXPECT_EQ(c.upload[Row::CertificateRow]->isEnabled(), step.certificateEnabled);
        EXPECT_EQ(c.browse[Row::KeyRow]->isEnabled(), !step.certificateEnabled);
    }
    EXPECT_EQ(SnmpGet("trbSslCertificateSubject.0"), "CN = trb4820-test");
    EXPECT_FALSE(SnmpGet("trbSslKeyFingerprint.0").empty());
}

TEST_F(FirmwareSslPageTest, BadFilesAreRefusedBeforeTheDeviceIsAsked)
{
    UseLoopback();
    const struct {
        Row row;
        const char *name; // "" for an empty field
        bool create;
        QString message;
    } cases[] = {
        {Row::FirmwareRow, "", false, "Empty file is not accepted!"},
        {Row::FirmwareRow, "IMAGE.BIN", true, "File format error! Please try again!"},
        {Row::CertificateRow, "cert.crt", true, "File format error! Please try again!"},
        {Row::LanguageRow, "", false, "Empty file is not accepted!"},
        {Row::FirmwareRow, "missing.bin", false, ""}, // names a file that is not there
        // The library takes names of up to 127 bytes: a longer one is refused, and said so.
        {Row::FirmwareRow, "", true, "The device cannot be asked to move this file (Invalid argument). Nothing was sent."},
    };
    const QByteArray longName = QByteArray(130, 'f') + ".bin";
    PageHolder page(OpenPage());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        messages->clear();
        const char *name = c.create && !*c.name ? longName.constData() : c.name;
        const QString path = !*name ? QString() : c.create ? WriteFile(name, "x") : files.filePath(name);
        Upload(page.get(), c.row, path);
        ASSERT_EQ(messages->count(), 1);
        if (c.message.isEmpty())
            EXPECT_TRUE(messages->last().text.contains("does not exist")) << messages->last().text.toStdString();
        else
            EXPECT_EQ(messages->last().text, c.message);
        EXPECT_EQ(page->waitDialog(), nullptr);
        EXPECT_EQ(trb::transferInProgress, 0);
        EXPECT_EQ(SnmpGet("trbTftpFileName.0"), "") << "the device was told nothing";
    }
}

TEST_F(FirmwareSslPageTest, ADeviceThatNeverFetchesGetsNoSuccess)
{
    // No interface on the device's network: the device gets no PC address and fetches nothing.
    PageHolder page(OpenPage());
    Upload(page.get(), Row::CertificateRow, WriteFile("device-cert.pem", TestDataFile("device-cert.pem")));
    ASSERT_TRUE(WaitFor([&] { return Finished(page.get()); }, 20000));
    EXPECT_EQ(messages->texts(), QStringList{"The device did not fetch the file from this computer. Nothing was updated."});
    EXPECT_EQ(SnmpGet("trbSslCertificateSubject.0"), "");
}

// The device keeps saying "success" after a transfer until the next one starts: a transfer that
// never reaches it is no success, and the poll it held off resumes whatever happens.
TEST_F(FirmwareSslPageTest, OnlyThisTransfersVerdictCountsAndThePollAlwaysResumes)
{
    UseLoopback();
    PageHolder page(OpenPage());
    Upload(page.get(), Row::CertificateRow, WriteFile("device-cert.pem", TestDataFile("device-cert.pem")));
    ASSERT_TRUE(WaitFor([&] { return Finished(page.get()); }, 20000));
    ASSERT_EQ(messages->texts(), QStringList{"Upgrading file success !"});
    ASSERT_EQ(SnmpGet("trbTftpStatus.0"), "success");
    const struct {
        const char *fault;
        Row row;
        const char *file;
        QString message;
    } cases[] = {
        {"fault set 20 -1 error genErr", Row::KeyRow, "device-key.pem", // no transfer command reaches the device
         "The device did not fetch the file from this computer. Nothing was updated."},
        {"fault get 20 -1 error genErr", Row::FirmwareRow, "fw.bin", // its status cannot be read
         "The device fetched the file but did not report it as applied."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_EQ(simulator->control(c.fault), "ok");
        messages->clear();
        const QByteArray bytes = c.row == Row::FirmwareRow ? FirmwareImageFile("1.3.00") : TestDataFile(c.file);
        Upload(page.get(), c.row, WriteFile(c.file, bytes));
        EXPECT_EQ(trb::transferInProgress, 1);
        ASSERT_TRUE(WaitFor([&] { return Finished(page.get()); }, 20000));
        EXPECT_EQ(messages->texts(), QStringList{c.message});
        EXPECT_EQ(trb::transferInProgress, 0) << "the status poll resumes";
        EXPECT_TRUE(mainWindow->isEnabled());
        ASSERT_EQ(simulator->control("clear"), "ok");
    }
}

// However a transfer page goes in the middle of its wait, the wait ends with it.
TEST_F(FirmwareSslPageTest, EveryTransferPageEndsItsWaitWhenClosedOrDestroyed)
{
    const QString firmware = WriteFile("fw.bin", FirmwareImageFile("1.3.00"));
    const QString acl = WriteFile("list.acl", "021a48200001\n");
    const QString config = WriteFile("settings.dcf", "TRB4820-DCF 1\n");
    const struct {
        const char *page;
        std::function<trb::PopupPage *()> start; // the page open and its transfer under way
    } pages[] = {
        {"firmware", [&]() -> trb::PopupPage * {
             FirmwareSslPage *page = OpenPage();
             Upload(page, Row::FirmwareRow, firmware);
             return page;
         }},
        {"filter", [&]() -> trb::PopupPage * {
             auto *page = new trb::FilterPage;
             page->show();
             EXPECT_TRUE(WaitFor([page] { return !page->refreshing(); }));
             page->controls().uploadFile->setText(acl);
             page->StartAclUpload();
             return page;
         }},
        {"configuration file", [&]() -> trb::PopupPage * {
             auto *page = new trb::ConfigFilePage;
             page->show();
             EXPECT_TRUE(WaitFor([page] { return page->ShowsDeviceValues(); }));
             page->controls().uploadPath->setText(config);
             page->Upload();
             return page;
         }},
        {"log", [&]() -> trb::PopupPage * {
             auto *page = new trb::LogPage;
             page->show();
             return page;
         }},
    };
    for (const auto &p : pages) {
        for (const bool destroy : {false, true}) {
            SCOPED_TRACE(std::string(p.page) + (destroy ? " destroyed" : " closed"));
            QPointer<trb::PopupPage> page = p.start();
            ASSERT_TRUE(page);
            EXPECT_FALSE(mainWindow->isEnabled()) << "the wait has begun";
            if (destroy)
                delete page.data();
            else
                page->close();
            EXPECT_EQ(trb::transferInProgress, 0);
            EXPECT_TRUE(mainWindow->isEnabled());
            for (QWidget *window : QApplication::topLevelWidgets())
                EXPECT_FALSE(qobject_cast<trb::PleaseWaitDialog *>(window) && window->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_FALSE(page) << "a closed page goes";
            delete page.data();
            Spin(50);
        }
    }
}

TEST_F(FirmwareSslPageTest, OnlyTheDeviceGetsTheFileAndABusyPortIsSaidPlainly)
{
    UseLoopback();
    PageHolder page(OpenPage());
    // A stranger asks the page's server for the file of the transfer in progress.
    Upload(page.get(), Row::CertificateRow, WriteFile("device-cert.pem", TestDataFile("device-cert.pem")));
    const int stranger = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.2", &from.sin_addr);
    ASSERT_EQ(bind(stranger, reinterpret_cast<sockaddr *>(&from), sizeof from), 0);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(uint16_t(tftpPort));
    inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
    const char request[] = "\0\1device-cert.pem\0octet";
    sendto(stranger, request, sizeof request, 0, reinterpret_cast<sockaddr *>(&server), sizeof server);
    timeval wait{2, 0};
    setsockopt(stranger, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    unsigned char answer[516] = {};
    const ssize_t got = recv(stranger, answer, sizeof answer, 0);
    close(stranger);
    ASSERT_GE(got, 4);
    EXPECT_EQ(answer[1], 5) << "an error packet";
    EXPECT_EQ(answer[3], 2) << "access violation";
    ASSERT_TRUE(WaitFor([&] { return Finished(page.get()); }, 20000));
    EXPECT_EQ(messages->texts(), QStringList{"Upgrading file success !"}) << "the device was served all the same";

    // Another program holds the page's port: the upload stops before the device is told anything.
    page->transfer().server().Stop();
    const int holder = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(uint16_t(tftpPort));
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr *>(&any), sizeof any), 0);
    messages->clear();
    SnmpSet("trbTftpFileName.0", 's', "before");
    Upload(page.get(), Row::KeyRow, WriteFile("device-key.pem", TestDataFile("device-key.pem")));
    close(holder);
    ASSERT_EQ(messages->count(), 1);
    EXPECT_TRUE(messages->last().text.contains(QString::number(tftpPort))) << messages->last().text.toStdString();
    EXPECT_EQ(SnmpGet("trbTftpFileName.0"), "before");
    EXPECT_EQ(page->waitDialog(), nullptr);
}

} // namespace

namespace {

// A slow link: the device's client pauses before each acknowledgement.
class TransferProgress : public FirmwareSslPageTest {
protected:
    TransferProgress() : FirmwareSslPageTest(FreeUdpPort(), {"--tftp-delay-ms", "40"}) {}
};

} // namespace

TEST_F(TransferProgress, TheWaitDialogShowsTheFileMovingUpToItsSizeThenWhatTheDeviceDoes)
{
    UseLoopback();
    PageHolder page(OpenPage());
    const QByteArray image = FirmwareImageFile("1.3.00");
    Upload(page.get(), Row::FirmwareRow, WriteFile("fw-1.3.00.bin", image));
    std::vector<int> values;
    QString lastText, phase;
    ASSERT_TRUE(WaitFor([&] {
        if (trb::PleaseWaitDialog *dialog = page->waitDialog()) {
            auto *bar = dialog->findChild<QProgressBar *>(QStringLiteral("transferProgressBar"));
            if (bar && bar->isVisible() && (values.empty() || values.back() != bar->value()))
                values.push_back(bar->value());
            if (auto *text = dialog->findChild<QLabel *>(QStringLiteral("transferProgressText")); text && text->isVisible())
                lastText = text->text();
            if (auto *text = dialog->findChild<QLabel *>(QStringLiteral("devicePhaseText")); text && text->isVisible())
                phase = text->text();
        }
        return messages->count() > 0;
    }, 30000));
    EXPECT_EQ(messages->texts(), QStringList{"Upgrading file success !"});
    ASSERT_GE(values.size(), 3u) << "the bar moved in steps";
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_TRUE(std::any_of(values.begin(), values.end(), [](int v) { return v > 0 && v < 1000; }));
    EXPECT_EQ(values.back(), 1000) << "the whole file crossed";
    const QString size = QLocale::c().formattedDataSize(image.size(), 1, QLocale::DataSizeIecFormat);
    EXPECT_TRUE(lastText.startsWith(QStringLiteral("fw-1.3.00.bin: %1 of %1, ").arg(size))) << lastText.toStdString();
    EXPECT_TRUE(lastText.endsWith(QStringLiteral("/s"))) << lastText.toStdString();
    EXPECT_FALSE(phase.isEmpty()) << "what the device said it was doing";
}
