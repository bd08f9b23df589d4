#pragma once

// Copies one entry (a regular file or a symbolic link) into a folder so that the target
// never holds partial content: the data goes into a file without a name (or under a
// temporary name where the volume has no unnamed files) and is published under its name
// only when complete, replacing an existing target in one atomic rename.

#include "platform/fileops/Session.h"

#include <QByteArray>

#include <sys/stat.h>

namespace quorix::platform::fileops {

// Codes besides errno values returned by the copy functions.
constexpr int CodeCancelled = -1;    // the user cancelled; nothing was published
constexpr int CodeSizeMismatch = -2; // the copy's size differs from the source's

// The reason text for an errno value or one of the codes above.
QString reasonText(int code);
// The errno recorded in a result for code.
int errnoOf(int code);

struct CopyOptions
{
    bool sameVolume = false; // source and target folder on one volume: try FICLONE
    bool durable = false;    // fsync the file and its folder (a move removes the source)
    bool replace = false;    // replace an existing target; false fails with EEXIST
    // The target folder is itself being built under a temporary name: write the entry
    // under its own name at once (the whole folder appears when complete).
    bool direct = false;
};

// 0, an errno value, CodeCancelled or CodeSizeMismatch. *copied gets the source's status
// as it was copied (for the check before a moved source is removed).
int copyRegularFile(Session& session, int srcDirFd, const QByteArray& srcName, int dstDirFd,
                    const QByteArray& dstName, const CopyOptions& options, struct stat* copied);

// Copies a symbolic link as a link (its target text unchanged).
int copySymlink(Session& session, int srcDirFd, const QByteArray& srcName, int dstDirFd,
                const QByteArray& dstName, const CopyOptions& options);

// Mode bits for a copy: set-user and set-group bits only when the copy has the same
// owner and group (a copy owned by someone else must not run with the source's rights).
mode_t modeForCopy(const struct stat& source, const struct stat& copy);

// Renames without replacing an existing entry; EEXIST when one is there.
int renameNoReplace(int fromDirFd, const QByteArray& from, int toDirFd, const QByteArray& to);

} // namespace quorix::platform::fileops
