#include "CommandLine.h"

namespace trb {
namespace {

QString WithoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

// Text from just after `from` (a marker of two or more characters at that position) up to
// `to`; empty when either marker is missing or they are out of order.
QString Between(const QString &line, qsizetype from, qsizetype markerLength, qsizetype to)
{
    if (from < 0 || to < 0 || to < from + markerLength)
        return {};
    return WithoutTrailingBlanks(line.mid(from + markerLength, to - from - markerLength));
}

} // namespace

CommandLine CommandLine::Parse(const QString &line)
{
    const qsizetype address = line.indexOf(QLatin1String("/I"));
    const qsizetype read = line.indexOf(QLatin1String("/R"));
    const qsizetype write = line.indexOf(QLatin1String("/W"));
    const qsizetype upgrade = line.indexOf(QLatin1String("/UTRUE"));

    CommandLine result;
    result.deviceAddress = Between(line, address, 2, read);
    // Without "/W" the read community runs to the end of the line.
    result.readCommunity = Between(line, read, 2, write >= 0 ? write : line.size());
    if (write >= 0) {
        const qsizetype end = upgrade > write ? upgrade : line.size();
        result.writeCommunity = Between(line, write, 2, end);
    }
    return result;
}

CommandLine CommandLine::FromArguments(const QStringList &arguments)
{
    return Parse(arguments.mid(1).join(QLatin1Char(' ')));
}

} // namespace trb
