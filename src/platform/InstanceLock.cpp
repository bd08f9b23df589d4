#include "platform/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorix::platform {

namespace {

// A folder only this user can enter: made with mode 0700 if missing; refused when it is a
// link, belongs to someone else, or others may write into it.
bool privateFolder(const QByteArray& path)
{
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st
    {
    };
    if (lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;
    if ((st.st_mode & 077) != 0 && chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

bool usableRuntimeDir(const QByteArray& dir)
{
    struct stat st
    {
    };
    return dir.startsWith('/') && stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == getuid() && access(dir.constData(), W_OK | X_OK) == 0;
}

} // namespace

QString InstanceLock::nameForProgram(const QString& programFilePath)
{
    qsizetype cut = -1;
    for (QChar c : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        cut = std::max(cut, programFilePath.lastIndexOf(c));
    return programFilePath.mid(cut + 1);
}

QByteArray InstanceLock::lockFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (usableRuntimeDir(runtime))
        return runtime;
    return "/tmp/quorix-" + QByteArray::number(getuid());
}

std::unique_ptr<InstanceLock> InstanceLock::acquire(const QString& name)
{
    const QByteArray folder = lockFolder();
    if (folder != qgetenv("XDG_RUNTIME_DIR") && !privateFolder(folder))
        return std::unique_ptr<InstanceLock>(new InstanceLock(-1));
    QByteArray file = name.toUtf8().replace('/', '_');
    if (file.isEmpty() || file == "." || file == "..")
        file = "quorix";
    const QByteArray path = folder + "/quorix-lock-" + file;
    // The file stays: removing it would let a third copy lock a new file while the second
    // still holds the old one. Opening and locking it is one atomic test-and-take.
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return std::unique_ptr<InstanceLock>(new InstanceLock(-1));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK)
            return nullptr;
        return std::unique_ptr<InstanceLock>(new InstanceLock(-1));
    }
    return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        close(m_fd);
}

} // namespace quorix::platform
