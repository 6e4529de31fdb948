// An intrusion detection of 64 access points as the user runs it on the intrusion page: time
// from "Detect" to the list filled and the wait closed (median of N rounds), datagrams each way
// per detection, through a counting UDP relay.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "IntrusionPage.h"
#include "MainWindowLink.h"
#include "ProcessValues.h"
#include "RecordListCtrl.h"
#include "RelayedSession.h"
#include "RoundTimes.h"

namespace {

constexpr int kNeighbours = 64;

bool WaitFor(const std::function<bool()> &done, int ms = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}

// The page is idle again: its read or detection has ended and Detect may be pressed.
bool Idle(trb::IntrusionPage &page) { return !page.refreshing() && !page.waitDialog() && page.controls().detect->isEnabled(); }

// Time from Detect to every access point listed, in ms; negative on failure.
double DetectOnce(trb::IntrusionPage &page)
{
    QElapsedTimer clock;
    clock.start();
    page.controls().detect->click();
    if (!page.waitDialog())
        return -1; // refused
    const bool filled = WaitFor([&] { return page.controls().list->rowCount() >= kNeighbours && Idle(page); });
    return filled ? clock.nsecsElapsed() / 1e6 : -1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TRB4820_MESSAGES", "stderr"); // a page's message must not wait for a user
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_intrusion [rounds]\n");
        return 2;
    }
    RelayedSession device({"--neighbours", std::to_string(kNeighbours)});
    if (!device.ok())
        return 1;
    trb::sessionHandle = device.session();
    QMainWindow mainWindow;
    mainWindow.resize(498, 222);
    mainWindow.show();
    trb::MainWindowLink::Set(&mainWindow);

    int status = 0;
    {
        auto *page = new trb::IntrusionPage;
        page->resize(660, 680);
        page->show();
        if (!WaitFor([&] { return !page->LastMessage().isEmpty() && Idle(*page); }) || DetectOnce(*page) < 0) {
            std::fprintf(stderr, "warm-up detection failed\n"); // also opens the write session
            status = 1;
        } else {
            RoundTimes times;
            device.relay().resetCounts();
            for (int i = 0; i < rounds; ++i)
                times.add(DetectOnce(*page));
            std::printf("intrusion detection of %d access points on the page, %d rounds, %d failures\n", kNeighbours,
                        rounds, times.failures());
            std::printf("Detect to the list filled, %s\n", times.summary().c_str());
            std::printf("datagrams to the agent per detection: %.2f\n", double(device.relay().toAgent()) / rounds);
            std::printf("datagrams to the client per detection: %.2f\n", double(device.relay().toClient()) / rounds);
            status = times.failures() || times.empty() ? 1 : 0;
        }
        delete page;
    }
    trb::MainWindowLink::Set(nullptr);
    trb::sessionHandle = 0;
    return status;
}
