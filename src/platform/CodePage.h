#pragma once

#include <QByteArray>
#include <QString>

namespace quorix::platform {

// Shift-JIS as Windows writes it (code page 932), converted through iconv.
// ok is false when a byte sequence (or a character) has no mapping; the result then holds
// U+FFFD (or '?') in its place.
QString fromCp932(const QByteArray& bytes, bool* ok = nullptr);
QByteArray toCp932(const QString& text, bool* ok = nullptr);

// Text of a file written on either system: UTF-8 when it is valid UTF-8, else CP932.
QString decodeLocalText(const QByteArray& bytes);

bool isValidUtf8(const QByteArray& bytes);

} // namespace quorix::platform
