#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace quorix::platform {

enum FileAttribute : quint32 {
    FA_READONLY = 0x01,
    FA_HIDDEN = 0x02,
    FA_SYSTEM = 0x04,
    FA_DIRECTORY = 0x10,
    FA_ARCHIVE = 0x20,
};

struct DirEntry
{
    QString name; // reversible name (nameFromNative)
    quint32 attributes = 0;
    qint64 size = 0;
    QDateTime lastWrite; // local wall-clock time (the local UTC offset of that instant);
                         // invalid when unknown
};

enum EnumCode {
    EnumOk = 0,
    EnumNoMatch = 2,
    EnumPathNotFound = 3,
    EnumAccessDenied = 5,
    EnumNotReady = 21,
};

struct EnumResult
{
    int code = 0;
    QString errorText;
    std::vector<DirEntry> entries;
};

// Lists the folder of logicalPattern ("C:\DIR\*.*") whose names match its last component:
// '*' any run, '?' one character, letters compared without case; a pattern ending in ".*"
// also matches names without a '.'. A non-root folder yields "." and ".." first (when the
// pattern matches them); the other entries come in the file system's order.
EnumResult enumerate(const QString& logicalPattern);

// Case-insensitive wildcard match of one name, as enumerate() applies it.
bool wildcardMatch(const QString& pattern, const QString& name);

bool isDirectory(const QString& logical);
bool exists(const QString& logical);

// Total free bytes of the volume (not the caller's quota); nullopt when it cannot be asked.
std::optional<quint64> freeBytes(const QString& logicalRoot);
bool volumePresent(const QString& logicalRoot);

bool makeFolder(const QString& logical);

struct OpResult
{
    bool ok = false;
    int error = 0; // errno
    QString errorText;
};

// Renames without ever replacing an existing entry (EEXIST when the target exists). A
// rename that only changes the letter case of a name on a case-insensitive file system,
// and a rename onto the same name, succeed.
OpResult renameNoReplace(const QString& fromLogical, const QString& toLogical);

// Read-only maps to the write permission bits; hidden, system and archive are stored in
// the user.DOSATTRIB extended attribute (removed when none of them is set).
OpResult setAttributes(const QString& logical, quint32 attributes);
OpResult setLastWriteTime(const QString& logical, const QDateTime& local);

// Japanese system message for a Windows-style error code (2, 3, 5, 21, 183, ...).
QString systemErrorText(int code);
// Windows-style error code for an errno value.
int windowsErrorFromErrno(int error);

} // namespace quorix::platform
