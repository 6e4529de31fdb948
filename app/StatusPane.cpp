#include "StatusPane.h"

#include <QPainter>
#include <QShowEvent>
#include <QTime>

#include <cstring>

#include "ChangeJournal.h"
#include "DeviceReportedAddress.h"
#include "MainFrame.h"
#include "ProcessValues.h"
#include "TimeScale.h"

namespace trb {

StatusPane::StatusPane(MainFrame *frame, QWidget *parent) : SettingsPage(parent), frame_(frame)
{
    setObjectName(QStringLiteral("statusPane"));
    setWindowFlags(Qt::Widget); // a plain child of the view, not a dialog window
    setFixedSize(FrontPanel::kWidth, FrontPanel::kHeight);
    primaryHandle = apDeviceStatusOpen(sessionHandle, 0);
    connect(&ledTimer_, &QTimer::timeout, this, &StatusPane::OnLedTimer);
    connect(&pollTimer_, &QTimer::timeout, this, &StatusPane::OnPollTimer);
    ledTimer_.start(ScaledMilliseconds(kLedRefreshMs));
    pollTimer_.start(ScaledMilliseconds(kPollMs));
}

QString StatusPane::ApModeName(uint32_t mode)
{
    static const char *const names[] = {"Access Point", "WDS With AP", "WDS", "Wireless client",
                                        "AP repeater"};
    return mode >= 1 && mode <= 5 ? QString::fromLatin1(names[mode - 1]) : QString();
}

QString StatusPane::WithReceiveTime(const QString &message, const QString &time)
{
    const qsizetype at = message.indexOf(QLatin1String("Receive at "), 1);
    if (at <= 0)
        return message;
    return message.left(at) + QStringLiteral("Receive at ") + time + QLatin1Char('.');
}

void StatusPane::showEvent(QShowEvent *event)
{
    SettingsPage::showEvent(event);
    if (!event->spontaneous() && ReadOnShow())
        RequestRead();
}

void StatusPane::OnReadDone()
{
    apAdvPaneStatusGet(primaryHandle, &record_);
    SetDeviceReportedAddress(QString::fromLatin1(record_.ipAddress),
                             QString::fromLatin1(record_.subnetMask));
    NoteUpTime();
    ShowLeds();
    frame_->SetStatusText(lastMessage);
    PublishApMode();
}

// An asynchronous poll that failed ends like a blocking one: a device that stopped answering
// must not go on looking alive.
void StatusPane::OnReadFailed() { PollFailed(lastMessage); }

void StatusPane::PollFailed(const QString &text)
{
    if (text.contains(QLatin1String("timed out"))) {
        record_.radio24On = 0;
        record_.radio5On = 0;
        record_.lanLink = 0;
        record_.clientCount = 0;
    }
    lastMessage = QString::fromLatin1(kGetError);
    frame_->SetStatusText(lastMessage);
}

void StatusPane::PublishApMode()
{
    const QString name = ApModeName(record_.apMode);
    if (!name.isEmpty())
        frame_->SetApModeName(name, QString());
}

void StatusPane::OnLedTimer()
{
    // Once polling has ended on an error, relighting the band LED would show a live device.
    const bool pollEnded = lastMessage == QLatin1String(kGetError) && !pollTimer_.isActive();
    if (lastMessage.isEmpty() || pollEnded) {
        EnterErrorState(ledTimer_);
        return;
    }
    ShowLeds();
}

void StatusPane::OnPollTimer()
{
    if (lastMessage.isEmpty()) {
        EnterErrorState(pollTimer_);
        return;
    }
    if (transferInProgress == 1)
        return;
    Blink();
    if (lastMessage == QLatin1String(kGetError)) {
        frame_->SetStatusText(lastMessage);
        pollTimer_.stop(); // polling ends until the module is started again
        return;
    }
    Poll();
}

void StatusPane::Poll()
{
    if (!primaryHandle)
        primaryHandle = apDeviceStatusOpen(sessionHandle, 0);
    apAdvPaneStatusGet(primaryHandle, &record_);
    PublishApMode();
    const int code = frame_->pollAsync
        ? apSnmpSendGetRequest(primaryHandle, ReadCompletion, CompletionContext(), AP_MODE_CALLBACK, 0)
        : apSnmpSendGetRequest(primaryHandle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    if (code != 0) {
        char text[256] = {};
        apSnmpGetErrorMsg(code, text);
        PollFailed(QString::fromLatin1(text));
        return;
    }
    if (!frame_->pollAsync) {
        apAdvPaneStatusGet(primaryHandle, &record_);
        NoteUpTime();
    }
    lastMessage = WithReceiveTime(lastMessage, QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    frame_->SetStatusText(lastMessage);
}

// A restart of the device since the last poll lost what it had not saved.
void StatusPane::NoteUpTime()
{
    ChangeJournal *journal = ChangeJournal::Current();
    if (journal && record_.upTime != 0) // 0: not in the answer
        journal->NoteDeviceUpTime(record_.upTime);
}

void StatusPane::EnterErrorState(QTimer &timer)
{
    timer.stop();
    lastMessage = QString::fromLatin1(kGetError);
    SetLook(FrontPanel::Led::TwoFourGHz, FrontPanel::Look::Dark);
    SetLook(FrontPanel::Led::FiveGHz, FrontPanel::Look::Dark);
    SetLook(FrontPanel::Led::Lan, FrontPanel::Look::Dark);
}

void StatusPane::ShowLeds()
{
    if (record_.activeBand == 0) {
        SetLook(FrontPanel::Led::TwoFourGHz, FrontPanel::Look::Lit);
        SetLook(FrontPanel::Led::FiveGHz, FrontPanel::Look::Picture);
    } else if (record_.activeBand == 1) {
        SetLook(FrontPanel::Led::FiveGHz, FrontPanel::Look::Lit);
        SetLook(FrontPanel::Led::TwoFourGHz, FrontPanel::Look::Picture);
    }
    SetLook(FrontPanel::Led::Lan, record_.lanLink == 1 ? FrontPanel::Look::Lit : FrontPanel::Look::Dark);
}

void StatusPane::Blink()
{
    const bool failed = lastMessage.isEmpty() || lastMessage == QLatin1String(kGetError);
    const auto active = record_.activeBand == 1 ? FrontPanel::Led::FiveGHz : FrontPanel::Led::TwoFourGHz;
    const auto other = record_.activeBand == 1 ? FrontPanel::Led::TwoFourGHz : FrontPanel::Led::FiveGHz;
    SetLook(active, FrontPanel::Look::Dark);
    if (failed)
        SetLook(other, FrontPanel::Look::Dark);
}

FrontPanel::Look StatusPane::look(FrontPanel::Led led) const
{
    switch (led) {
    case FrontPanel::Led::FiveGHz: return five_;
    case FrontPanel::Led::TwoFourGHz: return twoFour_;
    case FrontPanel::Led::Lan: return lan_;
    case FrontPanel::Led::Power: return FrontPanel::Look::Lit;
    }
    return FrontPanel::Look::Picture;
}

void StatusPane::SetLook(FrontPanel::Led led, FrontPanel::Look look)
{
    FrontPanel::Look *slot = led == FrontPanel::Led::FiveGHz ? &five_
        : led == FrontPanel::Led::TwoFourGHz                  ? &twoFour_
        : led == FrontPanel::Led::Lan                         ? &lan_
                                                               : nullptr;
    if (!slot || *slot == look)
        return;
    *slot = look;
    update(FrontPanel::LedRect(led).adjusted(-2, -2, 2, 2));
}

void StatusPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, FrontPanel::Picture());
    for (FrontPanel::Led led : {FrontPanel::Led::FiveGHz, FrontPanel::Led::TwoFourGHz,
                                FrontPanel::Led::Lan, FrontPanel::Led::Power}) {
        const FrontPanel::Look shown = look(led);
        if (shown != FrontPanel::Look::Picture)
            painter.drawImage(FrontPanel::LedRect(led),
                              shown == FrontPanel::Look::Lit ? FrontPanel::LitImage() : FrontPanel::DarkImage());
    }
}

} // namespace trb
