#include "FormCheck.h"

#include "AddressValidation.h"
#include "DataExchange.h"
#include "TextValidation.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

namespace trb {
namespace {

// Fails the copy with `message` unless `ok`; nothing at all while loading or after a failure.
bool require(DataExchange &dx, bool ok, const QString &message)
{
    if (dx.checking() && !ok)
        dx.fail(message);
    return !dx.failed();
}

// "%1" and "%2" replaced in one pass, so a replacement that itself holds "%2" stays as is
// and a message that has only "%2" still gets the second value.
QString formatMessage(const QString &message, const QString &first, const QString &second)
{
    QString result;
    for (qsizetype i = 0; i < message.size(); ++i) {
        const QChar next = i + 1 < message.size() ? message[i + 1] : QChar();
        if (message[i] == u'%' && (next == u'1' || next == u'2')) {
            result += next == u'1' ? first : second;
            ++i;
        } else {
            result += message[i];
        }
    }
    return result;
}

QString controlText(const QWidget *control)
{
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->toPlainText();
    return control->property("text").toString();
}

void setControlText(QWidget *control, const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setCurrentText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
        plain->setPlainText(text);
    else
        control->setProperty("text", text);
}

} // namespace

bool ExchangeText(DataExchange &dx, QWidget *control, QString &text)
{
    if (!dx.exchanging() || !control)
        return !dx.failed();
    dx.setLastControl(control);
    if (dx.isSaving())
        text = controlText(control);
    else
        setControlText(control, text);
    return true;
}

bool ExchangeInt(DataExchange &dx, QWidget *control, int &value)
{
    if (!dx.exchanging() || !control)
        return !dx.failed();
    dx.setLastControl(control);
    if (dx.isLoading()) {
        setControlText(control, QString::number(value));
        return true;
    }
    bool ok = false;
    const int number = controlText(control).trimmed().toInt(&ok, 10);
    if (!require(dx, ok, QStringLiteral("Please enter an integer.")))
        return false;
    value = number;
    return true;
}

bool ExchangeInt(DataExchange &dx, QWidget *control, int &value, int min, int max)
{
    if (!ExchangeInt(dx, control, value))
        return false;
    return require(dx, value >= min && value <= max,
                   formatMessage(QStringLiteral("Please enter an integer between %1 and %2."),
                                 QString::number(min), QString::number(max)));
}

bool ExchangeIndex(DataExchange &dx, QComboBox *control, int &index)
{
    if (!dx.exchanging() || !control)
        return !dx.failed();
    dx.setLastControl(control);
    if (dx.isSaving())
        index = control->currentIndex();
    else
        control->setCurrentIndex(index);
    return true;
}

bool ExchangeChecked(DataExchange &dx, QAbstractButton *control, bool &checked)
{
    if (!dx.exchanging() || !control)
        return !dx.failed();
    dx.setLastControl(control);
    if (dx.isSaving())
        checked = control->isChecked();
    else
        control->setChecked(checked);
    return true;
}

bool CheckLengthRange(DataExchange &dx, const QString &text, int min, int max,
                      const QString &message)
{
    const bool ok = text.size() >= min && text.size() <= max;
    if (ok || !dx.checking())
        return !dx.failed();
    return require(dx, false,
                   formatMessage(message, QString::number(min), QString::number(max)));
}

bool CheckExactLength(DataExchange &dx, const QString &text, const QString &message,
                      int length, const QString &kind)
{
    if (!dx.checking())
        return !dx.failed();
    if (text.size() != length)
        return require(dx, false, formatMessage(message, QString::number(length), kind));
    if (QLineEdit *edit = dx.lastLineEdit())
        edit->setMaxLength(length);
    return true;
}

bool CheckNotBlank(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, !text.isEmpty() && !IsAllBlanks(text), message);
}

bool CheckNoEdgeBlanks(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, HasNoEdgeBlanks(text), message);
}

bool CheckEmailAddress(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, !text.isEmpty() && IsEmailAddress(text) && IsAsciiText(text), message);
}

bool CheckNameChars(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, IsNameText(text), message);
}

bool CheckAscii(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, IsAsciiText(text), message);
}

bool CheckDeviceText(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, IsPrintableAscii(text), message);
}

bool CheckMatch(DataExchange &dx, const QString &text, const QString &other,
                const QString &message)
{
    return require(dx, text == other, message);
}

bool CheckHostIp(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, !text.isEmpty() && IsValidHostIp(text), message);
}

bool CheckHostIpNotZero(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, !text.isEmpty() && IsValidHostIpNotZero(text), message);
}

bool CheckSubnetMask(DataExchange &dx, const QString &text, const QString &message)
{
    return require(dx, !text.isEmpty() && IsValidSubnetMask(text), message);
}

bool CheckFlag(DataExchange &dx, bool flag, const QString &message)
{
    return require(dx, flag, message);
}

bool FailWith(DataExchange &dx, const QString &message) { return require(dx, false, message); }

} // namespace trb
