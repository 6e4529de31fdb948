#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ShippedFile.h"

namespace {

void Touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// The build tree keeps the file beside the program, an installation under ../share/trb4820;
// the first that holds it wins, and a missing file is reported beside the program.
TEST(ShippedFile, BesideTheProgramThenTheInstalledDataDirectory)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString installed = prefix.filePath(QStringLiteral("share/trb4820/SNTPFile.RD"));
    QDir().mkpath(bin);
    EXPECT_EQ(trb::ShippedFile(QStringLiteral("SNTPFile.RD"), bin), bin + QStringLiteral("/SNTPFile.RD"));
    Touch(installed);
    EXPECT_EQ(trb::ShippedFile(QStringLiteral("SNTPFile.RD"), bin), installed);
    Touch(bin + QStringLiteral("/SNTPFile.RD"));
    EXPECT_EQ(trb::ShippedFile(QStringLiteral("SNTPFile.RD"), bin), bin + QStringLiteral("/SNTPFile.RD"));
}

} // namespace
