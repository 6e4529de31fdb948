#pragma once

class QWidget;

namespace trb {

// TRB4820_REPORT_STARTUP=1: once the main window has been shown and painted, print
// "startup: window shown, resident KiB N" on stderr and quit. Used by the start-up benchmark.
class StartupReport {
public:
    static void ArmIfRequested(QWidget *mainWindow);
    static long ResidentKiB();
};

} // namespace trb
