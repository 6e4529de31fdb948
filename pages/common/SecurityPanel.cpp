#include "SecurityPanel.h"

#include <algorithm>

#include <QButtonGroup>
#include <QRegularExpression>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "MessageBoxService.h"
#include "RecordText.h"
#include "WirelessCodes.h"

namespace trb {
namespace {

using namespace wireless;

const QString kOpenOrShared = QStringLiteral("Open System/Shared Key");

const QStringList kWpaModes = {QStringLiteral("AUTO(WPA or WPA2)"), QStringLiteral("WPA2 only"),
                               QStringLiteral("WPA only")};
const QStringList kCiphers = {QStringLiteral("Auto"), QStringLiteral("AES"), QStringLiteral("TKIP")};
const QStringList kDays = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                           QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};

constexpr int kMinKeyInterval = 300;
constexpr int kMaxKeyInterval = 9999999;

QStringList Numbers(int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return numbers;
}

QLineEdit *Masked(int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(maxLength);
    return edit;
}

// The codes are taken from the texts: the lists are filtered by mode, so a position means
// different things in different modes.
int WpaModeCode(const QComboBox *combo) { return std::max(0, int(kWpaModes.indexOf(combo->currentText()))); }
int CipherCode(const QComboBox *combo) { return int(kCiphers.indexOf(combo->currentText())) + 1; }
QString WpaModeText(uint32_t code) { return code < 3 ? kWpaModes[code] : kWpaModes[0]; }
QString CipherText(uint32_t code) { return code >= 1 && code <= 3 ? kCiphers[int(code) - 1] : kCiphers[0]; }

QString NumberText(uint32_t value) { return value == 0 ? QString() : QString::number(value); }

QRadioButton *Radio(const QString &text, const QString &objectName)
{
    return Named(new QRadioButton(text), objectName, text.trimmed());
}

QHBoxLayout *RadioPair(QRadioButton *first, QRadioButton *second)
{
    auto *group = new QButtonGroup(first);
    group->addButton(first);
    group->addButton(second);
    auto *row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch(1);
    return row;
}

} // namespace

SecurityPanel::SecurityPanel(Variant variant, QWidget *parent) : QWidget(parent), variant_(variant)
{
    auto *top = new QGridLayout;
    FormRows rows(top);
    c_.authentication = rows.Add(QStringLiteral("Authentication"), new QComboBox, "authenticationCombo");
    c_.authenticationLabel = rows.lastLabel();
    c_.group = Named(new QGroupBox(QStringLiteral("Key Settings")), "securityGroup", "Security settings");
    auto *inside = new QVBoxLayout(c_.group);
    inside->addWidget(c_.wepPanel = BuildWepPanel());
    inside->addWidget(c_.personalPanel = BuildPersonalPanel());
    inside->addWidget(c_.enterprisePanel = BuildEnterprisePanel());
    inside->addWidget(c_.dot1xPanel = BuildDot1xPanel());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(c_.group);

    QStringList methods = {kMethodOpenSystem, kMethodPersonal, kMethodEnterprise, kMethodDot1x};
    if (variant_ == Variant::Primary)
        methods.insert(1, kMethodSharedKey);
    c_.authentication->addItems(methods);
    if (variant_ == Variant::MultiSsid) {
        SetVisible({c_.authentication, c_.authenticationLabel, c_.napPanel}, false);
    }
    connect(c_.authentication, &QComboBox::currentIndexChanged, this, &SecurityPanel::MethodChanged);
    MethodChanged();
}

