// Opens each page against a simulator behind a counting relay: prints the time from show to
// filled controls and the requests one page read takes, and saves a picture of each page
// to /tmp/page-<name>.png.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>

#include <cstdio>
#include <functional>

#include "MainWindowLink.h"
#include "PageCatalog.h"
#include "PopupPage.h"
#include "ProcessValues.h"
#include "SimulatorProcess.h"
#include "UdpRelay.h"

namespace {

bool WaitFor(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}

// A page is filled once its first read has completed: the completion's text is its last
// message, and OnReadDone has run by the time it is set.
bool Filled(trb::PopupPage *page) { return !page->LastMessage().isEmpty(); }

// "Basic \\ LAN" -> "basic-lan", for the picture's file name.
QString FileName(const char *title)
{
    QString name;
    for (const QChar c : QString::fromLatin1(title).toLower())
        name += c.isLetterOrNumber() ? c : QChar('-');
    return name.split('-', Qt::SkipEmptyParts).join('-');
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TRB4820_MESSAGES", "stderr"); // a page's message must not wait for a user
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    apInitSnmpLibrary();
    trb::test::SimulatorProcess simulator;
    if (!simulator.ok()) {
        std::fprintf(stderr, "simulator: %s\n", simulator.error().c_str());
        return 1;
    }
    UdpRelay relay(simulator.port());
    const std::string address = "127.0.0.1:" + std::to_string(relay.port());
    trb::sessionHandle = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(trb::sessionHandle, 161, "public", "private", 150, address.c_str(), 1);
    QMainWindow mainWindow;
    mainWindow.resize(498, 222);
    mainWindow.show();
    trb::MainWindowLink::Set(&mainWindow);

    // Every page the menu opens that is built (placeholders read nothing).
    for (const trb::PageCommand &command : trb::PageCommands()) {
        if (!command.create)
            continue;
        const QString name = FileName(command.title);
        double totalMs = 0;
        long requests = 0;
        for (int round = 0; round < rounds; ++round) {
            relay.resetCounts();
            trb::PopupPage *page = command.create();
            if (!command.size.isEmpty())
                page->resize(command.size);
            QElapsedTimer clock;
            clock.start();
            page->show();
            if (!WaitFor([&] { return Filled(page); })) {
                std::fprintf(stderr, "%s: not filled\n", qPrintable(name));
                return 1;
            }
            totalMs += clock.nsecsElapsed() / 1e6;
            requests += relay.toAgent();
            if (round == rounds - 1) {
                WaitFor([&] { return !page->refreshing(); });
                QCoreApplication::processEvents();
                const QString path = QStringLiteral("/tmp/page-%1.png").arg(name);
                page->grab().save(path);
                std::printf("%-32s %s\n", qPrintable(name), qPrintable(path));
            }
            delete page;
        }
        std::printf("%-32s show to filled %.1f ms (mean of %d), %.1f requests per read\n", qPrintable(name),
                    totalMs / rounds, rounds, double(requests) / rounds);
    }
    trb::MainWindowLink::Set(nullptr);
    apUninitSnmpLibrary();
    return 0;
}
