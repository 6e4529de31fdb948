#include "WpaPersonalPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "RadioPair.h"
#include "RecordText.h"
#include "RetypedEdit.h"
#include "WirelessCodes.h"
#include "WpaBlock.h"

namespace trb {
namespace {

const QStringList kDays = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                           QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};

QStringList Numbers(int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return numbers;
}

RetypedEdit *PassphraseEdit()
{
    auto *edit = new RetypedEdit(RetypedEdit::Masked);
    edit->setMaxLength(63);
    return edit;
}

} // namespace

WpaPersonalPanel::WpaPersonalPanel(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(c_.wpa = new WpaBlock("personal"));
    layout->addWidget(c_.periodicalPanel = BuildPeriodicalPanel());
    layout->addWidget(BuildPassphrasePanel());
    connect(c_.periodical, &QRadioButton::toggled, this, &WpaPersonalPanel::UpdatePeriodicalDisplay);
}

QWidget *WpaPersonalPanel::BuildPeriodicalPanel()
{
    auto *panel = new QWidget;
    FormRows rows = FormRows::On(panel);
    auto *pair = new RadioPair(QStringLiteral("Manual"), QStringLiteral("manualKeyRadio"),
                               QStringLiteral("Periodical Key Change"), QStringLiteral("periodicalKeyRadio"));
    c_.manual = pair->first();
    c_.periodical = pair->second();
    rows.grid()->addWidget(pair, 0, 0, 1, 3);
    auto *when = new QWidget;
    auto *whenRow = new QHBoxLayout(when);
    whenRow->setContentsMargins(0, 0, 0, 0);
    whenRow->addWidget(c_.day = Named(ComboOf(kDays), "activatedDayCombo", "Activated From day"));
    whenRow->addWidget(c_.hour = Named(ComboOf(Numbers(24)), "activatedHourCombo", "Activated From hour"));
    whenRow->addWidget(c_.minute = Named(ComboOf(Numbers(60)), "activatedMinuteCombo", "Activated From minute"));
    rows.Add(QStringLiteral("Activated From"), when, "activatedFrom");
    c_.timeInterval = rows.Add(QStringLiteral("Time Interval "), new QLineEdit(QStringLiteral("1")), "timeIntervalEdit");
    rows.grid()->addWidget(new QLabel(QStringLiteral("(1~168)hour(s)")), rows.grid()->rowCount() - 1, 2);
    return panel;
}

QWidget *WpaPersonalPanel::BuildPassphrasePanel()
{
    auto *panel = new QWidget;
    FormRows rows = FormRows::On(panel);
    c_.passphrase = rows.Add(QStringLiteral("PassPhrase"), PassphraseEdit(), "passphraseEdit");
    c_.confirmPassphrase = rows.Add(QStringLiteral("Confirm PassPhrase"), PassphraseEdit(), "confirmPassphraseEdit");
    c_.confirmPassphraseLabel = rows.lastLabel();
    return panel;
}

void WpaPersonalPanel::Load(const apWpaPersonalSection &s)
{
    c_.wpa->Load(s.wpaMode, s.cipher, s.groupKeyInterval);
    const QString passphrase = RecordText(s.passphrase);
    currentKey_ = RecordText(s.currentKey);
    showingKey_ = false;
    c_.passphrase->setText(passphrase);
    c_.confirmPassphrase->setText(passphrase);
    const QString time = RecordText(s.time).trimmed();
    const bool hasTime = time.size() >= 5;
    SelectText(c_.hour, hasTime ? time.left(2) : QStringLiteral("00"));
    SelectText(c_.minute, hasTime ? time.right(2) : QStringLiteral("00"));
    const QSignalBlocker quiet(c_.periodical); // the display follows once, below
    (s.periodicalKeyChange == 1 ? c_.periodical : c_.manual)->setChecked(true);
    c_.day->setCurrentIndex(s.day < 7 ? int(s.day) : 0);
    c_.timeInterval->setText(s.intervalHours == 0 ? QString() : QString::number(s.intervalHours));
    UpdatePeriodicalDisplay();
}

void WpaPersonalPanel::SetApMode(int mode)
{
    apMode_ = mode;
    UpdatePeriodicalDisplay();
}

bool WpaPersonalPanel::periodicalKeyChangeOn() const { return c_.periodical->isChecked(); }

bool WpaPersonalPanel::Periodical() const { return apMode_ == wireless::AccessPoint && c_.periodical->isChecked(); }

// With a periodical key change the device makes the keys: the page shows the key in use, and
// gives back what the user had typed when the change is switched off again.
void WpaPersonalPanel::UpdatePeriodicalDisplay()
{
    const bool periodical = Periodical();
    c_.periodicalPanel->setVisible(apMode_ == wireless::AccessPoint);
    SetEnabled({c_.day, c_.hour, c_.minute, c_.timeInterval}, periodical);
    if (periodical && !showingKey_) {
        typedPassphrase_ = c_.passphrase->text();
        typedConfirm_ = c_.confirmPassphrase->text();
        c_.passphrase->setText(currentKey_);
    } else if (!periodical && showingKey_) {
        c_.passphrase->setText(typedPassphrase_);
        c_.confirmPassphrase->setText(typedConfirm_);
    }
    showingKey_ = periodical;
    c_.passphrase->setEchoMode(periodical ? QLineEdit::Normal : QLineEdit::Password);
    c_.passphrase->setEnabled(!periodical);
    SetVisible({c_.confirmPassphrase, c_.confirmPassphraseLabel}, !periodical);
}

bool WpaPersonalPanel::Collect(apWpaPersonalSection &s)
{
    DataExchange dx(DataExchange::Saving);
    int interval = 0;
    c_.wpa->ExchangeInterval(dx, interval);
    const bool periodical = Periodical();
    QString phrase = RecordText(s.passphrase); // with a periodical change the device's stays
    if (!periodical) {
        QString confirm;
        ExchangeText(dx, c_.passphrase, phrase);
        CheckLengthRange(dx, phrase, 8, 63, QStringLiteral("The length of the passphrase should be %1~%2"));
        CheckNoEdgeBlanks(dx, phrase, QStringLiteral("The first character and last character can't be blank."));
        CheckDeviceText(dx, phrase);
        ExchangeText(dx, c_.confirmPassphrase, confirm);
        CheckMatch(dx, phrase, confirm, QStringLiteral("The PassPhrase and Confirm PassPhrase are not matched "));
    }
    int hours = 0;
    if (periodical && !c_.timeInterval->text().trimmed().isEmpty())
        ExchangeInt(dx, c_.timeInterval, hours, 1, 168);
    if (dx.failed())
        return false;
    s.wpaMode = c_.wpa->ModeCode();
    s.cipher = c_.wpa->CipherCode();
    s.groupKeyInterval = uint32_t(interval);
    SetRecordText(s.passphrase, phrase);
    s.apMode = uint32_t(apMode_);
    if (apMode_ != wireless::AccessPoint)
        return true; // outside access-point mode there is no periodical change to write
    s.periodicalKeyChange = periodical ? 1 : 0;
    s.day = periodical ? uint32_t(c_.day->currentIndex()) : 0;
    SetRecordText(s.time, periodical ? c_.hour->currentText() + u':' + c_.minute->currentText() : QString());
    s.intervalHours = uint32_t(hours);
    std::fill(std::begin(s.currentKey), std::end(s.currentKey), '\0');
    return true;
}

} // namespace trb