QWidget *SecurityPanel::BuildWepPanel()
{
    auto *panel = new QWidget;
    FormRows rows = FormRows::On(panel);
    c_.wepDisable = Radio(QStringLiteral("Disable"), "wepDisableRadio");
    c_.wepEnable = Radio(QStringLiteral("Enable "), "wepEnableRadio");
    auto *pair = new QWidget;
    QHBoxLayout *row = RadioPair(c_.wepDisable, c_.wepEnable);
    row->setContentsMargins(0, 0, 0, 0);
    pair->setLayout(row);
    rows.Add(QStringLiteral("Encryption"), pair, "encryptionRadios");
    c_.keyType = rows.Add(QStringLiteral("Key Type"), ComboOf({QStringLiteral("ASCII"), QStringLiteral("HEX")}), "keyTypeCombo");
    c_.keySize = rows.Add(QStringLiteral("Key Size"), ComboOf({QStringLiteral("64 Bits"), QStringLiteral("128 Bits")}),
                          "keySizeCombo");
    c_.keyIndex = rows.Add(QStringLiteral("Key Index(1~4)"),
                           ComboOf({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}),
                           "keyIndexCombo");
    c_.networkKey = rows.Add(QStringLiteral("Network Key"), new QLineEdit, "networkKeyEdit");
    c_.confirmKey = rows.Add(QStringLiteral("Confirm Key"), new QLineEdit, "confirmKeyEdit");
    c_.wepDisable->setChecked(true);
    ClearOnFocus(c_.networkKey);
    ClearOnFocus(c_.confirmKey);

    connect(c_.wepEnable, &QRadioButton::toggled, this, [this] {
        UpdateWepEnabling();
        emit widthRuleNeeded();
    });
    connect(c_.keyType, &QComboBox::currentIndexChanged, this, &SecurityPanel::ApplyKeyLength);
    connect(c_.keySize, &QComboBox::currentIndexChanged, this, &SecurityPanel::ApplyKeyLength);
    connect(c_.keyIndex, &QComboBox::activated, this, [this] {
        c_.networkKey->clear();
        c_.confirmKey->clear();
    });
    ApplyKeyLength();
    UpdateWepEnabling();
    return panel;
}

QWidget *SecurityPanel::BuildWpaBlock(WpaControls &wpa, const char *prefix)
{
    auto *block = new QWidget;
    FormRows rows = FormRows::On(block);
    const QString name = QString::fromLatin1(prefix);
    wpa.mode = rows.Add(QStringLiteral("WPA Mode"), ComboOf(kWpaModes), name + QStringLiteral("WpaModeCombo"));
    wpa.cipher = rows.Add(QStringLiteral("Cipher Type"), ComboOf(kCiphers), name + QStringLiteral("CipherCombo"));
    wpa.interval = rows.Add(QStringLiteral("Group Key Update Interval"), new QLineEdit(QStringLiteral("1800")),
                            name + QStringLiteral("GroupKeyIntervalEdit"));
    rows.grid()->addWidget(new QLabel(QStringLiteral("(Seconds)")), rows.grid()->rowCount() - 1, 2);
    connect(wpa.cipher, &QComboBox::activated, this, &SecurityPanel::widthRuleNeeded);
    return block;
}

QWidget *SecurityPanel::BuildRadiusBlock(RadiusControls &radius, const char *prefix)
{
    auto *block = new QWidget;
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeading(QStringLiteral("Primary RADIUS Server Setting")));
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    FormRows rows(grid);
    const QString name = QString::fromLatin1(prefix);
    radius.server = rows.Add(QStringLiteral("RADIUS Server "), new IpAddressEdit, name + QStringLiteral("RadiusServerEdit"));
    radius.port = rows.Add(QStringLiteral("RADIUS Port   "), new QLineEdit(QStringLiteral("1812")),
                           name + QStringLiteral("RadiusPortEdit"));
    radius.secret = rows.Add(QStringLiteral("RADIUS Secret"), Masked(64), name + QStringLiteral("RadiusSecretEdit"));
    ClearOnFocus(radius.secret);
    return block;
}

