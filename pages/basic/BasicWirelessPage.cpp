#include "BasicWirelessPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "DeviceTable.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "InnerScrollArea.h"
#include "MacClonePanel.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordText.h"
#include "SecurityPanel.h"
#include "SiteSurveyPanel.h"
#include "TimeScale.h"
#include "WdsPeerPanel.h"
#include "WirelessCodes.h"

namespace trb {
namespace {

using namespace wireless;

constexpr uint32_t kBasicGroups = 0xCBFF; // everything this page reads, see AP_WL_GROUP_*
constexpr int kRefreshEndMs = 1600;
constexpr int kScanWaitMs = 9000;

const QStringList kModes = {QStringLiteral("Access Point"), QStringLiteral("WDS with AP"), QStringLiteral("WDS"),
                            QStringLiteral("Wireless Client")};
const QString kWidth20 = QStringLiteral("20MHz");

bool JoinsPeer(int mode) { return mode == WirelessClient || mode == ApRepeater; }

} // namespace

BasicWirelessPage::BasicWirelessPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apWirelessOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, 3, 0);
    wdsSurvey_ = apSysMonitorOpen(sessionHandle, 4, 0);
    macList_ = apSysMonitorOpen(sessionHandle, 8, 0);
}

BasicWirelessPage::~BasicWirelessPage()
{
    for (APHANDLE monitor : {macList_, wdsSurvey_})
        if (monitor)
            apHandleClose(monitor);
}

QWidget *BasicWirelessPage::BuildBasicPanel()
{
    auto *panel = new QWidget;
    FormRows rows = FormRows::On(panel);
    c_.band = rows.Add(QStringLiteral("Wireless Band"), ComboOf({QStringLiteral("2.4GHz"), QStringLiteral("5GHz")}),
                       "wirelessBandCombo");
    c_.mode = rows.Add(QStringLiteral("Mode"), ComboOf(kModes), "modeCombo");
    c_.ssid = rows.Add(QStringLiteral("Network Name (SSID)"), new QLineEdit(QStringLiteral("Default")), "ssidEdit");
    c_.ssid->setMaxLength(32);
    c_.visibility = rows.Add(QStringLiteral("SSID Visibility"), ComboOf({QStringLiteral("Enable"), QStringLiteral("Disable")}),
                             "ssidVisibilityCombo");
    c_.autoChannel = rows.Add(QStringLiteral("Auto Channel Selection"),
                              ComboOf({QStringLiteral("Enable"), QStringLiteral("Disable")}), "autoChannelCombo");
    c_.channel = rows.Add(QStringLiteral("Channel"), new QComboBox, "channelCombo");
    c_.width = rows.Add(QStringLiteral("Channel Width"), ComboOf({kWidth20, QStringLiteral("Auto 20/40MHz")}),
                        "channelWidthCombo");
    return panel;
}

