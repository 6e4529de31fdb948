#pragma once
#include <QString>
#include <QStringList>

#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QComboBox;
class QPushButton;

namespace trb {

class ActionIconListCtrl;
class ScheduleRuleForm;

// Advanced > Schedule: the wireless schedule switch and the rules saying when each SSID is
// served, at most one per SSID.
class SchedulePage : public PopupPage {
    Q_OBJECT
public:
    explicit SchedulePage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\ Schedule";
    static constexpr int kSsidsPerBand = 8;

    struct Controls {
        QComboBox *schedule = nullptr;
        ScheduleRuleForm *form = nullptr;
        ActionIconListCtrl *list = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // Which rules the page can show and where new ones go, from the radios' operating modes.
    struct BandView {
        bool busy24 = false;     // the 2.4 GHz radio is a client or repeater: the switch is locked
        bool busy5 = false;
        bool listsLow = false;   // rules of SSID indexes 0-7 are listed
        bool listsHigh = false;  // rules of SSID indexes 8-15 are listed
        int firstSsid = 0;       // the SSID index of the drop-down's first item
    };
    static BandView DecideBands(const QString &mode24, const QString &mode5);
    // The drop-down's SSIDs.
    static QStringList SsidItems();

    // The list row whose rule "Add" replaces; -1 for none.
    int editingRow() const { return editRow_; }

    void Add();
    void Clear();
    void Save();
    void EditRow(int row);
    void DeleteRow(int row);

    int ReadOnShow() override;
    // Every group of the schedule, read behind the wait dialog.
    void SelectEverything();
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void UpdateEnabling() override;

private:
    void BuildControls();
    bool Listed(int ssid) const;
    void AddRow(int rulePosition);
    QString IndexText(int ssid) const;
    bool SsidTakenByOtherRow(const QString &indexText) const;
    void FinishListChange();
    void RefuseLockedToggle(int row, bool checked);

    Controls c_;
    BandView bands_;
    std::vector<apScheduleRule> rules_; // the last read, in rule order
    std::vector<int> rowRules_;         // per list row: its rule's position in rules_
    int editRow_ = -1;
    int editedSsid_ = -1;    // the SSID of the rule being edited: its row after a re-read
    bool formWrite_ = false; // the write in flight carries the form's rule
    QString writeFailure_;              // the failed write's text, kept past the read after it
};

} // namespace trb
