#include "PlatformSettings.h"

#include <QSettings>

namespace trb {

int PlatformSettings::ReadLocalTransferMode()
{
    QSettings settings(QStringLiteral("Veltrane"), QStringLiteral("Pylonix"));
    settings.beginGroup(QStringLiteral("AdvanceSystem"));
    const QVariant value = settings.value(QStringLiteral("FtpMethod"));
    bool isNumber = false;
    const uint method = value.toUInt(&isNumber);
    if (!value.isValid() || !isNumber)
        return 1;
    return method == 0 ? 1 : 0;
}

QString PlatformSettings::ReadPlatformHomeDir()
{
    // The platform would first be asked to publish the value; it has no window to ask here,
    // so whatever it stored last is read as it stands.
    QSettings settings(QStringLiteral("Veltrane"), QStringLiteral("Pylonix"));
    settings.beginGroup(QStringLiteral("AdvanceSystem"));
    // The value comes from a 256-byte buffer: at most 255 characters.
    return settings.value(QStringLiteral("homedir")).toString().left(255);
}

} // namespace trb
