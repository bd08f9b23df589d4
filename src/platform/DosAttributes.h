#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace quorix::platform {

// The user.DOSATTRIB extended attribute, as Samba and Wine keep it: a text "0x" + hex
// digits (Samba may follow it with a NUL and a binary block, which is ignored here).
inline constexpr char DosAttribName[] = "user.DOSATTRIB";

// Attribute bits held in the value; 0 for a value that does not start with "0x".
quint32 parseDosAttrib(const char* value, qsizetype size);

// Reads the value of path (following links). Returns false when the file system does not
// support extended attributes at all (so the caller may stop asking); *bits is 0 then.
bool readDosAttrib(const char* path, quint32* bits);

// Stores bits (hidden, system, archive); removes the value when bits is 0. Returns 0 or errno.
int writeDosAttrib(const char* path, quint32 bits);

} // namespace quorix::platform
