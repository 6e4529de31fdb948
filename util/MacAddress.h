#pragma once
// MAC address texts: 12 hexadecimal digits in records, "xx:xx:xx:xx:xx:xx" in fields.
#include <QString>

namespace trb {

// The first octet has its group (lowest) bit set.
bool IsMulticastMac(const QString &plainMac);

// Exactly 12 hexadecimal digits and not multicast.
bool IsValidUnicastMac(const QString &text);

// "00:11:22:33:44:55" -> "001122334455": the pairs at 0, 3, 6, 9, 12 and 15. A short text
// gives only the pairs it has, which then fails IsValidUnicastMac.
QString MacColonToPlain(const QString &colonMac);

// "001122334455" -> "00:11:22:33:44:55": pairs joined by ":".
QString MacPlainToColon(const QString &plainMac);

} // namespace trb
