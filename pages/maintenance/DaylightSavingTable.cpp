#include "DaylightSavingTable.h"

#include <QDir>
#include <QFile>

#include "ShippedFile.h"

namespace trb {

QString DaylightSavingTable::DefaultPath()
{
    return ShippedFile(QString::fromLatin1(kFileName));
}

DaylightSavingTable DaylightSavingTable::Load(const QString &path, QString *error)
{
    DaylightSavingTable table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.exists() ? QStringLiteral("%1 cannot be read: %2.").arg(QDir::toNativeSeparators(path),
                                                                                 file.errorString())
                                   : QStringLiteral("%1 was not found.").arg(QDir::toNativeSeparators(path));
        return table;
    }
    for (int zone = 1; zone <= TimeChoices::kZoneCount && !file.atEnd(); ++zone) {
        const QByteArray line = file.readLine();
        const char first = line.isEmpty() ? '\0' : line.front();
        table.entries_[size_t(zone - 1)] = first >= '0' && first <= '9' ? first - '0' : 0;
    }
    return table;
}

int DaylightSavingTable::EntryOf(int zone) const
{
    return zone >= 1 && zone <= TimeChoices::kZoneCount ? entries_[size_t(zone - 1)] : 0;
}

bool DaylightSavingTable::HasDaylightSaving(int zone) const { return EntryOf(zone) != 0; }

} // namespace trb
