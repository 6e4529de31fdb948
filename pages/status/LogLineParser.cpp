#include "LogLineParser.h"

#include <QStringList>

namespace trb {
namespace {

// Where the time ends, or -1 when the line has none of the marks.
qsizetype TimeEnd(const QString &line)
{
    const qsizetype separator = line.indexOf(QLatin1String(" | "));
    if (separator >= 0)
        return separator;
    for (const QLatin1String mark : {QLatin1String("["), QLatin1String("Last")}) {
        const qsizetype at = line.indexOf(mark);
        if (at >= 0)
            return std::max<qsizetype>(at - 1, 0);
    }
    return -1;
}

} // namespace

std::optional<LogLine> ParseLogLine(const QString &line)
{
    if (line.isEmpty())
        return std::nullopt;
    const qsizetype timeEnd = TimeEnd(line);
    if (timeEnd < 0)
        return LogLine{QString(), QString(), line};
    LogLine parsed;
    parsed.time = line.left(timeEnd).trimmed();
    const qsizetype open = line.indexOf(QLatin1Char('['), timeEnd);
    const qsizetype close = open >= 0 ? line.indexOf(QLatin1Char(']'), open + 1) : -1;
    if (close < 0) { // no priority: what follows the time is the message
        const bool separated = line.mid(timeEnd, 3) == QLatin1String(" | ");
        parsed.message = line.mid(timeEnd + (separated ? 3 : 0));
        return parsed;
    }
    parsed.priority = line.mid(open + 1, close - open - 1);
    parsed.message = line.mid(close + 1);
    return parsed;
}

QList<LogLine> ParseLogText(const QString &text)
{
    QList<LogLine> lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (auto parsed = ParseLogLine(line))
            lines.append(*parsed);
    }
    return lines;
}

} // namespace trb