QWidget *SecurityPanel::BuildPersonalPanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildWpaBlock(c_.personalWpa, "personal"));

    c_.periodicalPanel = new QWidget;
    FormRows periodic = FormRows::On(c_.periodicalPanel);
    c_.manual = Radio(QStringLiteral("Manual"), "manualKeyRadio");
    c_.periodical = Radio(QStringLiteral("Periodical Key Change"), "periodicalKeyRadio");
    periodic.grid()->addLayout(RadioPair(c_.manual, c_.periodical), 0, 0, 1, 3);
    c_.manual->setChecked(true);
    auto *when = new QWidget;
    auto *whenRow = new QHBoxLayout(when);
    whenRow->setContentsMargins(0, 0, 0, 0);
    whenRow->addWidget(c_.day = Named(ComboOf(kDays), "activatedDayCombo", "Activated From day"));
    whenRow->addWidget(c_.hour = Named(ComboOf(Numbers(24)), "activatedHourCombo", "Activated From hour"));
    whenRow->addWidget(c_.minute = Named(ComboOf(Numbers(60)), "activatedMinuteCombo", "Activated From minute"));
    periodic.Add(QStringLiteral("Activated From"), when, "activatedFrom");
    c_.timeInterval = periodic.Add(QStringLiteral("Time Interval "), new QLineEdit(QStringLiteral("1")), "timeIntervalEdit");
    periodic.grid()->addWidget(new QLabel(QStringLiteral("(1~168)hour(s)")), periodic.grid()->rowCount() - 1, 2);
    layout->addWidget(c_.periodicalPanel);

    auto *phrase = new QWidget;
    FormRows rows = FormRows::On(phrase);
    c_.passphrase = rows.Add(QStringLiteral("PassPhrase"), Masked(63), "passphraseEdit");
    c_.confirmPassphrase = rows.Add(QStringLiteral("Confirm PassPhrase"), Masked(63), "confirmPassphraseEdit");
    c_.confirmPassphraseLabel = rows.lastLabel();
    ClearOnFocus(c_.passphrase);
    ClearOnFocus(c_.confirmPassphrase);
    layout->addWidget(phrase);

    connect(c_.periodical, &QRadioButton::toggled, this, &SecurityPanel::UpdatePeriodicalDisplay);
    return panel;
}

QWidget *SecurityPanel::BuildEnterprisePanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildRadiusBlock(c_.enterpriseRadius, "enterprise"));
    layout->addWidget(BuildWpaBlock(c_.enterpriseWpa, "enterprise"));
    c_.napPanel = new QWidget;
    auto *nap = new QVBoxLayout(c_.napPanel);
    nap->setContentsMargins(0, 0, 0, 0);
    nap->addWidget(SectionHeading(QStringLiteral("Network Access Protection")));
    c_.napDisable = Radio(QStringLiteral("Disable"), "napDisableRadio");
    c_.napEnable = Radio(QStringLiteral("Enable"), "napEnableRadio");
    nap->addLayout(RadioPair(c_.napDisable, c_.napEnable));
    c_.napDisable->setChecked(true);
    layout->addWidget(c_.napPanel);
    return panel;
}

QWidget *SecurityPanel::BuildDot1xPanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *grid = new QGridLayout;
    FormRows rows(grid);
    c_.keyUpdateInterval = rows.Add(QStringLiteral("Key Update Interval"), new QLineEdit(QStringLiteral("300")),
                                    "keyUpdateIntervalEdit");
    grid->addWidget(new QLabel(QStringLiteral("(Seconds)")), 0, 2);
    layout->addLayout(grid);
    layout->addWidget(BuildRadiusBlock(c_.dot1xRadius, "dot1x"));
    return panel;
}

void SecurityPanel::ClearOnFocus(QLineEdit *edit) { edit->installEventFilter(this); }

// Secrets and keys are typed afresh: entering the field empties it.
bool SecurityPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && !loading_)
            edit->clear();
    return QWidget::eventFilter(watched, event);
}

// --- Loading ---

void SecurityPanel::Load(int type, const apSecurityBlock &block)
{
    loading_ = true;
    LoadPersonal(block.personal);
    LoadEnterprise(block.enterprise);
    SelectType(type);
    LoadWep(block.wep);
    loading_ = false;
    UpdatePeriodicalDisplay();
    MethodChanged();
}

