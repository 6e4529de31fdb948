#include "PendingUpload.h"

#include "TftpPacket.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace tftp {

PendingUpload::PendingUpload(int directoryFd, int fileFd, std::string temporaryName,
                             std::string finalName)
    : directoryFd_(directoryFd), fileFd_(fileFd), temporaryName_(std::move(temporaryName)),
      finalName_(std::move(finalName))
{
}

PendingUpload::PendingUpload(PendingUpload &&other) noexcept { *this = std::move(other); }

PendingUpload &PendingUpload::operator=(PendingUpload &&other) noexcept
{
    if (this != &other) {
        Discard();
        directoryFd_ = std::exchange(other.directoryFd_, -1);
        fileFd_ = std::exchange(other.fileFd_, -1);
        temporaryName_ = std::move(other.temporaryName_);
        finalName_ = std::move(other.finalName_);
    }
    return *this;
}

PendingUpload::~PendingUpload() { Discard(); }

FileAccessResult PendingUpload::Commit()
{
    FileAccessResult result;
    if (fileFd_ < 0)
        return {-1, kNotDefined, "Upload already finished"};
    if (::fsync(fileFd_) != 0) {
        result = {-1, kDiskFull, std::string("Cannot store file: ") + std::strerror(errno)};
        Discard();
        return result;
    }
    if (::renameat(directoryFd_, temporaryName_.c_str(), directoryFd_, finalName_.c_str()) != 0) {
        result = {-1, kAccessViolation, std::string("Cannot store file: ") + std::strerror(errno)};
        Discard();
        return result;
    }
    CloseAll();
    result.fd = 0;  // success; there is no descriptor left to hand out
    return result;
}

void PendingUpload::Discard()
{
    if (fileFd_ >= 0 && directoryFd_ >= 0)
        ::unlinkat(directoryFd_, temporaryName_.c_str(), 0);
    CloseAll();
}

void PendingUpload::CloseAll()
{
    if (fileFd_ >= 0)
        ::close(fileFd_);
    if (directoryFd_ >= 0)
        ::close(directoryFd_);
    fileFd_ = -1;
    directoryFd_ = -1;
}

} // namespace tftp
