#pragma once
#include <QString>
#include <QStringList>

namespace trb {

// The platform starts the module as: <program> /I<address> /R<read community> /W<write community> [/UTRUE]
struct CommandLine {
    QString deviceAddress;
    QString readCommunity;
    QString writeCommunity;

    // Parses one command-line string. Each marker is taken at its first occurrence
    // (case-sensitive); a value ends where the next marker starts; trailing white
    // space is dropped, leading white space kept.
    static CommandLine Parse(const QString &line);

    // The arguments after the program path, joined by blanks. The program path is left
    // out because on this platform it is full of '/' and could contain a marker.
    static CommandLine FromArguments(const QStringList &arguments);
};

} // namespace trb
