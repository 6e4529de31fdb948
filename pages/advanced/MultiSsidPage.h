#pragma once
#include <QString>

#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace trb {

class DataExchange;
class RecordListCtrl;
class SecurityPanel;

// Advanced > Multi-SSID: the additional SSIDs of the band the radio serves, each with its own
// name, visibility, security, priority and WMM.
class MultiSsidPage : public PopupPage {
    Q_OBJECT
public:
    explicit MultiSsidPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Andvanced \\ Multi-SSID";
    static constexpr int kRefreshMs = 1400;

    struct Controls {
        QCheckBox *multiSsid = nullptr;
        QCheckBox *priorityEnabled = nullptr;
        QGroupBox *settings = nullptr;
        QComboBox *band = nullptr; // always disabled: the page works on the radio's current band
        QComboBox *index = nullptr;
        QLineEdit *ssid = nullptr;
        QComboBox *visibility = nullptr;
        QComboBox *security = nullptr;
        QComboBox *priority = nullptr;
        QComboBox *wmm = nullptr;
        SecurityPanel *securityPanel = nullptr;
        QPushButton *add = nullptr;
        RecordListCtrl *list = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // The settings panel: drop-down indexes and the SSID text.
    struct SsidValues {
        int band = 0; // 0 for band 1, 1 for band 2
        int index = 0;
        QString ssid;
        int visible = 0;
        int security = 0; // 0 Open System, 1 WPA-Personal, 2 WPA-Enterprise, 3 802.1x
        int priority = 0;
        int wmm = 0;
    };

    // One SSID in service, as the list shows it and as the key-in-use warning needs it.
    struct SsidRow {
        int index = 0;
        QString ssid;
        int band = 1;
        int code = 0;     // encryption code as shown
        int keyIndex = 0; // WEP key in use, 0 when the SSID uses no WEP key
        QString key;
        bool periodicalKey = false; // an additional SSID whose WPA key the device changes
    };

    static int SecurityIndexOfType(int type);
    static int SecurityTypeOfIndex(int index);
    // code: what apWirelessGetSecurity returned; type and block: the SSID's security as read.
    static SsidRow RowFromSecurity(int index, const QString &ssid, int band, int code, int type,
                                   const apSecurityBlock &block);
    // Whether writing `key` as WEP key `keyIndex` of SSID `edited` changes a key another SSID uses.
    static bool KeyUsedElsewhere(const std::vector<SsidRow> &rows, int edited, int keyIndex, const QString &key);

    void Add();
    void Save();

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnReadFailed() override;
    void OnWriteDone(int result) override;
    void UpdateEnabling() override;

private:
    void BuildControls();
    QGroupBox *BuildSettings();
    void LoadSsid(int ssid);
    void RebuildSecurityLists();
    void RefreshList();
    void FinishWriteRead();
    void OnMultiSsidClicked();
    void OnIndexChosen();
    void Restack();
    void OnCellClicked(int column, int row);
    void ApplyMultiSsidRule();
    bool CollectSecurity(int type, apSecurityBlock &block);
    int StageAdd(APHANDLE handle, const SsidValues &values, int type, apSecurityBlock &block);
    void StageFlags(bool withApMode);
    void Exchange(DataExchange &dx, SsidValues &values);

    Controls c_;
    int band_ = 1;
    int storedApMode_ = 0;
    int apMode_ = 0;
    bool noticeShown_ = false;
    int wirelessMode_ = 0;
    apSecurityBlock readBlock_{}; // the security of the SSID being edited
    std::vector<SsidRow> rows_;
    bool periodicalNotice_ = false;
    int listReads_ = 0; // reads after writes still to come: they refresh only the list
    int writeResult_ = 0;
    QString writeText_;
};

} // namespace trb
