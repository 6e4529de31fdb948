#include "SecurityPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "Dot1xPanel.h"
#include "FormRows.h"
#include "WepKeyPanel.h"
#include "WirelessCodes.h"
#include "WpaEnterprisePanel.h"
#include "WpaPersonalPanel.h"

namespace trb {
namespace {

using namespace wireless;

const QString kOpenOrShared = QStringLiteral("Open System/Shared Key");

} // namespace

SecurityPanel::SecurityPanel(Variant variant, QWidget *parent) : QWidget(parent), variant_(variant)
{
    auto *top = new QGridLayout;
    // Inset and widened as the forms above and below it on a page are.
    top->setContentsMargins(style()->pixelMetric(QStyle::PM_LayoutLeftMargin), 0,
                            style()->pixelMetric(QStyle::PM_LayoutRightMargin), 0);
    top->setColumnStretch(1, 1);
    FormRows rows(top);
    c_.authentication = rows.Add(QStringLiteral("Authentication"), new QComboBox, "authenticationCombo");
    c_.authenticationLabel = rows.lastLabel();
    c_.group = Named(new QGroupBox(QStringLiteral("Key Settings")), "securityGroup", "Security settings");
    auto *inside = new QVBoxLayout(c_.group);
    inside->addWidget(wep_ = new WepKeyPanel);
    inside->addWidget(personal_ = new WpaPersonalPanel);
    inside->addWidget(enterprise_ = new WpaEnterprisePanel(variant_ == Variant::Primary));
    inside->addWidget(dot1x_ = new Dot1xPanel);
    GatherControls();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(c_.group);

    QStringList methods = {kMethodOpenSystem, kMethodPersonal, kMethodEnterprise, kMethodDot1x};
    if (variant_ == Variant::Primary)
        methods.insert(1, kMethodSharedKey);
    c_.authentication->addItems(methods);
    if (variant_ == Variant::MultiSsid)
        SetVisible({c_.authentication, c_.authenticationLabel}, false);

    connect(c_.authentication, &QComboBox::currentIndexChanged, this, &SecurityPanel::MethodChanged);
    connect(wep_, &WepKeyPanel::encryptionToggled, this, &SecurityPanel::widthRuleNeeded);
    for (const WpaBlock *wpa : {personal_->controls().wpa, enterprise_->controls().wpa})
        connect(wpa, &WpaBlock::cipherChosen, this, &SecurityPanel::widthRuleNeeded);
    MethodChanged();
}

void SecurityPanel::GatherControls()
{
    const WepKeyPanel::Controls &w = wep_->controls();
    c_.wepPanel = wep_;
    c_.wepDisable = w.disable;
    c_.wepEnable = w.enable;
    c_.keyType = w.keyType;
    c_.keySize = w.keySize;
    c_.keyIndex = w.keyIndex;
    c_.networkKey = w.networkKey;
    c_.confirmKey = w.confirmKey;

    const WpaPersonalPanel::Controls &p = personal_->controls();
    c_.personalPanel = personal_;
    c_.personalWpa = p.wpa->controls();
    c_.periodicalPanel = p.periodicalPanel;
    c_.manual = p.manual;
    c_.periodical = p.periodical;
    c_.day = p.day;
    c_.hour = p.hour;
    c_.minute = p.minute;
    c_.timeInterval = p.timeInterval;
    c_.passphrase = p.passphrase;
    c_.confirmPassphrase = p.confirmPassphrase;
    c_.confirmPassphraseLabel = p.confirmPassphraseLabel;

    const WpaEnterprisePanel::Controls &e = enterprise_->controls();
    c_.enterprisePanel = enterprise_;
    c_.enterpriseRadius = e.radius->controls();
    c_.enterpriseWpa = e.wpa->controls();
    c_.napPanel = e.napPanel;
    c_.napDisable = e.napDisable;
    c_.napEnable = e.napEnable;

    c_.dot1xPanel = dot1x_;
    c_.keyUpdateInterval = dot1x_->controls().keyUpdateInterval;
    c_.dot1xRadius = dot1x_->controls().radius->controls();
}

// --- Loading ---

void SecurityPanel::Load(int type, const apSecurityBlock &block)
{
    loading_ = true;
    personal_->Load(block.personal);
    enterprise_->Load(block.enterprise);
    dot1x_->Load(block.enterprise);
    SelectType(type);
    wep_->Load(block.wep);
    loading_ = false;
    MethodChanged();
}

void SecurityPanel::SelectType(int type)
{
    WpaBlock *personalWpa = personal_->controls().wpa;
    WpaBlock *enterpriseWpa = enterprise_->controls().wpa;
    QString method;
    switch (type) {
    case OpenSystem: method = kMethodOpenSystem; break;
    case SharedKey: method = kMethodSharedKey; break;
    case OpenOrShared: method = c_.authentication->findText(kOpenOrShared) >= 0 ? kOpenOrShared : kMethodOpenSystem; break;
    case WpaPersonal: method = kMethodPersonal; enterpriseWpa->TakeFrom(*personalWpa, true); break;
    case WpaEnterprise: method = kMethodEnterprise; personalWpa->TakeFrom(*enterpriseWpa, true); break;
    case Dot1x: method = kMethodDot1x; break;
    default: break;
    }
    SelectText(c_.authentication, method);
}

// --- Behaviour ---

int SecurityPanel::Type() const
{
    const QString method = c_.authentication->currentText();
    if (method == kMethodOpenSystem)
        return OpenSystem;
    if (method == kMethodSharedKey)
        return SharedKey;
    if (method == kMethodPersonal)
        return WpaPersonal;
    if (method == kMethodEnterprise)
        return WpaEnterprise;
    if (method == kMethodDot1x)
        return Dot1x;
    return 0;
}

void SecurityPanel::SelectMethod(const QString &method) { SelectText(c_.authentication, method); }

void SecurityPanel::MethodChanged()
{
    const int type = Type();
    const bool switched = type != shownType_;
    shownType_ = type;
    ShowSubPanel(type);
    wep_->RequireKey(type == SharedKey);
    if (switched && type == WpaPersonal && !loading_) {
        // The WPA choices travel with the user from the enterprise method; a list rebuilt for
        // another AP mode is no change of method and keeps what the user chose.
        personal_->controls().wpa->TakeFrom(*enterprise_->controls().wpa, apMode_ != Wds);
    }
    if (loading_)
        return;
    emit widthRuleNeeded();
    emit sizeChanged();
}

void SecurityPanel::ShowSubPanel(int type)
{
    const bool wep = type == OpenSystem || type == SharedKey;
    wep_->setVisible(wep);
    personal_->setVisible(type == WpaPersonal);
    enterprise_->setVisible(type == WpaEnterprise);
    dot1x_->setVisible(type == Dot1x);
    c_.group->setTitle(wep                  ? QStringLiteral("Key Settings")
                       : type == WpaPersonal ? QStringLiteral("PassPhrase Settings")
                                             : QStringLiteral("Radius Server Settings"));
}

void SecurityPanel::SetApMode(int mode)
{
    apMode_ = mode;
    personal_->SetApMode(mode);
}

// The method stays what it was wherever the new list holds it; the entries coming and going on
// the way are no choice of the user's.
void SecurityPanel::ReplaceMethods(const QStringList &methods)
{
    const QSignalBlocker quiet(c_.authentication);
    ReplaceEntries(c_.authentication, methods);
}

void SecurityPanel::RebuildLists(int mode, bool nOnly, bool multiSsidEnabled)
{
    const WpaControls &personalWpa = c_.personalWpa;
    SetEnabled({personalWpa.mode, personalWpa.cipher, personalWpa.interval}, true);
    const QStringList &modes = WpaBlock::kModes;
    const QStringList &ciphers = WpaBlock::kCiphers;
    const QStringList allCiphers = nOnly ? QStringList{QStringLiteral("AES")} : ciphers;
    QStringList methods{kMethodOpenSystem, kMethodPersonal};
    QStringList personalModes = modes;
    QStringList personalCiphers = allCiphers;
    bool wepAllowed = true;
    if (variant_ == Variant::MultiSsid) {
        if (mode != WdsWithAp)
            methods = {kMethodOpenSystem, kMethodPersonal, kMethodEnterprise, kMethodDot1x};
        if (mode == AccessPoint) {
            ReplaceEntries(c_.enterpriseWpa.cipher, allCiphers);
        } else if (mode == WdsWithAp) {
            personalModes = modes.mid(0, 2);
            personalCiphers = ciphers.mid(0, 2);
        } else {
            personalModes = QStringList();
        }
    } else if (mode == AccessPoint) {
        methods = {kMethodOpenSystem};
        if (!nOnly) {
            if (!multiSsidEnabled)
                methods << kMethodSharedKey;
            methods << kMethodPersonal << kMethodEnterprise << kMethodDot1x;
        } else {
            methods << kMethodPersonal << kMethodEnterprise;
        }
        wepAllowed = !nOnly;
        ReplaceEntries(c_.enterpriseWpa.cipher, allCiphers);
    } else if (mode == WdsWithAp) {
        personalModes = modes.mid(0, 2);
        personalCiphers = ciphers.mid(0, 2);
    } else if (mode == Wds) {
        personalModes = {modes[1]};
        personalCiphers = {ciphers[1]};
    } else {
        wepAllowed = !nOnly;
    }
    if (!personalModes.isEmpty()) {
        ReplaceEntries(personalWpa.mode, personalModes);
        ReplaceEntries(personalWpa.cipher, personalCiphers);
    }
    if (variant_ == Variant::Primary) {
        wep_->AllowEncryption(wepAllowed);
        SetEnabled({personalWpa.mode, personalWpa.cipher}, mode != Wds);
        personalWpa.interval->setEnabled(mode != WirelessClient && mode != ApRepeater);
        if (mode != AccessPoint)
            c_.manual->setChecked(true);
    }
    ReplaceMethods(methods);
    SetApMode(mode);
    MethodChanged();
}

bool SecurityPanel::wepEncryptionEnabled() const { return wep_->encryptionEnabled(); }

bool SecurityPanel::tkipChosen() const
{
    const int type = Type();
    if (type == WpaPersonal)
        return personal_->controls().wpa->TkipChosen();
    if (type == WpaEnterprise)
        return enterprise_->controls().wpa->TkipChosen();
    return false;
}

bool SecurityPanel::periodicalKeyChangeOn() const { return personal_->periodicalKeyChangeOn(); }

int SecurityPanel::wepKeyIndex() const { return wep_->keyIndex(); }

bool SecurityPanel::wepKeyChanged() const { return wep_->keyChanged(); }

// --- Collecting ---

bool SecurityPanel::Collect(int type, apSecurityBlock &block)
{
    switch (type) {
    case OpenSystem:
    case SharedKey:
    case OpenOrShared:
        return wep_->Collect(block.wep);
    case WpaPersonal:
        return personal_->Collect(block.personal);
    case WpaEnterprise:
        return enterprise_->Collect(block.enterprise);
    case Dot1x:
        return dot1x_->Collect(block.enterprise);
    default:
        return true;
    }
}

} // namespace trb
