#pragma once
#include <QString>

#include <utility>
#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trb {

class ActionIconListCtrl;
class IpAddressEdit;

// Advanced > ARP Spoofing Prevention: the on/off state and the gateway pairs the device guards.
class ArpSpoofingPage : public PopupPage {
    Q_OBJECT
public:
    explicit ArpSpoofingPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\ARP Spoofing Prevention";
    static constexpr int kMaxGateways = 8;

    struct Controls {
        QComboBox *state = nullptr;
        IpAddressEdit *ip = nullptr;
        QLineEdit *mac = nullptr;
        QPushButton *add = nullptr;
        QPushButton *clear = nullptr;
        QLabel *total = nullptr;
        QPushButton *deleteAll = nullptr;
        ActionIconListCtrl *list = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }
    // The list row whose pair "Add" replaces; -1 for none.
    int editingRow() const;

    void Add();
    void Clear();
    void DeleteAll();
    void Save();
    void EditRow(int row);
    void DeleteRow(int row);

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void UpdateEnabling() override;

private:
    enum WriteMode { NoWrite = 0, StateOnly = 1, WriteAndRead = 2 };

    void BuildControls();
    // The page checks of "Add": the pair as it goes to the device, or false after the message.
    bool CheckEntry(QString &ip, QString &mac);
    bool TakenByOtherRow(int column, const QString &text) const;
    // Stages the state with the staged list change and sends them; re-reads when done.
    void WriteListChange();
    void ShowLibraryError(int code);

    Controls c_;
    std::vector<apArpEntry> entries_;
    int editRow_;
    std::pair<QString, QString> editedPair_; // the IP and MAC of the row being edited
    bool formWrite_ = false;                 // the write in flight carries the form's entry
    WriteMode writeMode_ = NoWrite;
};

} // namespace trb