void SecurityPanel::LoadPersonal(const apWpaPersonalSection &s)
{
    SelectText(c_.personalWpa.mode, WpaModeText(s.wpaMode));
    SelectText(c_.personalWpa.cipher, CipherText(s.cipher));
    c_.personalWpa.interval->setText(QString::number(s.groupKeyInterval));
    loadedPassphrase_ = RecordText(s.passphrase);
    currentKey_ = RecordText(s.currentKey);
    c_.passphrase->setText(loadedPassphrase_);
    c_.confirmPassphrase->setText(loadedPassphrase_);
    const QString time = RecordText(s.time).trimmed();
    const bool hasTime = time.size() >= 5;
    SelectText(c_.hour, hasTime ? time.left(2) : QStringLiteral("00"));
    SelectText(c_.minute, hasTime ? time.right(2) : QStringLiteral("00"));
    (s.periodicalKeyChange == 1 ? c_.periodical : c_.manual)->setChecked(true);
    c_.day->setCurrentIndex(s.day < 7 ? int(s.day) : 0);
    c_.timeInterval->setText(NumberText(s.intervalHours));
}

void SecurityPanel::LoadEnterprise(const apEnterpriseSection &s)
{
    (s.accessProtection == 1 ? c_.napEnable : c_.napDisable)->setChecked(true);
    SelectText(c_.enterpriseWpa.cipher, CipherText(s.cipher));
    SelectText(c_.enterpriseWpa.mode, WpaModeText(s.wpaMode));
    c_.enterpriseWpa.interval->setText(QString::number(s.keyInterval));
    c_.keyUpdateInterval->setText(QString::number(s.dot1xKeyInterval));
    for (const RadiusControls *radius : {&c_.enterpriseRadius, &c_.dot1xRadius}) {
        radius->port->setText(QString::number(s.radiusPort));
        radius->server->setText(RecordText(s.radiusServer)); // "0.0.0.0" shows as an empty field
        radius->secret->setText(RecordText(s.radiusSecret));
    }
}

void SecurityPanel::LoadWep(const apWepSection &s)
{
    (s.encryption == 1 ? c_.wepEnable : c_.wepDisable)->setChecked(true);
    c_.keyIndex->setCurrentIndex(s.keyIndex >= 1 && s.keyIndex <= 4 ? int(s.keyIndex) - 1 : 0);
    const bool hex = s.keyType == 2;
    c_.keyType->setCurrentIndex(hex ? 1 : 0);
    const QString key = RecordText(s.key);
    c_.networkKey->setText(key);
    c_.confirmKey->setText(key);
    lastKey_ = key;
    keyChanged_ = false;
    const bool longKey = s.keySize == 128 || s.keySize == (hex ? 26u : 13u) || s.keySize == (hex ? 32u : 16u);
    c_.keySize->setCurrentIndex(longKey ? 1 : 0); // the list has 64 and 128 bits only
    ApplyKeyLength();
    UpdateWepEnabling();
    emit widthRuleNeeded();
}

