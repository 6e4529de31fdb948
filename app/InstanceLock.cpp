#include "InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace trb {

InstanceLock::InstanceLock(const QString &deviceAddress) : path_(LockFileFor(deviceAddress)) {}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::TryAcquire()
{
    if (fd_ >= 0)
        return true;
    QDir().mkpath(LockDirectory());
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no place for a lock file: run rather than refuse every start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

QString InstanceLock::LockDirectory()
{
    const QByteArray overridden = qgetenv("TRB4820_LOCK_DIR");
    if (!overridden.isEmpty())
        return QString::fromLocal8Bit(overridden);
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime + QLatin1String("/trb4820");
}

QString InstanceLock::LockFileFor(const QString &deviceAddress)
{
    // Hex keeps every address text distinct, blanks and slashes included.
    return LockDirectory() + QLatin1String("/device-")
        + QString::fromLatin1(deviceAddress.toUtf8().toHex()) + QLatin1String(".lock");
}

} // namespace trb