void BasicWirelessPage::BuildControls()
{
    c_.basicPanel = BuildBasicPanel();
    c_.security = new SecurityPanel(SecurityPanel::Variant::Primary);
    c_.wds = new WdsPeerPanel;
    c_.survey = new SiteSurveyPanel;
    c_.macClone = new MacClonePanel;
    auto *bottom = new QGridLayout;
    FormRows rows(bottom);
    c_.application = rows.Add(QStringLiteral("Application"), new QComboBox, "applicationCombo");
    c_.applicationLabel = rows.lastLabel();
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    bottom->addWidget(c_.save, 0, 2, Qt::AlignRight);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    // The settings scroll inside when a mode's panels need the room, so that their lists and
    // Save stay in view.
    layout->addWidget(new InnerScrollArea({c_.basicPanel, c_.security}, "settingsArea"));
    for (QWidget *panel : {static_cast<QWidget *>(c_.wds), static_cast<QWidget *>(c_.survey), static_cast<QWidget *>(c_.macClone)})
        layout->addWidget(panel);
    layout->addLayout(bottom);
    layout->addStretch(1);
    SetVisible({c_.application, c_.applicationLabel}, false);

    connect(c_.band, &QComboBox::activated, this, [this](int index) { LoadBand(index + 1); });
    connect(c_.mode, &QComboBox::activated, this, &BasicWirelessPage::ModeChosen);
    connect(c_.application, &QComboBox::activated, this, &BasicWirelessPage::RefilterModes);
    connect(c_.autoChannel, &QComboBox::activated, this, [this] {
        c_.channel->setEnabled(c_.autoChannel->currentIndex() == 1);
    });
    connect(c_.channel, &QComboBox::activated, this, &BasicWirelessPage::ChannelChosen);
    connect(c_.security, &SecurityPanel::widthRuleNeeded, this, &BasicWirelessPage::ApplyWidthRule);
    connect(c_.security, &SecurityPanel::sizeChanged, this, &BasicWirelessPage::Restack);
    connect(c_.survey->scanButton(), &QPushButton::clicked, this, [this] {
        Scan(JoinsPeer(CurrentMode()) ? 1 : 0);
    });
    connect(c_.survey, &SiteSurveyPanel::neighbourChosen, this, &BasicWirelessPage::SurveyNeighbourChosen);
    connect(c_.macClone->controls().scan, &QPushButton::clicked, this, [this] { Scan(2); });
    connect(c_.save, &QPushButton::clicked, this, &BasicWirelessPage::Save);
    ShowPanelsFor(AccessPoint);
}

int BasicWirelessPage::ApModeOfText(const QString &text)
{
    const QString mode = text.trimmed();
    if (mode == QLatin1String("AP Repeater"))
        return ApRepeater;
    return int(kModes.indexOf(mode));
}

QString BasicWirelessPage::PaneModeText(int mode)
{
    if (mode == WirelessClient)
        return QStringLiteral("Wireless client");
    if (mode == ApRepeater)
        return QStringLiteral("Wireless repeater");
    return {};
}

int BasicWirelessPage::CurrentMode() const { return ApModeOfText(c_.mode->currentText()); }

// A one-radio device scans the band it serves.
int BasicWirelessPage::SurveyBand() const { return band_; }

bool BasicWirelessPage::WidthForcingCode() const
{
    return bandCount_ == 1 ? IsNo11n(wirelessModeCode_) : IsNOnly(wirelessModeCode_);
}

// --- Reading ---

int BasicWirelessPage::ReadOnShow()
{
    apStyleModify(primaryHandle, kBasicGroups, 0);
    BeginRefresh(kRefreshEndMs);
    return 1;
}

void BasicWirelessPage::OnReadDone()
{
    const int band = apWirelessGetCurBand(primaryHandle);
    int fourth = 0;
    apWirelessGetFunctionState(primaryHandle, band, &vlanState_, &apArrayState_, &webRedirectionState_, &fourth);
    char country[AP_WL_TEXT_SIZE] = {};
    apWirelessGetApplication(primaryHandle, country, &application_);
    country_ = RecordText(country);
    LoadBand(band);
}

