#pragma once

#include <QByteArray>
#include <QString>

namespace quorix::platform {

// Logical paths are Windows-form ("C:", "C:\DATA\A.TXT"); native paths are bytes.
//
// A native name maps to a reversible name: valid UTF-8 stays as it is; every byte that is
// not part of valid UTF-8, and every character a Windows name cannot hold (\ : * ? " < > |
// and the controls U+0001..U+001F), becomes the private-use character U+F700 + byte. The
// private-use characters U+F700..U+F7FF themselves, when a native name holds them, are
// escaped byte by byte the same way, so the mapping is one to one for every native name.

inline constexpr char16_t EscapeBase = 0xF700;

// ok=false: no such drive, the drive has no medium, or the path is not absolute.
// "." and ".." components are resolved here and never climb above the drive's root.
QByteArray toNative(const QString& logical, bool* ok = nullptr);

// The deepest drive root that holds native; "C:" for a root itself; empty if none holds it.
QString toLogical(const QByteArray& native);

QString nameFromNative(const QByteArray& component);
QByteArray nameToNative(const QString& name);

// Friendly text for drawing and reading out a reversible name: names that are not UTF-8
// are decoded as Shift-JIS when the whole name decodes cleanly; otherwise every byte that
// is not UTF-8, and every control character, shows as \xNN.
QString displayName(const QString& reversibleName);

// Where a logical path leads (used by the file-system functions to tell error cases apart).
struct NativeTarget
{
    enum Status { Ok, NoDrive, NoMedium, NotAbsolute } status = NotAbsolute;
    QChar letter;
    QByteArray path;     // native path (Ok only)
    bool isRoot = false; // the path is the drive's root
};
NativeTarget resolveLogical(const QString& logical);

} // namespace quorix::platform
