#include "WepKeyPanel.h"

#include <QComboBox>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "RadioPair.h"
#include "RecordText.h"
#include "RetypedEdit.h"

namespace trb {

WepKeyPanel::WepKeyPanel(QWidget *parent) : QWidget(parent)
{
    FormRows rows = FormRows::On(this);
    auto *pair = new RadioPair(QStringLiteral("Disable"), QStringLiteral("wepDisableRadio"), QStringLiteral("Enable "),
                               QStringLiteral("wepEnableRadio"));
    c_.disable = pair->first();
    c_.enable = pair->second();
    rows.Add(QStringLiteral("Encryption"), pair, "encryptionRadios");
    c_.keyType = rows.Add(QStringLiteral("Key Type"), ComboOf({QStringLiteral("ASCII"), QStringLiteral("HEX")}),
                          "keyTypeCombo");
    c_.keySize = rows.Add(QStringLiteral("Key Size"), ComboOf({QStringLiteral("64 Bits"), QStringLiteral("128 Bits")}),
                          "keySizeCombo");
    c_.keyIndex = rows.Add(QStringLiteral("Key Index(1~4)"),
                           ComboOf({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}),
                           "keyIndexCombo");
    c_.networkKey = rows.Add(QStringLiteral("Network Key"), new RetypedEdit, "networkKeyEdit");
    c_.confirmKey = rows.Add(QStringLiteral("Confirm Key"), new RetypedEdit, "confirmKeyEdit");

    connect(c_.enable, &QRadioButton::toggled, this, [this] {
        UpdateEnabling();
        emit encryptionToggled();
    });
    connect(c_.keyType, &QComboBox::currentIndexChanged, this, &WepKeyPanel::ApplyKeyLength);
    connect(c_.keySize, &QComboBox::currentIndexChanged, this, &WepKeyPanel::ApplyKeyLength);
    connect(c_.keyIndex, &QComboBox::activated, this, [this] {
        c_.networkKey->clear();
        c_.confirmKey->clear();
    });
    ApplyKeyLength();
    UpdateEnabling();
}

void WepKeyPanel::Load(const apWepSection &s)
{
    (s.encryption == 1 ? c_.enable : c_.disable)->setChecked(true);
    c_.keyIndex->setCurrentIndex(s.keyIndex >= 1 && s.keyIndex <= 4 ? int(s.keyIndex) - 1 : 0);
    const bool hex = s.keyType == 2;
    c_.keyType->setCurrentIndex(hex ? 1 : 0);
    const bool longKey = s.keySize == 128 || s.keySize == (hex ? 26u : 13u) || s.keySize == (hex ? 32u : 16u);
    c_.keySize->setCurrentIndex(longKey ? 1 : 0); // the list has 64 and 128 bits only
    ApplyKeyLength(); // before the key goes in: a 128-bit key must not be cut to the 64-bit length
    const QString key = RecordText(s.key);
    c_.networkKey->setText(key);
    c_.confirmKey->setText(key);
    lastKey_ = key;
    keyChanged_ = false;
    UpdateEnabling();
    emit encryptionToggled();
}

bool WepKeyPanel::Collect(apWepSection &s)
{
    const bool on = encryptionEnabled();
    const bool hex = c_.keyType->currentIndex() == 1;
    QString key;
    if (on) {
        QString confirm;
        DataExchange dx(DataExchange::Saving);
        ExchangeText(dx, c_.networkKey, key);
        CheckNoEdgeBlanks(dx, key, QStringLiteral("The first character and last character can't be blank."));
        CheckNotBlank(dx, key, QStringLiteral("The filed can not be blank"));
        CheckExactLength(dx, key, QStringLiteral("The Lenth of key must be %1 %2 number "), c_.networkKey->maxLength(),
                         hex ? QStringLiteral("hexadecimal") : QStringLiteral("ASCII"));
        CheckDeviceText(dx, key);
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
    s.keyIndex = uint32_t(keyIndex());
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

void WepKeyPanel::RequireKey(bool required)
{
    if (required)
        c_.enable->setChecked(true);
    c_.disable->setEnabled(!required);
}

void WepKeyPanel::AllowEncryption(bool allowed) { c_.enable->setEnabled(allowed); }

bool WepKeyPanel::encryptionEnabled() const { return c_.enable->isChecked(); }

int WepKeyPanel::keyIndex() const { return c_.keyIndex->currentIndex() + 1; }

void WepKeyPanel::UpdateEnabling()
{
    SetEnabled({c_.keyType, c_.keySize, c_.keyIndex, c_.networkKey, c_.confirmKey}, c_.enable->isChecked());
}

void WepKeyPanel::ApplyKeyLength()
{
    static constexpr int kHex[] = {10, 26, 32};
    static constexpr int kAscii[] = {5, 13, 16};
    const int size = std::clamp(c_.keySize->currentIndex(), 0, 2);
    const int length = c_.keyType->currentIndex() == 1 ? kHex[size] : kAscii[size];
    c_.networkKey->setMaxLength(length);
    c_.confirmKey->setMaxLength(length);
}

} // namespace trb
