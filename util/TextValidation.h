#pragma once
// Character rules for names, mailboxes and free text, and two small text helpers.
// Letters and digits mean ASCII ones only: the device takes 8-bit texts.
#include <QChar>
#include <QString>
#include <QStringList>

namespace trb {

bool IsHexChar(QChar c);            // 0-9, a-f, A-F
bool IsHexText(const QString &text); // every character IsHexChar; empty: true

bool IsNameChar(QChar c);            // letter, digit, "-", ".", "@" or "_"
bool IsNameText(const QString &text); // every character IsNameChar; empty: true

// Every character a letter, digit, "-", "." or "_" (empty: true).
bool IsMailboxText(const QString &text);

// An "@" that is neither the first nor the last character, and the part before the first
// "@" IsMailboxText. The part after it is left to the mail server.
bool IsEmailAddress(const QString &text);

// A blank is a space or a tab.
bool IsBlank(QChar c);
// Neither the first nor the last character is a blank. An empty text has no edge blanks
// (true), so that an empty field gets the "can not be blank" message instead.
bool HasNoEdgeBlanks(const QString &text);
bool IsAllBlanks(const QString &text); // empty: true

bool IsAsciiText(const QString &text); // no character above 127
// Every character a blank or a visible 7-bit one (0x20 to 0x7E): what the device keeps in its
// names and secrets. Empty: true.
bool IsPrintableAscii(const QString &text);

// The text before the last "/" or "\"; without one, before the last ":"; else the whole
// path. A path directly under the root ("/file") gives "/" rather than an empty directory.
QString DirectoryOf(const QString &path);

// Trims blanks at both ends, then appends to `pieces` each piece before a separator and the
// remainder last. A separator at the start of what is left (an empty piece) stops the
// splitting, and everything from there becomes the remainder.
void SplitText(const QString &text, QChar separator, QStringList &pieces);

} // namespace trb
