#pragma once
#include <QStringList>

#include <array>

#include "MacClonePanel.h"
#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trb {

class SecurityPanel;
class SiteSurveyPanel;
class WdsPeerPanel;

// Basic > Wireless: band, AP mode, SSID, channel and width, the primary SSID's security, WDS
// peers, MAC clone and site surveys, for the band the device serves.
class BasicWirelessPage : public PopupPage {
    Q_OBJECT
public:
    explicit BasicWirelessPage(QWidget *parent = nullptr);
    ~BasicWirelessPage() override;

    static inline const char kTitle[] = "Basic \\ Wireless";

    struct Controls {
        QWidget *basicPanel = nullptr;
        QComboBox *band = nullptr;
        QComboBox *mode = nullptr;
        QLineEdit *ssid = nullptr;
        QComboBox *visibility = nullptr;
        QComboBox *autoChannel = nullptr;
        QComboBox *channel = nullptr;
        QComboBox *width = nullptr;
        SecurityPanel *security = nullptr;
        WdsPeerPanel *wds = nullptr;
        SiteSurveyPanel *survey = nullptr;
        MacClonePanel *macClone = nullptr;
        QLabel *applicationLabel = nullptr;
        QComboBox *application = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // AP mode of the "Mode" text (-1 for none).
    static int ApModeOfText(const QString &text);
    // The status pane's text for a band in `mode`.
    static QString PaneModeText(int mode);

    void Save();
    // Scan kinds: 0 WDS survey, 1 client survey, 2 the client MAC list.
    void Scan(int kind);

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void OnMonitorDone(APHANDLE monitor, int result) override;

signals:
    // The modes' texts for the main window, one per band, when the user saves.
    void modeTextsChosen(const QString &band24, const QString &band5);

private:
    void BuildControls();
    QWidget *BuildBasicPanel();
    void LoadBand(int band);
    void LoadPerSsidKeys(int band);
    void FillChannels(int mode);
    void SetUpApplication();
    void RefilterModes();
    void ModeChosen();
    void HandleModeChange(int mode);
    bool WarnModeEffects(int mode);
    void ApplyModeEnabling(int mode);
    void ApplyWidthRule();
    void ChannelChosen();
    void ForceWidth20();
    void ShowPanelsFor(int mode);
    void Restack();
    // Everything a save stages, checked.
    struct SaveValues {
        QString ssid;
        int visible = 0, mode = 0, type = 0;
        int application = -1, channel = 0, autoChannel = 0, width = 0;
        apSecurityBlock security{};
        QString peers;
        MacClonePanel::Values clone;
        bool resetMultiSsid = false;
        apMultiSsidAuthReset reset{};
    };
    bool WarnKeyInUse(int type);
    void CollectRadioValues(SaveValues &values) const;
    int StageSettings(APHANDLE handle, SaveValues &values) const;
    void SurveyNeighbourChosen(int row);
    int CurrentMode() const;
    int SurveyBand() const;
    bool WidthForcingCode() const;

    Controls c_;
    APHANDLE wdsSurvey_ = 0;
    APHANDLE macList_ = 0;
    int bandCount_ = 1;
    int band_ = 1;
    std::array<int, 3> storedModes_{}; // by band number
    int surveyBlocked_ = 0;
    int wirelessModeCode_ = 0;
    bool no11n_ = false;
    int vlanState_ = 0, apArrayState_ = 0, webRedirectionState_ = 0;
    int multiSsidEnabled_ = 0;
    bool resetMultiSsidSecurity_ = false;
    std::array<int, 8> keyIndexes_{};
    std::array<QString, 8> keyTexts_;
    QString channels_, wdsChannels_;
    QString country_;
    int application_ = 0;
    apSecurityBlock readBlock_{};
};

} // namespace trb
