#pragma once
// Form checks and text exchanges for a page's DataExchange.
//
//   DataExchange dx(DataExchange::Saving);
//   ExchangeText(dx, ui.ipEdit, ip);
//   CheckHostIp(dx, ip, "Invalid IP Address!");
//   ...
//   if (dx.failed()) return; // the message has been shown and the field focused
//
// Every check does nothing while loading or once the copy has failed; a failing check calls
// DataExchange::fail. Each returns false once the copy has failed. Messages are the texts
// shown; "%1" and "%2" are replaced where a check says so.
#include <QString>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace trb {

class DataExchange;

// Copies the control's text into `text` (saving) or `text` into the control (loading), and
// makes the control the one a later failing check focuses. Line edits, labels, buttons and
// other widgets with a "text" property, combo boxes (current text) and plain-text edits.
bool ExchangeText(DataExchange &dx, QWidget *control, QString &text);
// The same for a drop-down's selected index and for a check box or radio button.
bool ExchangeIndex(DataExchange &dx, QComboBox *control, int &index);
bool ExchangeChecked(DataExchange &dx, QAbstractButton *control, bool &checked);

// A decimal integer field in min..max: loading shows `value` ("%d"); saving refuses a text that
// is not an integer ("Please enter an integer.") or one outside the range ("Please enter an
// integer between %1 and %2."), the framework's standard prompts, with the field focused.
bool ExchangeInt(DataExchange &dx, QWidget *control, int &value, int min, int max);
// Saving only: the field's text as an integer, without a range (an empty field fails too).
bool ExchangeInt(DataExchange &dx, QWidget *control, int &value);

// Length outside min..max; %1 = min, %2 = max.
bool CheckLengthRange(DataExchange &dx, const QString &text, int min, int max,
                      const QString &message);
// Length differs from `length`; %1 = length, %2 = kind ("ASCII", "hexadecimal" ...).
// When it passes, the last control (a line edit) takes at most `length` characters.
bool CheckExactLength(DataExchange &dx, const QString &text, const QString &message,
                      int length, const QString &kind);
bool CheckNotBlank(DataExchange &dx, const QString &text, const QString &message);
bool CheckNoEdgeBlanks(DataExchange &dx, const QString &text, const QString &message);
bool CheckEmailAddress(DataExchange &dx, const QString &text, const QString &message);
bool CheckNameChars(DataExchange &dx, const QString &text, const QString &message);
bool CheckAscii(DataExchange &dx, const QString &text, const QString &message);
// For every secret and name the device keeps (passphrases, keys, RADIUS secrets, passwords,
// array names): a character it cannot store would reach it altered, so it is refused here.
inline const char kDeviceTextMessage[] =
    "Only English letters, digits, blanks and punctuation can be stored here: no accented letters, "
    "other scripts or control characters.";
bool CheckDeviceText(DataExchange &dx, const QString &text,
                     const QString &message = QString::fromLatin1(kDeviceTextMessage));
bool CheckMatch(DataExchange &dx, const QString &text, const QString &other,
                const QString &message);
bool CheckHostIp(DataExchange &dx, const QString &text, const QString &message);
bool CheckHostIpNotZero(DataExchange &dx, const QString &text, const QString &message);
bool CheckSubnetMask(DataExchange &dx, const QString &text, const QString &message);
bool CheckFlag(DataExchange &dx, bool flag, const QString &message);
bool FailWith(DataExchange &dx, const QString &message);

} // namespace trb
