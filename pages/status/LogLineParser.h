#pragma once
// How the page reads one line of the device's LogFile.RD.
#include <QList>
#include <QString>

#include <optional>

namespace trb {

struct LogLine {
    QString time;
    QString priority;
    QString message;
    bool operator==(const LogLine &) const = default;
};

// The time is the text before " | " (without one: before the character preceding the first "[",
// failing that the first "Last"), trimmed; the priority is between the next "[" and "]"; the
// message is everything after that "]", as it is. A line with none of these marks is all
// message, and a "[" without its "]" gives no priority. nullopt for an empty line.
std::optional<LogLine> ParseLogLine(const QString &line);

// Every non-empty line of a file's text, in order (line ends "\n" or "\r\n").
QList<LogLine> ParseLogText(const QString &text);

} // namespace trb
