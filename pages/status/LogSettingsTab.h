#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

#include "TRB4820apRecords.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trb {

class DataExchange;
class IpAddressEdit;

// The "Log Settings" tab: the remote log server and log types, the e-mail notification and its
// schedule. Some e-mail rows are hidden on this model; their values still go back to the device.
class LogSettingsTab : public QWidget {
    Q_OBJECT
public:
    explicit LogSettingsTab(QWidget *parent = nullptr);

    struct Controls {
        IpAddressEdit *logServer = nullptr;
        QCheckBox *systemActivity = nullptr, *wirelessActivity = nullptr, *notice = nullptr;
        QCheckBox *enable = nullptr;
        QLineEdit *from = nullptr, *to = nullptr;
        IpAddressEdit *mailServer = nullptr;
        QLineEdit *port = nullptr, *userName = nullptr, *password = nullptr, *confirm = nullptr;
        QComboBox *serverType = nullptr; // hidden
        QCheckBox *authentication = nullptr, *sslTls = nullptr; // hidden
        QComboBox *schedule = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // What the two library records carry, as the page shows it.
    struct Values {
        QString logServer; // "" for none
        bool systemActivity = false, wirelessActivity = false, notice = false;
        bool enable = false;
        QString from, to, mailServer;
        int port = 0;
        QString userName, password, confirm;
        int serverType = 1; // 1 Internal, 2 Gmail, 3 Hotmail
        bool authentication = false, sslTls = false;
        QString schedule;
        bool operator==(const Values &) const = default;
    };
    static Values FromRecords(const apLogSettingsRecord &log, const apEmailNtfRecord &mail);
    // The records to send; the remote-log switch is on exactly when a server is given.
    static void ToRecords(const Values &values, apLogSettingsRecord &log, apEmailNtfRecord &mail);
    static QStringList ScheduleEntries();

    // Loading fills the controls; saving reads them back, running every check of the tab in
    // order (the e-mail checks only with "Enable" ticked).
    void Exchange(DataExchange &dx, Values &values);
    void UpdateEnabling();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildLogSection();
    QWidget *BuildMailSection();
    QWidget *BuildScheduleSection();
    void ExchangeMail(DataExchange &dx, Values &values);

    Controls c_;
};

} // namespace trb