void BasicWirelessPage::LoadBand(int band)
{
    band_ = band == Band5 ? Band5 : Band24;
    const APHANDLE h = primaryHandle;
    bandCount_ = apWirelessGetBandCount(h);
    char channels[AP_WL_TEXT_SIZE] = {};
    char wdsChannels[AP_WL_TEXT_SIZE] = {};
    apWirelessGetList(h, band_, channels, wdsChannels, nullptr, nullptr, nullptr, nullptr);
    channels_ = RecordText(channels);
    wdsChannels_ = RecordText(wdsChannels);
    apWirelessGetApMode(h, Band24, 0, &storedModes_[1], nullptr);
    apWirelessGetApMode(h, Band5, 0, &storedModes_[2], nullptr);
    apWirelessGetApMode(h, band_, 0, &storedModes_[band_], &surveyBlocked_);
    apPerformanceRecord performance{};
    apWirelessGetPerformance(h, band_, 0, &performance);
    wirelessModeCode_ = int(performance.wirelessMode);
    no11n_ = IsNo11n(wirelessModeCode_);
    apWirelessGetMultiSSID(h, band_, &multiSsidEnabled_, nullptr, 0);
    const int mode = storedModes_[band_];

    c_.mode->clear();
    c_.mode->addItems(kModes);
    c_.mode->setCurrentIndex(mode < kModes.size() ? mode : -1);
    c_.band->setCurrentIndex(band_ - 1);
    FillChannels(mode);

    char ssid[AP_WL_TEXT_SIZE] = {};
    int length = 0, visible = 0;
    apWirelessGetSSID(h, band_, 0, ssid, &length, &visible);
    c_.ssid->setText(RecordText(ssid));
    c_.visibility->setCurrentIndex(visible ? 0 : 1);
    int channel = 0, autoChannel = 0, width = 0;
    apWirelessGetChannel(h, band_, 0, &channel, &autoChannel, &width);
    c_.width->setCurrentIndex(width == 1 ? 0 : 1);
    c_.autoChannel->setCurrentIndex(autoChannel ? 0 : 1);
    c_.channel->setCurrentIndex(std::max(0, c_.channel->findText(QString::number(channel))));

    int type = 0;
    readBlock_ = apSecurityBlock{};
    apSecurityRecord security{0, 0, &readBlock_};
    apWirelessGetSecurity(h, band_, 0, &type, &security);
    c_.security->RebuildLists(mode, IsNOnly(wirelessModeCode_), multiSsidEnabled_ != 0);
    c_.security->Load(type, readBlock_);

    int count = 0;
    char peers[AP_WL_TEXT_SIZE] = {};
    apWirelessGetWDSList(h, band_, 0, &count, peers);
    c_.wds->Load(RecordText(peers));
    MacClonePanel::Values clone;
    char mac[20] = {};
    apWirelessGetMacClone(h, band_, &clone.enable, &clone.source, mac, 0);
    clone.mac = RecordText(mac);
    c_.macClone->Load(clone);
    LoadPerSsidKeys(band_);

    SetUpApplication();
    RefilterModes();
}

// The WEP keys the SSIDs use, for the warning that a key is shared.
void BasicWirelessPage::LoadPerSsidKeys(int band)
{
    for (int i = 0; i < 8; ++i) {
        keyIndexes_[i] = 0;
        keyTexts_[i].clear();
        int state = 0;
        apWirelessGetMssIndividualState(primaryHandle, band, i, &state);
        if (state != 1)
            continue;
        int type = 0;
        apSecurityBlock block{};
        apSecurityRecord record{0, 0, &block};
        apWirelessGetSecurity(primaryHandle, band, i, &type, &record);
        // Only an SSID that encrypts with WEP uses its key; the WEP section of the others is idle.
        if (type <= OpenOrShared && block.wep.encryption == 1) {
            keyIndexes_[i] = int(block.wep.keyIndex);
            keyTexts_[i] = RecordText(block.wep.key);
        }
    }
}

void BasicWirelessPage::FillChannels(int mode)
{
    const bool wds = mode == WdsWithAp || mode == Wds;
    const QString list = wds && !wdsChannels_.trimmed().isEmpty() ? wdsChannels_ : channels_;
    c_.channel->clear();
    if (mode < 0 || (wds && country_ == QLatin1String("EG")))
        return; // no channel a WDS link may use there
    c_.channel->addItems(list.split(u' ', Qt::SkipEmptyParts));
    c_.channel->setCurrentIndex(0);
}

