#include "UpTimeWatch.h"

#include "ChangeJournal.h"
#include "ProcessValues.h"
#include "StatusPane.h"
#include "TimeScale.h"

namespace trb {

UpTimeWatch::UpTimeWatch(const StatusPane &pane, QWidget *parent) : SettingsPage(parent), pane_(pane)
{
    setObjectName(QStringLiteral("upTimeWatch"));
    readShowsNothing = true;
    connect(&timer_, &QTimer::timeout, this, &UpTimeWatch::Check);
    timer_.start(ScaledMilliseconds(kCheckMs));
}

void UpTimeWatch::Check()
{
    const ChangeJournal *journal = ChangeJournal::Current();
    if (!journal || journal->count() == 0 || pane_.polling() || ReadInFlight() || transferInProgress == 1)
        return;
    if (!primaryHandle)
        primaryHandle = apDeviceStatusOpen(sessionHandle, 0);
    RequestRead();
}

void UpTimeWatch::OnReadDone()
{
    apPaneStatusRecord record{};
    apAdvPaneStatusGet(primaryHandle, &record);
    if (ChangeJournal *journal = ChangeJournal::Current(); journal && record.upTime != 0)
        journal->NoteDeviceUpTime(record.upTime);
}

} // namespace trb
