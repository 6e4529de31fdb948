// The Statistics page with its traffic chart: time from show to the counters filled (median of
// N opens), and the module's CPU time while idle, first with the main window alone, then with
// the page open and its chart reading every 5 s. Run by hand:
//   bench_stats_idle [OPENS [SECONDS]]
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "MainFrame.h"
#include "PopupPage.h"
#include "ProcessValues.h"
#include "SimulatorProcess.h"

namespace {

// The event loop as the module runs it: asleep until something happens.
void Run(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// User and system time of the whole process, every thread of the device library included.
double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double IdleCpuPerMinute(int seconds)
{
    const double before = CpuMs();
    Run(seconds * 1000);
    return (CpuMs() - before) * 60.0 / seconds;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TRB4820_MESSAGES", "stderr");
    QApplication application(argc, argv);
    const int opens = argc > 1 ? std::atoi(argv[1]) : 20;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    trb::test::SimulatorProcess simulator;
    if (!simulator.ok()) {
        std::fprintf(stderr, "simulator: %s\n", simulator.error().c_str());
        return 1;
    }
    apInitSnmpLibrary();
    trb::sessionHandle = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(trb::sessionHandle, 161, "public", "private", 150, simulator.address().c_str(), 1);
    {
        trb::MainFrame frame(QString::fromStdString(simulator.address()));
        frame.show();
        Run(1000);
        std::vector<double> openMs;
        for (int i = 0; i < opens; ++i) {
            QElapsedTimer clock;
            clock.start();
            trb::PopupPage *page = frame.OpenPage(trb::PageKind::Stats);
            while (page->LastMessage().isEmpty() && clock.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            openMs.push_back(clock.nsecsElapsed() / 1e6);
            page->close();
            Run(50);
        }
        std::sort(openMs.begin(), openMs.end());
        std::printf("Statistics page, show to filled: median %.1f ms, slowest %.1f ms (%d opens)\n",
                    openMs[openMs.size() / 2], openMs.back(), opens);
        const double alone = IdleCpuPerMinute(seconds);
        frame.OpenPage(trb::PageKind::Stats);
        Run(1000);
        const double withChart = IdleCpuPerMinute(seconds);
        std::printf("idle CPU per minute: main window alone %.0f ms, with the Statistics page and its chart %.0f ms "
                    "(measured over %d s each)\n", alone, withChart, seconds);
    }
    apUninitSnmpLibrary();
    return 0;
}
