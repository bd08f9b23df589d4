#include "platform/fileops/NativeFs.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <vector>

namespace quorix::platform::fileops {

void Fd::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

QByteArray joinPath(const QByteArray& dir, const QByteArray& name)
{
    if (dir.isEmpty())
        return name;
    if (dir.endsWith('/'))
        return dir + name;
    return dir + '/' + name;
}

QByteArray baseName(const QByteArray& path)
{
    qsizetype end = path.size();
    while (end > 0 && path.at(end - 1) == '/')
        --end;
    const qsizetype slash = path.lastIndexOf('/', end - 1);
    return path.mid(slash + 1, end - slash - 1);
}

QByteArray parentPath(const QByteArray& path)
{
    qsizetype end = path.size();
    while (end > 1 && path.at(end - 1) == '/')
        --end;
    const qsizetype slash = end > 0 ? path.lastIndexOf('/', end - 1) : -1;
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray cleanPath(const QByteArray& path)
{
    QByteArray out;
    if (path.startsWith('/'))
        out = "/";
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (!out.isEmpty() && !out.endsWith('/'))
            out += '/';
        out += part;
    }
    return out.isEmpty() ? QByteArrayLiteral(".") : out;
}

int lstatAt(int dirFd, const QByteArray& name, struct stat* st)
{
    return ::fstatat(dirFd, name.constData(), st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int statPath(const QByteArray& path, struct stat* st, bool follow)
{
    const int r = follow ? ::stat(path.constData(), st) : ::lstat(path.constData(), st);
    return r == 0 ? 0 : errno;
}

int openDirAt(int dirFd, const QByteArray& name, Fd* out, bool follow)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW);
    const int fd = ::openat(dirFd, name.constData(), flags);
    if (fd < 0)
        return errno;
    out->reset(fd);
    return 0;
}

int listDir(int dirFd, QList<QByteArray>* names, QList<unsigned char>* types)
{
    const int copy = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0)
        return errno;
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        const int e = errno;
        ::close(copy);
        return e;
    }
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            error = errno;
            break;
        }
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        names->append(QByteArray(n));
        if (types)
            types->append(entry->d_type);
    }
    ::closedir(dir);
    return error;
}

int creationMask()
{
    // umask() would have to set it to read it, which races with other threads.
    static const int mask = [] {
        Fd fd(::open("/proc/self/status", O_RDONLY | O_CLOEXEC));
        char buf[4096];
        const ssize_t n = fd.valid() ? ::read(fd.get(), buf, sizeof buf - 1) : -1;
        if (n <= 0)
            return -1;
        const QByteArray status(buf, n);
        const qsizetype at = status.indexOf("\nUmask:");
        if (at < 0)
            return -1;
        bool ok = false;
        const int value =
            status.mid(at + 8, status.indexOf('\n', at + 1) - at - 8).trimmed().toInt(&ok, 8);
        return ok ? value : -1;
    }();
    return mask;
}

bool isSameOrBelow(int dirFd, const Identity& ancestor)
{
    struct stat st;
    if (::fstat(dirFd, &st) != 0)
        return false;
    if (identityOf(st) == ancestor)
        return true;
    Fd current;
    int here = dirFd;
    // Depth is bounded by PATH_MAX-deep trees; the limit only guards against a loop.
    for (int depth = 0; depth < 8192; ++depth) {
        Fd up(::openat(here, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!up.valid())
            return false;
        struct stat upSt;
        if (::fstat(up.get(), &upSt) != 0)
            return false;
        if (identityOf(upSt) == ancestor)
            return true;
        if (identityOf(upSt) == identityOf(st))
            return false; // the root is its own parent
        st = upSt;
        current = std::move(up);
        here = current.get();
    }
    return false;
}

void copyUserXattrs(int fromFd, int toFd)
{
    ssize_t size = ::flistxattr(fromFd, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> list(size_t(size) + 1);
    size = ::flistxattr(fromFd, list.data(), list.size());
    if (size <= 0)
        return;
    std::vector<char> value;
    for (ssize_t at = 0; at < size;) {
        const char* name = list.data() + at;
        const size_t len = ::strnlen(name, size_t(size - at));
        at += ssize_t(len) + 1;
        if (::strncmp(name, "user.", 5) != 0)
            continue;
        const ssize_t vlen = ::fgetxattr(fromFd, name, nullptr, 0);
        if (vlen < 0)
            continue;
        value.resize(size_t(vlen) + 1);
        const ssize_t got = ::fgetxattr(fromFd, name, value.data(), value.size());
        if (got < 0)
            continue;
        // ENOTSUP and the like: the target volume has no room for these attributes.
        (void)::fsetxattr(toFd, name, value.data(), size_t(got), 0);
    }
}

QByteArray temporaryName()
{
    const quint64 r = QRandomGenerator::global()->generate64();
    return ".quorix-" + QByteArray::number(r, 36) + ".tmp";
}

namespace {

int removeTreeIn(int dirFd, const QByteArray& name, dev_t volume, int depth)
{
    struct stat st;
    if (const int e = lstatAt(dirFd, name, &st))
        return e == ENOENT ? 0 : e;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(dirFd, name.constData(), 0) == 0 || errno == ENOENT ? 0 : errno;
    if (st.st_dev != volume)
        return EXDEV; // a volume mounted inside: never emptied through its mount point
    if (depth > 4096)
        return ELOOP;
    Fd sub;
    if (const int e = openDirAt(dirFd, name, &sub))
        return e;
    QList<QByteArray> names;
    int first = listDir(sub.get(), &names);
    for (const QByteArray& child : names) {
        const int e = removeTreeIn(sub.get(), child, volume, depth + 1);
        if (e && !first)
            first = e;
    }
    sub.reset();
    if (::unlinkat(dirFd, name.constData(), AT_REMOVEDIR) != 0 && errno != ENOENT && !first)
        first = errno;
    return first;
}

} // namespace

int removeTree(int dirFd, const QByteArray& name)
{
    struct stat st;
    if (const int e = lstatAt(dirFd, name, &st))
        return e == ENOENT ? 0 : e;
    return removeTreeIn(dirFd, name, st.st_dev, 0);
}

} // namespace quorix::platform::fileops
