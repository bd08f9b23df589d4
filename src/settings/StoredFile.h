#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace quorix::settings {

// Outcome of writing one of the program's own files (settings, histories).
struct FileWriteResult
{
    bool ok = true;
    QString errorText; // the system's reason when !ok
};

// Outcome of reading one: missing is not an error (callers fall back to defaults), a file
// that exists but cannot be read is.
struct FileReadResult
{
    enum Status { Read, Missing, Unreadable };
    Status status = Missing;
    QByteArray bytes;
    QString errorText;
};

FileReadResult readStoredFile(const QString& nativePath);

// Replaces the file in one step: the bytes go to a temporary file in the same folder that
// is renamed over the target only once everything has been written, so a crash or a full
// disk leaves the previous file as it was.
FileWriteResult writeStoredFile(const QString& nativePath, const QByteArray& bytes);

// Text of a stored file: a UTF-8 byte-order mark is dropped (and reported through
// *hadBom), a UTF-16LE one selects UTF-16; otherwise UTF-8 when the bytes are valid UTF-8
// and the Windows Japanese code page (CP932) when not, so that files written by the
// Windows build read back the same.
QString decodeStoredText(const QByteArray& bytes, bool* hadBom = nullptr);

// Test seam: called after each chunk that writeStoredFile has handed to the temporary file,
// with the number of bytes written so far. Crash tests abort the process from it.
void setStoredWriteProbeForTests(std::function<void(qint64 written)> probe);

} // namespace quorix::settings
