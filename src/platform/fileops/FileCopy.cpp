#include "platform/fileops/FileCopy.h"

#include "platform/fileops/NativeFs.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quorix::platform::fileops {

namespace {

constexpr size_t BufferBytes = 1024 * 1024;
// Files from this size on are written as unnamed files, which a crash cannot leave behind.
// Smaller ones use a temporary name: on ext4 every unnamed file passes through the
// journal's orphan list, which costs small files more than the rename does.
constexpr qint64 UnnamedFromBytes = 1024 * 1024;

bool unnamedFilesUsable()
{
    // Publishing an unnamed file needs linkat through /proc (AT_EMPTY_PATH needs a
    // capability that a user does not have).
    static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
    return usable;
}

// The copy while it is being written.
class PendingFile
{
public:
    ~PendingFile() { discard(); }

    // mode: the permission bits the copy is made with (the creation mask applies).
    int create(int dirFd, bool allowUnnamed, mode_t mode)
    {
        m_dirFd = dirFd;
        if (allowUnnamed && unnamedFilesUsable()) {
            const int fd = ::openat(dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
            if (fd >= 0) {
                m_fd.reset(fd);
                return 0;
            }
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOENT)
                return errno;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = temporaryName();
            const int fd = ::openat(dirFd, name.constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
            if (fd >= 0) {
                m_fd.reset(fd);
                m_tempName = name;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    // Writes under the final name itself (inside a folder that is not yet in place).
    int createDirect(int dirFd, const QByteArray& name, mode_t mode)
    {
        m_dirFd = dirFd;
        const int fd = ::openat(dirFd, name.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0)
            return errno;
        m_fd.reset(fd);
        m_tempName = name;
        m_direct = true;
        return 0;
    }

    int fd() const { return m_fd.get(); }

    // Gives the finished copy its name.
    int publish(const QByteArray& name, bool replace)
    {
        if (m_direct) {
            m_tempName.clear();
            return 0;
        }
        if (m_tempName.isEmpty()) {
            const QByteArray proc = "/proc/self/fd/" + QByteArray::number(m_fd.get());
            const QByteArray linkName = replace ? temporaryName() : name;
            if (::linkat(AT_FDCWD, proc.constData(), m_dirFd, linkName.constData(),
                         AT_SYMLINK_FOLLOW) != 0)
                return errno;
            if (!replace)
                return 0;
            m_tempName = linkName;
        }
        const int e =
            replace ? (::renameat(m_dirFd, m_tempName.constData(), m_dirFd, name.constData()) == 0
                           ? 0
                           : errno)
                    : renameNoReplace(m_dirFd, m_tempName, m_dirFd, name);
        if (e == 0)
            m_tempName.clear();
        return e;
    }

    void discard()
    {
        m_fd.reset();
        if (!m_tempName.isEmpty())
            ::unlinkat(m_dirFd, m_tempName.constData(), 0);
        m_tempName.clear();
    }

private:
    Fd m_fd;
    int m_dirFd = -1;
    QByteArray m_tempName; // empty for an unnamed file
    bool m_direct = false;
};

int writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= size_t(n);
    }
    return 0;
}

// Copies the data of in (size bytes when opened) to out: a clone where the volume shares
// extents, else the kernel's in-place copy, else a large-buffer read/write loop.
int copyData(Session& session, int in, int out, const QByteArray& name, const struct stat& st,
             bool sameVolume, qint64* copied)
{
    *copied = 0;
    if (sameVolume && session.allowClone() && session.mayClone(st.st_dev)) {
        if (::ioctl(out, FICLONE, in) == 0) {
            struct stat outSt;
            if (::fstat(out, &outSt) != 0)
                return errno;
            *copied = outSt.st_size;
            session.addBytes(outSt.st_size);
            return 0;
        }
        if (errno == EOPNOTSUPP || errno == ENOTTY || errno == EXDEV || errno == EINVAL)
            session.noteCloneFails(st.st_dev); // do not ask again for every file
    }
    const qint64 chunk = session.chunkBytes();
    // The kernel copy runs until the size seen at open; the read loop after it finds the
    // real end of the file (some file systems end the kernel copy early).
    bool kernelCopy = st.st_size > 0;
    std::unique_ptr<char[]> buffer;
    for (;;) {
        if (session.cancelled())
            return CodeCancelled;
        ssize_t n;
        if (kernelCopy) {
            n = ::copy_file_range(in, nullptr, out, nullptr,
                                  size_t(qMin<qint64>(chunk, st.st_size - *copied)), 0);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                    errno == EBADF || errno == EPERM) {
                    kernelCopy = false;
                    continue;
                }
                return errno;
            }
            if (n == 0) {
                kernelCopy = false;
                continue;
            }
        } else {
            if (!buffer)
                buffer.reset(new char[BufferBytes]);
            n = ::read(in, buffer.get(), size_t(qMin<qint64>(chunk, BufferBytes)));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (n == 0)
                return 0;
            if (const int e = writeAll(out, buffer.get(), size_t(n)))
                return e;
        }
        *copied += n;
        session.addBytes(n);
        const int f = session.fault(FaultPoint::DataChunk, name);
        if (f == CancelFault)
            return CodeCancelled;
        if (f)
            return f;
        if (kernelCopy && *copied >= st.st_size)
            return 0; // a file that grows meanwhile fails the size check after the copy
    }
}

} // namespace

mode_t modeForCopy(const struct stat& src, const struct stat& copy)
{
    mode_t mode = src.st_mode & 07777;
    if (src.st_uid != copy.st_uid)
        mode &= ~mode_t(S_ISUID);
    if (src.st_gid != copy.st_gid)
        mode &= ~mode_t(S_ISGID);
    return mode;
}

