#include "MacAddress.h"

#include "NumberConversion.h"
#include "TextValidation.h"

#include <QStringList>

namespace trb {

bool IsMulticastMac(const QString &plainMac) { return (HexToInt(plainMac.left(2)) & 1u) != 0; }

bool IsValidUnicastMac(const QString &text)
{
    return text.size() == 12 && IsHexText(text) && !IsMulticastMac(text);
}

QString MacColonToPlain(const QString &colonMac)
{
    QString plain;
    for (qsizetype at = 0; at <= 15; at += 3)
        plain += colonMac.mid(at, 2);
    return plain;
}

QString MacPlainToColon(const QString &plainMac)
{
    QStringList pairs;
    for (qsizetype at = 0; at < plainMac.size(); at += 2)
        pairs << plainMac.mid(at, 2);
    return pairs.join(u':');
}

} // namespace trb
