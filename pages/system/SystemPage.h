#pragma once
#include <QTimer>

#include "PopupPage.h"

class QPushButton;

namespace trb {

// System > System: restart, factory reset and clearing the language pack; the menu
// Configuration runs save-and-activate and discard on a page it never shows.
class SystemPage : public PopupPage {
    Q_OBJECT
public:
    explicit SystemPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "System";

    // Device commands of apSysCommand.
    enum Command { kRestartCommand = 0, kRestoreCommand = 1, kSaveActivateCommand = 2,
                   kDiscardCommand = 3, kClearLanguageCommand = 4 };

    void Restart();
    void Restore();
    void Clear();
    void SaveAndActivate();
    void Discard();

    struct Controls {
        QPushButton *restart = nullptr;
        QPushButton *restore = nullptr;
        QPushButton *clear = nullptr;
        QPushButton *saveActive = nullptr;
        QPushButton *discard = nullptr;
    };
    const Controls &controls() const { return c_; }
    bool restartPending() const { return restartTimer_.isActive(); }

private:
    void BuildControls();
    // Wait dialog for a command that takes the device away for a while; the main window is
    // usable again when `waitMs` (scaled) has passed.
    void WaitForDevice(const QString &text, int waitMs);
    void RestartLater();
    void SendRestart();
    void EndWait();

    Controls c_;
    QTimer endWaitTimer_; // timer 1
    QTimer restartTimer_; // timer 2
};

} // namespace trb
