#pragma once

#include <QString>

#include <memory>

namespace quorix::platform {

// One running copy per program file name: a lock file in the user's runtime folder held
// with flock(). The kernel drops the lock when the process ends, however it ends.
class InstanceLock
{
public:
    // nullptr when another process holds the lock. When the lock file cannot be made at all,
    // returns a lock that holds nothing (held() false): the program runs unprotected.
    static std::unique_ptr<InstanceLock> acquire(const QString& name);

    // The file name of the program path: the text after the last '/', '\' or ':'.
    static QString nameForProgram(const QString& programFilePath);

    // Folder that holds the lock files "quorix-lock-<name>": $XDG_RUNTIME_DIR when it is
    // usable, else the private folder /tmp/quorix-<uid>.
    static QByteArray lockFolder();

    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    explicit InstanceLock(int fd) : m_fd(fd) {}
    int m_fd = -1;
};

} // namespace quorix::platform
