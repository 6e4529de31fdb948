#pragma once
// A file being received: written to a temporary file beside its final name and renamed
// into place only by Commit, so an interrupted upload leaves the previous file as it was.
#include "FileAccessResult.h"

#include <string>

namespace tftp {

class PendingUpload {
public:
    PendingUpload() = default;
    // Takes ownership of both descriptors.
    PendingUpload(int directoryFd, int fileFd, std::string temporaryName, std::string finalName);
    PendingUpload(PendingUpload &&other) noexcept;
    PendingUpload &operator=(PendingUpload &&other) noexcept;
    PendingUpload(const PendingUpload &) = delete;
    PendingUpload &operator=(const PendingUpload &) = delete;
    ~PendingUpload();  // discards unless committed

    int Fd() const { return fileFd_; }
    // Flushes to disk and renames over the final name. On failure the error is returned
    // and the temporary file is removed.
    FileAccessResult Commit();
    void Discard();

private:
    void CloseAll();

    int directoryFd_ = -1;
    int fileFd_ = -1;
    std::string temporaryName_;
    std::string finalName_;
};

} // namespace tftp
