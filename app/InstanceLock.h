#pragma once
#include <QString>

namespace trb {

// One running module per device address. The lock is an flock on a file named after the
// exact address text, so the kernel drops it when the process dies, however it dies.
class InstanceLock {
public:
    explicit InstanceLock(const QString &deviceAddress);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // false when another process holds the lock for the same address text.
    bool TryAcquire();
    bool held() const { return fd_ >= 0; }

    // Where the lock files live (TRB4820_LOCK_DIR overrides, for tests).
    static QString LockDirectory();
    static QString LockFileFor(const QString &deviceAddress);

private:
    QString path_;
    int fd_ = -1;
};

} // namespace trb
