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
    return QString();
}

} // namespace trb
