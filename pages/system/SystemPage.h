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

    QPushButton *restartButton() const { return restartButton_; }
    QPushButton *restoreButton() const { return restoreButton_; }
    QPushButton *clearButton() const { return clearButton_; }
    bool restartPending() const { return restartTimer_.isActive(); }

private:
    void BuildControls();
    // Wait dialog for a command that takes the device away for a while; the main window is
    // usable again when `waitMs` (scaled) has passed.
    void WaitForDevice(const QString &text, int waitMs);
    void RestartLater();
    void SendRestart();
    void EndWait();

    QPushButton *restartButton_;
    QPushButton *restoreButton_;
    QPushButton *clearButton_;
    QPushButton *saveActiveButton_;
    QPushButton *discardButton_;
    QTimer endWaitTimer_; // timer 1
    QTimer restartTimer_; // timer 2
};

} // namespace trb
