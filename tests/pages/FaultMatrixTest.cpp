// Every page of the menu's catalogue, with each read of its opening, each write of its Saves and
// each request of its refreshes refused, lost or late in turn: a failure is never shown as success,
// a failed read changes nothing shown and lets nothing be written, every wait ends, and a Save
// that reports success leaves the device holding what the page shows. A page joins by being in
// the catalogue.
#include <QLineEdit>
#include <QPushButton>

#include "FaultMatrixSupport.h"
#include "PopupPage.h"
#include "ProcessValues.h"

using namespace trb;
using namespace trb::test;

namespace {

// Each read of the opening, in turn, meets each fault.
class FaultMatrixOpen : public FaultMatrix {};

TEST_P(FaultMatrixOpen, AFailedReadShowsAsFailedChangesNothingAndLetsNothingBeWritten)
{
    part = "open";
    const Counts start = DeviceCounts();
    PageHolder clean(Open());
    const int reads = DeviceCounts().gets - start.gets;
    delete clean.get();
    if (reads == 0) {
        row.skipped << QStringLiteral("reads nothing on opening");
        return;
    }
    for (int k = 0; k < reads; ++k) {
        for (const FaultKind &kind : kFaultKinds) {
            const std::string where = "read " + std::to_string(k + 1) + " of " + std::to_string(reads) + ", " + kind.name;
            SCOPED_TRACE(where);
            Plan("fault get all " + std::to_string(kind.count) + " " + kind.action + " after " + std::to_string(k));
            const qsizetype boxes = messages->count();
            const int faultsBefore = DeviceCounts().faults;
            PageHolder page(CreatePage(command().kind));
            if (!command().size.isEmpty())
                page->resize(command().size);
            page->show(); // the read goes out; nothing of it has been answered yet
            const Snapshot before = ShownValues(*page.get());
            bool held = WaitsEnded(page.get(), where);
            // A hit the library got over (a part asked again in halves) is no failure.
            const bool hit = DeviceCounts().faults > faultsBefore && page->FailedRequests() > 0;
            Plan("clear");
            if (hit && !page->ShowsDeviceValues()) {
                held = FailureShown(page.get(), where, boxes) && held;
                const std::string diff = Differences(before, ShownValues(*page.get()));
                EXPECT_EQ(diff, "") << where << ": the failed read changed what the page shows:\n" << diff;
                // Each Save while nothing has been read (a refused Save may read again).
                int sets = 0;
                for (QPushButton *save : ButtonsNamed(*page.get(), QStringLiteral("Save")))
                    if (!page->ShowsDeviceValues())
                        sets += PressSave(page.get(), save);
                EXPECT_EQ(sets, 0) << where << ": Save wrote what no read had filled";
                held = held && diff.empty() && sets == 0;
            } else if (hit) {
                // A later request failed after the page's values arrived: they are the device's.
                held = FailureShown(page.get(), where, boxes) && held;
            }
            Count(held, "open");
            page->close();
        }
    }
}

// Each write of a Save, in turn, meets each fault; then a Save that works must leave the device
// holding what the page shows. A Save refused by a form check sends nothing.
class FaultMatrixSave : public FaultMatrix {};

TEST_P(FaultMatrixSave, AFailedWriteShowsAsFailedAndTheNextSaveSendsEverything)
{
    part = "save";
    PageHolder page(Open());
    const QList<QPushButton *> saves = ButtonsNamed(*page.get(), QStringLiteral("Save"));
    if (saves.isEmpty())
        row.skipped << QStringLiteral("no Save button");
    for (QPushButton *save : saves) {
        const std::string button = save->objectName().toStdString();
        const qsizetype firstBoxes = messages->count();
        const int writes = PressSave(page.get(), save);
        if (writes == 0) {
            row.skipped << save->objectName() + QStringLiteral(" unchanged sends nothing")
                               + (messages->count() > firstBoxes ? QStringLiteral(" (") + messages->last().text + u')' : QString());
            continue;
        }
        for (int k = 0; k < writes; ++k) {
            for (const FaultKind &kind : kFaultKinds) {
                const std::string where = button + ", write " + std::to_string(k + 1) + " of " + std::to_string(writes)
                                          + ", " + kind.name;
                SCOPED_TRACE(where);
                Plan("fault set all " + std::to_string(kind.count) + " " + kind.action + " after " + std::to_string(k));
                const qsizetype boxes = messages->count();
                const int failedBefore = page->FailedRequests();
                const int sent = PressSave(page.get(), save);
                bool held = WaitsEnded(page.get(), where);
                const bool failed = page->FailedRequests() > failedBefore;
                EXPECT_FALSE(kind.writeFails && !failed) << where << ": a write the device refused counted as done";
                Plan("clear");
                if (failed)
                    held = FailureShown(page.get(), where, boxes) && held;
                // The next Save sends everything again: no selection left narrowed by the failure.
                const int resent = PressSave(page.get(), save);
                EXPECT_GE(resent, writes) << where << ": the Save after the failure sent less (" << sent << " then "
                                          << resent << ")";
                held = held && resent >= writes && WaitsEnded(page.get(), where + ", saved again");
                Count(held, "save");
            }
        }
        Count(DeviceHoldsWhatPageShows(page.get(), "after " + button), "save");
    }
}

// A refresh that fails changes nothing shown.
TEST_P(FaultMatrixSave, AFailedRefreshChangesNothingShown)
{
    part = "refresh";
    PageHolder page(Open());
    const QList<QPushButton *> refreshes = ButtonsNamed(*page.get(), QStringLiteral("Refresh"));
    if (refreshes.isEmpty()) {
        row.skipped << QStringLiteral("no Refresh button");
        return;
    }
    // The station list is emptied when a refresh starts: by the page's design, a refresh that fails
    // leaves it empty (its own tests hold that).
    if (row.caption == QLatin1String("Status \\ Client Information")) {
        row.skipped << QStringLiteral("a failed refresh empties the station list by design");
        return;
    }
    for (QPushButton *refresh : refreshes) {
        if (!refresh->isEnabled())
            continue;
        for (const FaultKind &kind : kFaultKinds) {
            // Live pages show new counters after a refresh that works; a write answered with wrong
            // types (a transfer's request) works.
            if (!kind.readFails || !kind.writeFails)
                continue;
            const std::string where = refresh->objectName().toStdString() + ", " + kind.name;
            SCOPED_TRACE(where);
            const Snapshot before = ShownValues(*page.get());
            const qsizetype boxes = messages->count();
            // Any request: a refresh that is a transfer asks with a set first.
            Plan(std::string("fault any all -1 ") + kind.action);
            const int failedBefore = page->FailedRequests();
            refresh->click();
            bool held = WaitsEnded(page.get(), where);
            Plan("clear");
            EXPECT_GT(page->FailedRequests(), failedBefore) << where << ": a refresh the device refused counted as done";
            held = FailureShown(page.get(), where, boxes) && held && page->FailedRequests() > failedBefore;
            const std::string diff = Differences(before, ShownValues(*page.get()));
            EXPECT_EQ(diff, "") << where << ": the failed refresh changed what the page shows:\n" << diff;
            Count(held && diff.empty(), "refresh");
        }
    }
}

// With every text field emptied, a Save either passes its checks or is refused by one; refused,
// nothing reaches the device.
TEST_P(FaultMatrixSave, ASaveRefusedByAFormCheckSendsNothing)
{
    part = "check";
    PageHolder page(Open());
    const QList<QPushButton *> saves = ButtonsNamed(*page.get(), QStringLiteral("Save"));
    if (saves.isEmpty()) {
        row.skipped << QStringLiteral("no Save button");
        return;
    }
    for (QPushButton *save : saves) {
        for (QLineEdit *edit : page->content()->findChildren<QLineEdit *>())
            if (edit->isEnabled() && !edit->isReadOnly())
                edit->clear();
        const qsizetype boxes = messages->count();
        const int before = DeviceCounts().sets;
        save->click();
        WaitsEnded(page.get(), save->objectName().toStdString());
        bool refused = false;
        for (qsizetype i = boxes; i < messages->count(); ++i)
            refused = refused || messages->shown()[i].icon != MessageIcon::Information;
        const int sets = DeviceCounts().sets - before;
        if (refused) {
            EXPECT_EQ(sets, 0) << save->objectName().toStdString() << ": \"" << messages->last().text.toStdString()
                               << "\" was shown, yet the device received a write";
        }
        Count(!refused || sets == 0, "form check");
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixOpen, ::testing::Range(0, int(kPageKindCount)), PageName);
INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixSave, ::testing::Range(0, int(kPageKindCount)), PageName);

} // namespace
