#include "PlatformSettings.h"

#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <optional>

namespace trb {
namespace {

// Whether a stored value is the number zero; nothing when it is no whole number at all.
// QSettings hands numbers back as text of any width (INI files keep only text), so the text
// is judged: "-1" and "4294967296" are numbers other than zero, whatever their width.
std::optional<bool> IsZeroNumber(const QVariant &value)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?([0-9]+)$"));
    const QRegularExpressionMatch match = integer.match(value.toString().trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString digits = match.captured(1);
    return std::all_of(digits.begin(), digits.end(), [](QChar digit) { return digit == u'0'; });
}

} // namespace

int PlatformSettings::ReadLocalTransferMode()
{
    QSettings settings(QStringLiteral("Veltrane"), QStringLiteral("Pylonix"));
    settings.beginGroup(QStringLiteral("AdvanceSystem"));
    // A value that cannot be read as a number counts as missing: our own server stays in use.
    const std::optional<bool> isZero = IsZeroNumber(settings.value(QStringLiteral("FtpMethod")));
    return !isZero || *isZero ? 1 : 0;
}

// The value is only meaningful once the platform's window has been asked to publish it, and
// the platform has no window on this system to ask: there is never a home directory.
QString PlatformSettings::ReadPlatformHomeDir() { return {}; }

} // namespace trb
