#include "ShippedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace trb {

QString ShippedFile(const QString &name) { return ShippedFile(name, QCoreApplication::applicationDirPath()); }

QString ShippedFile(const QString &name, const QString &programDirectory)
{
    const QDir program(programDirectory);
    const QString beside = program.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    // Installed, bin/ and share/ are siblings under one prefix.
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../share/trb4820/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace trb
