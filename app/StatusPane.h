#pragma once
#include <QTimer>

#include "FrontPanel.h"
#include "SettingsPage.h"

namespace trb {

class MainFrame;

// The front panel in the main window, fed by a poll of the device every 2 s. Also keeps the
// main window's status text and AP mode name, and publishes the device's address and mask.
class StatusPane : public SettingsPage {
    Q_OBJECT
public:
    explicit StatusPane(MainFrame *frame, QWidget *parent = nullptr);

    static constexpr int kLedRefreshMs = 1200;
    static constexpr int kPollMs = 2000;
    static inline const char kGetError[] = "Get Error!";

    FrontPanel::Look look(FrontPanel::Led led) const;
    const apPaneStatusRecord &record() const { return record_; }
    bool polling() const { return pollTimer_.isActive(); }

    static QString ApModeName(uint32_t mode);
    // "Receive at " after the first character: everything from there becomes "Receive at <time>."
    static QString WithReceiveTime(const QString &message, const QString &time);

    void OnReadDone() override;
    void OnReadFailed() override;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void OnLedTimer();
    void OnPollTimer();
    void Poll();
    // "Get Error!" after a failed poll; a time-out also clears the live words of the record.
    void PollFailed(const QString &text);
    void ShowLeds();
    void NoteUpTime();
    void Blink();
    void EnterErrorState(QTimer &timer);
    void PublishApMode();
    void SetLook(FrontPanel::Led led, FrontPanel::Look look);

    MainFrame *frame_;
    apPaneStatusRecord record_{};
    FrontPanel::Look five_ = FrontPanel::Look::Picture;
    FrontPanel::Look twoFour_ = FrontPanel::Look::Picture;
    FrontPanel::Look lan_ = FrontPanel::Look::Picture;
    QTimer ledTimer_;
    QTimer pollTimer_;
};

} // namespace trb