void BasicWirelessPage::SetUpApplication()
{
    const bool japan = country_ == QLatin1String("JP");
    SetVisible({c_.application, c_.applicationLabel}, japan);
    c_.application->clear();
    c_.application->setEnabled(japan && band_ == Band5);
    if (!japan)
        return;
    if (band_ == Band24) {
        c_.application->addItem(QStringLiteral("Concurrent 11b/g/n on 2.4GHz for indoor/outdoor"));
        c_.application->setCurrentIndex(0);
        return;
    }
    c_.application->addItems({QStringLiteral("Concurrent 11a/n on W52/W53/W56 for indoor"),
                              QStringLiteral("Concurrent 11a/n on W56 for outdoor")});
    c_.application->setCurrentIndex(application_ == 2 ? 1 : 0);
}

// In Japan the 5 GHz outdoor class allows neither WDS mode.
void BasicWirelessPage::RefilterModes()
{
    if (country_ == QLatin1String("JP")) {
        const QString current = c_.mode->currentText();
        const bool outdoor = band_ == Band5 && c_.application->currentIndex() == 1;
        c_.mode->clear();
        if (outdoor) {
            c_.mode->addItems({kModes[AccessPoint], kModes[WirelessClient]});
            c_.mode->setCurrentIndex(current == kModes[WirelessClient] ? 1 : 0);
        } else {
            c_.mode->addItems(kModes);
            c_.mode->setCurrentIndex(std::max(0, c_.mode->findText(current, Qt::MatchExactly)));
        }
        const QString channel = c_.channel->currentText();
        FillChannels(CurrentMode());
        if (const int kept = c_.channel->findText(channel); kept >= 0)
            c_.channel->setCurrentIndex(kept);
    }
    HandleModeChange(CurrentMode());
}

// --- Mode changes ---

void BasicWirelessPage::ModeChosen()
{
    const int mode = CurrentMode();
    FillChannels(mode);
    HandleModeChange(mode);
}

void BasicWirelessPage::HandleModeChange(int mode)
{
    QPushButton *scan = c_.survey->scanButton();
    scan->setEnabled(surveyBlocked_ == 0 && mode != AccessPoint
                     && !(JoinsPeer(storedModes_[band_]) && (mode == WdsWithAp || mode == Wds)));
    if (!WarnModeEffects(mode)) {
        c_.mode->setCurrentIndex(std::max(0, c_.mode->findText(kModes.value(storedModes_[band_]), Qt::MatchExactly)));
        FillChannels(CurrentMode());
        return;
    }
    c_.security->RebuildLists(mode, IsNOnly(wirelessModeCode_), multiSsidEnabled_ != 0);
    ApplyWidthRule();
    ApplyModeEnabling(mode);
    ShowPanelsFor(mode);
    Restack();
}

// The warnings a mode brings; false when the mode cannot be chosen at all.
bool BasicWirelessPage::WarnModeEffects(int mode)
{
    if (multiSsidEnabled_ && mode == WdsWithAp) {
        std::array<int, 8> codes{};
        // The additional SSIDs are those of the band the radio serves, 5 GHz included.
        apWirelessGetMultiSsidAuthentication(primaryHandle, codes.data(), band_);
        if (std::any_of(codes.begin() + 1, codes.end(), IsEnterpriseCode)) {
            resetMultiSsidSecurity_ = true;
            Inform(QStringLiteral("WPA-Enterprise and 802.1x in multi-ssid rules would set to Open System "
                                          "with Encryption disabled if mode is WDS with AP!"));
        }
    }
    if (bandCount_ == 2) {
        const int other = storedModes_[band_ == Band24 ? Band5 : Band24];
        if ((other != AccessPoint && mode == WirelessClient) || (other == WirelessClient && mode != AccessPoint)) {
            Inform(QStringLiteral("APC should not co-work with APC,WDS,WDS with AP mode."));
            return false;
        }
    }
    if (apArrayState_ && mode > AccessPoint) {
        Inform(QStringLiteral("If mode is WDS,WDS With AP or APC,AP Array will be disabled."));
        apArrayState_ = 0;
    }
    if (webRedirectionState_ && mode > WdsWithAp) {
        Inform(QStringLiteral("If mode is WDS or APC, Web Redirection will be disabled."));
        webRedirectionState_ = 0;
    }
    if (vlanState_ && mode == WirelessClient) {
        Inform(QStringLiteral("If mode is APC, VLan will be disabled."));
        vlanState_ = 0;
    }
    if (vlanState_ && mode == ApRepeater) {
        Inform(QStringLiteral("If mode is AP Repeater, VLan will be disabled."));
        vlanState_ = 0;
    }
    if (multiSsidEnabled_ && mode > WdsWithAp) {
        Inform(c_.mode->findText(QStringLiteral("AP Repeater")) >= 0
                           ? QStringLiteral("Multi-SSID will be disabled when AP is configured in 'WDS','Wireless "
                                            "Client' or 'AP Repeater'.")
                           : QStringLiteral("Multi-SSID will be disabled when AP is configured in 'WDS','Wireless "
                                            "Client'."));
        multiSsidEnabled_ = 0;
    }
    return true;
}

