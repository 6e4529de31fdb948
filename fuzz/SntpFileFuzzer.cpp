// libFuzzer target for the daylight-saving table (SNTPFile.RD), read from a file as the Time
// and Date page reads it: any file must load without a crash, each zone's entry one digit.
#include "DaylightSavingTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SNTPFile.RD"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    QString error;
    const trb::DaylightSavingTable table = trb::DaylightSavingTable::Load(path, &error);
    if (!error.isEmpty())
        std::abort();
    for (int zone = -1; zone <= trb::TimeChoices::kZoneCount + 1; ++zone)
        if (table.EntryOf(zone) < 0 || table.EntryOf(zone) > 9)
            std::abort();
    return 0;
}
