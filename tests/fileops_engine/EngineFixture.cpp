#include "EngineFixture.h"

#include "platform/fileops/NativeFs.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quorix::test {

using platform::fileops::Fd;

NativeTempDir::NativeTempDir(const QByteArray& base)
{
    QByteArray tmpl =
        (base.isEmpty() ? QFile::encodeName(QDir::tempPath()) : base) + "/quorix-fileops-XXXXXX";
    if (::mkdtemp(tmpl.data()))
        m_path = tmpl;
}

NativeTempDir::~NativeTempDir()
{
    if (m_path.isEmpty())
        return;
    // Tests leave read-only folders behind; make every folder writable before removing.
    const auto unlock = [](const QByteArray& dir, auto& self) -> void {
        ::chmod(dir.constData(), 0755);
        for (const QByteArray& name : entries(dir)) {
            const QByteArray p = dir + '/' + name;
            struct stat st;
            if (::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode))
                self(p, self);
        }
    };
    unlock(m_path, unlock);
    platform::fileops::removeTree(AT_FDCWD, m_path);
}

QByteArray secondVolumeBase()
{
    const QByteArray shm = "/dev/shm";
    struct stat shmSt, tmpSt;
    if (::stat(shm.constData(), &shmSt) != 0 || !S_ISDIR(shmSt.st_mode) ||
        ::access(shm.constData(), W_OK) != 0)
        return {};
    if (::stat(QFile::encodeName(QDir::tempPath()).constData(), &tmpSt) != 0 ||
        tmpSt.st_dev == shmSt.st_dev)
        return {};
    return shm;
}

void writeFile(const QByteArray& path, const QByteArray& content, mode_t mode)
{
    Fd fd(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!fd.valid())
        qFatal("cannot create %s", path.constData());
    if (::write(fd.get(), content.constData(), size_t(content.size())) != content.size())
        qFatal("cannot write %s", path.constData());
    ::fchmod(fd.get(), mode);
}

QByteArray readFile(const QByteArray& path)
{
    Fd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    QByteArray out;
    if (!fd.valid())
        return out;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, n);
    }
    return out;
}

void makeDir(const QByteArray& path, mode_t mode)
{
    if (::mkdir(path.constData(), 0755) != 0)
        qFatal("cannot make %s", path.constData());
    ::chmod(path.constData(), mode);
}

bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

struct stat lstatOf(const QByteArray& path)
{
    struct stat st = {};
    ::lstat(path.constData(), &st);
    return st;
}

void setTimes(const QByteArray& path, qint64 mtimeSeconds)
{
    const struct timespec times[2] = {{time_t(mtimeSeconds), 0}, {time_t(mtimeSeconds), 0}};
    ::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW);
}

QList<QByteArray> entries(const QByteArray& folder)
{
    Fd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QList<QByteArray> names;
    if (fd.valid())
        platform::fileops::listDir(fd.get(), &names);
    std::sort(names.begin(), names.end());
    return names;
}

QList<QByteArray> tree(const QByteArray& folder)
{
    QList<QByteArray> out;
    const auto walk = [&out](const QByteArray& dir, const QByteArray& prefix, auto& self) -> void {
        for (const QByteArray& name : entries(dir)) {
            out << prefix + name;
            const QByteArray p = dir + '/' + name;
            if (S_ISDIR(lstatOf(p).st_mode))
                self(p, prefix + name + '/', self);
        }
    };
    walk(folder, {}, walk);
    return out;
}

platform::FileOperationResult runNative(platform::FileOperationKind kind,
                                        const QList<QByteArray>& sources,
                                        const QByteArray& destination)
{
    return platform::runNativeFileOperation({kind, sources, destination, nullptr});
}

namespace {

constexpr quint32 OverrideCaps =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool setEffective(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    if (!(data[0].effective & OverrideCaps) && !on)
        return false;
    if (on)
        data[0].effective |= data[0].permitted & OverrideCaps;
    else
        data[0].effective &= ~OverrideCaps;
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

WithoutPermissionOverride::WithoutPermissionOverride() : m_dropped(setEffective(false)) {}

WithoutPermissionOverride::~WithoutPermissionOverride()
{
    if (m_dropped)
        setEffective(true);
}

} // namespace quorix::test