void BasicWirelessPage::ApplyModeEnabling(int mode)
{
    if (mode == AccessPoint) {
        SetEnabled({c_.autoChannel, c_.visibility}, true);
        c_.channel->setEnabled(c_.autoChannel->currentIndex() == 1);
    } else if (mode == WdsWithAp || mode == Wds) {
        c_.autoChannel->setCurrentIndex(1);
        c_.autoChannel->setEnabled(false);
        SetEnabled({c_.visibility, c_.channel}, true);
    } else if (JoinsPeer(mode)) {
        // A client follows its access point: channel and width are the peer's.
        c_.autoChannel->setCurrentIndex(0);
        c_.visibility->setCurrentIndex(0);
        c_.width->setCurrentIndex(1);
        SetEnabled({c_.autoChannel, c_.channel, c_.visibility, c_.width}, false);
    }
    if (no11n_)
        ForceWidth20();
}

void BasicWirelessPage::ForceWidth20()
{
    c_.width->setCurrentText(kWidth20);
    c_.width->setEnabled(false);
}

// The channel width the security, mode, wireless mode and channel allow.
void BasicWirelessPage::ApplyWidthRule()
{
    const int type = c_.security->Type();
    if (type == OpenSystem || type == SharedKey) {
        if (c_.security->wepEncryptionEnabled())
            ForceWidth20();
        else
            c_.width->setEnabled(true);
    } else if (type == WpaPersonal || type == WpaEnterprise) {
        if (c_.security->tkipChosen())
            ForceWidth20();
        else
            c_.width->setEnabled(true);
    } else if (type == Dot1x) {
        ForceWidth20(); // dynamic WEP keys: no 40 MHz
    }
    if (JoinsPeer(CurrentMode())) {
        c_.width->setCurrentIndex(1);
        c_.width->setEnabled(false);
    }
    const QString channel = c_.channel->currentText();
    if (WidthForcingCode() || channel == QLatin1String("12") || channel == QLatin1String("13")
        || channel == QLatin1String("165"))
        ForceWidth20();
}

void BasicWirelessPage::ChannelChosen()
{
    const QString channel = c_.channel->currentText();
    const int type = c_.security->Type();
    const bool securityForces = c_.security->tkipChosen() || type == Dot1x
                                || ((type == OpenSystem || type == SharedKey) && c_.security->wepEncryptionEnabled());
    if (channel == QLatin1String("12") || channel == QLatin1String("13") || channel == QLatin1String("165")
        || WidthForcingCode() || securityForces)
        ForceWidth20();
    else
        c_.width->setEnabled(true);
}

void BasicWirelessPage::ShowPanelsFor(int mode)
{
    c_.wds->setVisible(mode == WdsWithAp || mode == Wds);
    c_.survey->setVisible(mode != AccessPoint);
    c_.macClone->setVisible(mode == WirelessClient);
    if (mode != AccessPoint)
        c_.survey->Clear();
    Restack();
}

