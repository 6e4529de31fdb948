#pragma once
#include <QString>

namespace trb {

// A blank address field means "none", which the device holds as 0.0.0.0.
inline QString AddressOrNone(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0.0.0.0") : text;
}

} // namespace trb
