#pragma once
#include <QWidget>

#include "TRB4820apRecords.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace trb {

class IpAddressEdit;
class PopupPage;

// The dynamic pool tab of the DHCP server page: the server's state and the pool it hands out.
class DhcpDynamicTab : public QWidget {
    Q_OBJECT
public:
    explicit DhcpDynamicTab(QWidget *parent = nullptr);

    struct Controls {
        QComboBox *state = nullptr;
        IpAddressEdit *poolStart = nullptr;
        QLineEdit *poolSize = nullptr;
        IpAddressEdit *mask = nullptr;
        IpAddressEdit *gateway = nullptr;
        IpAddressEdit *wins = nullptr;
        IpAddressEdit *dns = nullptr;
        QLineEdit *domainName = nullptr;
        QLineEdit *leaseTime = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    void Fill(const apDhcpDynamicRecord &record);
    // The page checks of Save, in order; false after the first failure's message.
    bool Check(PopupPage &page);
    // The pool as the fields hold it; blank addresses go as 0.0.0.0.
    apDhcpDynamicRecord Record() const;
    void UpdateEnabling(int poolType);

signals:
    void stateChanged();

private:
    Controls c_;
};

} // namespace trb
