#pragma once

// The freedesktop.org trash: the home trash for entries on the home volume, a trash at the
// top of every other volume. Entries only ever reach a trash by rename; nothing is copied
// across volumes into one.

#include "platform/fileops/FileOperation.h"
#include "platform/fileops/Session.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

#include <sys/types.h>

namespace quorix::platform::fileops {

struct TrashLocation
{
    QByteArray path;   // the folder holding files/ and info/
    QByteArray topdir; // base of relative Path= values; empty for the home trash
};

// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
QByteArray homeTrashPath();

// The trash of a volume's top folder for user uid, made when missing: $topdir/.Trash/$uid
// when $topdir/.Trash is a real folder with the sticky bit, else $topdir/.Trash-$uid.
// Nothing when neither can be used.
std::optional<TrashLocation> topdirTrash(const QByteArray& topdir, uid_t uid);

// The top folder of the volume that holds the folder dir (given as a resolved path).
QByteArray volumeTop(const QByteArray& resolvedDir, dev_t volume);

// Path= value: every byte but unreserved characters and "/" as %XX.
QByteArray encodeTrashPath(const QByteArray& path);
QByteArray trashInfo(const QByteArray& encodedPath, const QDateTime& deletedLocal);

void runTrash(Session& session, const QList<QByteArray>& sources, FileOperationResult* result);

} // namespace quorix::platform::fileops
