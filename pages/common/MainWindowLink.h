#pragma once
#include <QString>

class QMainWindow;

namespace trb {

// The main window as the pages see it: they put texts into its status bar and disable it
// while they talk to the device. Set by the main window when it is created.
class MainWindowLink {
public:
    static void Set(QMainWindow *window);
    static QMainWindow *Window();
    static void SetStatusText(const QString &text);
    static void SetEnabled(bool enabled);
};

} // namespace trb
