// libFuzzer target for reading the device's log file (LogFile.RD), as the Log page decodes it:
// any file must give its lines without a crash, and never more lines than the file has.
#include "LogLineParser.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<trb::LogLine> lines = trb::ParseLogText(text);
    if (lines.size() > text.count(u'\n') + 1)
        std::abort();
    for (const trb::LogLine &line : lines)
        if (line.time.size() + line.priority.size() + line.message.size() > text.size())
            std::abort();
    return 0;
}
