#pragma once

// Small POSIX helpers of the file-operation engine. Everything works on native byte paths
// and on directory handles, so names of every byte value work.

#include <QByteArray>
#include <QList>

#include <sys/stat.h>
#include <sys/types.h>

namespace quorix::platform::fileops {

// Owns one file descriptor.
class Fd
{
public:
    Fd() = default;
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& other) noexcept : m_fd(other.release()) {}
    Fd& operator=(Fd&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// Device and inode: what tells two directory entries apart, whatever their names.
struct Identity
{
    dev_t dev = 0;
    ino_t ino = 0;
    friend bool operator==(const Identity&, const Identity&) = default;
};
inline Identity identityOf(const struct stat& st)
{
    return {st.st_dev, st.st_ino};
}

QByteArray joinPath(const QByteArray& dir, const QByteArray& name);
// Last component, trailing slashes ignored ("/a/b/" gives "b"; "/" gives "").
QByteArray baseName(const QByteArray& path);
// Folder part ("/a/b" gives "/a", "/a" gives "/", "b" gives ".").
QByteArray parentPath(const QByteArray& path);
// Removes empty and "." components and duplicate slashes; keeps ".." (no resolution).
QByteArray cleanPath(const QByteArray& path);

// 0 or errno; the st is filled on success.
int lstatAt(int dirFd, const QByteArray& name, struct stat* st);
int statPath(const QByteArray& path, struct stat* st, bool follow);

// Opens a directory for reading entries and for *at calls; never follows a final link.
int openDirAt(int dirFd, const QByteArray& name, Fd* out, bool follow = false);

// Names in a directory, without "." and ".."; types gets each one's d_type (DT_UNKNOWN
// where the volume does not tell). Returns 0 or errno.
int listDir(int dirFd, QList<QByteArray>* names, QList<unsigned char>* types = nullptr);

// The process's file-creation mask, or -1 when it cannot be read without changing it.
int creationMask();

// True when the folder dirFd is the entry `ancestor` or lies anywhere below it: walks
// ".." up to the root, so symbolic links and different spellings of the path count too.
bool isSameOrBelow(int dirFd, const Identity& ancestor);

// Copies the user.* extended attributes (DOS attributes and the like) between two open
// files; attributes the target file system cannot hold are left out.
void copyUserXattrs(int fromFd, int toFd);

// A random name for temporary entries of the engine.
QByteArray temporaryName();

// Removes an entry and, for a folder, everything in it. Does not cross into other
// volumes. Returns 0 or the errno of the first entry that could not be removed.
int removeTree(int dirFd, const QByteArray& name);

} // namespace quorix::platform::fileops
