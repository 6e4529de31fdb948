// Every page of the menu's catalogue, with each request it makes while opening, saving,
// refreshing, scanning, or writing a list's rows refused, lost or late in turn: a failure is never
// shown as success, a failed read changes nothing shown and lets nothing be written, every wait
// ends, and a Save that reports success leaves the device holding what the page shows. A page
// joins by being in the catalogue.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include "ActionIconListCtrl.h"
#include "PageCatalog.h"
#include "PageTestSupport.h"
#include "FormRows.h"
#include "PopupPage.h"
#include "ProcessValues.h"

using namespace trb;
using namespace trb::test;

namespace {

struct FaultKind {
    const char *name;
    const char *action; // as the simulator's fault plan takes it
    int count;          // requests it hits: a drop takes the library's retry too
    bool readFails;     // a read meeting it cannot succeed
    bool writeFails;    // a write meeting it is not carried out
};

// The library tries twice, 200 ms each; an answer 300 ms late arrives for the retry.
constexpr int kTimeoutUnits = 20;
constexpr int kRetries = 1;
const FaultKind kKinds[] = {
    {"drop", "drop", kRetries + 1, true, true},
    {"late", "late 300", 1, false, false},
    // A write answered with wrong types was carried out: only its echo is odd.
    {"wrong-types", "wrong-types", kRetries + 1, true, false},
    {"genErr", "error genErr", 1, true, true},
    {"noAccess", "error noAccess", 1, true, true},
    {"wrongValue", "error wrongValue", 1, true, true},
    {"notWritable", "error notWritable", 1, true, true},
    {"commitFailed", "error commitFailed", 1, true, true},
};

// What a page shows, control by control (named controls and every list's cells).
using Snapshot = std::map<QString, QString>;

QString NameOf(const QWidget *widget)
{
    QString name;
    for (const QWidget *w = widget; w && !qobject_cast<const PopupPage *>(w); w = w->parentWidget())
        if (!w->objectName().isEmpty() && w->objectName() != QLatin1String("pageContent"))
            name = w->objectName() + (name.isEmpty() ? QString() : QStringLiteral("/") + name);
    return name;
}

// Whether the control shows something of this PC's (its clock), which no read of the device sets.
bool FromThisPc(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (w->property(kFromThisPcProperty).toBool())
            return true;
    return false;
}

// Editable controls only: what a Save sends and a fresh page must show again.
Snapshot EditableValues(const PopupPage &page)
{
    Snapshot values;
    for (QWidget *widget : page.content()->findChildren<QWidget *>()) {
        const QString name = NameOf(widget);
        if (name.isEmpty() || FromThisPc(widget))
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->isReadOnly())
            values[name] = edit->text();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            values[name] = QString::number(combo->currentIndex()) + u' ' + combo->currentText();
        else if (auto *spin = qobject_cast<QSpinBox *>(widget))
            values[name] = QString::number(spin->value());
        else if (auto *box = qobject_cast<QAbstractButton *>(widget); box && box->isCheckable())
            values[name] = box->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    }
    return values;
}

// Everything shown: the editable values, read-only texts and every list's cells.
Snapshot ShownValues(const PopupPage &page)
{
    Snapshot values = EditableValues(page);
    for (QWidget *widget : page.content()->findChildren<QWidget *>()) {
        const QString name = NameOf(widget);
        if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && edit->isReadOnly())
            values[name] = edit->text();
        auto *view = qobject_cast<QAbstractItemView *>(widget);
        if (!view || !view->model() || name.isEmpty())
            continue;
        const QAbstractItemModel &model = *view->model();
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column)
                values[name + QStringLiteral("[%1,%2]").arg(row).arg(column)] = model.index(row, column).data().toString();
    }
    return values;
}

std::string Differences(const Snapshot &expected, const Snapshot &actual)
{
    std::string text;
    for (const auto &[name, value] : expected) {
        auto it = actual.find(name);
        const QString other = it == actual.end() ? QStringLiteral("<missing>") : it->second;
        if (other != value)
            text += "  " + name.toStdString() + ": \"" + value.toStdString() + "\" -> \"" + other.toStdString() + "\"\n";
    }
    return text;
}

bool ShowsSuccess(const QString &status) { return status.contains(QLatin1String(" OK.")); }

QList<QPushButton *> ButtonsNamed(const PopupPage &page, const QString &text)
{
    QList<QPushButton *> buttons;
    for (QPushButton *button : page.content()->findChildren<QPushButton *>())
        if (button->text() == text && !button->objectName().isEmpty())
            buttons.append(button);
    return buttons;
}

