#pragma once
// Texts out of the device information record.
#include <QString>

#include "RecordText.h"

namespace trb {

// A MAC slot that the device left all zeros means the address is not in use.
inline bool IsUnusedMac(const QString &mac)
{
    return mac == QLatin1String("000000000000") || mac == QLatin1String("00:00:00:00:00:00");
}

} // namespace trb
