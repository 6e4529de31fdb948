#pragma once
#include <QString>

#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"
#include "VlanMembers.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace trb {

class ActionIconListCtrl;
class RecordListCtrl;
class VlanPortEditor;
class VlanPvidPanel;

// Advanced > VLAN: VLANs on or off, the VLAN mode, the VLANs with their member ports, the
// per-port view, the VLAN form and the port VIDs.
class VlanPage : public PopupPage {
    Q_OBJECT
public:
    explicit VlanPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\ VLAN";
    static constexpr int kMaxVlans = 18;
    enum Tab { ListTab, PortTab, FormTab, PvidTab };
    enum ListColumn { VidColumn, NameColumn, UntagColumn, TagColumn, EditColumn, DeleteColumn };

    struct Controls {
        QRadioButton *disable = nullptr;
        QRadioButton *enable = nullptr;
        QLabel *mode = nullptr;
        QPushButton *save = nullptr;
        QTabWidget *tabs = nullptr;
        ActionIconListCtrl *list = nullptr;
        RecordListCtrl *ports = nullptr;
        QLineEdit *vid = nullptr;
        QLineEdit *name = nullptr;
        VlanPortEditor *portEditor = nullptr;
        QPushButton *formSave = nullptr;
        VlanPvidPanel *pvid = nullptr;
    };
    const Controls &controls() const { return c_; }
    // The list row the form replaces; -1 for a new VLAN.
    int editingRow() const;
    const QString &limitType() const { return limitType_; }

    void Save();
    void SaveVlan();
    void SavePvids();
    void EditRow(int row);
    void DeleteRow(int row);

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void OnMonitorDone(APHANDLE monitor, int result) override;

private:
    void BuildControls();
    QWidget *BuildForm();
    void ReadParameters();
    void ReadList();
    void ReadPvids();
    void RunStatusRule(bool enable);
    void ShowWarnings();
    bool StaticMode() const;
    uint32_t StatusGroups() const;
    void SelectGroups(uint32_t groups);
    void StageStatus();
    // With the "Disable" radio checked only status 0 is written; false then.
    bool StatusAllowsEdits();
    bool CheckForm();
    void RefreshPorts();
    void OnTabChanged(int tab);
    void Hold(int ms);
    void ShowLibraryError(int code);

    Controls c_;
    int status_ = 0;
    int mode_ = -1;
    QString modeText_;
    QString apMode24_, apMode5_, limitType_;
    int reloadMask_ = 7;
    int editRow_;
    int editedVid_ = 0;      // the VID of the VLAN being edited: its row after a re-read
    bool formWrite_ = false; // the write in flight carries the form's VLAN
    bool keepForm_ = false;  // the device refused it: the re-read leaves the form as it is
    bool apWarningShown_ = false;
    std::vector<apVlanRecord> rows_;
};

} // namespace trb
