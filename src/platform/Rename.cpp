#include "platform/FileSystem.h"

#include "platform/PathMapping.h"
#include "platform/RenameFallback.h"
#include "platform/SystemError.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorix::platform {

namespace {

bool sameEntry(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

// For file systems that refuse RENAME_NOREPLACE. A file is linked under the new name
// (link() fails when that name exists) and then unlinked under the old one. A folder cannot
// be linked: it is renamed after a check, and rename() only ever replaces an empty folder,
// so no data is lost even if a folder of that name appears in between.
int renameWithoutReplaceFlag(const char* from, const char* to)
{
    struct stat st
    {
    };
    if (lstat(from, &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode)) {
        if (link(from, to) == 0) {
            if (unlink(from) != 0) {
                const int error = errno;
                unlink(to);
                return error;
            }
            return 0;
        }
        if (errno != EPERM && errno != ENOTSUP && errno != EMLINK && errno != ENOSYS)
            return errno;
        // No hard links here either: a last check, then rename().
    }
    struct stat target
    {
    };
    if (lstat(to, &target) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return rename(from, to) == 0 ? 0 : errno;
}

OpResult renameNoReplace(const QString& fromLogical, const QString& toLogical)
{
    const NativeTarget from = resolveLogical(fromLogical);
    const NativeTarget to = resolveLogical(toLogical);
    if (from.status == NativeTarget::NoMedium || to.status == NativeTarget::NoMedium)
        return opFailed(ENOMEDIUM);
    if (from.status != NativeTarget::Ok || to.status != NativeTarget::Ok)
        return opFailed(ENOENT);
    if (from.isRoot || to.isRoot)
        return opFailed(EACCES);

    struct stat source
    {
    };
    if (lstat(from.path.constData(), &source) != 0)
        return opFailed(errno);
    if (from.path == to.path)
        return opDone(); // a rename onto its own name changes nothing

    if (renameat2(AT_FDCWD, from.path.constData(), AT_FDCWD, to.path.constData(),
                  RENAME_NOREPLACE) == 0)
        return opDone();
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP)
        error = renameWithoutReplaceFlag(from.path.constData(), to.path.constData());
    if (error == EEXIST) {
        // A case-insensitive file system sees the new spelling of a name as the same entry.
        struct stat target
        {
        };
        if (lstat(to.path.constData(), &target) == 0 && sameEntry(source, target) &&
            fromLogical.compare(toLogical, Qt::CaseInsensitive) == 0)
            error = rename(from.path.constData(), to.path.constData()) == 0 ? 0 : errno;
    } else if (error == ENOENT) {
        // The source exists, so the missing part is the target's folder.
        return opFailed(error, windowsErrorFromErrno(ENOTDIR));
    }
    return error ? opFailed(error) : opDone();
}

} // namespace quorix::platform