void SecurityPanel::SelectType(int type)
{
    auto copyWpa = [](const WpaControls &from, const WpaControls &to) {
        SelectText(to.mode, from.mode->currentText());
        SelectText(to.cipher, from.cipher->currentText());
        to.interval->setText(from.interval->text());
    };
    QString method;
    switch (type) {
    case OpenSystem: method = kMethodOpenSystem; break;
    case SharedKey: method = kMethodSharedKey; break;
    case OpenOrShared: method = c_.authentication->findText(kOpenOrShared) >= 0 ? kOpenOrShared : kMethodOpenSystem; break;
    case WpaPersonal: method = kMethodPersonal; copyWpa(c_.personalWpa, c_.enterpriseWpa); break;
    case WpaEnterprise: method = kMethodEnterprise; copyWpa(c_.enterpriseWpa, c_.personalWpa); break;
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
    const bool wep = type == OpenSystem || type == SharedKey;
    c_.wepPanel->setVisible(wep);
    c_.personalPanel->setVisible(type == WpaPersonal);
    c_.enterprisePanel->setVisible(type == WpaEnterprise);
    c_.dot1xPanel->setVisible(type == Dot1x);
    c_.group->setTitle(wep ? QStringLiteral("Key Settings")
                           : type == WpaPersonal ? QStringLiteral("PassPhrase Settings")
                                                 : QStringLiteral("Radius Server Settings"));
    if (type == SharedKey)
        c_.wepEnable->setChecked(true); // a shared key needs a key
    c_.wepDisable->setEnabled(type != SharedKey);
    if (type == WpaPersonal && !loading_) {
        // The WPA choices travel with the user from the enterprise method.
        if (apMode_ != Wds) {
            SelectText(c_.personalWpa.mode, c_.enterpriseWpa.mode->currentText());
            SelectText(c_.personalWpa.cipher, c_.enterpriseWpa.cipher->currentText());
        }
        c_.personalWpa.interval->setText(c_.enterpriseWpa.interval->text());
    }
    UpdateWepEnabling();
    if (loading_)
        return;
    emit widthRuleNeeded();
    emit sizeChanged();
}

void SecurityPanel::UpdateWepEnabling()
{
    const bool on = c_.wepEnable->isChecked();
    SetEnabled({c_.keyType, c_.keySize, c_.keyIndex, c_.networkKey, c_.confirmKey}, on);
}

void SecurityPanel::ApplyKeyLength()
{
    static constexpr int kHex[] = {10, 26, 32};
    static constexpr int kAscii[] = {5, 13, 16};
    const int size = std::clamp(c_.keySize->currentIndex(), 0, 2);
    const int length = c_.keyType->currentIndex() == 1 ? kHex[size] : kAscii[size];
    c_.networkKey->setMaxLength(length);
    c_.confirmKey->setMaxLength(length);
}

// With a periodical key change the device makes the keys; the page shows the key in use.
void SecurityPanel::UpdatePeriodicalDisplay()
{
    const bool accessPoint = apMode_ == AccessPoint;
    const bool periodical = accessPoint && c_.periodical->isChecked();
    c_.periodicalPanel->setVisible(accessPoint);
    SetEnabled({c_.day, c_.hour, c_.minute, c_.timeInterval}, periodical);
    c_.passphrase->setEchoMode(periodical ? QLineEdit::Normal : QLineEdit::Password);
    c_.passphrase->setText(periodical ? currentKey_ : loadedPassphrase_);
    c_.passphrase->setEnabled(!periodical);
    SetVisible({c_.confirmPassphrase, c_.confirmPassphraseLabel}, !periodical);
    if (!periodical)
        c_.confirmPassphrase->setText(loadedPassphrase_);
}

void SecurityPanel::SetApMode(int mode)
{
    apMode_ = mode;
    UpdatePeriodicalDisplay();
}

void SecurityPanel::RebuildLists(int mode, bool nOnly, bool multiSsidEnabled)
{
    SetEnabled({c_.personalWpa.mode, c_.personalWpa.cipher, c_.personalWpa.interval}, true);
    const QStringList allCiphers = nOnly ? QStringList{QStringLiteral("AES")} : kCiphers;
    QStringList methods{kMethodOpenSystem, kMethodPersonal};
    QStringList personalModes = kWpaModes;
    QStringList personalCiphers = allCiphers;
    bool wepAllowed = true;
    if (variant_ == Variant::MultiSsid) {
        if (mode != WdsWithAp)
            methods = {kMethodOpenSystem, kMethodPersonal, kMethodEnterprise, kMethodDot1x};
        if (mode == AccessPoint) {
            ReplaceEntries(c_.enterpriseWpa.cipher, allCiphers);
        } else if (mode == WdsWithAp) {
            personalModes = kWpaModes.mid(0, 2);
            personalCiphers = kCiphers.mid(0, 2);
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
        personalModes = kWpaModes.mid(0, 2);
        personalCiphers = kCiphers.mid(0, 2);
    } else if (mode == Wds) {
        personalModes = {kWpaModes[1]};
        personalCiphers = {kCiphers[1]};
    } else {
        wepAllowed = !nOnly;
    }
    if (!personalModes.isEmpty()) {
        ReplaceEntries(c_.personalWpa.mode, personalModes);
        ReplaceEntries(c_.personalWpa.cipher, personalCiphers);
    }
    if (variant_ == Variant::Primary) {
        c_.wepEnable->setEnabled(wepAllowed);
        SetEnabled({c_.personalWpa.mode, c_.personalWpa.cipher}, mode != Wds);
        c_.personalWpa.interval->setEnabled(mode != WirelessClient && mode != ApRepeater);
        if (mode != AccessPoint)
            c_.manual->setChecked(true);
    }
    ReplaceEntries(c_.authentication, methods);
    SetApMode(mode);
    MethodChanged();
}

bool SecurityPanel::wepEncryptionEnabled() const { return c_.wepEnable->isChecked(); }

bool SecurityPanel::tkipChosen() const
{
    const int type = Type();
    const WpaControls &wpa = type == WpaEnterprise ? c_.enterpriseWpa : c_.personalWpa;
    return (type == WpaPersonal || type == WpaEnterprise) && wpa.cipher->currentText() == kCiphers[2];
}

bool SecurityPanel::periodicalKeyChangeOn() const { return c_.periodical->isChecked(); }

int SecurityPanel::wepKeyIndex() const { return c_.keyIndex->currentIndex() + 1; }

// --- Collecting ---

bool SecurityPanel::Collect(int type, apSecurityBlock &block)
{
    switch (type) {
    case OpenSystem:
    case SharedKey:
    case OpenOrShared:
        return CollectWep(block.wep);
    case WpaPersonal:
        return CollectPersonal(block.personal);
    case WpaEnterprise:
        return CollectEnterprise(block.enterprise);
    case Dot1x:
        return CollectDot1x(block.enterprise);
    default:
        return true;
    }
}

bool SecurityPanel::CollectWep(apWepSection &s)
{
    const bool on = c_.wepEnable->isChecked();
    const bool hex = c_.keyType->currentIndex() == 1;
    QString key;
    QString confirm;
    DataExchange dx(DataExchange::Saving);
    if (on) {
        ExchangeText(dx, c_.networkKey, key);
        CheckNoEdgeBlanks(dx, key, QStringLiteral("The first character and last character can't be blank."));
        CheckNotBlank(dx, key, QStringLiteral("The filed can not be blank"));
        CheckExactLength(dx, key, QStringLiteral("The Lenth of key must be %1 %2 number "), c_.networkKey->maxLength(),
                         hex ? QStringLiteral("hexadecimal") : QStringLiteral("ASCII"));
        ExchangeText(dx, c_.confirmKey, confirm);
        CheckMatch(dx, key, confirm, QStringLiteral("The Network Key and Confirm Key are not matched."));
        if (dx.failed())
            return false;
    } else {
        key = c_.networkKey->text();
    }
    keyChanged_ = key != lastKey_;
    lastKey_ = key;
    s.encryption = on ? 1 : 0;
    s.keyType = hex ? 2 : 1;
    s.keySize = c_.keySize->currentIndex() == 1 ? 128 : 64;
    s.keyIndex = uint32_t(wepKeyIndex());
    SetRecordText(s.key, key);
    static const QRegularExpression kHexDigits(QStringLiteral("^[0-9A-Fa-f]*$"));
    if (on && hex && !kHexDigits.match(key).hasMatch()) {
        ShowMessageBox(QStringLiteral("The legal characters are 0~9 , A~F , a~f."), MessageIcon::None,
                       QString::fromLatin1(kApplicationTitle), MessageButtons::Ok, window());
        c_.networkKey->setFocus();
        return false;
    }
    return true;
}

bool SecurityPanel::CollectPersonal(apWpaPersonalSection &s)
{
    DataExchange dx(DataExchange::Saving);
    int interval = 0;
    ExchangeInt(dx, c_.personalWpa.interval, interval, kMinKeyInterval, kMaxKeyInterval);
    const bool periodical = apMode_ == AccessPoint && c_.periodical->isChecked();
    QString phrase = RecordText(s.passphrase);
    if (!periodical) {
        QString confirm;
        ExchangeText(dx, c_.passphrase, phrase);
        CheckLengthRange(dx, phrase, 8, 63, QStringLiteral("The length of the passphrase should be %1~%2"));
        CheckNoEdgeBlanks(dx, phrase, QStringLiteral("The first character and last character can't be blank."));
        ExchangeText(dx, c_.confirmPassphrase, confirm);
        CheckMatch(dx, phrase, confirm, QStringLiteral("The PassPhrase and Confirm PassPhrase are not matched "));
    }
    int hours = 0;
    if (periodical && !c_.timeInterval->text().trimmed().isEmpty())
        ExchangeInt(dx, c_.timeInterval, hours, 1, 168);
    if (dx.failed())
        return false;
    s.wpaMode = uint32_t(WpaModeCode(c_.personalWpa.mode));
    s.cipher = uint32_t(CipherCode(c_.personalWpa.cipher));
    s.groupKeyInterval = uint32_t(interval);
    SetRecordText(s.passphrase, phrase);
    s.apMode = uint32_t(apMode_);
    if (apMode_ != AccessPoint)
        return true; // outside access-point mode there is no periodical change to write
    s.periodicalKeyChange = periodical ? 1 : 0;
    s.day = periodical ? uint32_t(c_.day->currentIndex()) : 0;
    SetRecordText(s.time, periodical ? c_.hour->currentText() + u':' + c_.minute->currentText() : QString());
    s.intervalHours = uint32_t(hours);
    std::fill(std::begin(s.currentKey), std::end(s.currentKey), '\0');
    return true;
}

bool SecurityPanel::CollectRadius(DataExchange &dx, const RadiusControls &radius, QString &server, int &port,
                                  QString &secret)
{
    ExchangeInt(dx, radius.port, port, 1, 65535);
    ExchangeText(dx, radius.server, server);
    ExchangeText(dx, radius.secret, secret);
    CheckNotBlank(dx, secret, QStringLiteral("The shared secret of RADIUS server can not be empty"));
    CheckLengthRange(dx, secret, 1, 64, QStringLiteral("The length of the password should be %1~%2"));
    if (server.isEmpty())
        server = QStringLiteral("0.0.0.0");
    return !dx.failed();
}

bool SecurityPanel::CollectEnterprise(apEnterpriseSection &s)
{
    DataExchange dx(DataExchange::Saving);
    QString server, secret;
    int port = 0, interval = 0;
    CollectRadius(dx, c_.enterpriseRadius, server, port, secret);
    ExchangeInt(dx, c_.enterpriseWpa.interval, interval, kMinKeyInterval, kMaxKeyInterval);
    if (dx.failed())
        return false;
    s.wpaMode = uint32_t(WpaModeCode(c_.enterpriseWpa.mode));
    s.cipher = uint32_t(CipherCode(c_.enterpriseWpa.cipher));
    s.keyInterval = uint32_t(interval);
    if (variant_ == Variant::Primary) // the multi-SSID panel has no protection choice: keep the device's
        s.accessProtection = c_.napEnable->isChecked() ? 1 : 0;
    SetRecordText(s.radiusServer, server);
    s.radiusPort = uint32_t(port);
    SetRecordText(s.radiusSecret, secret);
    return true;
}

bool SecurityPanel::CollectDot1x(apEnterpriseSection &s)
{
    DataExchange dx(DataExchange::Saving);
    QString server, secret;
    int port = 0, interval = 0;
    ExchangeInt(dx, c_.keyUpdateInterval, interval, kMinKeyInterval, kMaxKeyInterval);
    CollectRadius(dx, c_.dot1xRadius, server, port, secret);
    if (dx.failed())
        return false;
    s.keyInterval = uint32_t(interval);
    std::fill(std::begin(s.reserved1) + 1, std::end(s.reserved1), 0u); // bytes 28-35
    SetRecordText(s.radiusServer, server);
    s.radiusPort = uint32_t(port);
    SetRecordText(s.radiusSecret, secret);
    return true;
}

} // namespace trb
