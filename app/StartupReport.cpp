#include "StartupReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace trb {

void StartupReport::ArmIfRequested(QWidget *mainWindow)
{
    if (qEnvironmentVariableIsEmpty("TRB4820_REPORT_STARTUP") || !mainWindow)
        return;
    // Queued behind the first paint of the window.
    QTimer::singleShot(0, mainWindow, [mainWindow] {
        std::fprintf(stderr, "startup: window %s, resident KiB %ld\n",
                     mainWindow->isVisible() ? "shown" : "hidden", ResidentKiB());
        std::fflush(stderr);
        QCoreApplication::quit();
    });
}

long StartupReport::ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace trb