QString reasonText(int code)
{
    if (code == CodeSizeMismatch)
        return texts::reasonSizeMismatch();
    return texts::errnoText(code);
}

int errnoOf(int code)
{
    if (code == CodeCancelled)
        return ECANCELED;
    if (code == CodeSizeMismatch)
        return EIO;
    return code;
}

int renameNoReplace(int fromDirFd, const QByteArray& from, int toDirFd, const QByteArray& to)
{
    if (::renameat2(fromDirFd, from.constData(), toDirFd, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // The volume cannot rename without replacing: a hard link fails on an existing name.
    struct stat st;
    if (::fstatat(fromDirFd, from.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode)) {
        if (::linkat(fromDirFd, from.constData(), toDirFd, to.constData(), 0) != 0)
            return errno;
        ::unlinkat(fromDirFd, from.constData(), 0);
        return 0;
    }
    if (::fstatat(toDirFd, to.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return ::renameat(fromDirFd, from.constData(), toDirFd, to.constData()) == 0 ? 0 : errno;
}

int copyRegularFile(Session& session, int srcDirFd, const QByteArray& srcName, int dstDirFd,
                    const QByteArray& dstName, const CopyOptions& options, struct stat* copied)
{
    // O_NONBLOCK: an entry swapped for a FIFO since it was examined must not hang the
    // open; it is refused below.
    Fd in(::openat(srcDirFd, srcName.constData(),
                   O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!in.valid())
        return errno;
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    if (st.st_size > qint64(BufferBytes))
        ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    PendingFile out;
    if (const int e =
            options.direct
                ? out.createDirect(dstDirFd, dstName, st.st_mode & 0777)
                : out.create(dstDirFd, session.allowUnnamed() && st.st_size >= UnnamedFromBytes,
                             st.st_mode & 0777))
        return e;
    qint64 bytes = 0;
    if (const int e =
            copyData(session, in.get(), out.fd(), srcName, st, options.sameVolume, &bytes))
        return e;

    // Before a move removes its source, the copy and the source are both measured again;
    // a plain copy compares with the size the source had when it was opened.
    struct stat inSt = st, outSt = st;
    if (options.durable && (::fstat(out.fd(), &outSt) != 0 || ::fstat(in.get(), &inSt) != 0))
        return errno;
    if (outSt.st_size != bytes || inSt.st_size != bytes)
        return CodeSizeMismatch;

    copyUserXattrs(in.get(), out.fd());
    if ((st.st_mode & (S_ISUID | S_ISGID)) && !options.durable && ::fstat(out.fd(), &outSt) != 0)
        return errno;
    // The copy was made with the source's permission bits; only what the creation mask
    // took away, and the special bits, need setting.
    const mode_t wanted = modeForCopy(inSt, outSt);
    const int mask = creationMask();
    if ((mask < 0 || (wanted & ~mode_t(0777)) || (wanted & mode_t(mask))) &&
        ::fchmod(out.fd(), wanted) != 0)
        return errno;
    const struct timespec times[2] = {inSt.st_atim, inSt.st_mtim};
    if (::futimens(out.fd(), times) != 0)
        return errno;
    if (options.durable && ::fsync(out.fd()) != 0)
        return errno;

    const int f = session.fault(FaultPoint::Publish, srcName);
    if (f == CancelFault)
        return CodeCancelled;
    if (f)
        return f;
    if (session.cancelled())
        return CodeCancelled;
    if (const int e = out.publish(dstName, options.replace))
        return e;
    if (options.durable && ::fsync(dstDirFd) != 0)
        return errno;
    if (copied)
        *copied = inSt;
    return 0;
}

int copySymlink(Session& session, int srcDirFd, const QByteArray& srcName, int dstDirFd,
                const QByteArray& dstName, const CopyOptions& options)
{
    struct stat st;
    if (const int e = lstatAt(srcDirFd, srcName, &st))
        return e;
    QByteArray target(qMax<qsizetype>(st.st_size, 255) + 1, Qt::Uninitialized);
    const ssize_t n =
        ::readlinkat(srcDirFd, srcName.constData(), target.data(), size_t(target.size()));
    if (n < 0)
        return errno;
    if (n >= target.size())
        return ENAMETOOLONG; // the link changed while it was read
    target.truncate(n);

    if (options.direct) {
        if (::symlinkat(target.constData(), dstDirFd, dstName.constData()) != 0)
            return errno;
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::utimensat(dstDirFd, dstName.constData(), times, AT_SYMLINK_NOFOLLOW);
        return 0;
    }
    QByteArray temp;
    for (int attempt = 0;; ++attempt) {
        temp = temporaryName();
        if (::symlinkat(target.constData(), dstDirFd, temp.constData()) == 0)
            break;
        if (errno != EEXIST || attempt > 100)
            return errno;
    }
    if (session.cancelled()) {
        ::unlinkat(dstDirFd, temp.constData(), 0);
        return CodeCancelled;
    }
    const int e =
        options.replace
            ? (::renameat(dstDirFd, temp.constData(), dstDirFd, dstName.constData()) == 0 ? 0
                                                                                          : errno)
            : renameNoReplace(dstDirFd, temp, dstDirFd, dstName);
    if (e) {
        ::unlinkat(dstDirFd, temp.constData(), 0);
        return e;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(dstDirFd, dstName.constData(), times, AT_SYMLINK_NOFOLLOW);
    if (options.durable && ::fsync(dstDirFd) != 0)
        return errno;
    return 0;
}

} // namespace quorix::platform::fileops
