#pragma once
// Number conversions used by the address checks and the pages.
#include <QString>
#include <QtGlobal>

namespace trb {

// Decimal value in the manner of atoi: leading white space, an optional sign, then digits up
// to the first other character ("1a" is 1, "" is 0). Out-of-range values saturate at the int
// limits, so a huge octet can never wrap round into range.
int ToInt(const QString &text);

// Value of the text read as hexadecimal (either case). 0 for an empty text, a non-hex
// character, or more than 8 digits (which would not fit 32 bits).
quint32 HexToInt(const QString &text);

// The same, but `fallback` instead of 0 for a text that is not a number.
qint64 HexToIntOr(const QString &text, qint64 fallback);

} // namespace trb
