#pragma once
#include <QWidget>

#include <vector>

#include "TRB4820apRecords.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace trb {

class ActionIconListCtrl;
class IpAddressEdit;
class PopupPage;

// The static pool tab of the DHCP server page: the server's state, the entry being added or
// edited, and the MAC-bound entries the device holds.
class DhcpStaticTab : public QWidget {
    Q_OBJECT
public:
    explicit DhcpStaticTab(QWidget *parent = nullptr);

    enum Column { IndexColumn, HostColumn, MacColumn, IpColumn, MaskColumn, GatewayColumn, WinsColumn, DnsColumn,
                  DomainColumn, EditColumn, DeleteColumn };

    struct Controls {
        QComboBox *state = nullptr;
        QLineEdit *hostName = nullptr;
        IpAddressEdit *ip = nullptr;
        QLineEdit *mac = nullptr;
        IpAddressEdit *mask = nullptr;
        IpAddressEdit *gateway = nullptr;
        IpAddressEdit *wins = nullptr;
        IpAddressEdit *dns = nullptr;
        QLineEdit *domainName = nullptr;
        ActionIconListCtrl *list = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }
    // The list row the next Save replaces; -1 for a new entry.
    int editingRow() const;

    // The dynamic pool's mask, gateway, servers and domain as defaults for a new entry.
    void SetDefaults(const apDhcpDynamicRecord &pool);
    // The device's entries into the list; the form emptied unless `keepForm` (an entry the device
    // refused, to be mended and sent again), whose edit then goes on with its row.
    void Fill(const std::vector<apDhcpStaticEntry> &entries, bool keepForm = false);
    bool Check(PopupPage &page);
    // The entry as the fields hold it, for the row being edited.
    apDhcpStaticEntry TakeEntry() const;
    // The device took the form's entry: the next one is new.
    void EntryTaken();
    void EditRow(int row);
    // The row is gone from the device: the edit follows the rows that move up.
    void RowDeleted(int row);
    void UpdateEnabling(int poolType);

signals:
    void stateChanged();
    void deleteRequested(int row);

private:
    bool TakenByOtherRow(int column, const QString &text) const;

    Controls c_;
    int editRow_;
    QString editedMac_; // the edited entry's MAC: its row after a re-read
};

} // namespace trb