void BasicWirelessPage::Restack()
{
    LineUpFieldColumns(content());
    FitContent();
}

// --- Saving ---

bool BasicWirelessPage::WarnKeyInUse(int type)
{
    if (type > OpenOrShared || !c_.security->wepEncryptionEnabled() || !c_.security->wepKeyChanged())
        return false;
    const int index = c_.security->wepKeyIndex();
    if (std::none_of(keyIndexes_.begin() + 1, keyIndexes_.end(), [index](int used) { return used == index; }))
        return false;
    Inform(QStringLiteral("Key value is used by SSID!\r\nTo Change Key value affects other SSID settings."));
    return true;
}

void BasicWirelessPage::Save()
{
    if (!MayActOnShown())
        return; // nothing is staged for a write that would be refused
    SaveValues v;
    DataExchange dx(DataExchange::Saving);
    ExchangeText(dx, c_.ssid, v.ssid);
    CheckLengthRange(dx, v.ssid, 0, 32, QStringLiteral("Enter no more than %2 characters."));
    CheckNotBlank(dx, v.ssid, QStringLiteral("The filed can not be blank"));
    CheckAscii(dx, v.ssid, QStringLiteral("There are some invalid characters !"));
    CheckNoEdgeBlanks(dx, v.ssid, QStringLiteral("The first character and last character can't be blank."));
    if (dx.failed())
        return;
    v.mode = CurrentMode();
    emit modeTextsChosen(PaneModeText(band_ == Band24 ? v.mode : storedModes_[Band24]),
                         PaneModeText(band_ == Band5 ? v.mode : storedModes_[Band5]));

    v.type = c_.security->Type();
    v.security = readBlock_; // what the page does not edit keeps the device's values
    if (!c_.security->Collect(v.type, v.security))
        return;
    WarnKeyInUse(v.type);
    if ((v.mode == WdsWithAp || v.mode == Wds) && !c_.wds->Collect(v.peers))
        return;
    if (v.mode == WirelessClient && !c_.macClone->Collect(v.clone))
        return;
    CollectRadioValues(v);

    // A refused call stages nothing, but what the calls before it staged would go out with the
    // next write: the calls are tried on a scratch handle first.
    const APHANDLE scratch = apWirelessOpen(sessionHandle, 0);
    const int refused = StageSettings(scratch, v);
    apHandleClose(scratch);
    if (refused != 0) {
        ReportFailure(refused);
        return;
    }
    StageSettings(primaryHandle, v);
    RequestWrite();
}

// What the save takes from the controls and the last read besides the checked fields.
void BasicWirelessPage::CollectRadioValues(SaveValues &v) const
{
    const APHANDLE h = primaryHandle;
    v.application = c_.application->currentIndex();
    v.visible = c_.visibility->currentIndex() == 0 ? 1 : 0;
    int autoChannel = 0, width = 0;
    apWirelessGetChannel(h, band_, 0, &v.channel, &autoChannel, &width); // kept when no channel is offered
    if (c_.channel->currentIndex() >= 0)
        v.channel = c_.channel->currentText().toInt();
    v.autoChannel = c_.autoChannel->currentIndex() == 0 ? 1 : 0;
    v.width = c_.width->currentIndex() + 1;
    v.resetMultiSsid = resetMultiSsidSecurity_ && v.mode == WdsWithAp;
    if (v.resetMultiSsid) {
        std::array<int, 8> codes{};
        apWirelessGetMultiSsidAuthentication(h, codes.data(), band_);
        for (int i = 0; i < 3; ++i)
            v.reset.reset[i] = uint32_t(IsEnterpriseCode(codes[std::size_t(i) + 1]));
    }
}