// One row of the table printed at the end: what was tried on a page and what held.
struct MatrixRow {
    QString caption;
    std::set<std::string> actions;
    int cases = 0;
    int held = 0;
    QStringList skipped;

    void Write(const char *part) const
    {
        QDir().mkpath(QStringLiteral(TRB4820_MATRIX_DIR));
        QFile file(QStringLiteral(TRB4820_MATRIX_DIR "/%1-%2.row").arg(part, caption).replace(u'\\', u'_').replace(u' ', u'_'));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        QStringList tried;
        for (const std::string &action : actions)
            tried << QString::fromStdString(action);
        file.write(QStringLiteral("%1\t%2\t%3\t%4/%5\t%6\n")
                       .arg(caption, QLatin1String(part), tried.join(QStringLiteral(", ")))
                       .arg(held)
                       .arg(cases)
                       .arg(skipped.isEmpty() ? QStringLiteral("-") : skipped.join(QStringLiteral("; ")))
                       .toUtf8());
    }
};

struct Counts {
    int gets = 0, sets = 0, faults = 0;
};

class FaultMatrix : public PageTest, public ::testing::WithParamInterface<int> {
protected:
    FaultMatrix() = default;
    explicit FaultMatrix(std::vector<std::string> simulatorArgs) : PageTest(std::move(simulatorArgs)) {}
    void SetUp() override
    {
        PageTest::SetUp();
        ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", kTimeoutUnits, simulator->address().c_str(), kRetries), 0);
        row.caption = QString::fromLatin1(command().title);
    }
    void TearDown() override
    {
        row.Write(part);
        PageTest::TearDown();
    }

    const PageCommand &command() const { return PageCommands()[size_t(GetParam())]; }

    Counts DeviceCounts()
    {
        Counts counts;
        std::sscanf(simulator->control("counts").c_str(), "ok gets %d sets %d faults %d", &counts.gets, &counts.sets,
                    &counts.faults);
        return counts;
    }
    void Plan(const std::string &line) { ASSERT_EQ(simulator->control(line), "ok") << line; }

    PopupPage *Open()
    {
        PopupPage *page = CreatePage(command().kind);
        if (!command().size.isEmpty())
            page->resize(command().size);
        page->show();
        Settle(page);
        // A few pages keep the main window disabled while they are open, by design.
        mainEnabledWhileOpen = mainWindow->isEnabled();
        return page;
    }

    static bool Settled(const PopupPage *page)
    {
        return !page->waitDialog() && !page->refreshing() && page->RequestsInFlight() == 0;
    }
    // Until the page has nothing on its way and no wait open, and stays so a moment; false when
    // a wait never ends.
    bool Settle(PopupPage *page)
    {
        for (int round = 0; round < 2; ++round) {
            if (!WaitFor([page] { return Settled(page); }, 8000))
                return false;
            Spin(50);
        }
        return Settled(page);
    }

    // After every request, failed or not: the wait is over and the module takes input again.
    bool WaitsEnded(PopupPage *page, const std::string &where)
    {
        const bool settled = Settle(page);
        EXPECT_TRUE(settled) << where << ": the wait never ended";
        const bool mainAsOpened = mainWindow->isEnabled() == mainEnabledWhileOpen;
        EXPECT_TRUE(mainAsOpened) << where << ": the main window stays disabled";
        EXPECT_TRUE(page->content()->isEnabled()) << where << ": the page stays disabled";
        EXPECT_EQ(transferInProgress, 0) << where << ": the status poll stays off";
        return settled && mainAsOpened && page->content()->isEnabled() && transferInProgress == 0;
    }

    // A failure stays visible: no success text in the status bar, no information box.
    bool FailureShown(PopupPage *page, const std::string &where, qsizetype boxesBefore)
    {
        bool held = !ShowsSuccess(page->statusText());
        EXPECT_TRUE(held) << where << ": the status bar says \"" << page->statusText().toStdString() << "\"";
        for (qsizetype i = boxesBefore; i < messages->count(); ++i) {
            const bool success = messages->shown()[i].icon == MessageIcon::Information;
            EXPECT_FALSE(success) << where << ": a notice after the failure: " << messages->shown()[i].text.toStdString();
            held = held && !success;
        }
        return held;
    }

    // Presses one Save, or each Save of the page; the sets that reached the device.
    int PressSave(PopupPage *page, QPushButton *save)
    {
        const int before = DeviceCounts().sets;
        save->click();
        Settle(page);
        return DeviceCounts().sets - before;
    }
    int PressSaves(PopupPage *page)
    {
        int sets = 0;
        for (QPushButton *save : ButtonsNamed(*page, QStringLiteral("Save")))
            sets += PressSave(page, save);
        return sets;
    }

