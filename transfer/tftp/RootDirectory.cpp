#include "RootDirectory.h"

#include "RemoveIfUnlocked.h"

#include "TftpPacket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tftp {
namespace {

FileAccessResult ErrorFor(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {-1, kFileNotFound, "File not found"};
    case EXDEV:
    case ELOOP:
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return {-1, kAccessViolation, "Access violation"};
    case ENOSPC:
    case EDQUOT:
        return {-1, kDiskFull, "Disk full"};
    default:
        return {-1, kNotDefined, std::strerror(error)};
    }
}

// Without openat2 (kernels before 5.6): walk one component at a time and refuse every
// symbolic link, which is stricter but equally safe.
int OpenByWalking(int rootFd, const std::string &name, int flags)
{
    int current = ::openat(rootFd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::size_t start = 0;
    while (current >= 0) {
        const std::size_t slash = name.find('/', start);
        const std::string part = name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        const bool last = slash == std::string::npos;
        const int next = last ? ::openat(current, part.c_str(), flags | O_NOFOLLOW)
                              : ::openat(current, part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int saved = errno;
        ::close(current);
        errno = saved;
        if (last)
            return next;
        current = next;
        start = slash + 1;
    }
    return -1;
}

constexpr std::uint64_t kTemporaryNumbers = 1000000000;
const std::string kTemporarySuffix = ".part";

std::string TemporaryNameFor(const std::string &baseName)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return "." + baseName + "." + std::to_string(random() % kTemporaryNumbers) + kTemporarySuffix;
}

// A number as std::to_string writes one below kTemporaryNumbers: 1 to 9 digits, no leading 0.
bool IsTemporaryNumber(const std::string &digits)
{
    if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits.front() == '0'))
        return false;
    return digits.find_first_not_of("0123456789") == std::string::npos;
}

// Locks a fresh temporary for the life of its upload; false when a clean-up removed the name
// between its creation and the lock.
bool LockNewTemporary(int fd)
{
    struct stat info{};
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0;
}

} // namespace

RootDirectory::RootDirectory(const std::string &path)
{
    if (!path.empty())
        fd_ = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

RootDirectory::~RootDirectory()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RootDirectory::IsAcceptableName(const std::string &name)
{
    if (name.empty() || name.front() == '/' || name.back() == '/')
        return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = name.find('/', start);
        const std::string part = name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "..")
            return false;
        if (slash == std::string::npos)
            return true;
        start = slash + 1;
    }
}

bool RootDirectory::IsUploadTemporaryName(const std::string &name)
{
    const std::size_t suffix = name.size() - std::min(name.size(), kTemporarySuffix.size());
    if (name.size() < 1 + kTemporarySuffix.size() || name.front() != '.'
        || name.compare(suffix, std::string::npos, kTemporarySuffix) != 0)
        return false;
    const std::string middle = name.substr(1, suffix - 1); // "<name>.<number>"
    const std::size_t dot = middle.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    const std::string baseName = middle.substr(0, dot);
    return baseName != "." && baseName != ".." && IsTemporaryNumber(middle.substr(dot + 1));
}

int RootDirectory::RemoveStaleUploads() const
{
    if (!IsOpen())
        return 0;
    const int listFd = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *directory = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (directory == nullptr) {
        if (listFd >= 0)
            ::close(listFd);
        return 0;
    }
    int removed = 0;
    while (const dirent *entry = ::readdir(directory)) {
        if (IsUploadTemporaryName(entry->d_name) && trb::RemoveIfUnlocked(listFd, entry->d_name))
            ++removed;
    }
    ::closedir(directory);
    return removed;
}

int RootDirectory::OpenBeneath(const std::string &name, int flags) const
{
    open_how how{};
    how.flags = std::uint64_t(flags | O_CLOEXEC);
    how.mode = (flags & O_CREAT) ? 0644 : 0;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, fd_, name.c_str(), &how, sizeof how);
    if (fd >= 0 || errno != ENOSYS)
        return int(fd);
    return OpenByWalking(fd_, name, flags | O_CLOEXEC);
}

FileAccessResult RootDirectory::OpenForReading(const std::string &name, std::uint64_t &fileSize) const
{
    if (!IsOpen())
        return {-1, kAccessViolation, "No directory is being served"};
    if (!IsAcceptableName(name))
        return {-1, kAccessViolation, "Access violation"};
    // Non-blocking so that a FIFO in the root cannot hang the server; refused below anyway.
    const int fd = OpenBeneath(name, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return ErrorFor(errno);
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {-1, kAccessViolation, "Not a regular file"};
    }
    fileSize = std::uint64_t(info.st_size);
    return {fd, 0, {}};
}

FileAccessResult RootDirectory::CreateUpload(const std::string &name, PendingUpload &upload) const
{
    if (!IsOpen())
        return {-1, kAccessViolation, "No directory is being served"};
    if (!IsAcceptableName(name))
        return {-1, kAccessViolation, "Access violation"};
    const std::size_t slash = name.rfind('/');
    const std::string baseName = slash == std::string::npos ? name : name.substr(slash + 1);
    if (baseName == ".")
        return {-1, kAccessViolation, "Access violation"};
    const int directoryFd = slash == std::string::npos
        ? ::openat(fd_, ".", O_PATH | O_DIRECTORY | O_CLOEXEC)
        : OpenBeneath(name.substr(0, slash), O_PATH | O_DIRECTORY);
    if (directoryFd < 0)
        return ErrorFor(errno);

    // Keep the mode of a file being replaced; refuse to replace a directory.
    mode_t mode = 0644;
    struct stat existing{};
    if (::fstatat(directoryFd, baseName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            ::close(directoryFd);
            return {-1, kAccessViolation, "Access violation"};
        }
        if (S_ISREG(existing.st_mode))
            mode = existing.st_mode & 0777;
    }
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string temporary = TemporaryNameFor(baseName);
        const int fd = ::openat(directoryFd, temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 && !LockNewTemporary(fd)) {
            ::close(fd);
            continue;
        }
        if (fd >= 0) {
            ::fchmod(fd, mode);
            upload = PendingUpload(directoryFd, fd, temporary, baseName);
            return {fd, 0, {}};
        }
        if (errno != EEXIST) {
            const FileAccessResult error = ErrorFor(errno);
            ::close(directoryFd);
            return error;
        }
    }
    ::close(directoryFd);
    return {-1, kNotDefined, "Cannot create a temporary file"};
}

} // namespace tftp
