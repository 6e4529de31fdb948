#include "NumberConversion.h"

#include <climits>
#include <optional>

namespace trb {
namespace {

bool isCSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

int hexDigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

std::optional<quint32> parseHex(const QString &text)
{
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint32(digit);
    }
    return value;
}

} // namespace

int ToInt(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate as a magnitude and stop growing once past the int range.
    const qint64 limit = negative ? -qint64(INT_MIN) : qint64(INT_MAX);
    qint64 magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return int(negative ? -magnitude : magnitude);
}

quint32 HexToInt(const QString &text) { return parseHex(text).value_or(0); }

qint64 HexToIntOr(const QString &text, qint64 fallback)
{
    const std::optional<quint32> value = parseHex(text);
    return value ? qint64(*value) : fallback;
}

} // namespace trb
