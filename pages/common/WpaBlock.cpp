#include "WpaBlock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "FormCheck.h"
#include "FormRows.h"
#include "WirelessCodes.h"

namespace trb {

const QStringList WpaBlock::kModes = {QStringLiteral("AUTO(WPA or WPA2)"), QStringLiteral("WPA2 only"),
                                      QStringLiteral("WPA only")};
const QStringList WpaBlock::kCiphers = {QStringLiteral("Auto"), QStringLiteral("AES"), QStringLiteral("TKIP")};

WpaBlock::WpaBlock(const char *prefix, QWidget *parent) : QWidget(parent)
{
    FormRows rows = FormRows::On(this);
    const QString name = QString::fromLatin1(prefix);
    c_.mode = rows.Add(QStringLiteral("WPA Mode"), ComboOf(kModes), name + QStringLiteral("WpaModeCombo"));
    c_.cipher = rows.Add(QStringLiteral("Cipher Type"), ComboOf(kCiphers), name + QStringLiteral("CipherCombo"));
    c_.interval = rows.Add(QStringLiteral("Group Key Update Interval"), new QLineEdit(QStringLiteral("1800")),
                           name + QStringLiteral("GroupKeyIntervalEdit"));
    rows.grid()->addWidget(new QLabel(QStringLiteral("(Seconds)")), rows.grid()->rowCount() - 1, 2);
    connect(c_.cipher, &QComboBox::activated, this, &WpaBlock::cipherChosen);
}

void WpaBlock::Load(uint32_t mode, uint32_t cipher, uint32_t interval)
{
    SelectText(c_.mode, mode < 3 ? kModes[int(mode)] : kModes[0]);
    SelectText(c_.cipher, cipher >= 1 && cipher <= 3 ? kCiphers[int(cipher) - 1] : kCiphers[0]);
    c_.interval->setText(QString::number(interval));
}

// The codes are taken from the texts: the lists are filtered by mode, so a position means
// different things in different modes.
uint32_t WpaBlock::ModeCode() const { return uint32_t(std::max(0, int(kModes.indexOf(c_.mode->currentText())))); }

uint32_t WpaBlock::CipherCode() const { return uint32_t(kCiphers.indexOf(c_.cipher->currentText()) + 1); }

bool WpaBlock::TkipChosen() const { return c_.cipher->currentText() == kCiphers[2]; }

void WpaBlock::TakeFrom(const WpaBlock &other, bool choices)
{
    if (choices) {
        SelectText(c_.mode, other.c_.mode->currentText());
        SelectText(c_.cipher, other.c_.cipher->currentText());
    }
    c_.interval->setText(other.c_.interval->text());
}

bool WpaBlock::ExchangeInterval(DataExchange &dx, int &interval) const
{
    return ExchangeInt(dx, c_.interval, interval, wireless::kMinKeyInterval, wireless::kMaxKeyInterval);
}

} // namespace trb
