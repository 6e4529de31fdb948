#pragma once
#include <QString>

#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace trb {

class ActionIconListCtrl;
class FileTransfer;
class FilterPartitionTab;
class MacAddressEdit;
class RecordListCtrl;

// Advanced > Filter: the MAC access-control list of a band with the associated clients and the
// ACL file panel, and the WLAN partition settings.
class FilterPage : public PopupPage {
    Q_OBJECT
public:
    explicit FilterPage(QWidget *parent = nullptr);
    ~FilterPage() override;

    static inline const char kTitle[] = "Advanced \\ Filter";
    static constexpr int kMaxAclEntries = 256;
    static inline const char kAclFileFilter[] = "ACL File(*.acl)|*.acl|All Files(*.*)|*.*||";

    enum AclColumn { IdColumn, MacColumn, DeleteColumn };
    enum ClientColumn { ClientMacColumn, ClientSsidColumn, ClientBandColumn, ClientAuthColumn, ClientSignalColumn };
    enum AclOperation { AddMac = 0, DeleteMac = 1, ModeOnly = 2 };

    struct Controls {
        QTabWidget *tabs = nullptr;
        QWidget *aclTab = nullptr;
        QComboBox *aclBand = nullptr;
        QComboBox *accessControl = nullptr;
        MacAddressEdit *mac = nullptr;
        QPushButton *add = nullptr;
        ActionIconListCtrl *aclList = nullptr;
        RecordListCtrl *clientList = nullptr;
        QLineEdit *uploadFile = nullptr;
        QPushButton *browse = nullptr;
        QPushButton *upload = nullptr;
        QPushButton *download = nullptr;
        QPushButton *aclSave = nullptr;
        FilterPartitionTab *partition = nullptr;
    };
    const Controls &controls() const { return c_; }
    // The band whose values the page shows and changes (1 = 2.4 GHz, 2 = 5 GHz).
    int shownBand() const { return shownBand_; }

    // "12 digits" -> "xx:xx:..."; a text that already has colons (or is not 12 characters) as it is.
    static QString ShownMac(const QString &deviceMac);

    void Add();
    void DeleteRow(int row);
    void ClientClicked(int row);
    void SaveAcl();
    void SavePartition();
    void Browse();

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void OnMonitorDone(APHANDLE monitor, int result) override;
    void UpdateEnabling() override;

    // The ACL file of the shown band to and from the PC: the device fetches or sends it through
    // the page's TFTP server.
    void StartAclUpload();
    void StartAclDownload();
    FileTransfer &transfer() const { return *transfer_; }

private:
    void BuildControls();
    QWidget *BuildAclTab();
    QWidget *BuildAclFilePanel();
    void LoadBand(int band);
    void LoadAcl(int band);
    void LoadPartition(int band);
    bool TakenByRow(const QString &plainMac) const;
    void ChangeAcl(int modeIndex, const QString &plainMac, AclOperation operation);
    // Sends what is staged behind the wait dialog; the page is read again when it completes.
    void Apply();
    bool SelectTransferBand();
    APHANDLE TftpHandle();
    // The transfer's request; false when the device refused it or never answered (the
    // refusal is in the status bar).
    bool SendTransferRequest();
    QString UploadVerdict();
    void EndAclTransfer(int timer);

    Controls c_;
    int deviceBand_ = 1;
    int shownBand_ = 1;
    bool aclUnavailable_ = false; // the device reports mode 4: access control does not apply
    FileTransfer *transfer_;
    APHANDLE tftpHandle_ = 0; // the ACL transfers' TFTP commands
    int kind_ = 0;            // the ACL transfer in progress: 0 none, else its transfer kind
    int statusRetries_ = 0;   // extra waits for a device still busy with the file
};

} // namespace trb
