#pragma once
#include <QString>

#include <vector>

#include "PopupPage.h"
#include "QosRules.h"
#include "TRB4820apRecords.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace trb {

class ActionIconListCtrl;
class DataExchange;

// Advanced > QoS: the QoS switch, the two built-in classifiers and the classification rules.
class QosPage : public PopupPage {
    Q_OBJECT
public:
    explicit QosPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\ QoS";
    static constexpr int kReadWaitMs = 1800;
    static constexpr int kWriteWaitMs = 5000;
    static inline const char kTableFull[] =
        "The QoS rule table is full. Delete a rule before adding another one.";
    static inline const char kNameTaken[] = "A QoS rule with this name already exists.";

    struct Controls {
        QComboBox *qos = nullptr;
        QCheckBox *http = nullptr;
        QCheckBox *automatic = nullptr;
        QLineEdit *name = nullptr;
        QComboBox *priority = nullptr;
        QComboBox *protocol = nullptr;
        QLineEdit *protocolNumber = nullptr;
        QLineEdit *host1Start = nullptr, *host1End = nullptr;
        QLineEdit *host1PortStart = nullptr, *host1PortEnd = nullptr;
        QLineEdit *host2Start = nullptr, *host2End = nullptr;
        QLineEdit *host2PortStart = nullptr, *host2PortEnd = nullptr;
        QPushButton *add = nullptr;
        QPushButton *clear = nullptr;
        ActionIconListCtrl *list = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }
    // The index of the rule "Add" replaces; 0 when it adds a new one.
    int editingIndex() const { return editIndex_; }

    void Add();
    void Clear();
    void Save();
    void EditRow(int row);
    void DeleteRow(int row);

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnReadFailed() override;
    void OnWriteDone(int result) override;
    void UpdateEnabling() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    QWidget *BuildRuleForm();
    void BuildList();
    void ApplyProtocolRule();
    void ApplyMode(int mode);
    void FillList();
    void Exchange(DataExchange &dx, QosRuleForm &form);
    bool CheckRanges(const QosRuleForm &form);
    bool NameTaken(const QString &name) const;
    // The slot "Add" writes: the edited rule's, else the first free one; 0 when none is free.
    int ChosenIndex() const;
    const apQosRule *RuleAt(int index) const;
    void OnRowCheckToggled(int row, bool checked);
    void StageSwitches();
    // Sends what is staged behind the wait dialog; the page re-reads when it is done.
    void Finish(uint32_t groups);
    void ShowLibraryError(int code);

    Controls c_;
    std::vector<apQosRule> slots_; // every slot of the last read, used ones first
    int usedRules_ = 0;
    int editIndex_ = 0;
    bool writing_ = false;
    bool formWrite_ = false; // the write in flight carries the form's rule
    int writeResult_ = 0;
    QString writeText_;
};

} // namespace trb
