#pragma once
// What the fault matrix's tests share: the fault kinds and how the simulator's plan takes them,
// snapshots of what a page shows, the row of the table each page leaves, and a fixture that opens
// a catalogue page and checks what must hold after every failed request.
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "PageCatalog.h"
#include "TransferTestSupport.h"

class QPushButton;
class QWidget;

namespace trb {
class PopupPage;
}

namespace trb::test {

struct FaultKind {
    const char *name;
    const char *action; // as the simulator's fault plan takes it
    int count;          // requests it hits: a drop takes the library's retry too
    bool readFails;     // a read meeting it cannot succeed
    bool writeFails;    // a write meeting it is not carried out
};

// The library tries twice, 200 ms each; an answer 300 ms late arrives for the retry.
inline constexpr int kTimeoutUnits = 20;
inline constexpr int kRetries = 1;
extern const std::vector<FaultKind> kFaultKinds;

// What a page shows, control by control (named controls and every list's cells).
using Snapshot = std::map<QString, QString>;
// Editable controls only: what a Save sends and a fresh page must show again.
Snapshot EditableValues(const PopupPage &page);
// Types `values` back into each editable control that shows something else now, as a user would.
void RetypeEditableValues(const PopupPage &page, const Snapshot &values);
// Everything shown: the editable values, read-only texts and every list's cells.
Snapshot ShownValues(const PopupPage &page);
// Only what the device's lists hold: every list's cells.
Snapshot ListCells(const Snapshot &shown);
std::string Differences(const Snapshot &expected, const Snapshot &actual);

bool ShowsSuccess(const QString &status);
// The page's named buttons showing `text`.
QList<QPushButton *> ButtonsNamed(const PopupPage &page, const QString &text);
// Brings every tab that holds `widget` to the front, as a user would to reach it.
void ShowTabsOf(QWidget *widget);

// One row of the table printed at the end: what was tried on a page and what held.
struct MatrixRow {
    QString caption;
    std::set<std::string> actions;
    int cases = 0;
    int held = 0;
    QStringList skipped;

    void Write(const char *part) const;
};

struct Counts {
    int gets = 0, sets = 0, faults = 0;
};

// Each catalogue page by its menu entry, for the tests' names.
std::string PageName(const ::testing::TestParamInfo<int> &info);

class FaultMatrix : public TransferPageTest, public ::testing::WithParamInterface<int> {
protected:
    explicit FaultMatrix(std::vector<std::string> simulatorArgs = {})
        : TransferPageTest(FreeUdpPort(), std::move(simulatorArgs)) {}
    void SetUp() override;
    void TearDown() override;

    const PageCommand &command() const { return PageCommands()[size_t(GetParam())]; }

    // The lists a manager fills, long rows in each, and Multi-SSID on, so that its list and Add
    // are there to use.
    bool LoadFilledLists();
    Counts DeviceCounts();
    void Plan(const std::string &line);

    // The page at its own size, shown, its first read over.
    PopupPage *Open();
    static bool Settled(const PopupPage *page);
    // Until the page has nothing on its way and no wait open, and stays so a moment; false when
    // a wait never ends.
    bool Settle(PopupPage *page);
    // After every request, failed or not: the wait is over and the module takes input again.
    bool WaitsEnded(PopupPage *page, const std::string &where);
    // A failure stays visible: no success text in the status bar, no box that says it worked.
    bool FailureShown(PopupPage *page, const std::string &where, qsizetype boxesBefore);
    // Whether a message box says an action worked: this one, or one since `boxesBefore`.
    bool SaysSuccess(qsizetype box) const;
    bool SuccessNoticed(qsizetype boxesBefore) const;

    // Presses one Save, or each Save of the page; the sets that reached the device.
    int PressSave(PopupPage *page, QPushButton *save);
    int PressSaves(PopupPage *page);
    // Whether a page opened afresh shows what this one shows: the device holds it.
    bool DeviceHoldsWhatPageShows(PopupPage *page, const std::string &where);

    void Count(bool held, const std::string &action);

    MatrixRow row;
    const char *part = "open";
    bool mainEnabledWhileOpen = true;
};

} // namespace trb::test
