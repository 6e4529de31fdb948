#pragma once
// Texts out of the device information record: bounded by their slot even when the library
// left no terminating NUL.
#include <QString>

#include <cstring>

namespace trb {

template <std::size_t N>
QString RecordText(const char (&slot)[N])
{
    return QString::fromLatin1(slot, static_cast<qsizetype>(strnlen(slot, N)));
}

// A MAC slot that the device left all zeros means the address is not in use.
inline bool IsUnusedMac(const QString &mac)
{
    return mac == QLatin1String("000000000000") || mac == QLatin1String("00:00:00:00:00:00");
}

} // namespace trb
