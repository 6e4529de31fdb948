#pragma once
// Clean-up of temporaries that a killed process left behind, shared by the TFTP server and the
// simulator. Plain POSIX, no Qt.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trb {

// Removes `name` below `directoryFd` only when it is a regular file that nobody holds locked (a
// live writer keeps its temporary locked, also from another process) and the name still means
// the file that was checked.
inline bool RemoveIfUnlocked(int directoryFd, const char *name)
{
    const int fd = ::openat(directoryFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened{}, named{};
    const bool removable = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
        && ::flock(fd, LOCK_EX | LOCK_NB) == 0
        && ::fstatat(directoryFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0
        && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
    const bool removed = removable && ::unlinkat(directoryFd, name, 0) == 0;
    ::close(fd);
    return removed;
}

} // namespace trb
