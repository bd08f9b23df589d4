#include "platform/FileSystem.h"

#include "platform/DosAttributes.h"
#include "platform/DriveTable.h"
#include "platform/PathMapping.h"
#include "platform/SystemError.h"
#include "platform/VolumeCheck.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace quorix::platform {

namespace {

// Native path of an entry that must be reachable; the error explains why it is not.
bool reach(const QString& logical, QByteArray* native, int* error)
{
    const NativeTarget target = resolveLogical(logical);
    switch (target.status) {
    case NativeTarget::Ok:
        *native = target.path;
        return true;
    case NativeTarget::NoMedium:
        *error = ENOMEDIUM;
        return false;
    default:
        *error = ENOENT;
        return false;
    }
}

} // namespace

bool volumeMounted(QChar letter, const QByteArray& nativeRoot)
{
    struct stat st
    {
    };
    if (stat(nativeRoot.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return DriveTable::current().stillMounted(letter, quint64(st.st_dev));
}

bool isDirectory(const QString& logical)
{
    QByteArray native;
    int error = 0;
    struct stat st
    {
    };
    return reach(logical, &native, &error) && stat(native.constData(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

bool exists(const QString& logical)
{
    QByteArray native;
    int error = 0;
    struct stat st
    {
    };
    return reach(logical, &native, &error) && lstat(native.constData(), &st) == 0;
}

std::optional<quint64> freeBytes(const QString& logicalRoot)
{
    QByteArray native;
    int error = 0;
    struct statvfs vfs
    {
    };
    if (!reach(logicalRoot, &native, &error) || statvfs(native.constData(), &vfs) != 0)
        return std::nullopt;
    // f_bfree, not f_bavail: the volume's free blocks, including those kept for root.
    return quint64(vfs.f_bfree) * quint64(vfs.f_frsize);
}

bool volumePresent(const QString& logicalRoot)
{
    const NativeTarget target = resolveLogical(logicalRoot);
    if (target.status != NativeTarget::Ok)
        return false;
    const std::optional<Drive> drive = DriveTable::current().drive(target.letter);
    return drive && volumeMounted(target.letter, drive->root);
}

bool makeFolder(const QString& logical)
{
    QByteArray native;
    int error = 0;
    return reach(logical, &native, &error) && mkdir(native.constData(), 0777) == 0;
}

OpResult setAttributes(const QString& logical, quint32 attributes)
{
    QByteArray native;
    int error = 0;
    if (!reach(logical, &native, &error))
        return opFailed(error);
    struct stat st
    {
    };
    if (stat(native.constData(), &st) != 0)
        return opFailed(errno);
    const mode_t mode = st.st_mode & 07777;
    const mode_t wanted =
        (attributes & FA_READONLY) ? mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH) : mode | S_IWUSR;
    const quint32 dos = attributes & (FA_HIDDEN | FA_SYSTEM | FA_ARCHIVE);
    // Writing an extended attribute needs write permission: make the file writable before
    // and read-only after writing it.
    const bool chmodFirst = wanted & S_IWUSR;
    if (chmodFirst && wanted != mode && chmod(native.constData(), wanted) != 0)
        return opFailed(errno);
    error = writeDosAttrib(native.constData(), dos);
    if (!chmodFirst && wanted != mode && chmod(native.constData(), wanted) != 0 && error == 0)
        error = errno;
    return error ? opFailed(error) : opDone();
}

OpResult setLastWriteTime(const QString& logical, const QDateTime& local)
{
    QByteArray native;
    int error = 0;
    if (!reach(logical, &native, &error))
        return opFailed(error);
    if (!local.isValid())
        return opFailed(EINVAL);
    const qint64 ms = local.toMSecsSinceEpoch();
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    times[1].tv_nsec = long(ms - qint64(times[1].tv_sec) * 1000) * 1000000L;
    if (utimensat(AT_FDCWD, native.constData(), times, 0) != 0)
        return opFailed(errno);
    return opDone();
}

} // namespace quorix::platform
