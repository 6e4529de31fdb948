// How the Log page reads the lines of LogFile.RD, the device's own format included.
#include <gtest/gtest.h>

#include "LogLineParser.h"

namespace trb {
void PrintTo(const LogLine &line, std::ostream *out)
{
    *out << '{' << line.time.toStdString() << '|' << line.priority.toStdString() << '|' << line.message.toStdString() << '}';
}
} // namespace trb

using trb::LogLine;
using trb::ParseLogLine;
using trb::ParseLogText;

namespace {

TEST(LogLineParser, SplitsTimePriorityAndMessage)
{
    const struct {
        const char *line;
        LogLine parsed;
    } cases[] = {
        // The simulator's lines: the blank after "]" stays with the message.
        {"2026-12-08 14:20:00 | [info] System started", {"2026-12-08 14:20:00", "info", " System started"}},
        {"  12:00:00   | [warning]Disk", {"12:00:00", "warning", "Disk"}},
        // Marks inside the message belong to it.
        {"t | [notice] a | b [c] d", {"t", "notice", " a | b [c] d"}},
        // Without " | " the time ends one character before the first "[" ...
        {"12:00:00 [error] boom", {"12:00:00", "error", " boom"}},
        // ... so a time right against the "[" loses its last character.
        {"12:00:00[error] boom", {"12:00:0", "error", " boom"}},
        {"[info] at the start", {"", "info", " at the start"}},
        // Failing a "[", the time ends one character before "Last".
        {"Jan 1 00:00:00 Last message repeated", {"Jan 1 00:00:00", "", " Last message repeated"}},
        // No mark at all: the line is all message; a "[" without "]" gives no priority.
        {"free text", {"", "", "free text"}},
        {"t | [open", {"t", "", "[open"}},
        {"t | [] empty", {"t", "", " empty"}},
    };
    for (const auto &c : cases) {
        const auto parsed = ParseLogLine(QString::fromLatin1(c.line));
        ASSERT_TRUE(parsed) << c.line;
        EXPECT_EQ(*parsed, c.parsed) << c.line;
    }
}

TEST(LogLineParser, SkipsEmptyLinesAndTakesEitherLineEnd)
{
    EXPECT_FALSE(ParseLogLine(QString()));
    const QList<LogLine> lines = ParseLogText(QStringLiteral("a | [i] one\r\n\r\n\nb | [n] two\nc | [e] three"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], (LogLine{"a", "i", " one"}));
    EXPECT_EQ(lines[1], (LogLine{"b", "n", " two"}));
    EXPECT_EQ(lines[2], (LogLine{"c", "e", " three"}));
    EXPECT_TRUE(ParseLogText(QString()).isEmpty());
}

} // namespace
