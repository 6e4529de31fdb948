#include "ChangeTracker.h"

#include <QTimer>

#include "PopupPage.h"

namespace trb {

void ChangeTracker::ReadCompleted(bool succeeded)
{
    if (!ChangeJournal::Current())
        return;
    if (!succeeded) {
        if (accepted_)
            JournalSent();
        return;
    }
    ShownSettings now = ShownSettings::Of(page_);
    if (read_ && (accepted_ || rowsPending_)) {
        const QDateTime time = QDateTime::currentDateTime();
        QList<ChangeJournal::Entry> rows = now.RowChangesSince(*read_, page_.pageTitle(), time);
        QList<ChangeJournal::Entry> entries;
        if (accepted_)
            entries = now.FieldChangesSince(*read_, page_.pageTitle(), time, rows.isEmpty());
        Journal(entries + rows);
    }
    accepted_ = false;
    rowsPending_ = false;
    sent_.reset();
    read_ = std::move(now);
}

void ChangeTracker::WriteStarting()
{
    if (ChangeJournal::Current() && read_)
        sent_ = ShownSettings::Of(page_);
}

void ChangeTracker::WriteAnswered(int result)
{
    if (result != 0 || !sent_ || !ChangeJournal::Current())
        return; // a refused write changed nothing
    accepted_ = true;
    // A read sent with the answer, or in the same turn, shows what the device holds now.
    QTimer::singleShot(0, &page_, [this] {
        if (accepted_ && !page_.ReadInFlight())
            JournalSent();
    });
}

void ChangeTracker::Flush()
{
    if (accepted_)
        JournalSent();
}

void ChangeTracker::JournalSent()
{
    accepted_ = false;
    if (!sent_ || !read_)
        return;
    const QList<ChangeJournal::Entry> entries =
        sent_->FieldChangesSince(*read_, page_.pageTitle(), QDateTime::currentDateTime());
    Journal(entries);
    rowsPending_ = entries.isEmpty();
    read_ = std::move(sent_);
    sent_.reset();
}

void ChangeTracker::Journal(const QList<ChangeJournal::Entry> &entries)
{
    if (ChangeJournal *journal = ChangeJournal::Current())
        journal->Add(entries);
}

} // namespace trb