// Stages the save on `h`; 0, or the code of the first call the library refuses.
int BasicWirelessPage::StageSettings(APHANDLE h, SaveValues &v) const
{
    const QByteArray ssid = v.ssid.toLatin1();
    const QByteArray peers = v.peers.toLatin1();
    const QByteArray mac = v.clone.mac.toLatin1();
    apSecurityRecord record{0, uint32_t(v.type), v.type > 0 ? SecuritySection(v.type, v.security) : nullptr};
    const bool wds = v.mode == WdsWithAp || v.mode == Wds;
    int code = v.application >= 0 ? apWirelessSetApplication(h, band_, v.application, 0) : 0;
    if (code == 0)
        code = apWirelessSetCurBand(h, band_);
    if (code == 0)
        code = apWirelessSetSSID(h, band_, 0, ssid.constData(), int(ssid.size()), v.visible);
    if (code == 0)
        code = apWirelessSetApMode(h, band_, 0, v.mode);
    if (code == 0)
        code = apWirelessSetChannel(h, band_, 0, v.channel, v.autoChannel, v.width);
    if (code == 0)
        code = apWirelessSetSecurity(h, band_, 0, v.type, &record);
    if (code == 0 && wds)
        code = apWirelessSetWDSList(h, band_, 0, 4, peers.constData());
    if (code == 0 && v.mode == WirelessClient)
        code = apWirelessSetMacClone(h, band_, v.clone.enable, v.clone.source, mac.constData());
    if (code == 0 && v.resetMultiSsid)
        code = apWirelessSetMultiSsidAuthentication(h, &v.reset, band_);
    return code;
}

void BasicWirelessPage::OnWriteDone(int result)
{
    if (result != 0)
        return;
    storedModes_[band_] = CurrentMode();
    if (c_.security->Type() == WpaPersonal && c_.security->periodicalKeyChangeOn())
        Inform(QStringLiteral("Please check the Log or E-mail for new security key."));
}

// --- Scans ---

void BasicWirelessPage::Scan(int kind)
{
    const APHANDLE monitor = kind == 0 ? wdsSurvey_ : kind == 1 ? monitorHandle : macList_;
    // One scan at a time: the shared layer refuses a second while one is on its way.
    if (RequestMonitor(monitor, SurveyBand()) != 0)
        return;
    OpenWaitDialog(QStringLiteral("Scanning, Please wait..."));
    // The list fills as soon as the device answers; the wait never outlasts the scan time.
    QTimer::singleShot(ScaledMilliseconds(kScanWaitMs), waitDialog(), [this] { CloseWaitDialog(); });
}

// Each monitor's table is read with its own record: the answer says which monitor it is.
void BasicWirelessPage::OnMonitorDone(APHANDLE monitor, int result)
{
    CloseWaitDialog();
    auto query = [monitor](apMonitorQuery1 &q) { return apSysMonitorQueryInfor(monitor, &q); };
    if (monitor == macList_) {
        c_.macClone->ShowMacList(result == 0 ? ReadTable<apClientMacRecord, apMonitorQuery1>(query)
                                             : std::vector<apClientMacRecord>{});
    } else if (monitor == wdsSurvey_) {
        c_.survey->Show(result == 0 ? ReadTable<apWdsSurveyRecord, apMonitorQuery1>(query)
                                    : std::vector<apWdsSurveyRecord>{},
                        SurveyBand());
    } else if (monitor == monitorHandle) {
        c_.survey->Show(result == 0 ? ReadTable<apClientSurveyRecord, apMonitorQuery1>(query)
                                    : std::vector<apClientSurveyRecord>{},
                        SurveyBand());
    }
}

void BasicWirelessPage::SurveyNeighbourChosen(int row)
{
    const SiteSurveyPanel::Neighbour &n = c_.survey->neighbour(row);
    const int mode = CurrentMode();
    if (JoinsPeer(mode)) {
        c_.channel->setCurrentIndex(std::max(0, c_.channel->findText(QString::number(n.channel))));
        c_.ssid->setText(n.ssid);
    } else if (mode == WdsWithAp || mode == Wds) {
        c_.wds->AddPeer(n.bssid);
    }
}

} // namespace trb
