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
    // Without its question: the main window's close question has asked already.
    void SaveAndActivateAsked();
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

protected:
    void OnWriteDone(int result) override;

private:
    void BuildControls();
    // Stages the command and writes it; 0, or the failure (also in the status bar).
    int SendCommand(Command command, int waitMs, bool async);
    // Restore and Discard: the restart follows only a command the device carried out.
    void CommandThenRestart(Command command, int waitMs);
    // Wait dialog for a command that takes the device away for a while; the main window is
    // usable again when `waitMs` (scaled) has passed.
    void WaitForDevice(const QString &text, int waitMs);
    void CommandCarriedOut(Command command);
    void RestartLater();
    void SendRestart();
    void EndWait();

    Controls c_;
    Command sentCommand_ = kRestartCommand;
    QTimer endWaitTimer_; // timer 1
    QTimer restartTimer_; // timer 2
};

} // namespace trb
