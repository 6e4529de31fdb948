#pragma once
// Tells the change journal what each write of one page changed on the device: the fields as
// the last read showed them against what was sent or read back, and the rows its lists gained
// or lost. Only writes the device accepted count.
#include <optional>

#include "ShownSettings.h"

namespace trb {

class PopupPage;

class ChangeTracker {
public:
    explicit ChangeTracker(PopupPage &page) : page_(page) {}

    void ReadCompleted(bool succeeded);
    // Before a write is sent: what the page shows is what it sends.
    void WriteStarting();
    void WriteAnswered(int result);
    // The page closes: an accepted write whose read back never came is journalled as sent.
    void Flush();

private:
    // The accepted write followed by no read: what was sent is what the device holds.
    void JournalSent();
    void Journal(const QList<ChangeJournal::Entry> &entries);

    PopupPage &page_;
    std::optional<ShownSettings> read_; // as the last successful read left the page
    std::optional<ShownSettings> sent_;
    bool accepted_ = false;
    bool rowsPending_ = false; // an accepted write whose list rows only the next read shows
};

} // namespace trb
