// libFuzzer target for the module's command line (/I /R /W from the platform): any text must
// parse without a crash, each value is a part of the text, and parsing is the same from the
// argument list the platform hands over.
#include "CommandLine.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString line = QString::fromLocal8Bit(reinterpret_cast<const char *>(data), qsizetype(size));
    const trb::CommandLine parsed = trb::CommandLine::Parse(line);
    for (const QString *value : {&parsed.deviceAddress, &parsed.readCommunity, &parsed.writeCommunity})
        if (!line.contains(*value))
            std::abort();
    const trb::CommandLine fromArguments = trb::CommandLine::FromArguments({QStringLiteral("/usr/bin/trb4820"), line});
    if (fromArguments.deviceAddress != parsed.deviceAddress || fromArguments.readCommunity != parsed.readCommunity
        || fromArguments.writeCommunity != parsed.writeCommunity)
        std::abort();
    return 0;
}
