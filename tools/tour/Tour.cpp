// Renders the main window and every page, read from the simulator, to PNG files:
//   trb4820-tour OUTDIR
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>

#include <cstdio>

#include "AdminPage.h"
#include "ChangeJournal.h"
#include "IpAddressEdit.h"
#include "LanPage.h"
#include "MainFrame.h"
#include "MessageBoxService.h"
#include "PageCatalog.h"
#include "PopupPage.h"
#include "ProcessValues.h"
#include "SimulatorProcess.h"
#include "StatisticsPage.h"
#include "TrafficChart.h"
#include "UnsavedChangesDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

void Settle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

QString FileName(const trb::PageCommand &command)
{
    QString name = QString::fromLatin1(command.entry).remove('&').toLower();
    name.replace(QRegularExpression("[^a-z0-9]+"), "-");
    return QStringLiteral("%1-%2.png").arg(int(command.kind) + 1, 2, 10, QLatin1Char('0')).arg(name);
}

// The Stats page's chart draws from its second read on: wait until its lines span a fifth of
// the chart (the time axis's first step), so that the picture shows them.
void SettleTraffic(trb::PopupPage *page)
{
    auto *stats = qobject_cast<trb::StatisticsPage *>(page);
    if (!stats)
        return;
    const trb::TrafficRates &rates = stats->controls().traffic->rates();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000
           && (rates.points().empty() || rates.latestMs() - rates.points().front().atMs < rates.windowMs() / 5))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool Save(QWidget *window, const QString &path);

// Two writes the device accepts, then the main window's count and the list of them.
int TourUnsavedChanges(trb::MainFrame &frame, const QString &outDir)
{
    auto *lan = qobject_cast<trb::LanPage *>(frame.OpenPage(trb::PageKind::Lan));
    Settle(1200);
    lan->controls().gateway->setText(QStringLiteral("192.168.1.254"));
    lan->controls().save->click();
    Settle(1500);
    lan->close();
    auto *admin = qobject_cast<trb::AdminPage *>(frame.OpenPage(trb::PageKind::Administration));
    Settle(1200);
    admin->controls().systemName->setText(QStringLiteral("Reception"));
    admin->controls().location->setText(QStringLiteral("Ground floor, east wing"));
    admin->controls().save->click();
    Settle(1500);
    admin->close();
    Settle(100);
    int failures = !Save(&frame, outDir + "/00-main-window-unsaved-count.png");
    trb::UnsavedChangesDialog list(*trb::ChangeJournal::Current(), &frame);
    list.show();
    Settle(300);
    failures += !Save(&list, outDir + "/30-unsaved-changes.png");
    return failures;
}

bool Save(QWidget *window, const QString &path)
{
    const bool saved = window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// A page's message box would wait for a click no one gives: note it and answer OK.
class NotedMessages final : public trb::MessageBoxService {
public:
    trb::MessageAnswer show(QWidget *, const QString &text, const QString &, trb::MessageIcon,
                            trb::MessageButtons buttons) override
    {
        std::printf("message: %s\n", qPrintable(text));
        return buttons == trb::MessageButtons::YesNo ? trb::MessageAnswer::Yes : trb::MessageAnswer::Ok;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TRB4820_TIME_SCALE", "0.05");
    QApplication application(argc, argv);
    NotedMessages messages;
    trb::MessageBoxService::install(&messages);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: trb4820-tour OUTDIR [STATEFILE]\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    // A saved configuration to start from, copied: the simulator writes its state back.
    QTemporaryDir stateDir;
    std::string stateFile;
    if (argc == 3) {
        stateFile = (stateDir.path() + QStringLiteral("/state.ini")).toStdString();
        if (!QFile::copy(QString::fromLocal8Bit(argv[2]), QString::fromStdString(stateFile))) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 1;
        }
        QFile::setPermissions(QString::fromStdString(stateFile), QFile::ReadOwner | QFile::WriteOwner);
    }
    trb::test::SimulatorProcess simulator({}, stateFile);
    if (!simulator.ok()) {
        std::fprintf(stderr, "simulator did not start: %s\n", simulator.error().c_str());
        return 1;
    }
    apInitSnmpLibrary();
    trb::sessionHandle = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(trb::sessionHandle, 161, "public", "private", 150, simulator.address().c_str(), 1);

    int failures = 0;
    {
        trb::ChangeJournal journal(stateDir.path() + QStringLiteral("/unsaved.json"));
        trb::ChangeJournal::SetCurrent(&journal);
        trb::MainFrame frame(QString::fromStdString(simulator.address()));
        frame.show();
        Settle(800);
        failures += !Save(&frame, outDir + "/00-main-window.png");
        for (const trb::PageCommand &command : trb::PageCommands()) {
            trb::PopupPage *page = frame.OpenPage(command.kind);
            Settle(1200);
            SettleTraffic(page);
            failures += !Save(page, outDir + "/" + FileName(command));
            page->close();
            Settle(50);
        }
        failures += TourUnsavedChanges(frame, outDir);
    }
    apUninitSnmpLibrary();
    return failures == 0 ? 0 : 1;
}
