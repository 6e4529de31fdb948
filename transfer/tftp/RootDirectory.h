#pragma once
// The directory a server serves. Every name a client asks for is resolved beneath it:
// "..", absolute names and symbolic links that lead out are refused with an access
// violation, whatever the directory holds.
#include "FileAccessResult.h"
#include "PendingUpload.h"

#include <cstdint>
#include <string>

namespace tftp {

class RootDirectory {
public:
    explicit RootDirectory(const std::string &path);
    RootDirectory(const RootDirectory &) = delete;
    RootDirectory &operator=(const RootDirectory &) = delete;
    ~RootDirectory();

    bool IsOpen() const { return fd_ >= 0; }

    // A regular file to send; its size is stored in fileSize.
    FileAccessResult OpenForReading(const std::string &name, std::uint64_t &fileSize) const;
    // A temporary file beside the requested name, to be committed when the upload is complete.
    FileAccessResult CreateUpload(const std::string &name, PendingUpload &upload) const;

    // Removes upload temporaries in the directory itself that no transfer holds any more
    // (left by a server that was killed); returns how many. Nothing else is touched.
    int RemoveStaleUploads() const;

    // Name rules checked before any file system access.
    static bool IsAcceptableName(const std::string &name);
    // Exactly the names CreateUpload gives its temporaries: ".<name>.<number>.part".
    static bool IsUploadTemporaryName(const std::string &name);

private:
    int OpenBeneath(const std::string &name, int flags) const;

    int fd_ = -1;
};

} // namespace tftp
