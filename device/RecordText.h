#pragma once
// Texts in the fixed slots of the device library's records: NUL-terminated 8-bit text in a
// slot of fixed size. Reads stop at the slot's end even when the NUL is missing; writes are
// cut to leave room for the NUL and zero the rest of the slot, so no stale bytes are sent.
// The plain functions serve the library; the QString ones the pages.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace trb {

inline std::string_view SlotView(const char *slot, std::size_t size)
{
    return std::string_view(slot, slot ? strnlen(slot, size) : 0);
}

inline void WriteSlot(char *slot, std::size_t size, std::string_view text)
{
    if (!slot || size == 0)
        return;
    const std::size_t length = std::min(text.size(), size - 1);
    if (length)
        std::memcpy(slot, text.data(), length);
    std::memset(slot + length, 0, size - length);
}

template <std::size_t N>
std::string_view SlotView(const char (&slot)[N])
{
    return SlotView(slot, N);
}

template <std::size_t N>
void WriteSlot(char (&slot)[N], std::string_view text)
{
    WriteSlot(slot, N, text);
}

} // namespace trb

#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QString>

namespace trb {

template <std::size_t N>
QString RecordText(const char (&slot)[N])
{
    const std::string_view text = SlotView(slot);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N>
void SetRecordText(char (&slot)[N], const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    WriteSlot(slot, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace trb
#endif
