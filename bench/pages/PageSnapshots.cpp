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

#include "DeviceInfoPageTrb.h"
#include "HomeInfoPageTrb.h"
#include "LanPage.h"
#include "MainWindowLink.h"
#include "ProcessValues.h"
#include "SimulatorProcess.h"
#include "SystemPage.h"
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

QString LabelText(QWidget *page, const char *name)
{
    auto *label = page->findChild<QLabel *>(name);
    return label ? label->text() : QString();
}

struct PageKind {
    const char *name;
    QSize size;
    std::function<trb::PopupPage *()> make;
    std::function<bool(trb::PopupPage *)> filled;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
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

    const QString reading = QString::fromLatin1(trb::PopupPage::kReadingText);
    const PageKind kinds[] = {
        {"home", {480, 500}, [] { return new trb::HomeInfoPageTrb; },
         [](trb::PopupPage *p) { return !LabelText(p, "modelNameValue").isEmpty(); }},
        {"system", {470, 260}, [] { return new trb::SystemPage; },
         [reading](trb::PopupPage *p) { return p->statusText() != reading; }},
        {"device-information", {610, 700}, [] { return new trb::DeviceInfoPageTrb; },
         [](trb::PopupPage *p) { return !LabelText(p, "firmwareVersionValue").isEmpty(); }},
        {"lan", {400, 300}, [] { return new trb::LanPage; },
         [](trb::PopupPage *p) { return p->findChild<QComboBox *>("getIpFromCombo")->currentIndex() != -1; }},
    };
    for (const PageKind &kind : kinds) {
        double totalMs = 0;
        long requests = 0;
        for (int round = 0; round < rounds; ++round) {
            relay.resetCounts();
            trb::PopupPage *page = kind.make();
            page->resize(kind.size);
            QElapsedTimer clock;
            clock.start();
            page->show();
            if (round == 0 && kind.name == std::string("home")) {
                if (auto *wait = static_cast<trb::HomeInfoPageTrb *>(page)->waitDialog())
                    wait->grab().save(QStringLiteral("/tmp/page-home-wait.png"));
            }
            if (!WaitFor([&] { return kind.filled(page); })) {
                std::fprintf(stderr, "%s: not filled\n", kind.name);
                return 1;
            }
            totalMs += clock.nsecsElapsed() / 1e6;
            requests += relay.toAgent();
            if (round == rounds - 1) {
                WaitFor([&] { return mainWindow.isEnabled() || kind.name != std::string("home"); });
                QCoreApplication::processEvents();
                const QString path = QStringLiteral("/tmp/page-%1.png").arg(kind.name);
                page->grab().save(path);
                std::printf("%-20s %s\n", kind.name, qPrintable(path));
            }
            delete page;
        }
        std::printf("%-20s show to filled %.1f ms (mean of %d), %.1f requests per read\n", kind.name,
                    totalMs / rounds, rounds, double(requests) / rounds);
    }
    trb::MainWindowLink::Set(nullptr);
    apUninitSnmpLibrary();
    return 0;
}