    // Whether a page opened afresh shows what this one shows: the device holds it.
    bool DeviceHoldsWhatPageShows(PopupPage *page, const std::string &where)
    {
        PageHolder fresh(Open());
        const std::string diff = Differences(EditableValues(*page), EditableValues(*fresh.get()));
        EXPECT_EQ(diff, "") << where << ": the device holds other values than the page shows:\n" << diff;
        return diff.empty();
    }

    void Count(bool held, const std::string &action)
    {
        row.actions.insert(action);
        ++row.cases;
        row.held += held ? 1 : 0;
    }

    MatrixRow row;
    const char *part = "open";
    bool mainEnabledWhileOpen = true;
};

std::string PageName(const ::testing::TestParamInfo<int> &info)
{
    std::string name = PageCommands()[size_t(info.param)].entry;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return name;
}

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
        for (const FaultKind &kind : kKinds) {
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
            for (const FaultKind &kind : kKinds) {
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
        for (const FaultKind &kind : kKinds) {
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

// Brings every tab that holds `widget` to the front, as a user would to reach it.
void ShowTabsOf(QWidget *widget)
{
    for (QWidget *w = widget; w && w->parentWidget(); w = w->parentWidget())
        if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget()))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
                tabs->setCurrentWidget(w);
}

// Only what the device's lists hold: every list's cells.
Snapshot ListCells(const Snapshot &shown)
{
    Snapshot cells;
    for (const auto &[name, value] : shown)
        if (name.endsWith(u']'))
            cells[name] = value;
    return cells;
}

// A list's row change: what loads it (nothing for a Delete) and what sends it.
struct RowChange {
    std::string name;
    std::function<void()> prepare;
    std::function<void()> send;
    // Whether pressing it again repeats it harmlessly (an edit), or takes a row each time.
    bool repeatable = true;
};

// With the lists a manager fills: each write of an edited row and of a Delete, in turn, refused or
// lost. The user sees the failure, the rows and the form stay as they were, and the same action
// pressed again sends the whole change; at the end the device holds the rows the page shows.
class FaultMatrixList : public FaultMatrix {
protected:
    FaultMatrixList() : FaultMatrix({"--reboot-seconds", "1", "--long-names"}) {}
    void SetUp() override
    {
        FaultMatrix::SetUp();
        ASSERT_TRUE(LoadSavedConfiguration("long-rows.state")) << simulator->error();
    }

    // Sets that one change sends, with no fault; 0 when it sends nothing.
    int CleanRun(PopupPage *page, const RowChange &change)
    {
        change.prepare();
        const int before = DeviceCounts().sets;
        change.send();
        WaitsEnded(page, change.name + ", without a fault");
        return DeviceCounts().sets - before;
    }

    void TryChange(PopupPage *page, ActionIconListCtrl *list, const RowChange &change)
    {
        const qsizetype cleanBoxes = messages->count();
        const int writes = CleanRun(page, change);
        if (writes == 0) {
            row.skipped << QString::fromStdString(change.name) + QStringLiteral(" sends nothing")
                               + (messages->count() > cleanBoxes ? QStringLiteral(" (") + messages->last().text + u')' : QString());
            return;
        }
        bool sendAgain = true;
        for (int k = 0; k < writes; ++k) {
            for (const FaultKind &kind : kKinds) {
                if (!kind.writeFails)
                    continue;
                const std::string where = change.name + ", write " + std::to_string(k + 1) + " of "
                                          + std::to_string(writes) + ", " + kind.name;
                SCOPED_TRACE(where);
                if (list->rowCount() == 0) {
                    row.skipped << QString::fromStdString(where) + QStringLiteral(": the list ran out of rows");
                    return;
                }
                change.prepare();
                const Snapshot before = ShownValues(*page);
                const qsizetype boxes = messages->count();
                const int failedBefore = page->FailedRequests();
                Plan("fault set all " + std::to_string(kind.count) + " " + kind.action + " after " + std::to_string(k));
                change.send();
                bool held = WaitsEnded(page, where);
                Plan("clear");
                const bool failed = page->FailedRequests() > failedBefore;
                EXPECT_TRUE(failed) << where << ": a change the device refused counted as done";
                held = FailureShown(page, where, boxes) && held && failed;
                const std::string diff = Differences(before, ShownValues(*page));
                EXPECT_EQ(diff, "") << where << ": the refused change altered the rows or the form:\n" << diff;
                held = held && diff.empty();
                // Pressed again, the same change goes out whole.
                if (sendAgain) {
                    const int sets = DeviceCounts().sets;
                    change.send();
                    held = WaitsEnded(page, where + ", sent again") && held;
                    const int resent = DeviceCounts().sets - sets;
                    EXPECT_GE(resent, writes) << where << ": sent again after the failure, the change sent less";
                    held = held && resent >= writes;
                    sendAgain = change.repeatable;
                }
                Count(held, change.name.substr(0, change.name.find(' ')));
            }
        }
    }

    bool DeviceHoldsTheRowsShown(PopupPage *page)
    {
        PageHolder fresh(Open());
        const std::string diff = Differences(ListCells(ShownValues(*page)), ListCells(ShownValues(*fresh.get())));
        EXPECT_EQ(diff, "") << "the device holds other rows than the page shows:\n" << diff;
        return diff.empty();
    }
};

QPushButton *EditedRowWriter(const PopupPage &page)
{
    for (QPushButton *button : page.content()->findChildren<QPushButton *>())
        if (button->property(kWritesEditedRowProperty).toBool())
            return button;
    return nullptr;
}

TEST_P(FaultMatrixList, AFailedRowChangeShowsAsFailedAndKeepsTheRowsAndTheForm)
{
    part = "list";
    PageHolder page(Open());
    const QList<ActionIconListCtrl *> lists = page->content()->findChildren<ActionIconListCtrl *>();
    if (lists.isEmpty())
        row.skipped << QStringLiteral("no list with edit or delete icons");
    for (ActionIconListCtrl *list : lists) {
        const std::string name = list->objectName().toStdString();
        ShowTabsOf(list);
        Spin(20);
        if (list->rowCount() < 2) {
            row.skipped << list->objectName() + QStringLiteral(" holds too few rows");
            continue;
        }
        QPushButton *writer = EditedRowWriter(*page.get());
        if (list->editColumn() != RecordListCtrl::kNoColumn && writer) {
            TryChange(page.get(), list,
                      {"edit " + name + " row 1", [list] { emit list->editClicked(0); },
                       [writer] {
                           ShowTabsOf(writer);
                           writer->click();
                       }});
        }
        if (list->deleteColumn() != RecordListCtrl::kNoColumn) {
            TryChange(page.get(), list,
                      {"delete " + name + " row 1", [] {},
                       [list] {
                           ShowTabsOf(list);
                           emit list->deleteClicked(0);
                       },
                       false});
        }
        Count(DeviceHoldsTheRowsShown(page.get()), "rows held");
    }
}

// Each request of a scan, in turn, meets each fault: the wait ends and a failure is shown as one.
TEST_P(FaultMatrixList, AFailedScanShowsAsFailedAndEndsItsWait)
{
    part = "scan";
    PageHolder page(Open());
    QList<QPushButton *> scans;
    for (const QString &text : {QStringLiteral("Scan"), QStringLiteral("Detect")})
        for (QPushButton *button : ButtonsNamed(*page.get(), text))
            if (button->isVisibleTo(page.get()) && button->isEnabled())
                scans << button;
    if (scans.isEmpty()) {
        row.skipped << QStringLiteral("no scan in the device's default mode");
        return;
    }
    for (QPushButton *scan : scans) {
        const Counts start = DeviceCounts();
        scan->click();
        WaitsEnded(page.get(), scan->objectName().toStdString() + ", without a fault");
        const Counts end = DeviceCounts();
        const int requests = end.gets + end.sets - start.gets - start.sets;
        for (int k = 0; k < requests; ++k) {
            for (const FaultKind &kind : kKinds) {
                if (!kind.readFails)
                    continue;
                const std::string where = scan->objectName().toStdString() + ", request " + std::to_string(k + 1)
                                          + " of " + std::to_string(requests) + ", " + kind.name;
                SCOPED_TRACE(where);
                const qsizetype boxes = messages->count();
                const int failedBefore = page->FailedRequests();
                Plan("fault any all " + std::to_string(kind.count) + " " + kind.action + " after " + std::to_string(k));
                scan->click();
                bool held = WaitsEnded(page.get(), where);
                Plan("clear");
                if (page->FailedRequests() > failedBefore)
                    held = FailureShown(page.get(), where, boxes) && held;
                Count(held, "scan");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixList, ::testing::Range(0, int(kPageKindCount)), PageName);
INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixOpen, ::testing::Range(0, int(kPageKindCount)), PageName);
INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixSave, ::testing::Range(0, int(kPageKindCount)), PageName);

} // namespace
